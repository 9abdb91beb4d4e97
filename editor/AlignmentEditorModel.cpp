#include "editor/AlignmentEditorModel.h"

#include "alignment/ColumnModel.h"
#include "sequence/CharacterRules.h"

#include <algorithm>

namespace sequara {

namespace {
const std::string kEmpty;
}  // namespace

AlignmentEditorModel::AlignmentEditorModel(RunContext& run) : run_(run), document_(run.State()) {
    view_.SyncGridSizes(document_);
}

std::vector<std::string> AlignmentEditorModel::PopupMenuCaptions(const std::string& DataType) {
    std::vector<std::string> captions{"- = Deletion",    "Delete",           "Insert",
                                      "Copy",            "Paste",            "Remove sequence",
                                      "Highlight sequence", "Disable highlighting"};
    if (IsDnaDataType(DataType)) {
        captions.insert(captions.end(),
                        {"A = Adenine", "G = Guanine", "C = Cytosine", "T = Thymine", "R = A or G", "Y = C or T",
                         "N = A,G,C or T", "D = A,G or T", "W = A or T", "S = G or C", "M = A or C",
                         "H = A,C or T", "V = A,G or C", "K = G or T", "B = G,C or T"});
    } else {
        captions.insert(captions.end(),
                        {"A = Alanine", "B = Aspartic acid or asparagine", "C = Cysteine", "D = Aspartic acid",
                         "E = Glutamic acid", "F = Phenylalanine", "G = Glycine", "H = Histidine",
                         "I = Isoleucine", "K = Lysine", "L = Leucine", "M = Methionine", "N = Asparagine",
                         "P = Proline", "Q = Glutamine", "R = Arginine", "S = Serine", "T = Threonine",
                         "U = Selenocysteine", "V = Valine", "W = Tryptophan", "X = Unknown or other amino acid",
                         "Y = Tyrosine", "Z = Glutamic acid or glutamine", "- = Deletion"});
    }
    return captions;
}

void AlignmentEditorModel::GenerateGrids(const TAlignmentResult& Alignment, const TFastaDataSet& DataSet,
                                         const TFastaDataSet& Reference, const TCharacterName& CharNames) {
    if (DataSet.empty()) return;
    const std::string& referenceText = Reference.empty() ? kEmpty : Reference[0].Sequence;
    TAlignedColumns columns = BuildAlignedColumns(Alignment, DataSet, referenceText, CharNames);

    TAlignedDataSet reference(1);
    reference[0].Sequence = SharedText(std::move(columns.ReferenceRow));
    TAlignedDataSet rows(DataSet.size());
    for (std::size_t i = 0; i < DataSet.size(); ++i) {
        rows[i].Name = DataSet[i].Name;
        rows[i].Sequence = SharedText(std::move(columns.Rows[i]));
    }
    document_.Assign(std::move(reference), std::move(columns.Labels), std::move(rows));
    view_.SyncGridSizes(document_);
    view_.UndoEnabled = false;
}

void AlignmentEditorModel::ReadAlignmentFromGrids() {
    document_.ReadAlignmentFromGrids();
    view_.SyncGridSizes(document_);
}

void AlignmentEditorModel::SetReferenceName(const TAlignedDataSet& ReferenceName) {
    referenceName_ = ReferenceName.empty() ? std::string() : ReferenceName[0].Name;
}

void AlignmentEditorModel::SetReferenceName(const TFastaDataSet& ReferenceName) {
    referenceName_ = ReferenceName.empty() ? std::string() : ReferenceName[0].Name;
}

char AlignmentEditorModel::HeaderCell(std::int32_t col, std::int32_t row) const {
    const TCharacterName& labels = document_.Labels();
    if (col < 0 || static_cast<std::size_t>(col) >= labels.size() || row < 0 || row >= kHeaderRows) return '\0';
    std::string_view label = labels[static_cast<std::size_t>(col)].view();
    return static_cast<std::size_t>(row) < label.size() ? label[static_cast<std::size_t>(row)] : '\0';
}

std::string_view AlignmentEditorModel::ShownName(std::int32_t row, std::int32_t widthPixels) const {
    const std::string_view name = document_.Name(row);
    return name.substr(0, static_cast<std::size_t>(std::max(widthPixels, 0)) + 1);
}

char AlignmentEditorModel::ReferenceCell(std::int32_t col) const {
    if (col < 0 || col >= ColumnCount()) return '\0';
    return document_.ReferenceRow()[static_cast<std::size_t>(col)];
}

const MatchTable& AlignmentEditorModel::matches() const { return MatchTableFor(State().DataType); }

char AlignmentEditorModel::SequenceCell(std::int32_t col, std::int32_t row) const {
    const char c = document_.Character(col, row);
    if (c == '\0') return '\0';
    if (view_.ShowMismatches && col <= ColumnCount() && matches()(ReferenceCell(col - 1), c)) return '.';
    return c;
}

bool AlignmentEditorModel::AlignedSequencesGridDrawCell(std::int32_t col, std::int32_t row,
                                                        CellAppearance& out) const {
    if (!document_.HasRow(row) || col < 1) return false;
    const std::string& s = document_.Row(row);
    const std::string& r = document_.ReferenceRow();
    const auto p = static_cast<std::size_t>(col);
    if (p > s.size() || p > r.size()) return false;
    const WorkingState& state = State();
    const char c = s[p - 1];
    const bool equal = c == r[p - 1];
    const bool selected = view_.SequenceGrid.Selection().Contains(col, row);
    out.Drawn = equal && view_.ShowMismatches ? '.' : c;
    if (selected) out.Background = state.SelectionColor;
    else if (!equal) out.Background = state.MismatchColor;
    else if (row == view_.HighlightedRow) out.Background = state.HighlightColor;
    else out.Background = state.MatchColor;
    return true;
}

TColor AlignmentEditorModel::NameCellBackground(std::int32_t row) const {
    return row == view_.HighlightedRow ? State().HighlightColor : State().HeaderColor;
}

void AlignmentEditorModel::TrackBar1Change(std::int32_t position) {
    view_.TrackBarPosition = std::clamp(position, 0, kTrackBarMax);
    ApplyZoom();
}

void AlignmentEditorModel::ApplyZoom() {
    view_.NameWidth = view_.TrackBarPosition * EditorView::kZoomStep + kMinimumNameWidth;
}

bool AlignmentEditorModel::EnsureMinimumNameWidth() {
    if (view_.NameWidth >= kMinimumNameWidth) return false;
    view_.NameWidth = kMinimumNameWidth;
    return true;
}

EditorPlacement AlignmentEditorModel::AdjustCellSizes(std::int32_t sequenceGridLeft, std::int32_t sequenceGridWidth,
                                                      std::int32_t referenceGridTop) const {
    EditorPlacement p;
    p.ReferenceGridLeft = sequenceGridLeft + view_.NameWidth + 1;
    p.ReferenceGridHeight = kReferenceGridRows * kCellHeight + 2 * kReferenceGridRows - 2;
    p.ReferenceGridWidth = sequenceGridWidth - view_.NameWidth - 1;
    p.SequenceGridTop = referenceGridTop + p.ReferenceGridHeight + 5;
    p.ReferenceLabelLeft = p.ReferenceGridLeft;
    p.ReferenceNameLabelLeft = p.ReferenceGridLeft + 115;
    return p;
}

void AlignmentEditorModel::AlignedSequencesGridSelectCell(std::int32_t ACol, std::int32_t, bool sequenceGridHasFocus) {
    if (sequenceGridHasFocus) view_.ReferenceGrid.MoveTo(ACol - 1, kReferenceRow);
}

void AlignmentEditorModel::ReferenceGridSelectCell(std::int32_t ACol, std::int32_t, bool referenceGridHasFocus) {
    if (referenceGridHasFocus) view_.SequenceGrid.SetCol(ACol + 1);
}

void AlignmentEditorModel::AlignedSequencesGridTopLeftChanged() {
    view_.ReferenceGrid.SetLeftCol(view_.SequenceGrid.LeftCol() - 1);
}

}  // namespace sequara
