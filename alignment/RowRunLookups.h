#pragma once
// The first element of each row whose entry equals a value, for the end
// re-alignment's lookups of an anchor in every row.

#include "sequence/Records.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace sequara::ends {

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

    // -1 when no element of row r holds the value.
    std::int64_t find(std::size_t r, std::int32_t value) const {
        const RowRuns& runs = rows_[r];
        const auto first = runs_.begin() + static_cast<std::ptrdiff_t>(runs.begin);
        const auto last = runs_.begin() + static_cast<std::ptrdiff_t>(runs.end);
        if (runs.rising) {
            auto it = std::upper_bound(first, last, value, [](std::int32_t v, const Run& run) { return v < run.firstValue; });
            if (it == first) return -1;
            --it;
            return value < it->firstValue + it->length ? it->firstIndex + (value - it->firstValue) : -1;
        }
        for (auto it = first; it != last; ++it)
            if (value >= it->firstValue && value < it->firstValue + it->length) return it->firstIndex + (value - it->firstValue);
        return -1;
    }

private:
    struct Run {
        std::int64_t firstValue;
        std::int64_t firstIndex;
        std::int64_t length;
    };
    struct RowRuns {
        std::size_t begin = 0, end = 0;
        bool rising = true;
    };
    std::vector<Run> runs_;
    std::vector<RowRuns> rows_;
};

}  // namespace sequara::ends
