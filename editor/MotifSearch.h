#pragma once
// Looking for a motif in the sequence grid's cells as they are shown: row by
// row from a start cell, left to right, letter case ignored (ASCII letters
// only), every other character literal ("-", "." and IUPAC codes included).
// An occurrence lies inside one row's character columns; it may end in the
// grid's last column.

#include "sequence/CharacterRules.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sequara {

// Upper-cases ASCII a to z; every other byte stays.
inline char MotifUpper(char c) { return UpperAscii(c); }

// A motif prepared for linear-time searching (Knuth-Morris-Pratt).
class MotifMatcher {
public:
    explicit MotifMatcher(std::string_view motif);
    std::size_t Length() const { return motif_.size(); }
    // Index of the first occurrence in cells starting at or after from, or
    // npos.  Cost: O(cells.size() - from); no allocation.
    std::size_t FindIn(std::string_view cells, std::size_t from) const;

private:
    std::string motif_;               // upper-cased
    std::vector<std::size_t> border_;  // border_[j]: longest proper border of motif_[0..j]
};

struct MotifHit {
    std::int32_t Col = 0;  // sequence-grid column of the occurrence's first cell (from 1)
    std::int32_t Row = 0;  // sequence row counted from 1 (grid row Row - 1)
    bool operator==(const MotifHit&) const = default;
};

// Fills out with the shown characters of grid row gridRow, columns 1 to
// colCount - 1 in order (out[0] is column 1); '\0' for a cell without text.
using MotifRowCells = std::function<void(std::int32_t gridRow, std::string& out)>;

// The first occurrence of a non-empty motif at or after column startCol of
// sequence row startRow, then in the rows below from column 1.  colCount
// counts the names column; rowCount is the number of sequence rows.  Starts
// below 1 count as 1.  Nothing when there is none (or the motif is empty or
// holds a '\0', so that a cell without text matches nothing).
// Cost: O(colCount) per row scanned, independent of the motif's length.
std::optional<MotifHit> FindMotif(std::string_view motif, std::int32_t colCount, std::int32_t rowCount,
                                  std::int32_t startCol, std::int32_t startRow, const MotifRowCells& rowCells);

}  // namespace sequara
