#pragma once
// Searches for the boundary of a predicate over a range of positions.

#include <algorithm>
#include <cstddef>

namespace sequara::ends {

// The first p in [lo, hi) for which holds(p) is false, holds being true on
// a leading part of the range and false after it.
template <class Holds>
std::size_t firstFailing(std::size_t lo, std::size_t hi, Holds holds) {
    while (lo < hi) {
        const std::size_t mid = lo + (hi - lo) / 2;
        if (holds(mid))
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

// holds(p) is true on [lo, x) and false on [x, n): x, found by probing
// lo, lo + 1, lo + 3, ... and then halving.  O(log(x - lo)) probes.
template <class Holds>
std::size_t gallopUp(std::size_t lo, std::size_t n, Holds holds) {
    std::size_t step = 1, probe = lo;
    while (probe < n && holds(probe)) {
        lo = probe + 1;
        probe = lo + step;
        step *= 2;
    }
    return firstFailing(lo, std::min(probe, n), holds);
}

// holds(p) is false on [0, x) and true on [x, hi): x, probing downwards
// from hi the same way.
template <class Holds>
std::size_t gallopDown(std::size_t hi, Holds holds) {
    for (std::size_t step = 1; hi > 0; step *= 2) {
        const std::size_t probe = hi > step ? hi - step : 0;
        if (!holds(probe)) return firstFailing(probe + 1, hi, [&](std::size_t p) { return !holds(p); });
        hi = probe;
    }
    return 0;
}

}  // namespace sequara::ends
