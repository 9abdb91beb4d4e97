#pragma once
// What the benchmark programs share: wall-clock times, CPU time and peak
// memory, and the rows of an aligned FASTA file brought to one length.

#include "sequence/Records.h"

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdio>
#include <sys/resource.h>

namespace sequara::bench {

using Clock = std::chrono::steady_clock;

inline double Ms(Clock::time_point a, Clock::time_point b) {
    return std::chrono::duration<double, std::milli>(b - a).count();
}

inline double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The largest resident size of the program so far, in MB.
inline double PeakMb() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss / 1024.0;
}

// On stderr, for scripts: "cpu-seconds: S  peak-rss-kb: K", user and system
// time together.
inline void PrintCpuAndPeakRss() {
    rusage use{};
    getrusage(RUSAGE_SELF, &use);
    const double cpu = static_cast<double>(use.ru_utime.tv_sec + use.ru_stime.tv_sec) +
                       static_cast<double>(use.ru_utime.tv_usec + use.ru_stime.tv_usec) / 1e6;
    std::fprintf(stderr, "cpu-seconds: %.3f  peak-rss-kb: %ld\n", cpu, use.ru_maxrss);
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
