// The editor window library; its parts live in the other files of this folder.
namespace sequara {
int editorUiLibraryAnchor() { return 0; }
}  // namespace sequara
