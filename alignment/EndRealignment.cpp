#include "alignment/EndRealignment.h"

#include "alignment/EndRealigner.h"
#include "alignment/TextHash.h"
#include "alignment/WordScan.h"
#include "sequence/CharacterRules.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <cstdint>
#include <limits>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

namespace sequara {

namespace {

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

bool matchesItself(const MatchTable& table) {
    for (int c = 0; c < 256; ++c)
        if (!table(static_cast<char>(c), static_cast<char>(c))) return false;
    return true;
}

}  // namespace

}  // namespace sequara

namespace sequara::ends {

namespace {

std::size_t loadBudget(const TAlignmentResult& alignment) {
    std::size_t bytes = std::size_t(256) << 20;
    std::size_t entries = 0;
    for (const TAlignmentRow& row : alignment) entries += row.size();
    return std::max(bytes, entries * sizeof(std::int32_t));
}

}  // namespace

EndRealigner::EndRealigner(TAlignmentResult& alignment, const TFastaDataSet& dataSet, const std::string& reference,
             const std::string& dataType, std::size_t indexBudget)
    : rows_(alignment), data_(dataSet), ref_(reference), table_(MatchTableFor(dataType)),
      wild_(wildCharacters(dataType)), count_(std::min(alignment.size(), dataSet.size())), lookups_(count_),
      reflexive_(matchesItself(table_)),
      texts_(count_), firstWild_(count_), lastWild_(count_), textClass_(count_, -1), endAnchor_(count_), changedAt_(count_, -1),
      cache_(indexBudget == kLoadBudget ? loadBudget(alignment) : indexBudget) {
    std::size_t slots = 16;
    while (slots < 2 * count_) slots *= 2;
    classSlots_.assign(slots, -1);
    classTexts_.reserve(count_);
    classHashes_.reserve(count_);
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
        const std::string& text = data_[r].Sequence;
        texts_[r] = {text.data(), static_cast<std::int32_t>(std::min(text.size(), rows_[r].size())),
                     static_cast<std::int32_t>(rows_[r].size())};
    }
}

void EndRealigner::run() {
    for (std::size_t r = 0; r < count_; ++r) {
        if (r + kRowsAhead < count_) {  // the start step reads a row's first elements
            fetchAhead(rows_[r + kRowsAhead].data());
            fetchAhead(data_[r + kRowsAhead].Sequence.data());
        }
        // Row r's start step asks only other rows' look-ups, and the indexes
        // take in its changes once it is listed among the changed rows, so
        // its look-ups are made again once, after both steps.
        const bool endChanged = endStep(r);
        const std::int64_t startChanged = startStep(r);
        if (endChanged || startChanged >= 0) {
            ChangedRow changed{static_cast<std::int32_t>(r), {}, {}, lookups_.runsOf(r)};
            const std::int64_t last = static_cast<std::int64_t>(rows_[r].size()) - 1;
            auto note = [&] {
                if (endChanged) changed.end.add(lookups_.valuesWithin(r, endAnchor_[r] - 1, last));
                if (startChanged >= 0) changed.start.add(lookups_.valuesWithin(r, 0, startChanged));
            };
            note();
            lookups_.build(r, rows_[r]);
            note();
            changedAt_[r] = static_cast<std::int32_t>(changedRows_.size());
            changedRows_.push_back(changed);
        }
    }
}

std::int64_t EndRealigner::matchingRun(std::size_t r, std::int64_t i, std::size_t o, std::int64_t k, std::int64_t maxPairs,
                         int step) const {
    // A character needs an entry too: a row shorter than its sequence
    // ends the comparison at its own end.
    const std::int64_t na = texts_[r].available;
    const std::int64_t nb = texts_[o].available;
    if (i < 0 || k < 0 || i >= na || k >= nb) return 0;
    // Pairs available before either sequence ends in the direction of step.
    const std::int64_t available = step > 0 ? std::min(na - i, nb - k) : std::min(i, k) + 1;
    const std::int64_t limit = std::min(maxPairs, available);
    const char* x = texts_[r].text + i;
    const char* y = texts_[o].text + k;
    std::int64_t t = 0;
    if (reflexive_) {
        // Equal characters match: they are passed eight at a time, and
        // the table decides only where the characters differ.
        while (t < limit) {
            const auto rest = static_cast<std::size_t>(limit - t);
            t += static_cast<std::int64_t>(
                step > 0 ? commonPrefix(std::string_view(x + t, rest), std::string_view(y + t, rest))
                         : commonSuffix(std::string_view(x - (limit - 1), rest), std::string_view(y - (limit - 1), rest)));
            if (t == limit || !table_(x[t * step], y[t * step])) break;
            ++t;
        }
        return t;
    }
    while (t < limit && table_(x[t * step], y[t * step])) ++t;
    return t;
}

bool EndRealigner::isClean(Side side, std::size_t o, std::int64_t i) {
    describeText(o);
    return side == kEnd ? lastWild_[o] < i : firstWild_[o] > i;
}

void EndRealigner::describeText(std::size_t o) {
    if (textClass_[o] >= 0) return;
    const std::string& s = data_[o].Sequence;
    const std::int64_t n = texts_[o].available;
    auto isWild = [&](std::int64_t i) { return wild_[static_cast<unsigned char>(s[static_cast<std::size_t>(i)])]; };
    // The text is read once, for its hash: the groups of eight characters
    // holding a wild character are noted on the way (the first and the
    // last), and only those two are looked at closer.
    std::int64_t first = n, last = -1;
    const std::string_view text(s.data(), static_cast<std::size_t>(n));
    const std::uint64_t hash = hashText(text, [&](std::size_t i, std::uint64_t x, std::size_t count) {
        bool any = false;
        for (std::size_t j = 0; j < count; ++j) any |= wild_[(x >> (8 * j)) & 0xFF];
        if (!any) return;
        if (first == n) first = static_cast<std::int64_t>(i);
        last = static_cast<std::int64_t>(i + count) - 1;
    });
    if (first < n) {
        while (!isWild(first)) ++first;
        while (!isWild(last)) --last;
    }
    firstWild_[o] = first;
    lastWild_[o] = last;
    const std::size_t mask = classSlots_.size() - 1;
    std::size_t slot = hash & mask;
    std::int32_t c = classSlots_[slot];
    for (; c >= 0; c = classSlots_[slot]) {
        const auto u = static_cast<std::size_t>(c);
        if (classHashes_[u] == hash && classTexts_[u] == text) break;
        slot = (slot + 1) & mask;
    }
    if (c < 0) {
        c = static_cast<std::int32_t>(classTexts_.size());
        classTexts_.push_back(text);
        classHashes_.push_back(hash);
        classSlots_[slot] = c;
    }
    textClass_[o] = c;
}

std::int64_t EndRealigner::consider(Side side, std::size_t r, std::int64_t from, std::int64_t pairs, std::size_t o,
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

Choice EndRealigner::scanAll(Side side, std::size_t r, std::int32_t anchor, std::int64_t from, std::int64_t pairs,
               std::int64_t& work) const {
    Choice best;
    forEachRow(side, anchor, [&](std::size_t o, std::int64_t k) {
        if (o != r && k >= 0) work += consider(side, r, from, pairs, o, k, best);
    });
    work += static_cast<std::int64_t>(count_);
    return best;
}

Choice EndRealigner::bestRow(Side side, std::size_t r, std::int32_t anchor, std::int64_t from, std::int64_t pairs) {
    AnchorSlot& slot = cache_.slot(side, anchor);
    if (!slot.index) {
        // An index made from a near one costs about two looks at every
        // row per anchor it is away beyond the first kInduceAtOnce; a
        // start index, whose words are short, a few.
        const std::int32_t near = nearIndex(side, anchor);
        const std::int64_t alone = side == kStart ? kScanWorkBeforeStartIndex : kScanWorkBeforeIndex;
        const std::int64_t away = std::abs(std::int64_t(near) - anchor);
        const std::int64_t buildWork =
            near != anchor ? std::min<std::int64_t>(alone, 2 * std::max<std::int64_t>(0, away - kInduceAtOnce)) : alone;
        if (slot.scanWork < buildWork * static_cast<std::int64_t>(count_))
            return scanAll(side, r, anchor, from, pairs, slot.scanWork);
    }
    if (!isClean(side, r, from)) {
        std::int64_t work = 0;
        return scanAll(side, r, anchor, from, pairs, work);
    }
    if (!slot.index) {
        slot.index = makeIndex(side, anchor);
    } else {
        catchUp(side, anchor, *slot.index);
        AnchorIndex& index = *slot.index;
        if (index.staleCount + index.moved.size() > changeLimit(index)) {
            cache_.removed(index);
            slot.index.reset();
            slot.index = makeIndex(side, anchor);
        }
    }
    AnchorIndex& index = *slot.index;
    cache_.used(index);
    Choice best = indexedChoice(side, r, from, pairs, index);
    const std::uint64_t own = leadAt(side, r, from);
    for (const Candidate& c : index.wild)
        if (static_cast<std::size_t>(c.row) != r && !fallsShort(own, c.lead, best.pairs) &&
            !index.rows[static_cast<std::size_t>(c.row)].stale)
            consider(side, r, from, pairs, static_cast<std::size_t>(c.row), c.element, best);
    for (const Candidate& c : index.moved)
        if (static_cast<std::size_t>(c.row) != r && !fallsShort(own, c.lead, best.pairs))
            consider(side, r, from, pairs, static_cast<std::size_t>(c.row), c.element, best);
    return best;
}

std::int64_t EndRealigner::endAnchorElement(std::size_t r) const {
    const TAlignmentRow& row = rows_[r];
    const std::string& seq = data_[r].Sequence;
    const std::int64_t H = static_cast<std::int64_t>(row.size()) - 1;
    int count = 0;
    std::int64_t a = -1;
    // The elements after the last one holding a position match nothing:
    // a row reaching past the reference's end is not read there (its
    // look-ups were made from the row just now).
    for (std::int64_t i = lookups_.lastHeld(r); i >= 1 && count < 10; --i) {
        const auto u = static_cast<std::size_t>(i);
        if (matchesReference(ref_, seq, row, u, table_) && std::int64_t(row[u]) == std::int64_t(row[u - 1]) + 1) {
            if (++count == 10) a = i;
        } else {
            count = 0;
        }
    }
    return count < 10 || H - (a + 9) < 3 ? -1 : a;
}

bool EndRealigner::endStep(std::size_t r) {
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
    const auto copied = source.begin() + static_cast<std::ptrdiff_t>(bestK - 1);
    const auto target = row.begin() + static_cast<std::ptrdiff_t>(a - 1);
    bool changed = false;
    // Mostly the source holds the entries the row has, and the row goes on
    // as it would be continued: the rows' runs tell so without reading
    // the entries, which in a large load would come from memory row after
    // row.  When the row's positions rise throughout, so do the copied ones.
    const bool copiedAsTheyAre = lookups_.rises(r) && lookups_.sameEntries(r, a - 1, static_cast<std::size_t>(best.row), bestK - 1, bestL);
    if (!copiedAsTheyAre) {
        // The continued entries rise by construction; the copied ones must
        // rise from the last position before them.
        std::int32_t previous = 0;
        for (std::int64_t i = a - 2; i >= 0 && previous < 1; --i) previous = row[static_cast<std::size_t>(i)];
        for (std::int64_t t = 0; t < bestL; ++t) {
            const std::int32_t v = copied[t];
            if (v < 1) continue;
            if (v <= previous) return false;
            previous = v;
        }
        for (std::int64_t t = 0; t < bestL; ++t) changed |= rewrite(target[t], copied[t]);
    }
    const std::int64_t m = static_cast<std::int64_t>(ref_.size());
    const std::int64_t continued = a + bestL - 1;
    if (copiedAsTheyAre && lookups_.continues(r, continued, H, row[static_cast<std::size_t>(continued - 1)], m)) return false;
    for (std::int64_t q = continued; q <= H; ++q) {
        const std::int32_t previous = row[static_cast<std::size_t>(q - 1)];
        const std::int64_t v = previous > 0 ? std::int64_t(previous) + 1 : -1;
        changed |= rewrite(row[static_cast<std::size_t>(q)], v > m ? -1 : static_cast<std::int32_t>(v));
    }
    return changed;
}

std::int64_t EndRealigner::startStep(std::size_t r) {
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
    if (count < 10 || b - 9 < 1) return -1;
    // Pairs (b - t, k - t) for t = 0, 1, ... down to element 0 of row r.
    const Choice best = bestRow(kStart, r, row[static_cast<std::size_t>(b)], b, b + 1);
    const std::int64_t bestL = best.pairs, bestK = best.element;
    if (bestL <= 10) return -1;
    const TAlignmentRow& source = rows_[static_cast<std::size_t>(best.row)];
    // The continued entries fall by construction; the copied ones must
    // fall from the first position after them.
    std::int32_t next = std::numeric_limits<std::int32_t>::max();
    for (std::int64_t i = b + 1; i <= H && next == std::numeric_limits<std::int32_t>::max(); ++i)
        if (row[static_cast<std::size_t>(i)] >= 1) next = row[static_cast<std::size_t>(i)];
    for (std::int64_t t = 0; t <= bestL - 2; ++t) {
        const std::int32_t v = source[static_cast<std::size_t>(bestK - t)];
        if (v < 1) continue;
        if (v >= next) return -1;
        next = v;
    }
    bool changed = false;
    for (std::int64_t t = 0; t <= bestL - 2; ++t)
        changed |= rewrite(row[static_cast<std::size_t>(b - t)], source[static_cast<std::size_t>(bestK - t)]);
    for (std::int64_t q = b - bestL + 1; q >= 0; --q) {
        const std::int32_t next = row[static_cast<std::size_t>(q + 1)];
        const std::int32_t v = next > 0 ? next - 1 : -1;
        changed |= rewrite(row[static_cast<std::size_t>(q)], v < 1 ? -1 : v);
    }
    return changed ? b : -1;
}

}  // namespace sequara::ends

namespace sequara {

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
    ends::EndRealigner(Alignment, DataSet, Reference, DataType).run();
}

}  // namespace sequara
