#include "editor/commands/UndoCommands.h"

#include <algorithm>

namespace sequara {

namespace {
constexpr std::size_t kHeaderRows = EditorView::kHeaderRows;
static_assert(kHeaderRows == kShownLabelLength);

// Rows 0-4 of the reference grid, one text each: character r of every label,
// a blank where the label is shorter.
void writeHeaderRows(std::vector<std::string>& rows, const TCharacterName& labels) {
    rows.assign(EditorView::kReferenceGridRows, std::string());
    for (std::size_t r = 0; r < kHeaderRows; ++r) rows[r].resize(labels.size());
    for (std::size_t c = 0; c < labels.size(); ++c) {
        const TLabel shown = labels[c].Padded();
        for (std::size_t r = 0; r < kHeaderRows; ++r) rows[r][c] = shown.view()[r];
    }
}
}  // namespace

void SaveUndoState(EditorContext& ctx) {
    const WorkingState& s = ctx.document.State();
    writeHeaderRows(ctx.session.UndoReferenceRows, s.AlignedNumbering);
    ctx.session.UndoReferenceRows[EditorView::kReferenceRow] = ctx.document.ReferenceRow();
    ctx.session.UndoSequences = s.AlignedSequences;
    ctx.view.UndoEnabled = true;
}

void StoreSnapshotFromWorkingState(EditorSession& session, const WorkingState& state) {
    session.UndoSequences = state.AlignedSequences;
    writeHeaderRows(session.UndoReferenceRows, state.AlignedNumbering);
    session.UndoReferenceRows[EditorView::kReferenceRow] =
        state.AlignedReference.empty() ? std::string() : state.AlignedReference[0].Sequence.str();
}

void ButtonUndoClick(EditorContext& ctx) {
    const EditorSession& session = ctx.session;
    // No snapshot yet: its reference rows are taken with every snapshot, also
    // one of an alignment without sequences, which Undo puts back too.
    if (session.UndoReferenceRows.empty()) return;
    const std::vector<std::string>& rows = session.UndoReferenceRows;
    // The reference grid has as many columns as the first header row has
    // characters; every cell comes back holding one character, so each label
    // reads back with the blanks of its empty header rows.
    const std::size_t columns = rows[0].size();
    TCharacterName labels(columns);
    char label[kHeaderRows];
    for (std::size_t c = 0; c < columns; ++c) {
        for (std::size_t r = 0; r < kHeaderRows; ++r) label[r] = r < rows.size() && c < rows[r].size() ? rows[r][c] : ' ';
        labels[c].assign(std::string_view(label, kHeaderRows));
    }
    TAlignedDataSet reference(1);
    std::string referenceRow = rows.size() > EditorView::kReferenceRow ? rows[EditorView::kReferenceRow] : std::string();
    // A reference row shorter than the header gets gaps; one longer keeps
    // its characters in columns with blank labels (padding below).
    if (referenceRow.size() < columns) referenceRow.resize(columns, '-');
    reference[0].Sequence = SharedText(std::move(referenceRow));
    ctx.document.Assign(std::move(reference), std::move(labels), session.UndoSequences);
    // Columns added by the padding are inserted columns: blank labels.
    ctx.document.PadLabels();
    ctx.view.SyncGridSizes(ctx.document);
    ctx.view.UndoEnabled = false;
}

void CopySelection(EditorContext& ctx, std::int32_t FirstCol, std::int32_t LastCol, std::int32_t FirstRow,
                   std::int32_t LastRow) {
    const AlignmentDocument& d = ctx.document;
    if (!d.HasRow(FirstRow) || !d.HasRow(LastRow) || FirstRow > LastRow || FirstCol < 1 || FirstCol > LastCol ||
        LastCol > d.ColumnCount())
        return;
    std::vector<std::string> buffer;
    buffer.reserve(static_cast<std::size_t>(LastRow - FirstRow + 1));
    for (std::int32_t r = FirstRow; r <= LastRow; ++r)
        buffer.push_back(d.Row(r).substr(static_cast<std::size_t>(FirstCol - 1),
                                         static_cast<std::size_t>(LastCol - FirstCol + 1)));
    ctx.session.CopyBuffer = std::move(buffer);
}

void PasteSelection(EditorContext& ctx, std::int32_t FirstCol, std::int32_t LastCol, std::int32_t FirstRow,
                    std::int32_t LastRow) {
    const std::vector<std::string>& buffer = ctx.session.CopyBuffer;
    AlignmentDocument& d = ctx.document;
    if (buffer.empty() || d.RowCount() == 0) return;
    const auto copiedRows = static_cast<std::int32_t>(buffer.size());
    const auto copiedCols = static_cast<std::int32_t>(buffer[0].size());
    if (LastCol > FirstCol || LastRow > FirstRow) {
        if (LastRow - FirstRow + 1 != copiedRows || LastCol - FirstCol + 1 != copiedCols) {
            ctx.platform.ShowMessage(kPasteSelectionMismatch);
            return;
        }
    } else if (d.ColumnCount() - FirstCol + 1 < copiedCols || d.RowCount() - 1 - FirstRow < copiedRows - 1) {
        ctx.platform.ShowMessage(kPasteTooBig);
        return;
    }
    // The block lies inside the alignment now, unless the selection itself
    // lies outside it (nothing is written there).
    if (FirstCol < 1 || !d.HasRow(FirstRow) || !d.HasRow(FirstRow + copiedRows - 1) ||
        FirstCol - 1 + copiedCols > d.ColumnCount())
        return;
    for (std::int32_t k = 0; k < copiedRows; ++k) {
        const std::string& text = buffer[static_cast<std::size_t>(k)];
        const std::size_t n = std::min(text.size(), static_cast<std::size_t>(copiedCols));
        d.EditRow(FirstRow + k).replace(static_cast<std::size_t>(FirstCol - 1), n, text, 0, n);
    }
}

void CopyCommand(EditorContext& ctx) {
    const GridRect& s = ctx.view.Selection();
    CopySelection(ctx, s.Left, s.Right, s.Top, s.Bottom);
}

void PasteCommand(EditorContext& ctx) {
    SaveUndoState(ctx);
    const GridRect s = ctx.view.Selection();
    PasteSelection(ctx, s.Left, s.Right, s.Top, s.Bottom);
}

}  // namespace sequara
