#pragma once
// The common starts of neighbouring words in a sorted list of distinct
// words, and the stretch of words around a place that share a start of a
// given length, found from them without reading the words.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace sequara::ends {

class SharedStarts {
public:
    // shared[j]: the length of word j's common start with word j - 1 (0
    // for the first word).
    void build(std::vector<std::int32_t> shared) {
        shared_ = std::move(shared);
        least_.assign((shared_.size() + kBlock - 1) / kBlock, 0);
        for (std::size_t b = 0; b < least_.size(); ++b)
            least_[b] = *std::min_element(shared_.begin() + static_cast<std::ptrdiff_t>(b * kBlock),
                                          shared_.begin() + static_cast<std::ptrdiff_t>(std::min(shared_.size(), (b + 1) * kBlock)));
    }

    std::size_t size() const { return shared_.size(); }
    std::int32_t operator[](std::size_t j) const { return shared_[j]; }
    std::size_t bytes() const { return (shared_.size() + least_.size()) * sizeof(std::int32_t); }

    // Word j sharing the start: the first word of the stretch of words
    // before and up to it that share it.
    std::size_t stretchBegin(std::size_t j, std::size_t length) const {
        while (j > 0) {
            if (j % kBlock == kBlock - 1 && reaches(least_[j / kBlock], length)) {
                j -= kBlock;
                continue;
            }
            if (!reaches(shared_[j], length)) break;
            --j;
        }
        return j;
    }

    // Word j sharing the start: one past the last word of the stretch of
    // words from it on that share it.
    std::size_t stretchEnd(std::size_t j, std::size_t length) const {
        const std::size_t n = shared_.size();
        for (++j; j < n;) {
            if (j % kBlock == 0 && j + kBlock <= n && reaches(least_[j / kBlock], length)) {
                j += kBlock;
                continue;
            }
            if (!reaches(shared_[j], length)) break;
            ++j;
        }
        return j;
    }

private:
    static constexpr std::size_t kBlock = 64;
    static bool reaches(std::int32_t shared, std::size_t length) { return static_cast<std::size_t>(shared) >= length; }
    std::vector<std::int32_t> shared_;  // per word
    std::vector<std::int32_t> least_;   // per block of kBlock words: the least of theirs
};

}  // namespace sequara::ends
