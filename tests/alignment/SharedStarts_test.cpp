#include "alignment/SharedStarts.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

using sequara::ends::SharedStarts;

// The stretch of words sharing a start around a word, over lists short and
// long enough to skip whole blocks, with common starts that dip below the
// length inside, at and next to the blocks' edges: the stretch a word-by-word
// walk finds.
TEST(SharedStarts, StretchesMatchAWordByWordWalk) {
    std::mt19937 random(5);
    for (const std::size_t words : {1u, 2u, 63u, 64u, 65u, 128u, 129u, 700u}) {
        for (const int dips : {0, 1, 3, 20}) {
            std::vector<std::int32_t> shared(words, 9);
            shared[0] = 0;
            for (int d = 0; d < dips && words > 1; ++d)
                shared[1 + random() % (words - 1)] = static_cast<std::int32_t>(random() % 9);
            SharedStarts starts;
            starts.build(shared);
            for (std::size_t j = 0; j < words; ++j)
                for (const std::size_t length : {1u, 4u, 9u}) {
                    std::size_t begin = j, end = j + 1;
                    while (begin > 0 && shared[begin] >= static_cast<std::int32_t>(length)) --begin;
                    while (end < words && shared[end] >= static_cast<std::int32_t>(length)) ++end;
                    ASSERT_EQ(starts.stretchBegin(j, length), begin) << words << " words, word " << j << ", " << length;
                    ASSERT_EQ(starts.stretchEnd(j, length), end) << words << " words, word " << j << ", " << length;
                }
        }
    }
}
