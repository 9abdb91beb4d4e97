#pragma once
// What the RDF writers and the mismatch tables share: the list of varying
// columns (a row differs from the reference there, inside its own sequenced
// part of the column's range), the six header lines that write a column's
// label downwards, and the start of a table row.

#include "editor/writers/Writer.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace sequara {

struct VaryingColumn {
    std::int64_t Column = 0;    // alignment column, from 1
    std::int32_t Position = 0;  // its position number (never -1 for a varying column)
    bool Upper = false;         // the position lies in the upper range (HVS-I)
    bool Inserted = false;      // the reference holds "-" there
    bool operator==(const VaryingColumn&) const = default;
};

// The varying columns in column order.  The rows are read in passes over
// blocks of columns, each row's part of a block in one sweep that skips
// eight agreeing characters at a time; the progress box's gauge is set for
// every column of a block before its pass.  Cost: one read of every
// character of the rows, plus a range test per differing character.
std::vector<VaryingColumn> FindVaryingColumns(const WriterInput& input, const TActiveMinMax& ranges,
                                              SaveProgress& progress);

// Lines 1 to 6 of a fixed-width table, each starting with seven blanks.  Each
// added column appends one character to every line: the label's first five
// characters downwards in lines 1 to 5 (blanks below a shorter label), the
// mark in line 6.
class VerticalHeader {
public:
    // The header's depth for labels: the lines that write a label downwards,
    // one character each (a position up to 99999), above the mark line.
    static constexpr std::size_t kLabelLines = 5;

    VerticalHeader();
    void Add(std::string_view label, char mark);
    const std::array<std::string, kLabelLines + 1>& Lines() const { return lines_; }

private:
    std::array<std::string, kLabelLines + 1> lines_;
};

// Characters of a name that a table row shows.
inline constexpr std::size_t kTableNameLength = 6;

// A table row's start: the name's first kTableNameLength characters, then
// blanks up to seven characters.
std::string TableRowStart(std::string_view name);

}  // namespace sequara
