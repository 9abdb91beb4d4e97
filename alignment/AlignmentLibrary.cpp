// The alignment library; its parts live in the other files of this folder.
namespace sequara {
int alignmentLibraryAnchor() { return 0; }
}  // namespace sequara
