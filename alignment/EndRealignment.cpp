#include "alignment/EndRealignment.h"

#include "alignment/AnchorCache.h"
#include "alignment/GallopingSearch.h"
#include "alignment/RowRunLookups.h"
#include "alignment/TextHash.h"
#include "alignment/WordScan.h"
#include "sequence/CharacterRules.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace sequara {

namespace {

using namespace ends;

bool matchesReference(const std::string& Reference, const std::string& Sequence, const TAlignmentRow& Row,
                      std::size_t i, const MatchTable& table) {
    const std::int32_t e = Row[i];
    return i < Sequence.size() && e >= 1 && static_cast<std::size_t>(e) <= Reference.size() &&
           table(Sequence[i], Reference[static_cast<std::size_t>(e) - 1]);
}

// Characters that match some character other than themselves, chosen so
// that two characters outside the set match exactly when they are equal: a
// greedy cover of the pairs of different characters that match (in either
// order), taking first the character found in most of them.  For nucleotides
// these are the ambiguity codes, for amino acids X, B and Z.
std::array<bool, 256> findWildCharacters(const MatchTable& table) {
    // The pairs are few; each round counts them among the characters not
    // yet taken.
    std::vector<std::pair<int, int>> pairs;
    for (int c = 0; c < 256; ++c)
        for (int d = c + 1; d < 256; ++d)
            if (table(static_cast<char>(c), static_cast<char>(d)) || table(static_cast<char>(d), static_cast<char>(c)))
                pairs.emplace_back(c, d);
    std::array<bool, 256> wild{};
    for (;;) {
        std::array<int, 256> count{};
        for (const auto& [c, d] : pairs)
            if (!wild[static_cast<std::size_t>(c)] && !wild[static_cast<std::size_t>(d)]) {
                ++count[static_cast<std::size_t>(c)];
                ++count[static_cast<std::size_t>(d)];
            }
        int best = -1, bestCount = 0;
        for (int c = 0; c < 256; ++c)
            if (count[static_cast<std::size_t>(c)] > bestCount) {
                best = c;
                bestCount = count[static_cast<std::size_t>(c)];
            }
        if (best < 0) return wild;
        wild[static_cast<std::size_t>(best)] = true;
    }
}

const std::array<bool, 256>& wildCharacters(const std::string& dataType) {
    static const std::array<bool, 256> nucleotide = findWildCharacters(MatchTableFor("DNA"));
    static const std::array<bool, 256> amino = findWildCharacters(MatchTableFor("AMINO"));
    return IsAminoDataType(dataType) ? amino : nucleotide;
}

// The row a step copies from: the most matching pairs, then the larger tie
// value (end: elements after the compared stretch; start: the anchor's
// element), then the earlier row.
struct Choice {
    std::int64_t pairs = 0;
    std::int64_t tie = 0;
    std::int64_t row = -1;
    std::int64_t element = 0;
    bool betterThan(const Choice& other) const {
        if (pairs != other.pairs) return pairs > other.pairs;
        if (tie != other.tie) return tie > other.tie;
        return row < other.row;
    }
};

// See EndRealigner::bestRow.
constexpr std::int64_t kScanWorkBeforeIndex = 32;

// Words up to this length are grouped by their own characters.
constexpr std::size_t kShortWord = 64;

class EndRealigner {
public:
    EndRealigner(TAlignmentResult& alignment, const TFastaDataSet& dataSet, const std::string& reference,
                 const std::string& dataType)
        : rows_(alignment), data_(dataSet), ref_(reference), table_(MatchTableFor(dataType)),
          wild_(wildCharacters(dataType)), count_(std::min(alignment.size(), dataSet.size())), lookups_(count_),
          available_(count_), firstWild_(count_), lastWild_(count_), textClass_(count_, -1), endAnchor_(count_) {
        for (std::size_t r = 0; r < count_; ++r) {
            if (r + kRowsAhead < count_) {
                const TAlignmentRow& ahead = rows_[r + kRowsAhead];
                const std::string& text = data_[r + kRowsAhead].Sequence;
                if (!ahead.empty()) fetchAhead(&ahead.back());
                if (!text.empty()) fetchAhead(&text.back());
            }
            lookups_.build(r, rows_[r]);
            // A row changes only in its own steps, so its end step finds the
            // run found now, while the row is at hand.
            endAnchor_[r] = endAnchorElement(r);
            available_[r] = static_cast<std::int64_t>(std::min(data_[r].Sequence.size(), rows_[r].size()));
        }
    }

    void run() {
        for (std::size_t r = 0; r < count_; ++r) {
            if (r + kRowsAhead < count_) {  // the start step reads a row's first elements
                fetchAhead(rows_[r + kRowsAhead].data());
                fetchAhead(data_[r + kRowsAhead].Sequence.data());
            }
            bool changed = false;
            if (endStep(r)) {
                lookups_.build(r, rows_[r]);
                changed = true;
            }
            if (startStep(r)) {
                lookups_.build(r, rows_[r]);
                changed = true;
            }
            if (changed) changedRows_.push_back(static_cast<std::int32_t>(r));
        }
    }

private:
    // Characters of two sequences; a position outside a sequence holds no
    // character and matches nothing.
    // The number of consecutive matching pairs (i + t * step, k + t * step)
    // of the two rows' characters for t = 0, 1, ..., at most maxPairs.
    std::int64_t matchingRun(std::size_t r, std::int64_t i, std::size_t o, std::int64_t k, std::int64_t maxPairs,
                             int step) const {
        const std::string& a = data_[r].Sequence;
        const std::string& b = data_[o].Sequence;
        // A character needs an entry too: a row shorter than its sequence
        // ends the comparison at its own end.
        const std::int64_t na = available_[r];
        const std::int64_t nb = available_[o];
        if (i < 0 || k < 0 || i >= na || k >= nb) return 0;
        // Pairs available before either sequence ends in the direction of step.
        const std::int64_t available = step > 0 ? std::min(na - i, nb - k) : std::min(i, k) + 1;
        const std::int64_t limit = std::min(maxPairs, available);
        const char* x = a.data() + i;
        const char* y = b.data() + k;
        std::int64_t t = 0;
        while (t < limit && table_(x[t * step], y[t * step])) ++t;
        return t;
    }

    // The first compared element of a row whose anchor sits at element k:
    // the one before it at the end, the anchor itself at the start.
    static std::int64_t firstCompared(Side side, std::int64_t k) { return side == kEnd ? k - 1 : k; }

    // Whether the row has a character at its first compared element (else
    // it is never copied from), and whether its compared characters (end:
    // from there to the sequence's end; start: from there back to its first
    // character) hold no wild character.
    bool hasWord(Side side, std::size_t o, std::int64_t k) const {
        const std::int64_t i = firstCompared(side, k);
        return k >= 0 && i >= 0 && i < available_[o];
    }
    bool isClean(Side side, std::size_t o, std::int64_t i) {
        describeText(o);
        return side == kEnd ? lastWild_[o] < i : firstWild_[o] > i;
    }

    // Finds, once, row o's first and last wild character and its text
    // class: rows whose characters (those with an entry) are the same text
    // share a class, and at the same anchor element they have the same word.
    void describeText(std::size_t o) {
        if (textClass_[o] >= 0) return;
        const std::string& s = data_[o].Sequence;
        const std::int64_t n = available_[o];
        auto isWild = [&](std::int64_t i) { return wild_[static_cast<unsigned char>(s[static_cast<std::size_t>(i)])]; };
        std::int64_t first = 0;
        while (first < n && !isWild(first)) ++first;
        std::int64_t last = first < n ? n - 1 : -1;
        while (last > first && !isWild(last)) --last;
        firstWild_[o] = first;
        lastWild_[o] = last;
        const std::string_view text(s.data(), static_cast<std::size_t>(n));
        std::vector<std::int32_t>& classes = classesByHash_[hashText(text)];
        std::size_t c = 0;
        while (c < classes.size() && classTexts_[static_cast<std::size_t>(classes[c])] != text) ++c;
        if (c == classes.size()) {
            classes.push_back(static_cast<std::int32_t>(classTexts_.size()));
            classTexts_.push_back(text);
        }
        textClass_[o] = classes[c];
    }

    // The step's choice among candidate o at element k: the matching pairs
    // from row r's element `from` on, the tie value.
    // Returns the number of matching pairs.
    std::int64_t consider(Side side, std::size_t r, std::int64_t from, std::int64_t pairs, std::size_t o,
                          std::int64_t k, Choice& best) const {
        const int step = side == kEnd ? 1 : -1;
        const std::int64_t L = matchingRun(r, from, o, firstCompared(side, k), pairs, step);
        if (L == 0) return 0;
        Choice c;
        c.pairs = L;
        c.tie = side == kEnd ? endTie(o, k, L, pairs) : k;
        c.row = static_cast<std::int64_t>(o);
        c.element = k;
        if (c.betterThan(best)) best = c;
        return L;
    }

    // Row o's elements after the element of its last compared pair; none
    // when that pair lay past row o's end (it ran out).
    std::int64_t endTie(std::size_t o, std::int64_t k, std::int64_t L, std::int64_t pairs) const {
        const std::int64_t t = L == pairs ? L - 1 : L;  // the last pair compared
        return std::max<std::int64_t>(0, static_cast<std::int64_t>(rows_[o].size()) - k - t);
    }

    // Calls visit(o, k) for every row o in order, k being its first element
    // holding the anchor (-1 none).  The rows are looked up a few at a time
    // and the characters at their first compared elements fetched ahead, so
    // that a pass over a load too large for the cache does not wait on
    // memory row after row.
    template <class Visit>
    void forEachRow(Side side, std::int32_t anchor, Visit visit) const {
        constexpr std::size_t kAhead = 16;
        std::array<std::int64_t, kAhead> found{};
        for (std::size_t first = 0; first < count_; first += kAhead) {
            const std::size_t last = std::min(count_, first + kAhead);
            for (std::size_t o = first; o < last; ++o) {
                const std::int64_t k = lookups_.find(o, anchor);
                found[o - first] = k;
                if (hasWord(side, o, k)) fetchAhead(data_[o].Sequence.data() + firstCompared(side, k));
            }
            for (std::size_t o = first; o < last; ++o) visit(o, found[o - first]);
        }
    }

    // Every other row, one lookup each.  Adds the rows looked up and the
    // characters compared to work.
    Choice scanAll(Side side, std::size_t r, std::int32_t anchor, std::int64_t from, std::int64_t pairs,
                   std::int64_t& work) const {
        Choice best;
        forEachRow(side, anchor, [&](std::size_t o, std::int64_t k) {
            if (o != r && k >= 0) work += consider(side, r, from, pairs, o, k, best);
        });
        work += static_cast<std::int64_t>(count_);
        return best;
    }

    // The best row to copy from for row r, whose compared characters start
    // at element `from` (at most `pairs` of them).  While an anchor has
    // been asked for little, every row is looked at; once that has cost
    // about as much as making an index of the anchor's rows (looking up
    // and comparing kScanWorkBeforeIndex times as many as there are rows),
    // the index answers, unless row r's own compared characters hold a wild
    // character.  So a load's cost grows near-linearly with its rows.
    Choice bestRow(Side side, std::size_t r, std::int32_t anchor, std::int64_t from, std::int64_t pairs) {
        AnchorSlot& slot = cache_.slot(side, anchor);
        if (!slot.index && slot.scanWork < kScanWorkBeforeIndex * static_cast<std::int64_t>(count_))
            return scanAll(side, r, anchor, from, pairs, slot.scanWork);
        if (!isClean(side, r, from)) {
            std::int64_t work = 0;
            return scanAll(side, r, anchor, from, pairs, work);
        }
        if (!slot.index) {
            slot.index = buildIndex(side, anchor);
        } else {
            catchUp(side, anchor, *slot.index);
            AnchorIndex& index = *slot.index;
            const std::size_t rows = index.sortedRows.size() + index.wild.size();
            const auto limit = 32 + static_cast<std::size_t>(std::sqrt(static_cast<double>(rows)));
            if (index.staleCount + index.moved.size() > limit) {
                cache_.removed(index);
                slot.index = buildIndex(side, anchor);
            }
        }
        AnchorIndex& index = *slot.index;
        cache_.used(index);
        Choice best = indexedChoice(side, r, from, pairs, index);
        for (const Candidate& c : index.wild)
            if (static_cast<std::size_t>(c.row) != r && !index.stale[static_cast<std::size_t>(c.row)])
                consider(side, r, from, pairs, static_cast<std::size_t>(c.row), c.element, best);
        for (const Candidate& c : index.moved)
            if (static_cast<std::size_t>(c.row) != r)
                consider(side, r, from, pairs, static_cast<std::size_t>(c.row), c.element, best);
        return best;
    }

    // The characters a step compares for a row whose anchor sits at element
    // k: at the end from element k - 1 to the sequence's end, at the start
    // from element k back to element 0 (stored backwards in the index).
    std::string_view endWord(std::size_t o, std::int64_t k) const {
        const std::int64_t i = k - 1;
        return std::string_view(data_[o].Sequence).substr(static_cast<std::size_t>(i),
                                                          static_cast<std::size_t>(available_[o] - i));
    }

    // The characters of a row's word in sequence order (the start side's
    // word is them read backwards): two words are equal when these are.
    std::string_view wordText(Side side, std::size_t o, std::int64_t k) const {
        if (side == kEnd) return endWord(o, k);
        return std::string_view(data_[o].Sequence).substr(0, static_cast<std::size_t>(k) + 1);
    }

    std::unique_ptr<AnchorIndex> buildIndex(Side side, std::int32_t anchor) {
        auto index = std::make_unique<AnchorIndex>();
        AnchorIndex& x = *index;
        x.element.assign(count_, -1);
        x.position.assign(count_, -1);
        x.stale.assign(count_, 0);
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
            x.element[o] = static_cast<std::int32_t>(k);
            if (!hasWord(side, o, k)) return;
            const Candidate c{static_cast<std::int32_t>(o), static_cast<std::int32_t>(k)};
            const std::string_view text = wordText(side, o, k);
            if (text.size() <= kShortWord) {
                if (std::any_of(text.begin(), text.end(), [&](char ch) { return wild_[static_cast<unsigned char>(ch)]; }))
                    x.wild.push_back(c);
                else
                    clean.push_back({false, hashText(text), c.element, c.row});
            } else if (isClean(side, o, firstCompared(side, k))) {  // also finds the text class
                clean.push_back({true, static_cast<std::uint64_t>(textClass_[o]), c.element, c.row});
            } else {
                x.wild.push_back(c);
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
            return a.byClass ? a.element == b.element : textOf(a) == textOf(b);
        };
        std::size_t tableSize = 16;
        while (tableSize < 2 * clean.size()) tableSize *= 2;
        std::vector<std::int32_t> table(tableSize, -1);  // per slot a group's first member, -1 free
        std::vector<std::int32_t> groupOf(clean.size());
        std::size_t groupCount = 0;
        for (std::size_t i = 0; i < clean.size(); ++i) {
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
        std::vector<std::size_t> order(groups);
        for (std::size_t g = 0; g < groups; ++g) order[g] = g;
        std::sort(order.begin(), order.end(),
                  [&](std::size_t a, std::size_t b) { return groupWord[a] < groupWord[b]; });
        std::vector<BestTree::Node> leaves;
        leaves.reserve(clean.size());
        x.sortedRows.reserve(clean.size());
        x.runOf.reserve(clean.size());
        for (std::size_t i = 0; i < order.size(); ++i) {
            const std::size_t g = order[i];
            if (i == 0 || groupWord[g] != groupWord[order[i - 1]]) {
                x.runWords.push_back(groupWord[g]);
                x.runBegin.push_back(static_cast<std::int32_t>(x.sortedRows.size()));
            }
            for (std::size_t m = groupFirst[g]; m < groupFirst[g + 1]; ++m) {
                const auto o = static_cast<std::size_t>(clean[m].row);
                const std::int64_t k = clean[m].element;
                x.position[o] = static_cast<std::int32_t>(x.sortedRows.size());
                x.sortedRows.push_back(clean[m].row);
                x.runOf.push_back(static_cast<std::int32_t>(x.runWords.size()) - 1);
                BestTree::Node leaf;
                leaf.value = side == kEnd ? static_cast<std::int64_t>(rows_[o].size()) - k : k;
                leaf.row = clean[m].row;
                leaf.smallestRow = clean[m].row;
                leaves.push_back(leaf);
            }
        }
        x.runBegin.push_back(static_cast<std::int32_t>(x.sortedRows.size()));
        x.tree.build(std::move(leaves));
        x.changesSeen = changedRows_.size();
        x.bytes = x.sortedRows.size() * 2 * sizeof(std::int32_t) +
                  x.runWords.size() * (sizeof(std::string_view) + sizeof(std::int32_t)) + x.reversedWords.size() +
                  x.tree.bytes() + count_ * (2 * sizeof(std::int32_t) + 1) + x.wild.size() * sizeof(Candidate);
        cache_.added(x);
        return index;
    }

    // Takes in the rows changed since the index was made or last caught up.
    void catchUp(Side side, std::int32_t anchor, AnchorIndex& index) {
        for (; index.changesSeen < changedRows_.size(); ++index.changesSeen) {
            const auto c = static_cast<std::size_t>(changedRows_[index.changesSeen]);
            const std::int64_t k = lookups_.find(c, anchor);
            if (k == index.element[c]) continue;
            if (!index.stale[c]) {
                index.stale[c] = 1;
                ++index.staleCount;
                if (index.position[c] >= 0) index.tree.set(static_cast<std::size_t>(index.position[c]), false);
            }
            if (hasWord(side, c, k)) index.moved.push_back({static_cast<std::int32_t>(c), static_cast<std::int32_t>(k)});
        }
    }

    // The best of the index's sorted words for row r (whose compared
    // characters hold no wild character, so that matching is equality).
    // The words sharing the longest start with row r's lie together around
    // the place where row r's word would be sorted in; when row r is in the
    // index with this anchor element, that place is its own run.
    Choice indexedChoice(Side side, std::size_t r, std::int64_t from, std::int64_t pairs, AnchorIndex& index) const {
        Choice best;
        const std::size_t n = index.sortedRows.size();
        if (n == 0) return best;
        const std::string& s = data_[r].Sequence;
        std::string backwards;
        std::string_view q;
        if (side == kEnd) {
            q = std::string_view(s).substr(static_cast<std::size_t>(from), static_cast<std::size_t>(available_[r] - from));
        } else {
            backwards.assign(s.rbegin() + static_cast<std::ptrdiff_t>(s.size()) - from - 1, s.rend());
            q = backwards;
        }
        const std::int32_t own = index.stale[r] ? -1 : index.position[r];
        const std::size_t runs = index.runWords.size();
        // Row r's own run, when its word is the one compared now.
        const std::size_t ownRun = own >= 0 && firstCompared(side, index.element[r]) == from
                                       ? static_cast<std::size_t>(index.runOf[static_cast<std::size_t>(own)])
                                       : runs;
        const std::size_t atRun =
            ownRun < runs ? ownRun
                          : static_cast<std::size_t>(std::lower_bound(index.runWords.begin(), index.runWords.end(), q) -
                                                     index.runWords.begin());
        const std::size_t at = static_cast<std::size_t>(index.runBegin[atRun]);
        if (own >= 0) index.tree.set(static_cast<std::size_t>(own), false);
        auto usable = [&](std::size_t p) {
            const auto o = static_cast<std::size_t>(index.sortedRows[p]);
            return o != r && !index.stale[o];
        };
        auto sharedWith = [&](std::size_t p) {
            const auto run = static_cast<std::size_t>(index.runOf[p]);
            return run == ownRun ? q.size() : commonPrefix(q, index.runWords[run]);
        };
        std::size_t longest = 0;
        for (std::size_t p = at; p-- > 0;)
            if (usable(p)) {
                longest = sharedWith(p);
                break;
            }
        for (std::size_t p = at; p < n; ++p)
            if (usable(p)) {
                longest = std::max(longest, sharedWith(p));
                break;
            }
        if (longest > 0) {
            const std::string_view start = q.substr(0, longest);
            auto sharesStart = [&](std::size_t run) {
                return run == ownRun || index.runWords[run].substr(0, longest) == start;
            };
            // Before atRun the runs sharing the start form a stretch ending
            // at atRun - 1, from atRun on one beginning there.
            const std::size_t firstRun = gallopDown(atRun, sharesStart);
            const std::size_t lastRun = gallopUp(atRun, runs, sharesStart);  // one past the stretch
            const BestTree::Node node = index.tree.query(static_cast<std::size_t>(index.runBegin[firstRun]),
                                                         static_cast<std::size_t>(index.runBegin[lastRun]) - 1);
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
                best.element = index.element[static_cast<std::size_t>(best.row)];
            }
        }
        if (own >= 0) index.tree.set(static_cast<std::size_t>(own), true);
        return best;
    }

    // The first element of the end step's reliable run when at least 3
    // characters follow it, else -1.
    std::int64_t endAnchorElement(std::size_t r) const {
        const TAlignmentRow& row = rows_[r];
        const std::string& seq = data_[r].Sequence;
        const std::int64_t H = static_cast<std::int64_t>(row.size()) - 1;
        int count = 0;
        std::int64_t a = -1;
        for (std::int64_t i = H; i >= 1 && count < 10; --i) {
            const auto u = static_cast<std::size_t>(i);
            if (matchesReference(ref_, seq, row, u, table_) && std::int64_t(row[u]) == std::int64_t(row[u - 1]) + 1) {
                if (++count == 10) a = i;
            } else {
                count = 0;
            }
        }
        return count < 10 || H - (a + 9) < 3 ? -1 : a;
    }

    bool endStep(std::size_t r) {
        TAlignmentRow& row = rows_[r];
        const std::int64_t H = static_cast<std::int64_t>(row.size()) - 1;
        const std::int64_t a = endAnchor_[r];
        if (a < 0) return false;
        // Pairs (a - 1 + t, k - 1 + t) for t = 0, 1, ...: at most the
        // H - a + 2 pairs up to row r's last element, and only while both
        // characters exist.
        const Choice best = bestRow(kEnd, r, row[static_cast<std::size_t>(a)], a - 1, H - a + 2);
        const std::int64_t bestL = best.pairs, bestK = best.element;
        if (bestL <= 10) return false;
        const TAlignmentRow& source = rows_[static_cast<std::size_t>(best.row)];
        // The continued entries rise by construction; the copied ones must
        // rise from the last position before them.
        std::int32_t previous = 0;
        for (std::int64_t i = a - 2; i >= 0 && previous < 1; --i) previous = row[static_cast<std::size_t>(i)];
        for (std::int64_t t = 0; t < bestL; ++t) {
            const std::int32_t v = source[static_cast<std::size_t>(bestK - 1 + t)];
            if (v < 1) continue;
            if (v <= previous) return false;
            previous = v;
        }
        for (std::int64_t t = 0; t < bestL; ++t)
            row[static_cast<std::size_t>(a - 1 + t)] = source[static_cast<std::size_t>(bestK - 1 + t)];
        const std::int64_t m = static_cast<std::int64_t>(ref_.size());
        for (std::int64_t q = a + bestL - 1; q <= H; ++q) {
            const std::int32_t previous = row[static_cast<std::size_t>(q - 1)];
            const std::int64_t v = previous > 0 ? std::int64_t(previous) + 1 : -1;
            row[static_cast<std::size_t>(q)] = v > m ? -1 : static_cast<std::int32_t>(v);
        }
        return true;
    }

    bool startStep(std::size_t r) {
        TAlignmentRow& row = rows_[r];
        const std::string& seq = data_[r].Sequence;
        const std::int64_t H = static_cast<std::int64_t>(row.size()) - 1;
        int count = 0;
        std::int64_t b = -1;
        for (std::int64_t i = 0; i <= H - 1 && count < 10; ++i) {
            if (matchesReference(ref_, seq, row, static_cast<std::size_t>(i), table_)) {
                if (++count == 10) b = i;
            } else {
                count = 0;
            }
        }
        if (count < 10 || b - 9 < 1) return false;
        // Pairs (b - t, k - t) for t = 0, 1, ... down to element 0 of row r.
        const Choice best = bestRow(kStart, r, row[static_cast<std::size_t>(b)], b, b + 1);
        const std::int64_t bestL = best.pairs, bestK = best.element;
        if (bestL <= 10) return false;
        const TAlignmentRow& source = rows_[static_cast<std::size_t>(best.row)];
        // The continued entries fall by construction; the copied ones must
        // fall from the first position after them.
        std::int32_t next = std::numeric_limits<std::int32_t>::max();
        for (std::int64_t i = b + 1; i <= H && next == std::numeric_limits<std::int32_t>::max(); ++i)
            if (row[static_cast<std::size_t>(i)] >= 1) next = row[static_cast<std::size_t>(i)];
        for (std::int64_t t = 0; t <= bestL - 2; ++t) {
            const std::int32_t v = source[static_cast<std::size_t>(bestK - t)];
            if (v < 1) continue;
            if (v >= next) return false;
            next = v;
        }
        for (std::int64_t t = 0; t <= bestL - 2; ++t)
            row[static_cast<std::size_t>(b - t)] = source[static_cast<std::size_t>(bestK - t)];
        for (std::int64_t q = b - bestL + 1; q >= 0; --q) {
            const std::int32_t next = row[static_cast<std::size_t>(q + 1)];
            const std::int32_t v = next > 0 ? next - 1 : -1;
            row[static_cast<std::size_t>(q)] = v < 1 ? -1 : v;
        }
        return true;
    }

    TAlignmentResult& rows_;
    const TFastaDataSet& data_;
    const std::string& ref_;
    const MatchTable& table_;
    const std::array<bool, 256>& wild_;
    std::size_t count_;
    FirstElementLookups lookups_;
    std::vector<std::int64_t> available_;  // per row: elements with a character
    std::vector<std::int64_t> firstWild_;  // per row: first wild character, available_ when none
    std::vector<std::int64_t> lastWild_;   // per row: last wild character, -1 when none
    std::vector<std::int32_t> textClass_;  // per row: rows with the same characters share it; -1 not found yet
    std::unordered_map<std::uint64_t, std::vector<std::int32_t>> classesByHash_;
    std::vector<std::string_view> classTexts_;  // per class: its text
    std::vector<std::int64_t> endAnchor_;  // per row: see endAnchorElement
    std::vector<std::int32_t> changedRows_;  // rows a step has changed, in order
    AnchorCache cache_;
};

}  // namespace

int FindReliableEnd(const std::string& Reference, const std::string& Sequence, const TAlignmentRow& Row,
                    const std::string& DataType) {
    const MatchTable& table = MatchTableFor(DataType);
    int count = 0;
    for (std::size_t i = Row.size(); i-- > 1;) {
        count = matchesReference(Reference, Sequence, Row, i, table) ? count + 1 : 0;
        if (count == 10) return static_cast<int>(i) + 10;
    }
    return static_cast<int>(Row.size());
}

int FindReliableStart(const std::string& Reference, const std::string& Sequence, const TAlignmentRow& Row,
                      const std::string& DataType) {
    const MatchTable& table = MatchTableFor(DataType);
    int count = 0;
    for (std::size_t i = 0; i + 1 < Row.size(); ++i) {
        count = matchesReference(Reference, Sequence, Row, i, table) ? count + 1 : 0;
        if (count == 10) return static_cast<int>(i) - 9;
    }
    return 1;
}

void RealignSequenceEnds(TAlignmentResult& Alignment, const TFastaDataSet& DataSet, const std::string& Reference,
                         const std::string& DataType) {
    EndRealigner(Alignment, DataSet, Reference, DataType).run();
}

}  // namespace sequara
