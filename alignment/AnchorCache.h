#pragma once
// The end re-alignment's indexes of the rows holding one anchor, per side
// and anchor, with the work spent without an index and the memory the
// indexes take together.

#include "alignment/PlacedRows.h"
#include "alignment/SharedStarts.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace sequara::ends {

// The end step compares the characters from the one before the anchor
// forwards, the start step those from the anchor backwards.
enum Side { kEnd = 0, kStart = 1 };

// An element of a row holding the anchor (its first such element), with
// its lead: the first eight characters compared from there, one per byte in
// the order compared (the first in the lowest byte), 0 past the row's
// characters.
struct Candidate {
    std::int32_t row;
    std::int32_t element;
    std::uint64_t lead;
};

// What an index holds of a row.  Its anchor element when the index was
// made is not kept: the row's look-ups tell it, or, for a row changed since,
// the look-ups it had before (EndRealigner::elementWhenMade).
struct IndexedRow {
    std::int32_t place : 31 = -1;  // its place, -1 none
    std::uint32_t stale : 1 = 0;   // changed since
};
static_assert(sizeof(IndexedRow) == 4);

// The rows holding one anchor, as they stood when the index was made, in
// the order of their words (the characters a step compares), rows with
// equal words forming one run.  Words holding a wild character cannot be
// found by their order and are kept aside; rows changed since are switched
// off and their present candidates kept aside too.
struct AnchorIndex {
    PlacedRows places;  // the rows in word order, valued for the choice between rows of equal words
    std::vector<std::string_view> runWords;   // start side: per run its word; the end side reads it from the run's first row
    std::vector<std::int32_t> runBegin;       // per run its first place; one more at the end
    SharedStarts runShared;                   // per run its word's common start with the run before's
    std::string reversedWords;  // the start side's words, stored backwards
    std::vector<IndexedRow> rows;  // per row
    std::size_t staleCount = 0;
    std::vector<Candidate> wild;
    std::vector<Candidate> moved;
    std::int32_t anchor = 0;
    std::size_t madeAt = 0;       // the changed rows listed when it was made
    std::size_t changesSeen = 0;
    std::uint64_t lastUse = 0;
    std::size_t bytes = 0;

    // The run holding place p.
    std::size_t runOf(std::size_t p) const {
        return static_cast<std::size_t>(std::upper_bound(runBegin.begin(), runBegin.end(), static_cast<std::int64_t>(p)) -
                                        runBegin.begin()) - 1;
    }
};

struct AnchorSlot {
    std::int64_t scanWork = 0;  // rows looked up and characters compared without an index
    std::unique_ptr<AnchorIndex> index;
};

// Indexes of all anchors together stay below a budget; the least recently
// used one goes first.
class AnchorCache {
public:
    explicit AnchorCache(std::size_t budgetBytes) : budget_(budgetBytes) {}

    AnchorSlot& slot(Side side, std::int32_t anchor) { return slots_[side][anchor]; }
    // The index of an anchor, null when there is none.
    AnchorIndex* find(Side side, std::int32_t anchor) const {
        const auto it = slots_[side].find(anchor);
        return it == slots_[side].end() ? nullptr : it->second.index.get();
    }

    // An index made just now counts towards the budget; others are dropped,
    // least recently used first, while the budget is exceeded.
    void added(const AnchorIndex& index);
    // An index about to be made again no longer counts.
    void removed(const AnchorIndex& index) { bytes_ -= index.bytes; }
    void used(AnchorIndex& index) { index.lastUse = ++uses_; }

private:
    std::unordered_map<std::int32_t, AnchorSlot> slots_[2];  // per side, per anchor
    std::size_t budget_;
    std::size_t bytes_ = 0;
    std::uint64_t uses_ = 0;
};

}  // namespace sequara::ends
