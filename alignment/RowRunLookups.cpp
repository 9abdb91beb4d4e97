#include "alignment/RowRunLookups.h"

namespace sequara::ends {

void FirstElementLookups::build(std::size_t r, const TAlignmentRow& row) {
    RowRuns& runs = rows_[r];
    runs.begin = runs_.size();
    const std::size_t n = row.size();
    for (std::size_t i = 0; i < n;) {
        if (row[i] < 1) {
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
        runs_.push_back({row[first], static_cast<std::int64_t>(first), static_cast<std::int64_t>(i - first)});
    }
    runs.end = runs_.size();
    runs.rising = true;
    for (std::size_t k = runs.begin + 1; k < runs.end && runs.rising; ++k)
        runs.rising = runs_[k - 1].firstValue + runs_[k - 1].length <= runs_[k].firstValue;
}

}  // namespace sequara::ends
