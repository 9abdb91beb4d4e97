#include "alignment/RowRunLookups.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

using sequara::TAlignmentRow;
using sequara::ends::FirstElementLookups;

// What the runs tell of two rows' stretches and of a row's tail, against
// the entries read one by one: rows that differ from a common one by a few
// entries, gaps and shifts, with positions running into a limit and then
// -1, some holding entries below 1 other than -1 (then nothing may be
// claimed from the runs).
TEST(FirstElementLookups, StretchesAndTailsToldFromRunsMatchTheEntries) {
    std::mt19937 random(11);
    constexpr std::int32_t kLimit = 40;
    TAlignmentRow common;
    for (std::int32_t v = 1; v <= kLimit; ++v) common.push_back(v);
    common.insert(common.end(), 8, -1);
    std::vector<TAlignmentRow> rows;
    for (int i = 0; i < 24; ++i) {
        TAlignmentRow row = common;
        for (int edit = static_cast<int>(random() % 3); edit > 0; --edit) {
            const std::size_t at = random() % row.size();
            switch (random() % 4) {
            case 0: row[at] = -1; break;
            case 1: row.insert(row.begin() + static_cast<std::ptrdiff_t>(at), -1); break;
            case 2: row.erase(row.begin() + static_cast<std::ptrdiff_t>(at)); break;
            default: row[at] += 3; break;
            }
        }
        if (i % 6 == 5) row[random() % row.size()] = i % 12 == 5 ? 0 : -2;
        rows.push_back(row);
    }
    // Positions again after the -1 that follow the limit.
    rows.push_back(common);
    rows.back()[kLimit + 3] = 7;
    FirstElementLookups lookups(rows.size());
    for (std::size_t r = 0; r < rows.size(); ++r) lookups.build(r, rows[r]);
    auto plainGaps = [](const TAlignmentRow& row) {
        return std::none_of(row.begin(), row.end(), [](std::int32_t e) { return e < 1 && e != -1; });
    };
    int same = 0, continued = 0;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const auto& x = rows[r];
        const auto n = static_cast<std::int64_t>(x.size());
        for (std::size_t o = 0; o < rows.size(); ++o) {
            const auto& y = rows[o];
            for (std::int64_t first = 0; first < n; first += 3)
                for (const std::int64_t shift : {0, 1, -1, 2}) {
                    const std::int64_t otherFirst = first + shift;
                    const std::int64_t most = std::min(n - first, static_cast<std::int64_t>(y.size()) - otherFirst);
                    if (otherFirst < 0 || most < 1) continue;
                    const std::int64_t count = 1 + static_cast<std::int64_t>(random()) % most;
                    const bool equal = std::equal(x.begin() + first, x.begin() + first + count, y.begin() + otherFirst);
                    const bool told = lookups.sameEntries(r, first, o, otherFirst, count);
                    same += told;
                    ASSERT_EQ(told, equal && plainGaps(x) && plainGaps(y)) << r << " " << first << " " << o << " " << otherFirst << " " << count;
                }
        }
        for (std::int64_t first = 1; first <= n; ++first)
            for (const std::int32_t previous : {x[static_cast<std::size_t>(first - 1)], -1, kLimit - 1, kLimit}) {
                bool expected = plainGaps(x);
                for (std::int64_t q = first; q < n; ++q) {
                    const std::int64_t v = previous > 0 ? previous + (q - first + 1) : -1;
                    expected &= x[static_cast<std::size_t>(q)] == (v > kLimit ? -1 : v);
                }
                const bool told = lookups.continues(r, first, n - 1, previous, kLimit);
                continued += told;
                ASSERT_EQ(told, expected) << r << " " << first << " " << previous;
            }
    }
    // Both answers come out both ways, often.
    EXPECT_GT(same, 100);
    EXPECT_GT(continued, 100);
}
