#include "editor/AlignmentEditorModel.h"

#include "alignment/ColumnModel.h"
#include "sequence/CharacterRules.h"

#include <algorithm>

namespace sequara {

namespace {
const std::string kEmpty;
}  // namespace

AlignmentEditorModel::AlignmentEditorModel(WorkingState& state, EditorSession& session)
    : state_(state), session_(session) {
    SyncGridSizes();
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

    state_.AlignedReference.assign(1, TFastaSequence{});
    state_.AlignedReference[0].Sequence = std::move(columns.ReferenceRow);
    state_.AlignedNumbering = std::move(columns.Labels);
    state_.AlignedSequences.resize(DataSet.size());
    for (std::size_t i = 0; i < DataSet.size(); ++i) {
        state_.AlignedSequences[i].Name = DataSet[i].Name;
        state_.AlignedSequences[i].Sequence = std::move(columns.Rows[i]);
    }
    ReadAlignmentFromGrids();
    Undo1Enabled = false;
}

void AlignmentEditorModel::ReadAlignmentFromGrids() {
    if (state_.AlignedReference.empty()) state_.AlignedReference.resize(1);
    state_.AlignedReference.resize(1);
    state_.AlignedReference[0].Name = state_.ReferenceData.empty() ? std::string() : state_.ReferenceData[0].Name;
    const std::size_t n = state_.AlignedReference[0].Sequence.size();
    state_.AlignedNumbering.resize(n);
    for (TLabel& label : state_.AlignedNumbering)
        if (label.size() > kShownLabelLength) label = TLabel(label.view().substr(0, kShownLabelLength));
    for (TFastaSequence& s : state_.AlignedSequences) s.Sequence.resize(n, '-');
    SyncGridSizes();
}

void AlignmentEditorModel::SetReferenceName(const TFastaDataSet& ReferenceName) {
    referenceName_ = ReferenceName.empty() ? std::string() : ReferenceName[0].Name;
}

std::int32_t AlignmentEditorModel::ColumnCount() const {
    return state_.AlignedReference.empty() ? 0 : static_cast<std::int32_t>(state_.AlignedReference[0].Sequence.size());
}

std::int32_t AlignmentEditorModel::SequenceCount() const {
    return static_cast<std::int32_t>(state_.AlignedSequences.size());
}

char AlignmentEditorModel::HeaderCell(std::int32_t col, std::int32_t row) const {
    if (col < 0 || static_cast<std::size_t>(col) >= state_.AlignedNumbering.size() || row < 0 || row >= kHeaderRows)
        return '\0';
    std::string_view label = state_.AlignedNumbering[static_cast<std::size_t>(col)].view();
    return static_cast<std::size_t>(row) < label.size() ? label[static_cast<std::size_t>(row)] : '\0';
}

char AlignmentEditorModel::ReferenceCell(std::int32_t col) const {
    if (col < 0 || col >= ColumnCount()) return '\0';
    return state_.AlignedReference[0].Sequence[static_cast<std::size_t>(col)];
}

const std::string& AlignmentEditorModel::NameCell(std::int32_t row) const {
    if (row < 0 || row >= SequenceCount()) return kEmpty;
    return state_.AlignedSequences[static_cast<std::size_t>(row)].Name;
}

const MatchTable& AlignmentEditorModel::matches() const { return MatchTableFor(state_.DataType); }

char AlignmentEditorModel::SequenceCell(std::int32_t col, std::int32_t row) const {
    if (row < 0 || row >= SequenceCount() || col < 1) return '\0';
    const std::string& s = state_.AlignedSequences[static_cast<std::size_t>(row)].Sequence;
    if (static_cast<std::size_t>(col) > s.size()) return '\0';
    const char c = s[static_cast<std::size_t>(col) - 1];
    if (showMismatches_ && col <= ColumnCount() && matches()(ReferenceCell(col - 1), c)) return '.';
    return c;
}

bool AlignmentEditorModel::AlignedSequencesGridDrawCell(std::int32_t col, std::int32_t row,
                                                        CellAppearance& out) const {
    if (row < 0 || row >= SequenceCount() || col < 1 || state_.AlignedReference.empty()) return false;
    const std::string& s = state_.AlignedSequences[static_cast<std::size_t>(row)].Sequence;
    const std::string& r = state_.AlignedReference[0].Sequence;
    const auto p = static_cast<std::size_t>(col);
    if (p > s.size() || p > r.size()) return false;
    const char c = s[p - 1];
    const bool equal = c == r[p - 1];
    const bool selected = sequenceGrid_.Selection().Contains(col, row);
    out.Drawn = equal && showMismatches_ ? '.' : c;
    if (selected) out.Background = state_.SelectionColor;
    else if (!equal) out.Background = state_.MismatchColor;
    else if (row == HighlightedRow) out.Background = state_.HighlightColor;
    else out.Background = state_.MatchColor;
    return true;
}

TColor AlignmentEditorModel::NameCellBackground(std::int32_t row) const {
    return row == HighlightedRow ? state_.HighlightColor : state_.HeaderColor;
}

void AlignmentEditorModel::TrackBar1Change(std::int32_t position) {
    trackBarPosition_ = std::clamp(position, 0, kTrackBarMax);
    ApplyZoom();
}

void AlignmentEditorModel::ApplyZoom() { nameWidth_ = trackBarPosition_ * kZoomStep + kMinimumNameWidth; }

bool AlignmentEditorModel::EnsureMinimumNameWidth() {
    if (nameWidth_ >= kMinimumNameWidth) return false;
    nameWidth_ = kMinimumNameWidth;
    return true;
}

EditorPlacement AlignmentEditorModel::AdjustCellSizes(std::int32_t sequenceGridLeft, std::int32_t sequenceGridWidth,
                                                      std::int32_t referenceGridTop) const {
    EditorPlacement p;
    p.ReferenceGridLeft = sequenceGridLeft + nameWidth_ + 1;
    p.ReferenceGridHeight = kReferenceGridRows * kCellHeight + 2 * kReferenceGridRows - 2;
    p.ReferenceGridWidth = sequenceGridWidth - nameWidth_ - 1;
    p.SequenceGridTop = referenceGridTop + p.ReferenceGridHeight + 5;
    p.ReferenceLabelLeft = p.ReferenceGridLeft;
    p.ReferenceNameLabelLeft = p.ReferenceGridLeft + 115;
    return p;
}

void AlignmentEditorModel::AlignedSequencesGridRowMoved(std::int32_t FromIndex, std::int32_t ToIndex) {
    const std::int32_t n = SequenceCount();
    if (FromIndex < 0 || ToIndex < 0 || FromIndex >= n || ToIndex >= n || FromIndex == ToIndex) return;
    auto& rows = state_.AlignedSequences;
    const auto from = rows.begin() + FromIndex;
    const auto to = rows.begin() + ToIndex;
    if (FromIndex < ToIndex) std::rotate(from, from + 1, to + 1);
    else std::rotate(to, from, from + 1);
    ReadAlignmentFromGrids();
}

void AlignmentEditorModel::AlignedSequencesGridSelectCell(std::int32_t ACol, std::int32_t, bool sequenceGridHasFocus) {
    if (sequenceGridHasFocus) referenceGrid_.MoveTo(ACol - 1, kReferenceRow);
}

void AlignmentEditorModel::ReferenceGridSelectCell(std::int32_t ACol, std::int32_t, bool referenceGridHasFocus) {
    if (referenceGridHasFocus) sequenceGrid_.SetCol(ACol + 1);
}

void AlignmentEditorModel::AlignedSequencesGridTopLeftChanged() {
    referenceGrid_.SetLeftCol(sequenceGrid_.LeftCol() - 1);
}

void AlignmentEditorModel::SyncGridSizes() {
    const std::int32_t n = ColumnCount();
    sequenceGrid_.SetSize(n + 1, SequenceCount());
    referenceGrid_.SetSize(n, kReferenceGridRows);
}

}  // namespace sequara
