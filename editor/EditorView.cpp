#include "editor/EditorView.h"

#include "editor/AlignmentDocument.h"

namespace sequara {

void EditorView::SyncGridSizes(const AlignmentDocument& document) {
    const std::int32_t n = document.ColumnCount();
    SequenceGrid.SetSize(n + 1, document.RowCount());
    ReferenceGrid.SetSize(n, kReferenceGridRows);
}

}  // namespace sequara
