#include "tests/support/EndRealignmentOracle.h"

#include "sequence/CharacterRules.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace sequara::oracle {

namespace {

bool matchesReference(const std::string& Reference, const std::string& Sequence, const TAlignmentRow& Row,
                      std::size_t i, const MatchTable& table) {
    const std::int32_t e = Row[i];
    return i < Sequence.size() && e >= 1 && static_cast<std::size_t>(e) <= Reference.size() &&
           table(Sequence[i], Reference[static_cast<std::size_t>(e) - 1]);
}

// The first element of a row whose entry equals a value.  The row is kept as
// its runs of entries rising by one; when the runs' values rise from run to
// run (the usual case), a value lies in at most one run and is found by
// binary search, otherwise the runs are searched in element order.
class FirstElementLookup {
public:
    void build(const TAlignmentRow& row) {
        runs_.clear();
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (row[i] < 1) continue;
            if (!runs_.empty()) {
                Run& last = runs_.back();
                if (last.firstIndex + last.length == static_cast<std::int64_t>(i) &&
                    last.firstValue + last.length == row[i]) {
                    ++last.length;
                    continue;
                }
            }
            runs_.push_back({row[i], static_cast<std::int64_t>(i), 1});
        }
        rising_ = true;
        for (std::size_t k = 1; k < runs_.size() && rising_; ++k)
            rising_ = runs_[k - 1].firstValue + runs_[k - 1].length <= runs_[k].firstValue;
    }

    // -1 when no element holds the value.
    std::int64_t find(std::int32_t value) const {
        if (rising_) {
            auto it = std::upper_bound(runs_.begin(), runs_.end(), value,
                                       [](std::int32_t v, const Run& r) { return v < r.firstValue; });
            if (it == runs_.begin()) return -1;
            --it;
            return value < it->firstValue + it->length ? it->firstIndex + (value - it->firstValue) : -1;
        }
        for (const Run& r : runs_)
            if (value >= r.firstValue && value < r.firstValue + r.length) return r.firstIndex + (value - r.firstValue);
        return -1;
    }

private:
    struct Run {
        std::int64_t firstValue;
        std::int64_t firstIndex;
        std::int64_t length;
    };
    std::vector<Run> runs_;
    bool rising_ = true;
};

class EndRealigner {
public:
    EndRealigner(TAlignmentResult& alignment, const TFastaDataSet& dataSet, const std::string& reference,
                 const std::string& dataType)
        : rows_(alignment), data_(dataSet), ref_(reference), table_(MatchTableFor(dataType)),
          count_(std::min(alignment.size(), dataSet.size())), lookups_(count_) {
        for (std::size_t r = 0; r < count_; ++r) lookups_[r].build(rows_[r]);
    }

    void run() {
        for (std::size_t r = 0; r < count_; ++r) {
            if (endStep(r)) lookups_[r].build(rows_[r]);
            if (startStep(r)) lookups_[r].build(rows_[r]);
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
        const std::int64_t na = static_cast<std::int64_t>(std::min(a.size(), rows_[r].size()));
        const std::int64_t nb = static_cast<std::int64_t>(std::min(b.size(), rows_[o].size()));
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

    bool endStep(std::size_t r) {
        TAlignmentRow& row = rows_[r];
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
        if (count < 10 || H - (a + 9) < 3) return false;
        const std::int32_t anchor = row[static_cast<std::size_t>(a)];
        std::int64_t bestL = 0, bestAfter = 0;
        std::size_t bestRow = 0;
        std::int64_t bestK = 0;
        for (std::size_t o = 0; o < count_; ++o) {
            if (o == r) continue;
            const std::int64_t k = lookups_[o].find(anchor);
            if (k < 0) continue;
            // Pairs (a - 1 + t, k - 1 + t) for t = 0, 1, ...: at most the
            // H - a + 2 pairs up to row r's last element, and only while both
            // characters exist.
            const std::int64_t pairs = H - a + 2;
            const std::int64_t L = matchingRun(r, a - 1, o, k - 1, pairs, +1);
            if (L == 0) continue;
            const std::int64_t t = L == pairs ? L - 1 : L;  // the last pair compared
            // None when the last pair lay past row o's end (it ran out).
            const std::int64_t after = std::max<std::int64_t>(0, static_cast<std::int64_t>(rows_[o].size()) - k - t);
            if (L > bestL || (L == bestL && after > bestAfter)) {
                bestL = L;
                bestAfter = after;
                bestRow = o;
                bestK = k;
            }
        }
        if (bestL <= 10) return false;
        const TAlignmentRow& source = rows_[bestRow];
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
        const std::int32_t anchor = row[static_cast<std::size_t>(b)];
        std::int64_t bestL = 0, bestK = -1;
        std::size_t bestRow = 0;
        for (std::size_t o = 0; o < count_; ++o) {
            if (o == r) continue;
            const std::int64_t k = lookups_[o].find(anchor);
            if (k < 0) continue;
            // Pairs (b - t, k - t) for t = 0, 1, ... down to element 0 of row r.
            const std::int64_t L = matchingRun(r, b, o, k, b + 1, -1);
            if (L == 0) continue;
            if (L > bestL || (L == bestL && k > bestK)) {
                bestL = L;
                bestK = k;
                bestRow = o;
            }
        }
        if (bestL <= 10) return false;
        const TAlignmentRow& source = rows_[bestRow];
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
    std::size_t count_;
    std::vector<FirstElementLookup> lookups_;
};

}  // namespace

void RealignSequenceEnds(TAlignmentResult& Alignment, const TFastaDataSet& DataSet, const std::string& Reference,
                         const std::string& DataType) {
    EndRealigner(Alignment, DataSet, Reference, DataType).run();
}

}  // namespace sequara::oracle
