#include "editor/commands/FindMotif.h"

#include "editor/MotifSearch.h"
#include "sequence/CharacterRules.h"

namespace sequara {

void ShownRowCells(const EditorContext& ctx, std::int32_t row, std::string& out) {
    const std::string& cells = ctx.document.Row(row);
    out.assign(cells);
    if (!ctx.view.ShowMismatches) return;
    const std::string& reference = ctx.document.ReferenceRow();
    const MatchTable& matches = MatchTableFor(ctx.document.State().DataType);
    const std::size_t n = std::min(out.size(), reference.size());
    for (std::size_t i = 0; i < n; ++i)
        if (matches(reference[i], out[i])) out[i] = '.';
}

FindOutcome BtnFindClick(EditorContext& ctx, const std::string& Motif, SearchPosition& position) {
    if (Motif.empty()) {
        ctx.platform.ShowMessage(kEnterMotifMessage);
        return FindOutcome::EmptyMotif;
    }
    const std::int32_t colCount = ctx.document.ColumnCount() + 1;  // with the names column
    const auto cells = [&ctx](std::int32_t row, std::string& out) { ShownRowCells(ctx, row, out); };
    for (;;) {
        const std::optional<MotifHit> hit =
            FindMotif(Motif, colCount, ctx.document.RowCount(), position.X, position.Y, cells);
        if (hit) {
            const auto length = std::int32_t(Motif.size());
            const std::int32_t s = hit->Col;
            // Past the occurrence first, then back to its start, so that the
            // grids scroll to show all of it where it fits.
            ctx.view.ReferenceGrid.SetCol(s + length - 1);
            ctx.view.SequenceGrid.SetCol(s + length);
            ctx.view.ReferenceGrid.SetCol(s - 1);
            ctx.view.SequenceGrid.SetRow(hit->Row - 1);
            ctx.view.SequenceGrid.SetCol(s);
            position = {s, hit->Row};
            return FindOutcome::Found;
        }
        if (ctx.platform.AskYesNo(kRestartSearchQuestion, kRestartSearchCaption, MessageType::Information) !=
            YesNoAnswer::Yes) return FindOutcome::NotFound;
        position = {1, 1};
    }
}

}  // namespace sequara
