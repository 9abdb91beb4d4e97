#pragma once
// What the benchmark programs share: wall-clock times, CPU time and peak
// memory, the rows of an aligned FASTA file brought to one length, and a
// load made many times larger with copies that differ.

#include "sequence/Records.h"

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
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

// The sequences copied `copies` times over (all copies of the first
// sequence, then of the second, ...), each copy with `substitutions`
// characters at random places turned into another of A, C, G and T: real
// variation at many times the size, without identical copies.  The same
// seed gives the same copies.  Copy c of a sequence is named "NAME_c".
inline TFastaDataSet VariedCopies(const TFastaDataSet& sequences, int copies, int substitutions, std::uint64_t seed) {
    std::mt19937_64 random(seed);
    TFastaDataSet out;
    out.reserve(sequences.size() * static_cast<std::size_t>(std::max(copies, 0)));
    for (const TFastaSequence& s : sequences)
        for (int c = 1; c <= copies; ++c) {
            TFastaSequence copy{s.Name + "_" + std::to_string(c), s.Sequence};
            for (int k = 0; k < substitutions && !copy.Sequence.empty(); ++k) {
                char& at = copy.Sequence[random() % copy.Sequence.size()];
                const char base = "ACGT"[random() % 4];
                at = base != at ? base : "ACGT"[(std::string("ACGT").find(base) + 1) % 4];
            }
            out.push_back(std::move(copy));
        }
    return out;
}

}  // namespace sequara::bench
