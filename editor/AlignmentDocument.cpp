#include "editor/AlignmentDocument.h"

#include <algorithm>
#include <iterator>

namespace sequara {

namespace {
const std::string kEmpty;

// The text with one "-" inserted before each character index in `at`
// (sorted, 0 .. size, repeats allowed).
std::string withGaps(std::string_view text, const std::vector<std::size_t>& at) {
    std::string out;
    out.reserve(text.size() + at.size());
    std::size_t from = 0;
    for (std::size_t pos : at) {
        const std::size_t p = std::min(pos, text.size());
        out.append(text.substr(from, p - from));
        out.push_back('-');
        from = p;
    }
    out.append(text.substr(std::min(from, text.size())));
    return out;
}

// The text without the character indexes in `drop` (sorted, distinct).
std::string withoutColumns(std::string_view text, const std::vector<std::size_t>& drop) {
    std::string out;
    out.reserve(text.size());
    std::size_t from = 0;
    for (std::size_t pos : drop) {
        if (pos >= text.size()) break;
        out.append(text.substr(from, pos - from));
        from = pos + 1;
    }
    out.append(text.substr(std::min(from, text.size())));
    return out;
}
}  // namespace

std::int32_t AlignmentDocument::ColumnCount() const {
    return static_cast<std::int32_t>(ReferenceRow().size());
}

const std::string& AlignmentDocument::ReferenceRow() const {
    return state_.AlignedReference.empty() ? kEmpty : state_.AlignedReference[0].Sequence.str();
}

const std::string& AlignmentDocument::ReferenceName() const {
    return state_.AlignedReference.empty() ? kEmpty : state_.AlignedReference[0].Name;
}

const std::string& AlignmentDocument::Row(std::int32_t row) const {
    return HasRow(row) ? state_.AlignedSequences[static_cast<std::size_t>(row)].Sequence.str() : kEmpty;
}

const std::string& AlignmentDocument::Name(std::int32_t row) const {
    return HasRow(row) ? state_.AlignedSequences[static_cast<std::size_t>(row)].Name : kEmpty;
}

char AlignmentDocument::Character(std::int32_t column, std::int32_t row) const {
    const std::string& s = Row(row);
    if (column < 1 || static_cast<std::size_t>(column) > s.size()) return '\0';
    return s[static_cast<std::size_t>(column) - 1];
}

void AlignmentDocument::SetCharacter(std::int32_t column, std::int32_t row, char c) {
    if (!HasRow(row) || column < 1 || column > static_cast<std::int32_t>(Row(row).size())) return;
    EditRow(row)[static_cast<std::size_t>(column) - 1] = c;
}

std::string& AlignmentDocument::EditRow(std::int32_t row) {
    MarkChanged();
    return state_.AlignedSequences[static_cast<std::size_t>(row)].Sequence.Edit();
}

void AlignmentDocument::SetName(std::int32_t row, std::string name) {
    if (!HasRow(row)) return;
    MarkChanged();
    state_.AlignedSequences[static_cast<std::size_t>(row)].Name = std::move(name);
}

void AlignmentDocument::InsertGapColumns(std::int32_t count, std::int32_t column) {
    if (count <= 0) return;
    InsertGapColumns(std::vector<std::int32_t>(static_cast<std::size_t>(count), column));
}

void AlignmentDocument::InsertGapColumns(std::vector<std::int32_t> columns) {
    const std::int32_t n = ColumnCount();
    std::vector<std::size_t> at;
    at.reserve(columns.size());
    for (std::int32_t c : columns)
        if (c >= 1 && c <= n + 1) at.push_back(static_cast<std::size_t>(c - 1));
    if (at.empty()) return;
    std::sort(at.begin(), at.end());
    if (state_.AlignedReference.empty()) state_.AlignedReference.resize(1);
    // Build every new row first, so that a failed allocation leaves the
    // alignment as it was; then swap them in.
    TCharacterName labels;
    labels.reserve(state_.AlignedNumbering.size() + at.size());
    std::size_t from = 0;
    for (std::size_t pos : at) {
        for (; from < pos && from < state_.AlignedNumbering.size(); ++from) labels.push_back(state_.AlignedNumbering[from]);
        labels.emplace_back();
    }
    for (; from < state_.AlignedNumbering.size(); ++from) labels.push_back(state_.AlignedNumbering[from]);
    SharedText reference(withGaps(ReferenceRow(), at));
    std::vector<SharedText> rows;
    rows.reserve(state_.AlignedSequences.size());
    for (const TAlignedSequence& s : state_.AlignedSequences) rows.emplace_back(withGaps(s.Sequence.view(), at));
    MarkChanged();
    state_.AlignedNumbering = std::move(labels);
    state_.AlignedReference[0].Sequence = std::move(reference);
    for (std::size_t i = 0; i < rows.size(); ++i) state_.AlignedSequences[i].Sequence = std::move(rows[i]);
}

void AlignmentDocument::DeleteColumns(std::vector<std::int32_t> columns) {
    const std::int32_t n = ColumnCount();
    std::vector<std::size_t> drop;
    for (std::int32_t c : columns)
        if (c >= 1 && c <= n) drop.push_back(static_cast<std::size_t>(c - 1));
    std::sort(drop.begin(), drop.end());
    drop.erase(std::unique(drop.begin(), drop.end()), drop.end());
    if (drop.empty()) return;
    TCharacterName labels;
    labels.reserve(state_.AlignedNumbering.size());
    for (std::size_t i = 0, d = 0; i < state_.AlignedNumbering.size(); ++i) {
        if (d < drop.size() && drop[d] == i) ++d;
        else labels.push_back(state_.AlignedNumbering[i]);
    }
    SharedText reference(withoutColumns(ReferenceRow(), drop));
    std::vector<SharedText> rows;
    rows.reserve(state_.AlignedSequences.size());
    for (const TAlignedSequence& s : state_.AlignedSequences) rows.emplace_back(withoutColumns(s.Sequence.view(), drop));
    MarkChanged();
    state_.AlignedNumbering = std::move(labels);
    state_.AlignedReference[0].Sequence = std::move(reference);
    for (std::size_t i = 0; i < rows.size(); ++i) state_.AlignedSequences[i].Sequence = std::move(rows[i]);
}

void AlignmentDocument::RemoveRows(std::int32_t top, std::int32_t bottom) {
    top = std::max(top, 0);
    bottom = std::min(bottom, RowCount() - 1);
    if (top > bottom) return;
    MarkChanged();
    auto& rows = state_.AlignedSequences;
    rows.erase(rows.begin() + top, rows.begin() + bottom + 1);
}

void AlignmentDocument::MoveRow(std::int32_t from, std::int32_t to) {
    if (!HasRow(from) || !HasRow(to) || from == to) return;
    MarkChanged();
    auto& rows = state_.AlignedSequences;
    const auto f = rows.begin() + from;
    const auto t = rows.begin() + to;
    if (from < to) std::rotate(f, f + 1, t + 1);
    else std::rotate(t, f, f + 1);
}

void AlignmentDocument::AppendRows(TAlignedDataSet rows) {
    if (rows.empty()) return;
    MarkChanged();
    auto& sequences = state_.AlignedSequences;
    sequences.insert(sequences.end(), std::make_move_iterator(rows.begin()), std::make_move_iterator(rows.end()));
}

void AlignmentDocument::SetLabel(std::int32_t column, TLabel label) {
    if (column < 1 || static_cast<std::size_t>(column) > state_.AlignedNumbering.size()) return;
    MarkChanged();
    state_.AlignedNumbering[static_cast<std::size_t>(column - 1)] = label;
}

void AlignmentDocument::SetReferenceCharacter(std::int32_t column, char c) {
    if (column < 1 || column > ColumnCount()) return;
    MarkChanged();
    state_.AlignedReference[0].Sequence.Edit()[static_cast<std::size_t>(column - 1)] = c;
}

void AlignmentDocument::PadLabels() {
    for (TLabel& label : state_.AlignedNumbering) label = label.Padded();
}

AlignmentDocument::Snapshot AlignmentDocument::Take() const {
    return {state_.AlignedReference, state_.AlignedNumbering, state_.AlignedSequences, saved_};
}

void AlignmentDocument::Restore(Snapshot snapshot) {
    state_.AlignedReference = std::move(snapshot.Reference);
    state_.AlignedNumbering = std::move(snapshot.Labels);
    state_.AlignedSequences = std::move(snapshot.Sequences);
    saved_ = snapshot.Saved;
}

void AlignmentDocument::Assign(TAlignedDataSet reference, TCharacterName labels, TAlignedDataSet sequences) {
    MarkChanged();
    state_.AlignedReference = std::move(reference);
    state_.AlignedNumbering = std::move(labels);
    state_.AlignedSequences = std::move(sequences);
    ReadAlignmentFromGrids();
}

void AlignmentDocument::ReadAlignmentFromGrids() {
    state_.AlignedReference.resize(1);
    state_.AlignedReference[0].Name = state_.ReferenceData.empty() ? std::string() : state_.ReferenceData[0].Name;
    std::size_t n = std::max(ReferenceRow().size(), state_.AlignedNumbering.size());
    for (const TAlignedSequence& s : state_.AlignedSequences) n = std::max(n, s.Sequence.size());
    if (ReferenceRow().size() < n) state_.AlignedReference[0].Sequence.Edit().resize(n, '-');
    state_.AlignedNumbering.resize(n);
    for (TLabel& label : state_.AlignedNumbering) label = label.Shown();
    for (TAlignedSequence& s : state_.AlignedSequences)
        if (s.Sequence.size() < n) s.Sequence.Edit().resize(n, '-');
}

}  // namespace sequara
