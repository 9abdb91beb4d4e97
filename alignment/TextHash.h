#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace sequara::ends {

// A 64-bit hash of a text, eight characters at a time.  Each group of
// characters read is also handed to look(i, x, count): the group from
// character i on, count of them (eight but for the last group) held in
// x's count lowest bytes, so that a pass needing more of a text than its
// hash reads it once.
template <class Look>
std::uint64_t hashText(std::string_view s, Look look) {
    std::uint64_t h = 0x9E3779B97F4A7C15ull ^ s.size();
    auto mix = [&h](std::uint64_t x) {
        h = (h ^ x) * 0xBF58476D1CE4E5B9ull;
        h ^= h >> 31;
    };
    std::size_t i = 0;
    for (; i + 8 <= s.size(); i += 8) {
        std::uint64_t x = 0;
        std::memcpy(&x, s.data() + i, 8);
        mix(x);
        look(i, x, std::size_t{8});
    }
    std::uint64_t last = 0;
    for (std::size_t j = 0; i + j < s.size(); ++j) last |= std::uint64_t(static_cast<unsigned char>(s[i + j])) << (8 * j);
    mix(last);
    if (i < s.size()) look(i, last, s.size() - i);
    return h;
}

inline std::uint64_t hashText(std::string_view s) {
    return hashText(s, [](std::size_t, std::uint64_t, std::size_t) {});
}

}  // namespace sequara::ends
