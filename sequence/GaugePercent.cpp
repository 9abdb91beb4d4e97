#include "sequence/GaugePercent.h"

namespace sequara {

int GaugePercent(std::size_t Done, std::size_t Total) {
    if (Total == 0) return 0;
    const std::size_t numerator = 100 * Done;
    std::size_t quotient = numerator / Total;
    const std::size_t twiceRemainder = 2 * (numerator % Total);
    if (twiceRemainder > Total || (twiceRemainder == Total && quotient % 2 == 1)) ++quotient;
    return static_cast<int>(quotient);
}

}  // namespace sequara
