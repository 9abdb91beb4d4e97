#include "alignment/WordSort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <string_view>
#include <vector>

using sequara::ends::sortWords;

// Word lists with the cases that break an eight-characters-at-a-time sort:
// equal words, words that are starts of others (also by a zero character),
// characters above 127, long shared starts ending inside and at the edge of
// an eight-character step, the empty word, and lists below and above the
// size sorted by whole comparisons.  The order and the common starts must
// be those of a plain sort and a character-by-character comparison.
TEST(WordSort, OrderAndCommonStartsMatchAPlainSort) {
    std::mt19937 random(11);
    const std::string letters("ACGT\0\xff", 6);
    for (const std::size_t count : {0u, 1u, 2u, 12u, 13u, 200u, 3000u}) {
        for (const std::size_t stem : {0u, 7u, 8u, 9u, 40u}) {
            const std::string shared(stem, 'A');
            std::vector<std::string> texts;
            for (std::size_t i = 0; i < count; ++i) {
                std::string w = shared.substr(0, random() % (stem + 1));
                for (std::size_t n = random() % 20; n-- > 0;) w += letters[random() % (i % 3 == 0 ? 2 : letters.size())];
                texts.push_back(w);
                if (i % 5 == 0) texts.push_back(w);                     // an equal word
                if (i % 7 == 0) texts.push_back(w + std::string(1, '\0'));  // a longer one
            }
            texts.resize(count);
            const std::vector<std::string_view> words(texts.begin(), texts.end());
            std::vector<std::uint32_t> order;
            std::vector<std::int32_t> starts;
            sortWords(words, order, starts);
            std::vector<std::string_view> expected = words;
            std::sort(expected.begin(), expected.end());
            ASSERT_EQ(order.size(), count);
            for (std::size_t p = 0; p < count; ++p) {
                ASSERT_EQ(words[order[p]], expected[p]) << count << " words, stem " << stem << ", place " << p;
                std::size_t common = 0;
                if (p > 0)
                    while (common < std::min(expected[p].size(), expected[p - 1].size()) &&
                           expected[p][common] == expected[p - 1][common])
                        ++common;
                ASSERT_EQ(starts[p], static_cast<std::int32_t>(common)) << count << " words, stem " << stem << ", place " << p;
            }
        }
    }
}
