#pragma once
// Memory and text helpers of the end re-alignment's passes over all rows:
// fetching ahead, and comparing texts eight characters at a time from
// their starts or their ends.

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace sequara::ends {

// Asks the processor to fetch the memory at p into the cache ahead of its
// use; a pass over the rows of a large load would otherwise wait on memory
// row after row.
inline void fetchAhead(const void* p) {
#if defined(__GNUC__)
    __builtin_prefetch(p);
#else
    (void)p;
#endif
}

// Rows the passes over all rows fetch ahead.
constexpr std::size_t kRowsAhead = 4;

// Rows a pass over all rows looks up ahead of reading their characters,
// which are fetched meanwhile.
constexpr std::size_t kRowsLookedAhead = 16;

// A pass over rows 0..count - 1: lookUp(o) kRowsLookedAhead rows before
// visit(o), so that what lookUp fetches has arrived when visit reads it.
// Row o is visited before row o + kRowsLookedAhead is looked up: a ring of
// kRowsLookedAhead slots can carry what lookUp found to visit.
template <class LookUp, class Visit>
void passLookingAhead(std::size_t count, LookUp lookUp, Visit visit) {
    for (std::size_t o = 0; o < std::min(count, kRowsLookedAhead); ++o) lookUp(o);
    for (std::size_t o = 0; o < count; ++o) {
        visit(o);
        if (o + kRowsLookedAhead < count) lookUp(o + kRowsLookedAhead);
    }
}

// Length of the common start of two texts, eight characters at a time.
inline std::size_t commonPrefix(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    std::size_t i = 0;
    if constexpr (std::endian::native == std::endian::little) {
        for (; i + 8 <= n; i += 8) {
            std::uint64_t x = 0, y = 0;
            std::memcpy(&x, a.data() + i, 8);
            std::memcpy(&y, b.data() + i, 8);
            if (x != y) return i + static_cast<std::size_t>(std::countr_zero(x ^ y)) / 8;
        }
    }
    while (i < n && a[i] == b[i]) ++i;
    return i;
}

// Whether two texts are equal, eight characters at a time: the library's
// comparison of short texts out of the cache was found to cost several
// times more.
inline bool sameText(std::string_view a, std::string_view b) {
    return a.size() == b.size() && commonPrefix(a, b) == a.size();
}

// Length of the common end of two texts, eight characters at a time.
inline std::size_t commonSuffix(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    const char* endA = a.data() + a.size();
    const char* endB = b.data() + b.size();
    std::size_t i = 0;
    if constexpr (std::endian::native == std::endian::little) {
        for (; i + 8 <= n; i += 8) {
            std::uint64_t x = 0, y = 0;
            std::memcpy(&x, endA - i - 8, 8);
            std::memcpy(&y, endB - i - 8, 8);
            if (x != y) return i + static_cast<std::size_t>(std::countl_zero(x ^ y)) / 8;
        }
    }
    while (i < n && *(endA - i - 1) == *(endB - i - 1)) ++i;
    return i;
}

}  // namespace sequara::ends
