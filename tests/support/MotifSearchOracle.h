#pragma once
// The motif search step by step: at every start column the window's text is
// built from the first character of each cell and compared with the motif,
// both upper-cased.  The test oracle of FindMotif.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace sequara::testing {

// rows[r] holds the shown characters of grid row r, columns 1 to
// colCount - 1 ('\0' or a missing character: a cell without text).
// Returns (column, row counted from 1) of the first occurrence.
std::optional<std::pair<std::int32_t, std::int32_t>> StepByStepFindMotif(const std::string& motif,
                                                                       const std::vector<std::string>& rows,
                                                                       std::int32_t colCount, std::int32_t startCol,
                                                                       std::int32_t startRow);

}  // namespace sequara::testing
