#include "alignment/WordScan.h"

#include <gtest/gtest.h>

#include <string>

using sequara::ends::sameText;

// Texts read eight characters at a time: a difference at any place, inside
// a group of eight or in the characters after the last full group, and
// texts of which one starts the other must tell them apart.
TEST(WordScan, SameTextTellsEveryDifference) {
    for (std::size_t size = 0; size <= 20; ++size) {
        const std::string text(size, 'A');
        EXPECT_TRUE(sameText(text, std::string(size, 'A')));
        EXPECT_FALSE(sameText(text, text + 'A'));
        for (std::size_t at = 0; at < size; ++at) {
            std::string other = text;
            other[at] = '\xC1';
            EXPECT_FALSE(sameText(text, other)) << size << " characters, differing at " << at;
        }
    }
}
