#pragma once
// The step-by-step versions of the searches of the table writers, for
// checking the fast ones on small inputs: the varying columns and the binary
// states found column by column, merging identical rows by comparing every
// row with every later one, and the binary RDF third-state search that looks
// at every later row before each "1".

#include "editor/writers/PlexorOldRdfWriter.h"
#include "editor/writers/VaryingColumns.h"
#include "sequence/Records.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace sequara::testing {

// True when some row differs from the reference at the column (exact
// characters) and the column's position lies inside that row's sequenced
// stretch of the position's range; a column without a position never varies.
bool StepByStepColumnVaries(const AlignmentInput& alignment, const PositionTable& positions,
                            const TActiveMinMax& ranges, std::int64_t column);

// Every column in order through StepByStepColumnVaries, the gauge set before each.
std::vector<VaryingColumn> StepByStepVaryingColumns(const WriterInput& input, const TActiveMinMax& ranges,
                                                    SaveProgress& progress);

// Each column's states, going down all rows of that column.
std::vector<RdfBinaryStates> StepByStepBinaryStates(const AlignmentInput& alignment,
                                                    const std::vector<std::int64_t>& columns);

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
