#include "editor/writers/CollapsedIdentitiesWriter.h"

#include "editor/writers/MismatchTable.h"

#include <unordered_map>

namespace sequara {

std::size_t StandardTextHash(std::string_view text) { return std::hash<std::string_view>{}(text); }

RowGroups GroupIdenticalRows(std::size_t count, const RowTextFunction& RowText, TextHash hash) {
    RowGroups groups;
    groups.Group.resize(count);
    groups.Members.assign(count, 0);
    std::unordered_multimap<std::size_t, std::size_t> keptByHash;  // hash of a kept row's text -> the row
    keptByHash.reserve(count);
    std::string text, keptText;
    for (std::size_t i = 0; i < count; ++i) {
        RowText(i, text);
        const std::size_t key = hash(text);
        std::size_t kept = i;
        const auto [from, to] = keptByHash.equal_range(key);
        for (auto it = from; it != to; ++it) {
            RowText(it->second, keptText);
            if (keptText == text) {
                kept = it->second;
                break;
            }
        }
        if (kept == i) keptByHash.emplace(key, i);
        groups.Group[i] = kept;
        ++groups.Members[kept];
    }
    return groups;
}

void WriteCollapsedIdentitiesFile(const WriterInput& input, ByteSink& out, WriterServices& services) {
    const AlignmentInput& alignment = input.Alignment();
    const std::size_t rows = alignment.RowCount();
    if (rows == 0) return;
    services.Progress.Show();
    const MismatchTable table(input, services.Progress);
    const RowGroups groups = GroupIdenticalRows(rows, [&](std::size_t i, std::string& text) {
        text.clear();
        table.AppendRow(i, text);
    });

    // The merged pairs in the order a row-by-row merge meets them: by kept
    // row, then by merged row.
    std::vector<std::vector<std::size_t>> merged(rows);
    for (std::size_t i = 0; i < rows; ++i)
        if (groups.Group[i] != i) merged[groups.Group[i]].push_back(i);
    bool anyPair = false;
    for (std::size_t kept = 0; kept < rows; ++kept) {
        for (std::size_t t : merged[kept]) {
            if (!anyPair) out.Line("Collapsed sequences: ");
            anyPair = true;
            out.Append(alignment.RowName(kept));
            out.Append(" with ");
            out.Line(alignment.RowName(t));
        }
    }
    if (anyPair) out.EndLine();

    table.WriteHeader(out);
    std::string line;
    for (std::size_t i = 0; i < rows; ++i) {
        if (groups.Group[i] != i) continue;
        line = TableRowStart(alignment.RowName(i));
        table.AppendRow(i, line);
        const std::string members = std::to_string(groups.Members[i]);
        if (members.size() < 3) line.append(3 - members.size(), ' ');
        line += members;
        out.Line(line);
    }
    services.Progress.Hide();
}

}  // namespace sequara
