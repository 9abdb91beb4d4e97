// The editor model library; its parts live in the other files of this folder.
namespace sequara {
int editorLibraryAnchor() { return 0; }
}  // namespace sequara
