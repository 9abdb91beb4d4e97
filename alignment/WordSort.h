#pragma once
// Sorting the words of an index together with each word's common start
// with the word before it.

#include <cstdint>
#include <string_view>
#include <vector>

namespace sequara::ends {

// Sorts words in character order (characters compared as unsigned, a word
// before its continuations).  order: the words' numbers in sorted order;
// shared: per place in that order, the length of the word's common start
// with the word before (0 for the first).
//
// The words are split by eight characters at a time, each read once per
// split into one number, so that words sharing long starts (copies of a
// sequence, or near ones) cost one read per eight shared characters
// instead of one comparison of their whole shared start for each of the
// log(n) comparisons a comparison sort makes; the common starts fall out
// of the splits.
void sortWords(const std::vector<std::string_view>& words, std::vector<std::uint32_t>& order,
               std::vector<std::int32_t>& shared);

}  // namespace sequara::ends
