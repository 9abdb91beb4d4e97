#include "editor/commands/RowMove.h"

namespace sequara {

void AlignedSequencesGridRowMoved(EditorContext& ctx, std::int32_t FromIndex, std::int32_t ToIndex) {
    ctx.document.MoveRow(FromIndex, ToIndex);
    ctx.document.ReadAlignmentFromGrids();
    ctx.view.SyncGridSizes(ctx.document);
}

}  // namespace sequara
