#include "alignment/RowRunLookups.h"

namespace sequara::ends {

void FirstElementLookups::build(std::size_t r, const TAlignmentRow& row) {
    RowRuns& runs = rows_[r];
    runs.begin = static_cast<std::uint32_t>(runs_.size());
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
        runs_.push_back({row[first], static_cast<std::int32_t>(first), static_cast<std::int32_t>(i - first)});
    }
    runs.end = static_cast<std::uint32_t>(runs_.size());
    for (std::size_t k = runs.begin + 1; k < runs.end; ++k)
        if (std::int64_t(runs_[k - 1].firstValue) + runs_[k - 1].length > runs_[k].firstValue) {
            runs.end |= kScattered;
            break;
        }
}

}  // namespace sequara::ends
