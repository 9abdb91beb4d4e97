#include "alignment/RowRunLookups.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

using sequara::TAlignmentRow;
using Rows = std::vector<TAlignmentRow>;

// What the runs tell of two rows' stretches, of a row's tail and of the
// first element holding a value, against the entries read one by one, on
// rows that differ from a common one (positions up to a limit, then -1) by a
// few gaps, shifts, repeated and changed entries; some hold an entry below 1
// other than -1, of which nothing may be told.
TEST(FirstElementLookups, StretchesTailsAndFirstElementsToldFromRunsMatchTheEntries) {
    std::mt19937 random(11);
    constexpr std::int32_t kLimit = 40;
    TAlignmentRow common(kLimit + 8, -1);
    for (std::int32_t v = 1; v <= kLimit; ++v) common[static_cast<std::size_t>(v - 1)] = v;
    Rows rows(25, common);
    rows[24][kLimit + 3] = 7;  // positions again after the -1
    rows[23].insert(rows[23].begin() + 4, 5);  // 1, 2, 3, 4, 5, 5, 6, ...
    for (std::size_t i = 0; i < 23; ++i) {
        auto& row = rows[i];
        for (auto edits = random() % 3; edits > 0; --edits) {
            const auto at = row.begin() + static_cast<std::ptrdiff_t>(random() % row.size());
            const auto kind = random() % 5;
            if (kind < 2) *at = kind == 0 ? -1 : *at + 3;
            else if (kind == 2) row.insert(at, -1);
            else if (kind == 3) row.insert(at, *at);  // the entry twice
            else row.erase(at);
        }
        if (i % 6 == 5) row[random() % row.size()] = i % 12 == 5 ? 0 : -2;
    }
    sequara::ends::FirstElementLookups lookups(rows.size());
    for (std::size_t r = 0; r < rows.size(); ++r) lookups.build(r, rows[r]);
    auto plain = [](const TAlignmentRow& row) { return std::none_of(row.begin(), row.end(), [](int e) { return e < 1 && e != -1; }); };
    int same = 0, continued = 0, repeats = 0;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const auto& x = rows[r];
        const auto n = static_cast<std::int64_t>(x.size());
        for (std::int32_t value = 1; value <= kLimit + 4; ++value) {
            const auto at = std::find(x.begin(), x.end(), value);
            repeats += at != x.end() && std::find(at + 1, x.end(), value) != x.end();
            ASSERT_EQ(lookups.find(r, value), at == x.end() ? -1 : at - x.begin()) << r << " " << value;
        }
        for (std::size_t o = 0; o < rows.size(); ++o)
            for (std::int64_t first = 0; first < n; first += 3)
                for (const std::int64_t otherFirst : {first, first + 1, first - 1, first + 2}) {
                    const std::int64_t most = std::min(n - first, static_cast<std::int64_t>(rows[o].size()) - otherFirst);
                    if (otherFirst < 0 || most < 1) continue;
                    const std::int64_t count = 1 + static_cast<std::int64_t>(random()) % most;
                    const bool told = lookups.sameEntries(r, first, o, otherFirst, count);
                    same += told;
                    ASSERT_EQ(told, plain(x) && plain(rows[o]) &&
                                        std::equal(x.begin() + first, x.begin() + first + count, rows[o].begin() + otherFirst))
                        << r << " " << first << " " << o << " " << otherFirst << " " << count;
                }
        for (std::int64_t first = 1; first <= n; ++first)
            for (const std::int32_t previous : {x[static_cast<std::size_t>(first - 1)], -1, kLimit - 1, kLimit}) {
                bool expected = plain(x);
                for (std::int64_t q = first, v = previous > 0 ? previous + 1 : -1; q < n; ++q, v = v > 0 ? v + 1 : -1)
                    expected &= x[static_cast<std::size_t>(q)] == (v > kLimit ? -1 : v);
                const bool told = lookups.continues(r, first, n - 1, previous, kLimit);
                continued += told;
                ASSERT_EQ(told, expected) << r << " " << first << " " << previous;
            }
    }
    EXPECT_GT(same, 100);  // both answers come out, often
    EXPECT_GT(continued, 100);
    EXPECT_GT(repeats, 5);  // values held by two elements
}
