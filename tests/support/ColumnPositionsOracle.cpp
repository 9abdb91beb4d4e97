#include "tests/support/ColumnPositionsOracle.h"

#include <string>

namespace sequara::testing {

std::int32_t StepByStepLabelNumber(const TCharacterName& labels, std::int64_t column) {
    if (column < 1 || column > static_cast<std::int64_t>(labels.size())) return -1;
    std::string digits;
    for (char c : labels[static_cast<std::size_t>(column - 1)].view())
        if (c >= '0' && c <= '9') digits += c;
    if (digits.empty()) return -1;
    long long value = std::stoll(digits);
    return value > 2147483647LL ? -1 : static_cast<std::int32_t>(value);
}

void StepByStepColumnPositionNumber(bool& upperRange, bool& lowerRange, std::int64_t column,
                                 const TCharacterName& labels, std::int32_t& position, std::int32_t upperMin,
                                 std::int32_t upperMax, std::int32_t lowerMin, std::int32_t lowerMax) {
    const std::int64_t last = static_cast<std::int64_t>(labels.size());
    std::int32_t previous = -1;
    for (std::int64_t k = std::min(column, last); k >= 1 && previous == -1; --k)
        previous = StepByStepLabelNumber(labels, k);
    std::int32_t next = -1;
    for (std::int64_t k = std::max<std::int64_t>(column, 1); k <= last && next == -1; ++k)
        next = StepByStepLabelNumber(labels, k);
    position = previous != -1 && next != -1 && static_cast<std::int64_t>(next) - previous <= 1 ? next : -1;
    if (position == -1) return;
    upperRange = false;
    lowerRange = false;
    if (upperMin <= position && position <= upperMax) upperRange = true;
    if (lowerMin <= position && position <= lowerMax) lowerRange = true;
}

}  // namespace sequara::testing
