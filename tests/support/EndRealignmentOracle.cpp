#include "tests/support/EndRealignmentOracle.h"

#include "sequence/CharacterRules.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace sequara::oracle {

namespace {

// Per row, the pairs (entry, element) of its entries of at least 1, sorted,
// one pair per entry: the one with the smallest element.
using EntryIndex = std::vector<std::pair<std::int32_t, std::int64_t>>;

EntryIndex indexEntries(const TAlignmentRow& row) {
    EntryIndex pairs;
    for (std::size_t i = 0; i < row.size(); ++i)
        if (row[i] >= 1) pairs.emplace_back(row[i], static_cast<std::int64_t>(i));
    std::sort(pairs.begin(), pairs.end());
    EntryIndex firsts;
    for (const auto& pair : pairs)
        if (firsts.empty() || firsts.back().first != pair.first) firsts.push_back(pair);
    return firsts;
}

// The first element holding the value, -1 when none does.
std::int64_t firstElementOf(const EntryIndex& index, std::int32_t value) {
    const auto it = std::lower_bound(index.begin(), index.end(), std::make_pair(value, std::int64_t(0)));
    return it != index.end() && it->first == value ? it->second : -1;
}

// The best row found so far for one step.
struct Best {
    std::int64_t pairs = 0;
    std::int64_t tie = 0;
    std::size_t row = 0;
    std::int64_t element = 0;
};

class EndRealigner {
public:
    EndRealigner(TAlignmentResult& alignment, const TFastaDataSet& dataSet, const std::string& reference,
                 const std::string& dataType)
        : rows_(alignment), data_(dataSet), ref_(reference), table_(MatchTableFor(dataType)),
          count_(std::min(alignment.size(), dataSet.size())) {
        for (std::size_t r = 0; r < count_; ++r) index_.push_back(indexEntries(rows_[r]));
    }

    void run() {
        for (std::size_t r = 0; r < count_; ++r) {
            endStep(r);
            startStep(r);
        }
    }

private:
    // Element i of row r has a character: inside both the row and its sequence.
    bool hasCharacter(std::size_t r, std::int64_t i) const {
        return i >= 0 && i < static_cast<std::int64_t>(rows_[r].size()) &&
               i < static_cast<std::int64_t>(data_[r].Sequence.size());
    }

    char character(std::size_t r, std::int64_t i) const { return data_[r].Sequence[static_cast<std::size_t>(i)]; }

    std::int32_t entry(std::size_t r, std::int64_t i) const { return rows_[r][static_cast<std::size_t>(i)]; }

    // Element i's character matches the reference character its entry names.
    bool matchesReference(std::size_t r, std::int64_t i) const {
        if (!hasCharacter(r, i)) return false;
        const std::int32_t e = entry(r, i);
        if (e < 1 || e > static_cast<std::int64_t>(ref_.size())) return false;
        return table_(character(r, i), ref_[static_cast<std::size_t>(e - 1)]);
    }

    // Pairs (i + t * step of row r, k + t * step of row o) for t = 0, 1, ...:
    // how many match before one differs or either element has no
    // character, at most maxPairs.
    std::int64_t matchingPairs(std::size_t r, std::int64_t i, std::size_t o, std::int64_t k, std::int64_t maxPairs,
                               int step) const {
        std::int64_t t = 0;
        while (t < maxPairs) {
            const std::int64_t x = i + t * step, y = k + t * step;
            if (!hasCharacter(r, x) || !hasCharacter(o, y) || !table_(character(r, x), character(o, y))) break;
            ++t;
        }
        return t;
    }

    // The entries the step would leave in row r, kept only when its entries
    // of at least 1 still rise strictly from one to the next wherever they
    // rose before: checked over the written elements first..last together
    // with the nearest such entry outside them on either side.
    void commit(std::size_t r, const TAlignmentRow& changed, std::int64_t first, std::int64_t last) {
        std::vector<std::int32_t> seen;
        for (std::int64_t i = first - 1; i >= 0; --i)
            if (changed[static_cast<std::size_t>(i)] >= 1) {
                seen.push_back(changed[static_cast<std::size_t>(i)]);
                break;
            }
        for (std::int64_t i = first; i <= last; ++i)
            if (changed[static_cast<std::size_t>(i)] >= 1) seen.push_back(changed[static_cast<std::size_t>(i)]);
        for (std::size_t i = static_cast<std::size_t>(last) + 1; i < changed.size(); ++i)
            if (changed[i] >= 1) {
                seen.push_back(changed[i]);
                break;
            }
        for (std::size_t i = 1; i < seen.size(); ++i)
            if (seen[i] <= seen[i - 1]) return;
        rows_[r] = changed;
        index_[r] = indexEntries(rows_[r]);
    }

    void endStep(std::size_t r) {
        const std::int64_t H = static_cast<std::int64_t>(rows_[r].size()) - 1;
        // The last run a..a+9 (a at least 1) of elements matching the
        // reference, each entry one more than the element before it.
        auto qualifies = [&](std::int64_t i) {
            return matchesReference(r, i) && std::int64_t(entry(r, i)) == std::int64_t(entry(r, i - 1)) + 1;
        };
        std::int64_t a = -1;
        for (std::int64_t start = H - 9; start >= 1 && a < 0; --start) {
            bool all = true;
            for (std::int64_t i = start; i < start + 10; ++i) all = all && qualifies(i);
            if (all) a = start;
        }
        if (a < 0 || H - (a + 9) < 3) return;
        const std::int32_t anchor = entry(r, a);
        const std::int64_t maxPairs = H - a + 2;  // pairs up to row r's last element
        Best best;
        for (std::size_t o = 0; o < count_; ++o) {
            if (o == r) continue;
            const std::int64_t k = firstElementOf(index_[o], anchor);
            if (k < 0) continue;
            const std::int64_t L = matchingPairs(r, a - 1, o, k - 1, maxPairs, +1);
            if (L == 0) continue;
            // Row o's elements after the last pair compared (the one that
            // differed, or the last one when all matched); none when that
            // pair lay past row o's end.
            const std::int64_t lastCompared = k - 1 + (L == maxPairs ? L - 1 : L);
            const std::int64_t after = std::max<std::int64_t>(0, static_cast<std::int64_t>(rows_[o].size()) - 1 - lastCompared);
            if (L > best.pairs || (L == best.pairs && after > best.tie)) best = {L, after, o, k};
        }
        if (best.pairs <= 10) return;
        TAlignmentRow changed = rows_[r];
        for (std::int64_t t = 0; t < best.pairs; ++t)
            changed[static_cast<std::size_t>(a - 1 + t)] = entry(best.row, best.element - 1 + t);
        for (std::int64_t q = a - 1 + best.pairs; q <= H; ++q) {
            const std::int32_t before = changed[static_cast<std::size_t>(q - 1)];
            const bool continues = before >= 1 && before < static_cast<std::int64_t>(ref_.size());
            changed[static_cast<std::size_t>(q)] = continues ? before + 1 : -1;
        }
        commit(r, changed, a - 1, H);
    }

    void startStep(std::size_t r) {
        const std::int64_t H = static_cast<std::int64_t>(rows_[r].size()) - 1;
        // The first run s..s+9 (s + 9 before the last element) of elements
        // matching the reference; b is its last element.
        std::int64_t b = -1;
        for (std::int64_t start = 0; start + 9 <= H - 1 && b < 0; ++start) {
            bool all = true;
            for (std::int64_t i = start; i < start + 10; ++i) all = all && matchesReference(r, i);
            if (all) b = start + 9;
        }
        if (b < 0 || b - 9 < 1) return;
        const std::int32_t anchor = entry(r, b);
        Best best;
        for (std::size_t o = 0; o < count_; ++o) {
            if (o == r) continue;
            const std::int64_t k = firstElementOf(index_[o], anchor);
            if (k < 0) continue;
            const std::int64_t L = matchingPairs(r, b, o, k, b + 1, -1);
            if (L == 0) continue;
            if (L > best.pairs || (L == best.pairs && k > best.tie)) best = {L, k, o, k};
        }
        if (best.pairs <= 10) return;
        TAlignmentRow changed = rows_[r];
        for (std::int64_t t = 0; t < best.pairs - 1; ++t)
            changed[static_cast<std::size_t>(b - t)] = entry(best.row, best.element - t);
        for (std::int64_t q = b - best.pairs + 1; q >= 0; --q) {
            const std::int32_t after = changed[static_cast<std::size_t>(q + 1)];
            changed[static_cast<std::size_t>(q)] = after > 1 ? after - 1 : -1;
        }
        commit(r, changed, 0, b);
    }

    TAlignmentResult& rows_;
    const TFastaDataSet& data_;
    const std::string& ref_;
    const MatchTable& table_;
    std::size_t count_;
    std::vector<EntryIndex> index_;  // per row
};

}  // namespace

void RealignSequenceEnds(TAlignmentResult& Alignment, const TFastaDataSet& DataSet, const std::string& Reference,
                         const std::string& DataType) {
    EndRealigner(Alignment, DataSet, Reference, DataType).run();
}

}  // namespace sequara::oracle
