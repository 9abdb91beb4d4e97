#include "editor/commands/ColumnCommands.h"

#include "editor/commands/UndoCommands.h"

#include <algorithm>
#include <vector>

namespace sequara {

namespace {
// Some row differs from the reference at column index c (from 0).
bool hasMutation(const AlignmentDocument& d, std::size_t c) {
    const char reference = d.ReferenceRow()[c];
    for (const TAlignedSequence& s : d.Sequences())
        if (c < s.Sequence.size() && s.Sequence.view()[c] != reference) return true;
    return false;
}
}  // namespace

void InsertGapColumn(EditorContext& ctx, std::int32_t Count, std::int32_t Column) {
    ctx.document.InsertGapColumns(Count, Column);
    ctx.view.SyncGridSizes(ctx.document);
}

void Insertcharacter2Click(EditorContext& ctx) {
    const std::int32_t k = ctx.view.ReferenceGrid.Col();
    if (ctx.document.RowCount() == 0 || k < 0 || k >= ctx.document.ColumnCount()) return;
    SaveUndoState(ctx);
    InsertGapColumn(ctx, 1, ctx.view.InsertionMoveRight ? k + 1 : k + 2);
}

void Deletecharacter2Click(EditorContext& ctx) {
    const AlignmentDocument& d = ctx.document;
    if (d.RowCount() == 0) return;
    SaveUndoState(ctx);
    const GridRect& s = ctx.view.ReferenceGrid.Selection();
    // Labels, reference and rows all have ColumnCount() entries.
    const std::int32_t right = std::min(s.Right, d.ColumnCount() - 1);
    const std::int32_t left = std::max(s.Left, 0);
    bool proceed = true, asked = false, refusalShown = false;
    // Right to left, as the user meets the questions; a deleted column moves
    // only the columns right of it, so all of them go in one pass at the end.
    std::vector<std::int32_t> deleted;
    for (std::int32_t c = right; c >= left; --c) {
        const auto index = static_cast<std::size_t>(c);
        if (!d.Labels()[index].MarksInsertedColumn()) {
            if (!refusalShown) {
                ctx.platform.ShowMessage(kOnlyInsertionsMessage);
                refusalShown = true;
            }
            continue;
        }
        const bool mutation = hasMutation(d, index);
        if (mutation && !asked) {
            proceed = ctx.platform.AskYesNo(kMutationQuestion, kMutationCaption, MessageType::Warning) ==
                      YesNoAnswer::Yes;
            asked = true;
        }
        if (proceed || !mutation) deleted.push_back(c + 1);
    }
    ctx.document.DeleteColumns(std::move(deleted));
    ctx.view.SyncGridSizes(ctx.document);
}

void RemoveSequences(EditorContext& ctx, std::int32_t Top, std::int32_t Bottom) {
    ctx.document.RemoveRows(Top, Bottom);
    ctx.view.SyncGridSizes(ctx.document);
}

void ReferenceGridMouseDown(EditorContext& ctx, std::int32_t ClickedCol) {
    GridCursor& reference = ctx.view.ReferenceGrid;
    const GridRect& s = reference.Selection();
    if (ClickedCol >= s.Left && ClickedCol <= s.Right) return;  // inside the selected columns
    if (ClickedCol == reference.Col()) return;
    reference.MoveTo(ClickedCol, EditorView::kReferenceRow);
    ctx.view.SequenceGrid.SetCol(ClickedCol + 1);
}

}  // namespace sequara
