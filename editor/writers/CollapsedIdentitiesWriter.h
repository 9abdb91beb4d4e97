#pragma once
// The collapsed-identity table: the mismatch table with identical rows merged
// into the first of them, preceded by the list of merged pairs, each kept row
// ending in its number of members.

#include "editor/writers/Writer.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace sequara {

// Rows whose texts are equal merge into the first of them: Group[i] is the
// row that row i belongs to (i itself for a kept row), Members[i] the number
// of rows of a kept row's group (0 for a merged row).
struct RowGroups {
    std::vector<std::size_t> Group;
    std::vector<std::int32_t> Members;
};
// RowText(i, text) sets text to row i's text.  Each text is hashed, and an
// equal hash is confirmed by making the kept row's text again and comparing,
// so no table of texts is held.  Cost: linear in the texts' total length,
// plus one text per hash collision.
using RowTextFunction = std::function<void(std::size_t, std::string&)>;
using TextHash = std::size_t (*)(std::string_view);
std::size_t StandardTextHash(std::string_view text);
RowGroups GroupIdenticalRows(std::size_t count, const RowTextFunction& RowText, TextHash hash = &StandardTextHash);

// No rows: nothing is written and the progress box stays hidden.  Cost:
// linear in rows x columns.
void WriteCollapsedIdentitiesFile(const WriterInput& input, ByteSink& out, WriterServices& services);

}  // namespace sequara
