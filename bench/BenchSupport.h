#pragma once
// What the benchmark programs share: wall-clock milliseconds, the peak
// memory, and the rows of an aligned FASTA file brought to one length.

#include "sequence/Records.h"

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <sys/resource.h>

namespace sequara::bench {

using Clock = std::chrono::steady_clock;

inline double Ms(Clock::time_point a, Clock::time_point b) {
    return std::chrono::duration<double, std::milli>(b - a).count();
}

// The largest resident size of the program so far, in MB.
inline double PeakMb() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss / 1024.0;
}

// Pads every row with "-" to the longest row, and to at least minLength;
// returns that length.
inline std::size_t PadRows(TFastaDataSet& rows, std::size_t minLength = 0) {
    std::size_t longest = minLength;
    for (const auto& s : rows) longest = std::max(longest, s.Sequence.size());
    for (auto& s : rows) s.Sequence.resize(longest, '-');
    return longest;
}

}  // namespace sequara::bench
