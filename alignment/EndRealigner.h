#pragma once
// The end re-alignment's worker: the steps over the rows in order, the
// choice of the row to copy from by looking at every row or through an
// index of the rows holding an anchor, and the making of those indexes
// (AnchorIndexing.cpp).

#include "alignment/AnchorCache.h"
#include "alignment/RowRunLookups.h"
#include "alignment/WordScan.h"
#include "sequence/CharacterRules.h"
#include "sequence/Records.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace sequara::ends {

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

// What the passes over all rows read of a row, kept together so that a
// pass in the order of an index touches one small record per row instead
// of the row's sequence record, its entries' header and a count apart.
struct RowText {
    const char* text;        // the sequence's characters
    std::int32_t available;  // elements with a character: the shorter of the sequence and the row
    std::int32_t length;     // the row's elements
};

// See EndRealigner::bestRow.
constexpr std::int64_t kScanWorkBeforeIndex = 32;
constexpr std::int64_t kScanWorkBeforeStartIndex = 4;

// An index is made from the index of an anchor at most this far away.
constexpr std::int32_t kInduceReach = 16;

// An index at most this far from one at hand is made when its anchor is
// first asked for, without looking at every row first: the few indexes up
// to it cost about as much as a look at every row, and on real loads an
// anchor asked for once is mostly asked for again.
constexpr std::int32_t kInduceAtOnce = 4;

// Words up to this length are grouped by their own characters.
constexpr std::size_t kShortWord = 64;

class EndRealigner {
public:
    // The indexes together take at most indexBudget bytes; kLoadBudget:
    // as many as the alignment's entries, and at least 256 MB.  A load
    // whose indexes did not fit would drop and make them again over and
    // over, its cost growing faster than its size.
    static constexpr std::size_t kLoadBudget = 0;
    EndRealigner(TAlignmentResult& alignment, const TFastaDataSet& dataSet, const std::string& reference,
                 const std::string& dataType, std::size_t indexBudget = kLoadBudget);

    void run();

private:
    // Characters of two sequences; a position outside a sequence holds no
    // character and matches nothing.
    // The number of consecutive matching pairs (i + t * step, k + t * step)
    // of the two rows' characters for t = 0, 1, ..., at most maxPairs.
    std::int64_t matchingRun(std::size_t r, std::int64_t i, std::size_t o, std::int64_t k, std::int64_t maxPairs,
                             int step) const;

    // The first compared element of a row whose anchor sits at element k:
    // the one before it at the end, the anchor itself at the start.
    static std::int64_t firstCompared(Side side, std::int64_t k) { return side == kEnd ? k - 1 : k; }

    // Whether the row has a character at its first compared element (else
    // it is never copied from), and whether its compared characters (end:
    // from there to the sequence's end; start: from there back to its first
    // character) hold no wild character.
    bool hasWord(Side side, std::size_t o, std::int64_t k) const {
        const std::int64_t i = firstCompared(side, k);
        return k >= 0 && i >= 0 && i < texts_[o].available;
    }
    bool isClean(Side side, std::size_t o, std::int64_t i);

    // Finds, once, row o's first and last wild character and its text
    // class: rows whose characters (those with an entry) are the same text
    // share a class, and at the same anchor element they have the same word.
    void describeText(std::size_t o);

    // The lead of row o's characters compared from element i on.
    std::uint64_t leadAt(Side side, std::size_t o, std::int64_t i) const {
        const std::int64_t n = std::min<std::int64_t>(8, side == kEnd ? texts_[o].available - i : i + 1);
        const int step = side == kEnd ? 1 : -1;
        std::uint64_t lead = 0;
        for (std::int64_t t = 0; t < n; ++t)
            lead |= std::uint64_t(static_cast<unsigned char>(texts_[o].text[i + step * t])) << (8 * t);
        return lead;
    }
    Candidate candidate(Side side, std::size_t o, std::int64_t k) const {
        return {static_cast<std::int32_t>(o), static_cast<std::int32_t>(k), leadAt(side, o, firstCompared(side, k))};
    }

    // Whether a candidate with the given lead matches fewer than `pairs`
    // pairs with row r, whose lead is own and whose compared characters
    // hold no wild character: so when the leads differ before that many
    // characters, where the candidate's character is not wild either or
    // where one of the two rows' characters end.  Rows compared from
    // elements that do not correspond mostly differ at once, and this tells
    // so without reading the candidate's row.
    bool fallsShort(std::uint64_t own, std::uint64_t lead, std::int64_t pairs) const {
        const std::uint64_t differ = own ^ lead;
        if (differ == 0) return false;
        const int d = std::countr_zero(differ) / 8;
        return d < pairs && !wild_[(lead >> (8 * d)) & 0xFF];
    }

    // The step's choice among candidate o at element k: the matching pairs
    // from row r's element `from` on, the tie value.
    // Returns the number of matching pairs.
    std::int64_t consider(Side side, std::size_t r, std::int64_t from, std::int64_t pairs, std::size_t o,
                          std::int64_t k, Choice& best) const;

    // Row o's value in an index's places: at the end the elements from its
    // anchor element k on, at the start k.
    std::int32_t placeValue(Side side, std::size_t o, std::int64_t k) const {
        return static_cast<std::int32_t>(side == kEnd ? texts_[o].length - k : k);
    }
    // The anchor element a place value stands for.
    std::int64_t elementOfValue(Side side, std::size_t o, std::int32_t value) const {
        return side == kEnd ? std::int64_t(texts_[o].length) - value : value;
    }

    // Row o's elements after the element of its last compared pair; none
    // when that pair lay past row o's end (it ran out).
    std::int64_t endTie(std::size_t o, std::int64_t k, std::int64_t L, std::int64_t pairs) const {
        const std::int64_t t = L == pairs ? L - 1 : L;  // the last pair compared
        return std::max<std::int64_t>(0, texts_[o].length - k - t);
    }

    // Calls visit(o, k) for every row o in order, k being its first element
    // holding the anchor (-1 none).  Each row is looked up kRowsLookedAhead rows
    // before it is visited, and the characters a step compares first are
    // fetched then: the line holding its first compared character and the
    // line after (end) or before (start) it, as a step mostly compares more
    // than what is left of the first line.  So a pass over a load too large
    // for the cache does not wait on memory row after row.
    template <class Visit>
    void forEachRow(Side side, std::int32_t anchor, Visit visit) const {
        std::array<std::int64_t, kRowsLookedAhead> found{};
        auto lookAhead = [&](std::size_t o) {
            const std::int64_t k = lookups_.find(o, anchor);
            found[o % kRowsLookedAhead] = k;
            if (!hasWord(side, o, k)) return;
            const std::int64_t i = firstCompared(side, k);
            fetchAhead(texts_[o].text + i);
            const std::int64_t other = side == kEnd ? i + 64 : std::max<std::int64_t>(0, i - 64);
            if (other < texts_[o].available) fetchAhead(texts_[o].text + other);
        };
        passLookingAhead(count_, lookAhead, [&](std::size_t o) { visit(o, found[o % kRowsLookedAhead]); });
    }

    // Every other row, one lookup each.  Adds the rows looked up and the
    // characters compared to work.
    Choice scanAll(Side side, std::size_t r, std::int32_t anchor, std::int64_t from, std::int64_t pairs,
                   std::int64_t& work) const;

    // The best row to copy from for row r, whose compared characters start
    // at element `from` (at most `pairs` of them).  While an anchor has
    // been asked for little, every row is looked at; once that has cost
    // about as much as making an index of the anchor's rows (looking up
    // and comparing kScanWorkBeforeIndex times as many as there are rows,
    // or twice as many per anchor beyond kInduceAtOnce up to an index
    // within reach), the index answers, unless row r's own compared
    // characters hold a wild character.  So a load's cost grows
    // near-linearly with its rows.
    Choice bestRow(Side side, std::size_t r, std::int32_t anchor, std::int64_t from, std::int64_t pairs);

    // The characters a step compares for a row whose anchor sits at element
    // k: at the end from element k - 1 to the sequence's end, at the start
    // from element k back to element 0 (stored backwards in the index).
    std::string_view endWord(std::size_t o, std::int64_t k) const {
        const std::int64_t i = k - 1;
        return std::string_view(texts_[o].text + i, static_cast<std::size_t>(texts_[o].available - i));
    }

    // The characters of a row's word in sequence order (the start side's
    // word is them read backwards): two words are equal when these are.
    std::string_view wordText(Side side, std::size_t o, std::int64_t k) const {
        if (side == kEnd) return endWord(o, k);
        return std::string_view(texts_[o].text, static_cast<std::size_t>(k) + 1);
    }

    // The word of an index's run.  An end word is read from the run's first
    // row, whose text stays as it was; a start word, being the text read
    // backwards, is kept in the index.
    std::string_view runWord(Side side, const AnchorIndex& index, std::size_t run) const {
        if (side == kStart) return index.runWords[run];
        const auto p = static_cast<std::size_t>(index.runBegin[run]);
        return endWord(static_cast<std::size_t>(index.places.row(p)), placedElement(side, index, p));
    }

    // The anchor element, when the index was made, of the row at place p:
    // a place switched on holds the row's value, which tells it.
    std::int64_t placedElement(Side side, const AnchorIndex& index, std::size_t p) const {
        const auto o = static_cast<std::size_t>(index.places.row(p));
        return index.places.isOn(p) ? elementOfValue(side, o, index.places.value(p)) : elementWhenMade(index, o);
    }

    // Row o's element of the index's anchor when the index was made: its
    // look-ups tell it unless it changed since, and then the look-ups it
    // had before its change (a row changes at most once).
    std::int64_t elementWhenMade(const AnchorIndex& index, std::size_t o) const {
        return changedSince(index, o) ? lookups_.findIn(changedRows_[static_cast<std::size_t>(changedAt_[o])].before, index.anchor)
                                      : lookups_.find(o, index.anchor);
    }
    bool changedSince(const AnchorIndex& index, std::size_t o) const {
        return changedAt_[o] >= 0 && static_cast<std::size_t>(changedAt_[o]) >= index.madeAt;
    }

    // Changes an index takes in before it is made again.
    static std::size_t changeLimit(const AnchorIndex& index) {
        const std::size_t rows = index.places.size() + index.wild.size();
        return 32 + static_cast<std::size_t>(std::sqrt(static_cast<double>(rows)));
    }

    // An end word is the character before the anchor followed by the end
    // word of the next anchor whenever that anchor sits one element later
    // in the row; a start word is the anchor's character followed by the
    // start word of the anchor before, one element earlier.  So an index
    // comes from the index of its neighbour on that side (made first, from
    // the nearest one at hand) by ordering the neighbour's rows by that one
    // character; only an index without one near sorts whole words.
    std::unique_ptr<AnchorIndex> makeIndex(Side side, std::int32_t anchor);

    // The nearest anchor above (end) or below (start) with an index within
    // reach; the anchor itself when there is none.
    std::int32_t nearIndex(Side side, std::int32_t anchor) const;

    // The index of an anchor from the index of its neighbour; none when too
    // many rows would have to be compared one by one.  elements: per row
    // its element of the anchor; firsts: per row with a word there, the
    // word's first character; nextElements: per row its element of the
    // neighbour's anchor.
    std::unique_ptr<AnchorIndex> induceIndex(Side side, std::int32_t anchor, const AnchorIndex& next,
                                             const std::vector<std::int32_t>& elements,
                                             const std::vector<unsigned char>& firsts,
                                             const std::vector<std::int32_t>& nextElements);

    // In one pass over the rows (not one per anchor): per anchor
    // low..high - 1 (outer) and row (inner) its element of the anchor and,
    // when it has a word there, the word's first character (none for the
    // anchor near, whose index is at hand).
    void findElements(Side side, std::int32_t low, std::int32_t high, std::int32_t near,
                      std::vector<std::vector<std::int32_t>>& elements,
                      std::vector<std::vector<unsigned char>>& firsts) const;

    std::size_t indexBytes(const AnchorIndex& x) const;

    std::unique_ptr<AnchorIndex> buildIndex(Side side, std::int32_t anchor);

    // Takes in the rows changed since the index was made or last caught up.
    void catchUp(Side side, std::int32_t anchor, AnchorIndex& index);

    // The best of the index's sorted words for row r (whose compared
    // characters hold no wild character, so that matching is equality).
    // The words sharing the longest start with row r's lie together around
    // the place where row r's word would be sorted in; when row r is in the
    // index with this anchor element, that place is its own run.
    Choice indexedChoice(Side side, std::size_t r, std::int64_t from, std::int64_t pairs, AnchorIndex& index) const;

    // The first element of the end step's reliable run when at least 3
    // characters follow it, else -1.
    std::int64_t endAnchorElement(std::size_t r) const;

    // Sets an entry; whether it held another value.  An entry left alone
    // is not written, so that a row found as it was is only read.
    static bool rewrite(std::int32_t& entry, std::int32_t value) {
        if (entry == value) return false;
        entry = value;
        return true;
    }

    // Whether the step changed the row: mostly it finds the placement the
    // row already has, and a row left as it was needs no new look-ups and
    // nothing taken in by the indexes.
    bool endStep(std::size_t r);

    // The last element the start step rewrote, -1 when it changed nothing.
    std::int64_t startStep(std::size_t r);

    TAlignmentResult& rows_;
    const TFastaDataSet& data_;
    const std::string& ref_;
    const MatchTable& table_;
    const std::array<bool, 256>& wild_;
    std::size_t count_;
    FirstElementLookups lookups_;
    bool reflexive_;  // every character matches itself
    std::vector<RowText> texts_;
    std::vector<std::int64_t> firstWild_;  // per row: first wild character, its available elements when none
    std::vector<std::int64_t> lastWild_;   // per row: last wild character, -1 when none
    std::vector<std::int32_t> textClass_;  // per row: rows with the same characters share it; -1 not found yet
    // The text classes found by their texts' hashes, in one table laid out
    // in advance (per slot a class, -1 free; at least twice as many slots as
    // rows, a taken slot passing on to the next): a row's look-up reads a
    // slot or two and takes no memory of its own.
    std::vector<std::int32_t> classSlots_;
    std::vector<std::string_view> classTexts_;    // per class: its text
    std::vector<std::uint64_t> classHashes_;      // per class: its text's hash
    std::vector<std::int64_t> endAnchor_;  // per row: see endAnchorElement
    // A row its steps changed, and the values whose first element in it may
    // have changed with it: those that the rewritten elements held before or
    // after, at its end and at its start.  An index of another anchor
    // takes in the change without looking the row up.
    struct ChangedRow {
        std::int32_t row;
        ValueSpan end, start;
        FirstElementLookups::RowRuns before;  // its look-ups before the change
        bool mayHaveMoved(std::int32_t anchor) const { return end.holds(anchor) || start.holds(anchor); }
    };
    std::vector<ChangedRow> changedRows_;  // in order
    std::vector<std::int32_t> changedAt_;  // per row: its place among the changed rows, -1 none
    AnchorCache cache_;
};

}  // namespace sequara::ends
