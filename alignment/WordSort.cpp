#include "alignment/WordSort.h"

#include "alignment/WordScan.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstring>

namespace sequara::ends {

namespace {

// A word's characters depth..depth + 7 as one number, the first one
// highest and missing ones 0, with how many of them the word has: numbers
// compare as the characters do, and of two equal numbers the one holding
// fewer characters belongs to the shorter word, which comes first.
struct Item {
    std::uint64_t key;
    std::uint32_t word;
    std::uint32_t held;
};

std::uint64_t swapBytes(std::uint64_t x) {
#if defined(__GNUC__)
    return __builtin_bswap64(x);
#else
    std::uint64_t y = 0;
    for (int i = 0; i < 8; ++i, x >>= 8) y = (y << 8) | (x & 0xFF);
    return y;
#endif
}

void readKey(Item& item, std::string_view w, std::size_t depth) {
    if (depth >= w.size()) {
        item.key = 0;
        item.held = 0;
        return;
    }
    const std::size_t n = std::min<std::size_t>(8, w.size() - depth);
    std::uint64_t key = 0;
    if (n == 8 && std::endian::native == std::endian::little) {
        std::memcpy(&key, w.data() + depth, 8);
        key = swapBytes(key);
    } else {
        for (std::size_t i = 0; i < n; ++i)
            key |= std::uint64_t(static_cast<unsigned char>(w[depth + i])) << (56 - 8 * i);
    }
    item.key = key;
    item.held = static_cast<std::uint32_t>(n);
}

bool before(const Item& a, const Item& b) { return a.key < b.key || (a.key == b.key && a.held < b.held); }

// Characters two words hold in common in their numbers.
std::size_t sharedIn(const Item& a, const Item& b) {
    const std::uint64_t differ = a.key ^ b.key;
    const std::size_t n = differ == 0 ? 8 : static_cast<std::size_t>(std::countl_zero(differ)) / 8;
    return std::min<std::size_t>(n, std::min(a.held, b.held));
}

// Words sharing their first depth characters, between places lo and hi.
struct Task {
    std::size_t lo, hi, depth;
    bool keysRead;  // the items' numbers are those at depth
};

constexpr std::size_t kFewWords = 12;

}  // namespace

void sortWords(const std::vector<std::string_view>& words, std::vector<std::uint32_t>& order,
               std::vector<std::int32_t>& shared) {
    const std::size_t n = words.size();
    std::vector<Item> items(n);
    for (std::size_t i = 0; i < n; ++i) items[i].word = static_cast<std::uint32_t>(i);
    shared.assign(n, 0);
    auto word = [&](const Item& item) { return words[item.word]; };
    std::vector<Task> tasks;
    if (n > 1) tasks.push_back({0, n, 0, false});
    while (!tasks.empty()) {
        const Task t = tasks.back();
        tasks.pop_back();
        const auto first = items.begin() + static_cast<std::ptrdiff_t>(t.lo);
        const auto last = items.begin() + static_cast<std::ptrdiff_t>(t.hi);
        if (t.hi - t.lo <= kFewWords) {
            // Few words: compared whole from depth on.
            // Every word holds at least depth characters.
            auto rest = [&](const Item& item) { return word(item).substr(t.depth); };
            std::sort(first, last, [&](const Item& a, const Item& b) { return rest(a) < rest(b); });
            for (std::size_t p = t.lo + 1; p < t.hi; ++p)
                shared[p] = static_cast<std::int32_t>(t.depth + commonPrefix(rest(items[p - 1]), rest(items[p])));
            continue;
        }
        if (!t.keysRead)
            for (auto it = first; it != last; ++it) readKey(*it, word(*it), t.depth);
        // The middle of three as the pivot, then the items before, equal
        // to and after it.
        Item a = *first, b = first[(t.hi - t.lo) / 2], c = *(last - 1);
        if (before(b, a)) std::swap(a, b);
        if (before(c, b)) b = before(c, a) ? a : c;
        const Item pivot = b;
        std::size_t lt = t.lo, i = t.lo, gt = t.hi;
        while (i < gt) {
            if (before(items[i], pivot))
                std::swap(items[lt++], items[i++]);
            else if (before(pivot, items[i]))
                std::swap(items[i], items[--gt]);
            else
                ++i;
        }
        // The last word before the equal ones holds the largest number
        // among those before, the first one after the smallest after.
        if (lt > t.lo) {
            const Item largest = *std::max_element(first, items.begin() + static_cast<std::ptrdiff_t>(lt), before);
            shared[lt] = static_cast<std::int32_t>(t.depth + sharedIn(largest, pivot));
            tasks.push_back({t.lo, lt, t.depth, true});
        }
        if (gt < t.hi) {
            const Item smallest = *std::min_element(items.begin() + static_cast<std::ptrdiff_t>(gt), last, before);
            shared[gt] = static_cast<std::int32_t>(t.depth + sharedIn(pivot, smallest));
            tasks.push_back({gt, t.hi, t.depth, true});
        }
        if (pivot.held == 8) {
            tasks.push_back({lt, gt, t.depth + 8, false});
        } else {
            // The equal words end here: they are one word.
            for (std::size_t p = lt + 1; p < gt; ++p) shared[p] = static_cast<std::int32_t>(t.depth + pivot.held);
        }
    }
    order.resize(n);
    for (std::size_t i = 0; i < n; ++i) order[i] = items[i].word;
}

}  // namespace sequara::ends
