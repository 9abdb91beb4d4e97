#pragma once
// The first element of each row whose entry equals a value, for the end
// re-alignment's lookups of an anchor in every row.

#include "sequence/Records.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

namespace sequara::ends {

// Values low..high, none when low > high (as made): adding spans gives the
// least span holding them all.
struct ValueSpan {
    std::int32_t low = std::numeric_limits<std::int32_t>::max(), high = std::numeric_limits<std::int32_t>::min();
    bool holds(std::int32_t value) const { return low <= value && value <= high; }
    void add(const ValueSpan& other) {
        low = std::min(low, other.low);
        high = std::max(high, other.high);
    }
};

// The first element of each row whose entry equals a value.  A row is kept
// as its runs of entries rising by one, the runs of all rows in one array
// (a row made again gets new runs at the end); when a row's runs' values
// rise from run to run (the usual case), a value lies in at most one run
// and is found by binary search, otherwise the runs are searched in element
// order.
class FirstElementLookups {
public:
    explicit FirstElementLookups(std::size_t rows) : rows_(rows) {}

    // Row r made again from its entries.
    void build(std::size_t r, const TAlignmentRow& row);

    // Whether row r's positions rise from element to element.
    bool rises(std::size_t r) const { return !(rows_[r].end & kScattered); }

    // Told from the rows' runs without reading their entries, so false
    // also when a row holds an entry below 1 other than -1 (it cannot be
    // told then):
    // whether row r's elements first..first + count - 1 hold the entries of
    // row o's elements otherFirst..otherFirst + count - 1;
    bool sameEntries(std::size_t r, std::int64_t first, std::size_t o, std::int64_t otherFirst,
                     std::int64_t count) const;
    // whether row r's elements first..last hold the positions after
    // previous up to limit, one each, and -1 after them (all -1 when
    // previous is below 1).
    bool continues(std::size_t r, std::int64_t first, std::int64_t last, std::int32_t previous,
                   std::int64_t limit) const;

    // The last element of row r holding a position (an entry above 0), -1
    // when none does.
    std::int64_t lastHeld(std::size_t r) const {
        const RowRuns& runs = rows_[r];
        if (first(runs) == last(runs)) return -1;
        const Run& run = *(last(runs) - 1);
        return std::int64_t(run.firstIndex) + run.length - 1;
    }

    // -1 when no element of row r holds the value.
    std::int64_t find(std::size_t r, std::int32_t value) const { return findIn(rows_[r], value); }

    // A row's runs as they stand.  A row made again gets new runs and
    // leaves its old ones in place, so that runs taken before can still
    // tell where a value was.
    struct RowRuns {
        std::uint32_t begin = 0, end = 0;
    };
    RowRuns runsOf(std::size_t r) const { return rows_[r]; }
    std::int64_t findIn(const RowRuns& runs, std::int32_t value) const {
        const Run* first = this->first(runs);
        const Run* last = this->last(runs);
        auto at = [value](const Run& run) -> std::int64_t {
            const std::int64_t offset = std::int64_t(value) - run.firstValue;
            return offset >= 0 && offset < run.length ? std::int64_t(run.firstIndex) + offset : -1;
        };
        if (!(runs.end & kScattered)) {
            auto it = std::upper_bound(first, last, value, [](std::int32_t v, const Run& run) { return v < run.firstValue; });
            return it == first ? -1 : at(*(it - 1));
        }
        for (auto it = first; it != last; ++it)
            if (const std::int64_t k = at(*it); k >= 0) return k;
        return -1;
    }

    // The least and the largest value held by row r's elements
    // first..last.
    ValueSpan valuesWithin(std::size_t r, std::int64_t first, std::int64_t last) const;

    // find(r, low + i) for i = 0..span - 1 into out[i]: the values in
    // order, each looked for from the run the one before was found in.
    void findSpan(std::size_t r, std::int32_t low, std::size_t span, std::int64_t* out) const;

private:
    // A row's elements and entries fit 32 bits (its entries are 32-bit
    // positions); 12 bytes a run and 8 a row keep a pass over the rows'
    // lookups small.
    struct Run {
        std::int32_t firstValue;
        std::int32_t firstIndex;
        std::int32_t length;
    };
    // The row's runs are runs_[begin, end); kScattered set in end when
    // their values do not rise from run to run.
    static constexpr std::uint32_t kScattered = 0x80000000u;
    // Set in begin when an element holds an entry below 1 other than -1.
    static constexpr std::uint32_t kOddGaps = 0x80000000u;
    const Run* first(const RowRuns& row) const { return runs_.data() + (row.begin & ~kOddGaps); }
    const Run* last(const RowRuns& row) const { return runs_.data() + (row.end & ~kScattered); }
    // A row's runs within its elements from..to - 1, each cut to them.
    struct Within {
        const Run* run;
        const Run* last;
        std::int64_t from, to;
        Within(const FirstElementLookups& lookups, const RowRuns& row, std::int64_t first, std::int64_t count);
        bool done() const { return run == last || run->firstIndex >= to; }
        std::int64_t begin() const { return std::max<std::int64_t>(from, run->firstIndex); }
        std::int64_t end() const { return std::min<std::int64_t>(to, std::int64_t(run->firstIndex) + run->length); }
        std::int64_t value() const { return run->firstValue + (begin() - run->firstIndex); }
    };
    std::vector<Run> runs_;
    std::vector<RowRuns> rows_;
};

}  // namespace sequara::ends
