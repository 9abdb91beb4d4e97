#include "alignment/PlacedRows.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

using sequara::ends::PlacedRows;

// Every range of places, with places switched off before and between the
// questions, over sizes below, at and across the blocks' edges and with
// equal values held by several rows: the answer a place-by-place scan gives.
TEST(PlacedRows, RangesMatchAPlaceByPlaceScanAsPlacesAreSwitchedOff) {
    std::mt19937 random(11);
    for (const std::size_t n : {1u, 7u, 8u, 9u, 16u, 17u, 63u, 100u}) {
        std::vector<std::int32_t> rows(n), values(n);
        std::vector<bool> on(n, true);
        PlacedRows places;
        places.reset(n);
        for (std::size_t p = 0; p < n; ++p) {
            rows[p] = static_cast<std::int32_t>(random() % 1000);
            values[p] = static_cast<std::int32_t>(random() % 4);
            places.place(p, rows[p], values[p]);
        }
        places.combineAll();
        for (int round = 0; round < 4; ++round) {
            for (std::size_t first = 0; first < n; ++first)
                for (std::size_t last = first; last < n; ++last) {
                    PlacedRows::Node expected;
                    for (std::size_t p = first; p <= last; ++p) {
                        if (!on[p]) continue;
                        if (values[p] > expected.value || (values[p] == expected.value && rows[p] < expected.row)) {
                            expected.value = values[p];
                            expected.row = rows[p];
                        }
                        expected.smallestRow = std::min(expected.smallestRow, rows[p]);
                    }
                    const PlacedRows::Node got = places.query(first, last);
                    ASSERT_EQ(got.value, expected.value) << n << " places, " << first << ".." << last;
                    ASSERT_EQ(got.row, expected.row) << n << " places, " << first << ".." << last;
                    ASSERT_EQ(got.smallestRow, expected.smallestRow) << n << " places, " << first << ".." << last;
                }
            for (std::size_t p = 0; p < n; ++p) ASSERT_EQ(places.isOn(p), on[p]);
            for (std::size_t off = 0; off < 1 + n / 5; ++off) {
                const std::size_t p = random() % n;
                on[p] = false;
                places.switchOff(p);
                ASSERT_EQ(places.row(p), rows[p]);
            }
        }
    }
}
