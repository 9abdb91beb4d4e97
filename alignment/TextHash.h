#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace sequara::ends {

// A 64-bit hash of a text, eight characters at a time.
inline std::uint64_t hashText(std::string_view s) {
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
    }
    std::uint64_t last = 0;
    for (std::size_t j = 0; i + j < s.size(); ++j) last |= std::uint64_t(static_cast<unsigned char>(s[i + j])) << (8 * j);
    mix(last);
    return h;
}

}  // namespace sequara::ends
