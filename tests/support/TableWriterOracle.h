#pragma once
// The step-by-step versions of two searches of the table writers, for
// checking the linear ones on small inputs: merging identical rows by
// comparing every row with every later one, and the binary RDF third-state
// search that looks at every later row before each "1".

#include "sequence/Records.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace sequara::testing {

// Rows in order; each kept row takes every later kept row with an equal
// text.  Returns the recorded pairs (kept row, merged row) in the order
// recorded, and each row's member count (0 for merged rows).
struct StepByStepMerge {
    std::vector<std::pair<std::size_t, std::size_t>> Pairs;
    std::vector<std::int32_t> Members;
};
StepByStepMerge StepByStepMergeIdenticalRows(const std::vector<std::string>& rows);

// Writes the binary coding row by row over the given columns (from 1) and,
// before each "1" while none was found, looks at every later row for a
// character that differs from the first row's, from this row's and from
// missing.
bool StepByStepRdfThirdState(const TFastaDataSet& rows, const std::vector<std::int64_t>& columns, char missing);

}  // namespace sequara::testing
