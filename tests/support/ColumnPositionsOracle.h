#pragma once
// The position helpers of the writers done step by step, scanning the labels
// on every call: rows x columns squared in a writer, so only for checking the
// one-pass table (editor/writers/ColumnPositions.h) on small inputs.

#include "sequence/Records.h"

#include <cstdint>

namespace sequara::testing {

// Number of label `column` (from 1) by its digits; -1 without one.
std::int32_t StepByStepLabelNumber(const TCharacterName& labels, std::int64_t column);

// The previous labelled number scanning down from the column, the next one
// scanning up; the next when both exist and differ by at most 1, else -1.
// Flags set from the bounds only when the position is not -1.
void StepByStepColumnPositionNumber(bool& upperRange, bool& lowerRange, std::int64_t column,
                                 const TCharacterName& labels, std::int32_t& position, std::int32_t upperMin,
                                 std::int32_t upperMax, std::int32_t lowerMin, std::int32_t lowerMax);

}  // namespace sequara::testing
