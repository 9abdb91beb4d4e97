#include "editor/writers/SequentialMatrix.h"

#include "editor/writers/VaryingColumns.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

namespace sequara {

SequentialMatrix::SequentialMatrix(const WriterInput& input) : input_(input) {
    const AlignmentInput& alignment = input.Alignment();
    for (std::size_t i = 0; i < alignment.RowCount(); ++i) {
        std::int64_t first = 0, last = 0;
        TrimGapEnds(alignment.Row(i), first, last);
        first_ = i == 0 ? first : std::min(first_, first);
        last_ = i == 0 ? last : std::max(last_, last);
    }
}

void SequentialMatrix::WriteRow(std::size_t i, ByteSink& out) const {
    const AlignmentInput& alignment = input_.Alignment();
    const std::string_view row = alignment.Row(i);
    const UnsequencedGapRule rule(row, input_.Positions(), alignment.DataType());
    for (std::int64_t c = first_; c <= last_; ++c) out.Put(rule.Written(CharacterAt(row, c), c));
}

std::string NameField(std::string_view name, std::size_t Width) {
    std::string field = name.size() > Width ? std::string(name.substr(0, Width))
                                            : std::string(Width - name.size(), ' ') + std::string(name);
    field.push_back(' ');
    return field;
}

namespace {

// Entries of a notice's list beyond this many are only counted.
constexpr std::size_t kListedEntries = 8;

std::string Quoted(std::string_view name) { return "\"" + std::string(name) + "\""; }

std::string RowEntry(const AlignmentInput& alignment, std::size_t row) {
    return Quoted(alignment.RowName(row)) + " (row " + std::to_string(row + 1) + ")";
}

// "a, b and c", with entries beyond kListedEntries counted as "N more".
std::string JoinedList(const std::vector<std::string>& entries) {
    const std::size_t shown = std::min(entries.size(), kListedEntries);
    std::string list;
    for (std::size_t k = 0; k < shown; ++k) {
        if (k > 0) list += k + 1 == entries.size() ? " and " : ", ";
        list += entries[k];
    }
    if (shown < entries.size()) list += " and " + std::to_string(entries.size() - shown) + " more";
    return list;
}

}  // namespace

std::string WrittenNamesNotice(const AlignmentInput& alignment, std::size_t width, std::string_view format,
                               bool blanksCount) {
    // Rows by written name, the groups in the order of their first row.
    std::unordered_map<std::string_view, std::size_t> groupOf;
    std::vector<std::vector<std::size_t>> groups;
    std::vector<std::string> blanks;
    for (std::size_t i = 0; i < alignment.RowCount(); ++i) {
        const std::string_view written = alignment.RowName(i).substr(0, width);
        const auto [at, added] = groupOf.emplace(written, groups.size());
        if (added) groups.emplace_back();
        groups[at->second].push_back(i);
        if (blanksCount && written.find_first_of(" \t") != std::string_view::npos)
            blanks.push_back(RowEntry(alignment, i));
    }
    std::vector<std::string> equal;
    for (const std::vector<std::size_t>& rows : groups) {
        if (rows.size() < 2) continue;
        std::vector<std::string> members;
        for (const std::size_t row : rows) members.push_back(RowEntry(alignment, row));
        equal.push_back(JoinedList(members) + " as " + Quoted(alignment.RowName(rows[0]).substr(0, width)));
    }
    if (equal.empty() && blanks.empty()) return {};
    std::string notice = "The saved " + std::string(format) + " file keeps the first " + std::to_string(width) +
                         " characters of each name.";
    if (!equal.empty()) notice += " These rows are written with equal names: " + JoinedList(equal) + ".";
    if (!blanks.empty()) notice += " These names hold a blank within those characters: " + JoinedList(blanks) + ".";
    return notice + " Programs that need distinct names will refuse or misread them.";
}

}  // namespace sequara
