#include "alignment/EndRealigner.h"

#include "alignment/TextHash.h"
#include "alignment/WordSort.h"

#include <algorithm>
#include <ranges>
#include <cmath>
#include <limits>
#include <utility>

namespace sequara::ends {

std::unique_ptr<AnchorIndex> EndRealigner::makeIndex(Side side, std::int32_t anchor) {
    const std::int32_t near = nearIndex(side, anchor);
    if (near != anchor) {
        // From the anchor next to the near index towards this one; the
        // rows' elements of the near anchor too, as each index is made
        // from the one before.
        const std::int32_t step = side == kEnd ? -1 : 1;
        const std::int32_t low = std::min(anchor, near), high = std::max(anchor, near) + 1;
        std::vector<std::vector<std::int32_t>> elements;
        std::vector<std::vector<unsigned char>> firsts;
        findElements(side, low, high, near, elements, firsts);
        for (std::int32_t a = near + step;; a += step) {
            AnchorSlot& next = cache_.slot(side, a - step);
            catchUp(side, a - step, *next.index);
            const auto i = static_cast<std::size_t>(a - low), n = static_cast<std::size_t>(a - step - low);
            std::unique_ptr<AnchorIndex> made = induceIndex(side, a, *next.index, elements[i], firsts[i], elements[n]);
            if (!made) break;
            AnchorSlot& slot = cache_.slot(side, a);
            if (slot.index) cache_.removed(*slot.index);
            slot.index = std::move(made);
            cache_.added(*slot.index);
            if (a == anchor) return std::move(slot.index);
        }
    }
    return buildIndex(side, anchor);
}

void EndRealigner::findElements(Side side, std::int32_t low, std::int32_t high, std::int32_t near,
                                std::vector<std::vector<std::int32_t>>& elements,
                                std::vector<std::vector<unsigned char>>& firsts) const {
    const auto span = static_cast<std::size_t>(high - low);
    const auto skip = static_cast<std::size_t>(near - low);
    elements.assign(span, std::vector<std::int32_t>(count_, -1));
    firsts.assign(span, {});
    for (std::size_t i = 0; i < span; ++i)
        if (i != skip) firsts[i].assign(count_, 0);
    const std::size_t ahead = skip == 0 ? 1 : 0;  // an anchor whose first characters are read
    // Each row's characters are fetched when it is looked up, as in
    // forEachRow.
    auto lookAhead = [&](std::size_t o) {
        std::array<std::int64_t, kInduceReach + 1> found;
        lookups_.findSpan(o, low, span, found.data());
        for (std::size_t i = 0; i < span; ++i) elements[i][o] = static_cast<std::int32_t>(found[i]);
        const std::int64_t k = elements[ahead][o];
        if (hasWord(side, o, k)) fetchAhead(texts_[o].text + firstCompared(side, k));
    };
    passLookingAhead(count_, lookAhead, [&](std::size_t o) {
        for (std::size_t i = 0; i < span; ++i)
            if (const std::int64_t k = elements[i][o]; i != skip && hasWord(side, o, k))
                firsts[i][o] = static_cast<unsigned char>(texts_[o].text[firstCompared(side, k)]);
    });
}

std::int32_t EndRealigner::nearIndex(Side side, std::int32_t anchor) const {
    const std::int32_t step = side == kEnd ? 1 : -1;
    for (std::int32_t d = 1; d <= kInduceReach; ++d) {
        const std::int64_t near = std::int64_t(anchor) + std::int64_t(step) * d;
        if (near > std::numeric_limits<std::int32_t>::max() || near < 1) break;
        if (cache_.find(side, static_cast<std::int32_t>(near))) return static_cast<std::int32_t>(near);
    }
    return anchor;
}

std::unique_ptr<AnchorIndex> EndRealigner::induceIndex(Side side, std::int32_t anchor, const AnchorIndex& next,
                                                      const std::vector<std::int32_t>& elements,
                                                      const std::vector<unsigned char>& firsts,
                                                      const std::vector<std::int32_t>& nextElements) {
    auto index = std::make_unique<AnchorIndex>();
    AnchorIndex& x = *index;
    x.anchor = anchor;
    x.rows.resize(count_);
    // Rows whose word continues the word they have in the next index (the
    // anchor one element before (end) or after (start) the element they
    // had there; a row changed
    // since keeps its text, so that word is still its word from there) are
    // ordered from it; other rows with a word are compared one by one.
    // Per row: 1 + its word's first character when it follows, else 0,
    // read when the rows are taken in the next index's order.  The rows
    // that follow are counted by that character: each character's rows
    // start after those of the smaller ones.
    std::vector<std::uint16_t> follows(count_, 0);
    std::array<std::size_t, 258> start{};
    for (std::size_t o = 0; o < count_; ++o) {
        const std::int64_t k = elements[o];
        if (!hasWord(side, o, k)) continue;
        const unsigned char first = firsts[o];
        const IndexedRow there = next.rows[o];
        const std::int64_t was = changedSince(next, o) ? elementWhenMade(next, o) : nextElements[o];
        if (there.place >= 0 && was == (side == kEnd ? k + 1 : k - 1) && !wild_[first]) {
            follows[o] = static_cast<std::uint16_t>(first + 1);
            ++start[first + 2u];
        } else {
            x.wild.push_back(candidate(side, o, k));
        }
    }
    if (x.wild.size() > 32 + static_cast<std::size_t>(std::sqrt(static_cast<double>(count_)))) return nullptr;
    for (std::size_t c = 1; c < start.size(); ++c) start[c] += start[c - 1];
    const std::size_t placed = start[257];
    // The next index's rows in its order, each placed after the earlier
    // ones with its first character.  Per place: the next index's run and
    // the first character plus one.  A row that follows has its anchor one
    // element further from the end (end) or from the start (start) than in
    // the next index, so its value is one more than there, unless its place
    // there is switched off.
    std::vector<std::int32_t> nextRun(placed);
    std::vector<std::uint16_t> placedFirst(placed);
    x.places.reset(placed);
    for (std::size_t p = 0, run = 0; p < next.places.size(); ++p) {
        while (static_cast<std::size_t>(next.runBegin[run + 1]) <= p) ++run;
        const std::int32_t row = next.places.row(p);
        const auto o = static_cast<std::size_t>(row);
        const std::uint16_t f = follows[o];
        if (!f) continue;
        const std::size_t at = start[f]++;
        x.places.place(at, row, next.places.isOn(p) ? next.places.value(p) + 1 : placeValue(side, o, elements[o]));
        x.rows[o].place = static_cast<std::int32_t>(at);
        nextRun[at] = static_cast<std::int32_t>(run);
        placedFirst[at] = f;
    }
    std::vector<std::int32_t> runNext;  // start: per run, the next index's run its word continues
    for (std::size_t p = 0; p < placed; ++p) {
        // Equal words: the same first character and equal next words.
        if (p == 0 || nextRun[p] != nextRun[p - 1] || placedFirst[p] != placedFirst[p - 1]) {
            if (side == kStart) runNext.push_back(nextRun[p]);
            x.runBegin.push_back(static_cast<std::int32_t>(p));
        }
    }
    if (side == kStart) {
        // A start word, stored backwards, is its first character followed
        // by the next run's word.
        std::size_t length = 0;
        for (const std::int32_t n : runNext) length += 1 + next.runWords[static_cast<std::size_t>(n)].size();
        x.reversedWords.reserve(length);
        for (std::size_t run = 0; run < runNext.size(); ++run) {
            x.reversedWords.push_back(static_cast<char>(placedFirst[static_cast<std::size_t>(x.runBegin[run])] - 1));
            x.reversedWords.append(next.runWords[static_cast<std::size_t>(runNext[run])]);
        }
        for (std::size_t run = 0, offset = 0; run < runNext.size(); ++run) {
            const std::size_t size = 1 + next.runWords[static_cast<std::size_t>(runNext[run])].size();
            x.runWords.push_back(std::string_view(x.reversedWords).substr(offset, size));
            offset += size;
        }
    }
    x.runBegin.push_back(static_cast<std::int32_t>(placed));
    // Two neighbouring runs with the same first character continue runs a
    // and b > a of the next index: their common start is that character and
    // the common start of those runs' words, the least over runs a + 1..b.
    std::vector<std::int32_t> shared(x.runBegin.size() - 1, 0);
    for (std::size_t run = 1; run < shared.size(); ++run) {
        const auto p = static_cast<std::size_t>(x.runBegin[run]), before = static_cast<std::size_t>(x.runBegin[run - 1]);
        if (placedFirst[p] != placedFirst[before]) continue;
        std::int32_t least = std::numeric_limits<std::int32_t>::max();
        for (auto n = static_cast<std::size_t>(nextRun[before]) + 1; n <= static_cast<std::size_t>(nextRun[p]); ++n)
            least = std::min(least, next.runShared[n]);
        shared[run] = 1 + least;
    }
    x.runShared.build(std::move(shared));
    x.places.combineAll();
    x.madeAt = x.changesSeen = changedRows_.size();
    x.bytes = indexBytes(x);
    return index;
}

std::size_t EndRealigner::indexBytes(const AnchorIndex& x) const {
    return x.runWords.size() * sizeof(std::string_view) + x.runBegin.size() * sizeof(std::int32_t) + x.runShared.bytes() + x.reversedWords.size() +
           x.places.bytes() + count_ * sizeof(IndexedRow) + x.wild.size() * sizeof(Candidate);
}

std::unique_ptr<AnchorIndex> EndRealigner::buildIndex(Side side, std::int32_t anchor) {
    auto index = std::make_unique<AnchorIndex>();
    AnchorIndex& x = *index;
    x.anchor = anchor;
    x.rows.resize(count_);
    // Rows with equal words form a group, sorted by word once; equal
    // words of different groups are then joined into one run.  A short
    // word is grouped by its own characters, a long one by its row's
    // text class and its element (the same text from the same element
    // on is the same word).
    struct Member {
        bool byClass;
        std::uint64_t key;  // the text class, or a hash of the short word
        std::int32_t element, row;
    };
    std::vector<Member> clean;
    forEachRow(side, anchor, [&](std::size_t o, std::int64_t k) {
        if (!hasWord(side, o, k)) return;
        const std::string_view text = wordText(side, o, k);
        if (text.size() <= kShortWord) {
            if (std::any_of(text.begin(), text.end(), [&](char ch) { return wild_[static_cast<unsigned char>(ch)]; }))
                x.wild.push_back(candidate(side, o, k));
            else
                clean.push_back({false, hashText(text), static_cast<std::int32_t>(k), static_cast<std::int32_t>(o)});
        } else if (isClean(side, o, firstCompared(side, k))) {  // also finds the text class
            clean.push_back({true, static_cast<std::uint64_t>(textClass_[o]), static_cast<std::int32_t>(k), static_cast<std::int32_t>(o)});
        } else {
            x.wild.push_back(candidate(side, o, k));
        }
    });
    // Each member joins the group of the first earlier member with the
    // same word (found through a table of the groups' keys), so that a
    // group's rows stay in row order; then the members are laid out
    // group by group.
    auto textOf = [&](const Member& m) { return wordText(side, static_cast<std::size_t>(m.row), m.element); };
    auto keyHash = [](const Member& m) {
        std::uint64_t h = (m.key + (m.byClass ? 0x9E3779B97F4A7C15ull : 0)) * 0xBF58476D1CE4E5B9ull;
        if (m.byClass) h = (h ^ static_cast<std::uint32_t>(m.element)) * 0x94D049BB133111EBull;
        return h ^ (h >> 29);
    };
    auto sameWord = [&](const Member& a, const Member& b) {
        if (a.byClass != b.byClass || a.key != b.key) return false;
        return a.byClass ? a.element == b.element : sameText(textOf(a), textOf(b));
    };
    std::size_t tableSize = 16;
    while (tableSize < 2 * clean.size()) tableSize *= 2;
    std::vector<std::int32_t> table(tableSize, -1);  // per slot a group's first member, -1 free
    std::vector<std::int32_t> groupOf(clean.size());
    std::size_t groupCount = 0;
    for (std::size_t i = 0; i < clean.size(); ++i) {
        // A short word is compared with its group's first one: its
        // characters, read in the pass above, are fetched again ahead.
        if (const std::size_t j = i + kRowsLookedAhead; j < clean.size() && !clean[j].byClass) {
            const std::string_view ahead = textOf(clean[j]);
            fetchAhead(ahead.data());
            fetchAhead(ahead.data() + ahead.size() - 1);
        }
        std::size_t slot = keyHash(clean[i]) & (tableSize - 1);
        while (table[slot] >= 0 && !sameWord(clean[static_cast<std::size_t>(table[slot])], clean[i]))
            slot = (slot + 1) & (tableSize - 1);
        if (table[slot] < 0) {
            table[slot] = static_cast<std::int32_t>(i);
            groupOf[i] = static_cast<std::int32_t>(groupCount++);
        } else {
            groupOf[i] = groupOf[static_cast<std::size_t>(table[slot])];
        }
    }
    // Each group's first place once laid out; one more at the end.
    std::vector<std::size_t> groupFirst(groupCount + 1, 0);
    for (const std::int32_t g : groupOf) ++groupFirst[static_cast<std::size_t>(g) + 1];
    for (std::size_t g = 1; g < groupFirst.size(); ++g) groupFirst[g] += groupFirst[g - 1];
    {
        std::vector<Member> laidOut(clean.size());
        std::vector<std::size_t> next(groupFirst.begin(), groupFirst.end() - 1);
        for (std::size_t i = 0; i < clean.size(); ++i) laidOut[next[static_cast<std::size_t>(groupOf[i])]++] = clean[i];
        clean.swap(laidOut);
    }
    const std::size_t groups = groupFirst.size() - 1;
    std::vector<std::string_view> groupWord(groups);
    if (side == kStart) {
        std::size_t length = 0;
        for (std::size_t g = 0; g < groups; ++g) length += static_cast<std::size_t>(clean[groupFirst[g]].element) + 1;
        x.reversedWords.reserve(length);
    }
    for (std::size_t g = 0; g < groups; ++g) {
        const Member& m = clean[groupFirst[g]];
        const std::string& seq = data_[static_cast<std::size_t>(m.row)].Sequence;
        if (side == kEnd) {
            groupWord[g] = endWord(static_cast<std::size_t>(m.row), m.element);
        } else {
            const std::size_t offset = x.reversedWords.size();
            x.reversedWords.append(seq.rbegin() + static_cast<std::ptrdiff_t>(seq.size()) - m.element - 1, seq.rend());
            groupWord[g] = std::string_view(x.reversedWords).substr(offset);
        }
    }
    if (side == kStart) {  // the storage is complete: point into it again
        for (std::size_t g = 0, offset = 0; g < groups; ++g) {
            const std::size_t length = static_cast<std::size_t>(clean[groupFirst[g]].element) + 1;
            groupWord[g] = std::string_view(x.reversedWords).substr(offset, length);
            offset += length;
        }
    }
    // Groups with equal words (of different text classes) are one run.
    std::vector<std::uint32_t> order;
    std::vector<std::int32_t> groupShared;
    sortWords(groupWord, order, groupShared);
    std::vector<std::int32_t> shared;
    x.places.reset(clean.size());
    std::size_t placed = 0;
    for (std::size_t i = 0; i < order.size(); ++i) {
        const std::size_t g = order[i];
        const std::size_t size = groupWord[g].size();
        if (i == 0 || static_cast<std::size_t>(groupShared[i]) < size || groupWord[order[i - 1]].size() != size) {
            shared.push_back(groupShared[i]);
            if (side == kStart) x.runWords.push_back(groupWord[g]);
            x.runBegin.push_back(static_cast<std::int32_t>(placed));
        }
        for (std::size_t m = groupFirst[g]; m < groupFirst[g + 1]; ++m) {
            const auto o = static_cast<std::size_t>(clean[m].row);
            const std::int64_t k = clean[m].element;
            x.rows[o].place = static_cast<std::int32_t>(placed);
            x.places.place(placed++, clean[m].row, placeValue(side, o, k));
        }
    }
    x.runBegin.push_back(static_cast<std::int32_t>(placed));
    x.runShared.build(std::move(shared));
    x.places.combineAll();
    x.madeAt = x.changesSeen = changedRows_.size();
    x.bytes = indexBytes(x);
    cache_.added(x);
    return index;
}

void EndRealigner::catchUp(Side side, std::int32_t anchor, AnchorIndex& index) {
    for (; index.changesSeen < changedRows_.size(); ++index.changesSeen) {
        const ChangedRow& changed = changedRows_[index.changesSeen];
        if (!changed.mayHaveMoved(anchor)) continue;
        const auto c = static_cast<std::size_t>(changed.row);
        // The index was made before this change: the row's element then
        // is the one its look-ups before the change tell.
        const std::int64_t k = lookups_.find(c, anchor);
        IndexedRow& held = index.rows[c];
        if (k == lookups_.findIn(changed.before, anchor)) continue;
        if (!held.stale) {
            held.stale = 1;
            ++index.staleCount;
            if (held.place >= 0) index.places.switchOff(static_cast<std::size_t>(held.place));
        }
        if (hasWord(side, c, k)) index.moved.push_back(candidate(side, c, k));
    }
}

Choice EndRealigner::indexedChoice(Side side, std::size_t r, std::int64_t from, std::int64_t pairs, AnchorIndex& index) const {
    Choice best;
    const std::size_t n = index.places.size();
    if (n == 0) return best;
    const std::string& s = data_[r].Sequence;
    std::string backwards;
    std::string_view q;
    if (side == kEnd) {
        q = std::string_view(s).substr(static_cast<std::size_t>(from), static_cast<std::size_t>(texts_[r].available - from));
    } else {
        backwards.assign(s.rbegin() + static_cast<std::ptrdiff_t>(s.size()) - from - 1, s.rend());
        q = backwards;
    }
    const IndexedRow held = index.rows[r];
    const std::int32_t own = held.stale ? -1 : held.place;
    const std::size_t runs = index.runBegin.size() - 1;
    // Row r's own run, when its word is the one compared now.
    const auto ownPlace = static_cast<std::size_t>(own);
    const std::size_t ownRun =
        own >= 0 && firstCompared(side, placedElement(side, index, ownPlace)) == from ? index.runOf(ownPlace) : runs;
    // Else the first run whose word is not before row r's.
    const std::size_t atRun =
        ownRun < runs ? ownRun
                      : *std::ranges::partition_point(std::views::iota(std::size_t{0}, runs), [&](std::size_t run) {
                            return runWord(side, index, run) < q;
                        });
    const std::size_t at = static_cast<std::size_t>(index.runBegin[atRun]);
    auto usable = [&](std::size_t p) {
        return static_cast<std::size_t>(index.places.row(p)) != r && index.places.isOn(p);
    };
    // The words are sorted and row r's would come between runs atRun - 1
    // and atRun, so its common start with a run's word is the least of its
    // common start with the nearer of those two and the common starts of
    // the neighbouring runs between.
    const std::size_t below = atRun == 0                 ? 0
                              : ownRun < runs            ? static_cast<std::size_t>(index.runShared[atRun])
                                                         : commonPrefix(q, runWord(side, index, atRun - 1));
    std::size_t longest = 0;
    for (std::size_t p = at, run = atRun, shared = below; p-- > 0;) {  // run: the run holding place p + 1
        if (p < static_cast<std::size_t>(index.runBegin[run])) {
            if (p + 1 < at) shared = std::min(shared, static_cast<std::size_t>(index.runShared[run]));
            --run;
        }
        if (usable(p)) {
            longest = shared;
            break;
        }
    }
    const std::size_t above = atRun == runs ? 0 : atRun == ownRun ? q.size() : commonPrefix(q, runWord(side, index, atRun));
    for (std::size_t p = at, run = atRun, shared = above; p < n; ++p) {  // run: the run holding place p
        if (p == static_cast<std::size_t>(index.runBegin[run + 1]))
            shared = std::min(shared, static_cast<std::size_t>(index.runShared[++run]));
        if (usable(p)) {
            longest = std::max(longest, shared);
            break;
        }
    }
    if (longest > 0) {
        // Before atRun the runs sharing the start form a stretch ending
        // at atRun - 1, from atRun on one beginning there.
        const std::size_t firstRun = below >= longest ? index.runShared.stretchBegin(atRun - 1, longest) : atRun;
        const std::size_t lastRun = above >= longest ? index.runShared.stretchEnd(atRun, longest) : atRun;  // one past
        // Row r itself is left out.
        const auto first = static_cast<std::size_t>(index.runBegin[firstRun]);
        const auto last = static_cast<std::size_t>(index.runBegin[lastRun]) - 1;
        const PlacedRows::Node node = own >= 0 && ownPlace >= first && ownPlace <= last
                                        ? index.places.queryWithout(first, last, ownPlace)
                                        : index.places.query(first, last);
        if (node.row != std::numeric_limits<std::int32_t>::max()) {
            best.pairs = static_cast<std::int64_t>(longest);
            if (side == kEnd) {
                const std::int64_t t = best.pairs == pairs ? best.pairs - 1 : best.pairs;
                best.tie = std::max<std::int64_t>(0, node.value - t);
                best.row = best.tie > 0 ? node.row : node.smallestRow;
            } else {
                best.tie = node.value;
                best.row = node.row;
            }
            best.element = best.row == node.row ? elementOfValue(side, static_cast<std::size_t>(node.row), node.value)
                                                : elementWhenMade(index, static_cast<std::size_t>(best.row));
        }
    }
    return best;
}

}  // namespace sequara::ends
