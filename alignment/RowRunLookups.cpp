#include "alignment/RowRunLookups.h"

#include <algorithm>

namespace sequara::ends {

void FirstElementLookups::build(std::size_t r, const TAlignmentRow& row) {
    RowRuns& runs = rows_[r];
    runs.begin = static_cast<std::uint32_t>(runs_.size());
    const std::size_t n = row.size();
    bool oddGaps = false;
    for (std::size_t i = 0; i < n;) {
        // Gaps eight elements at a time while they hold -1 (a row reaching
        // past the reference holds many), then one by one.
        while (i + 8 <= n) {
            bool gap = true;
            for (std::size_t j = 0; j < 8; ++j) gap &= row[i + j] == -1;
            if (!gap) break;
            i += 8;
        }
        if (i == n) break;
        if (row[i] < 1) {
            oddGaps |= row[i] != -1;
            ++i;
            continue;
        }
        const std::size_t first = i++;
        // Eight elements at a time while the run goes on, then one by one.
        while (i + 8 <= n) {
            bool rising = true;
            for (std::size_t j = 0; j < 8; ++j) rising &= std::int64_t(row[i + j]) - std::int64_t(row[i + j - 1]) == 1;
            if (!rising) break;
            i += 8;
        }
        while (i < n && std::int64_t(row[i]) == std::int64_t(row[i - 1]) + 1) ++i;
        runs_.push_back({row[first], static_cast<std::int32_t>(first), static_cast<std::int32_t>(i - first)});
    }
    runs.end = static_cast<std::uint32_t>(runs_.size());
    for (std::size_t k = runs.begin + 1; k < runs.end; ++k)
        if (std::int64_t(runs_[k - 1].firstValue) + runs_[k - 1].length > runs_[k].firstValue) {
            runs.end |= kScattered;
            break;
        }
    if (oddGaps) runs.begin |= kOddGaps;
}

FirstElementLookups::Within::Within(const FirstElementLookups& lookups, const RowRuns& row, std::int64_t first,
                                    std::int64_t count)
    : run(std::partition_point(lookups.first(row), lookups.last(row),
                               [first](const Run& x) { return std::int64_t(x.firstIndex) + x.length <= first; })),
      last(lookups.last(row)), from(first), to(first + count) {}

ValueSpan FirstElementLookups::valuesWithin(std::size_t r, std::int64_t first, std::int64_t last) const {
    ValueSpan values;
    for (Within x(*this, rows_[r], first, std::max<std::int64_t>(0, last - first + 1)); !x.done(); ++x.run)
        values.add({static_cast<std::int32_t>(x.value()), static_cast<std::int32_t>(x.value() + (x.end() - x.begin() - 1))});
    return values;
}

void FirstElementLookups::findSpan(std::size_t r, std::int32_t low, std::size_t span, std::int64_t* out) const {
    const RowRuns& runs = rows_[r];
    if (runs.end & kScattered) {
        for (std::size_t i = 0; i < span; ++i) out[i] = find(r, static_cast<std::int32_t>(low + std::int64_t(i)));
        return;
    }
    const Run* first = this->first(runs);
    const Run* last = this->last(runs);
    // The last run starting at or below low, or the first run.
    auto it = std::upper_bound(first, last, low, [](std::int32_t v, const Run& run) { return v < run.firstValue; });
    if (it != first) --it;
    for (std::size_t i = 0; i < span; ++i) {
        const std::int64_t value = std::int64_t(low) + std::int64_t(i);
        while (it != last && value >= std::int64_t(it->firstValue) + it->length) ++it;
        const std::int64_t offset = it == last ? -1 : value - it->firstValue;
        out[i] = offset >= 0 ? std::int64_t(it->firstIndex) + offset : -1;
    }
}

// Two rows' entries are the same where their runs, cut to the elements
// compared, are: the gaps between runs hold -1 in both.
bool FirstElementLookups::sameEntries(std::size_t r, std::int64_t first, std::size_t o, std::int64_t otherFirst,
                                      std::int64_t count) const {
    if ((rows_[r].begin | rows_[o].begin) & kOddGaps) return false;
    Within x(*this, rows_[r], first, count), y(*this, rows_[o], otherFirst, count);
    for (; !x.done() && !y.done(); ++x.run, ++y.run)
        if (x.begin() - first != y.begin() - otherFirst || x.end() - first != y.end() - otherFirst || x.value() != y.value())
            return false;
    return x.done() && y.done();
}

bool FirstElementLookups::continues(std::size_t r, std::int64_t first, std::int64_t last, std::int32_t previous,
                                    std::int64_t limit) const {
    if (rows_[r].begin & kOddGaps) return false;
    const std::int64_t count = std::max<std::int64_t>(0, last - first + 1);
    const std::int64_t rising = previous < 1 ? 0 : std::clamp<std::int64_t>(limit - previous, 0, count);
    Within x(*this, rows_[r], first, count);
    if (rising == 0) return x.done();
    if (x.done() || x.begin() != first || x.end() - first != rising || x.value() != std::int64_t(previous) + 1) return false;
    ++x.run;
    return x.done();
}

}  // namespace sequara::ends
