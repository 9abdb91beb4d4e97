#include "alignment/AlignmentPostPasses.h"

#include "sequence/CharacterRules.h"

#include <algorithm>
#include <array>

namespace sequara {

void ShiftInsertionsInHomopolymers(TAlignmentRow& Row, const std::string& Sequence) {
    const std::size_t n = std::min(Row.size(), Sequence.size());
    for (std::size_t p = 0; p < n; ++p) {
        if (Row[p] != -1) continue;
        std::size_t k = p;
        while (k + 1 < n && Sequence[k] == Sequence[k + 1]) {
            Row[k] = Row[k + 1];
            Row[k + 1] = -1;
            ++k;
        }
    }
}

namespace {

int positionCost(const std::string& Sequence, const std::string& Reference, std::size_t q, std::int32_t e,
                 const MatchTable& table) {
    if (e < 1 || static_cast<std::size_t>(e) > Reference.size()) return 10;
    const char s = Sequence[q];
    const char r = Reference[static_cast<std::size_t>(e) - 1];
    if (table(s, r)) return 0;
    if ((s == 'A' || s == 'G') && (r == 'C' || r == 'T')) return 2;
    return 1;
}

}  // namespace

int PositionCost(const std::string& Sequence, const std::string& Reference, std::size_t q, std::int32_t e,
                 const std::string& DataType) {
    return positionCost(Sequence, Reference, q, e, MatchTableFor(DataType));
}

void RefineGapPlacement(TAlignmentRow& Row, const std::string& Sequence, const std::string& Reference,
                        const std::string& DataType) {
    const std::size_t n = std::min(Row.size(), Sequence.size());
    if (n < 2) return;
    // Characters are numbered from 1 in this pass: character c has entry
    // Row[c - 1].
    auto entry = [&Row](std::size_t c) -> std::int32_t& { return Row[c - 1]; };
    const MatchTable& table = MatchTableFor(DataType);
    auto cost = [&](std::size_t c, std::int32_t e) { return positionCost(Sequence, Reference, c - 1, e, table); };
    std::array<std::int32_t, 8> trial{};  // trial[q - k] for q = k..i, at most 7 characters
    for (std::size_t i = n; i >= 2; --i) {
        if (entry(i) != -1) continue;
        const std::size_t lowest = std::max<std::size_t>(i > 6 ? i - 6 : 1, 1);
        // When every entry of the largest window is -1, every trial is all
        // -1 as well and costs exactly as much as the window: nothing moves.
        bool anyPlaced = false;
        for (std::size_t q = lowest; q < i && !anyPlaced; ++q) anyPlaced = entry(q) != -1;
        if (!anyPlaced) continue;
        int current = 10;
        std::size_t k = i;
        bool done = false;
        while (!done && k > lowest) {
            --k;
            current += cost(k, entry(k));
            for (std::size_t s = 1; s <= 3 && s <= i - k && !done; ++s) {
                for (std::size_t q = i; q >= k + s; --q) trial[q - k] = entry(q - s);
                const std::int32_t before = k > 1 ? entry(k - 1) : 0;
                for (std::size_t q = k + s - 1; q >= k; --q) {  // k >= 1, so q never wraps
                    const std::int32_t next = trial[q + 1 - k];
                    trial[q - k] = (next > 0 && k > 1 && before > 0 && before < next - 1) ? next - 1 : -1;
                }
                // Costs are never negative: a partial sum that reaches the
                // current cost already rules the trial out.
                int trialCost = 0;
                for (std::size_t q = k; q <= i && trialCost < current; ++q) trialCost += cost(q, trial[q - k]);
                if (trialCost < current) {
                    for (std::size_t q = k; q <= i; ++q) entry(q) = trial[q - k];
                    done = true;
                }
            }
        }
    }
}

void AnchorSequenceEnds(TAlignmentRow& Row, int RunLength, int RefLength) {
    const std::size_t n = Row.size();
    if (RunLength < 2 || n < 2) return;
    const std::size_t L = static_cast<std::size_t>(RunLength);
    // Start: the first stretch of L consecutive positions from the left.
    std::size_t run = 1;
    for (std::size_t p = 1; p < n; ++p) {  // p is 0-based here
        run = (Row[p - 1] == Row[p] - 1) ? run + 1 : 1;
        if (run == L) {
            // The stretch covers elements p - L + 1 .. p.
            for (std::size_t q = p + 1 - L; q-- > 0;) {
                std::int32_t v = Row[q + 1] - 1;
                Row[q] = v <= 0 ? -1 : v;
            }
            break;
        }
    }
    // End: the last such stretch, counted from the right.
    run = 1;
    for (std::size_t p = n - 1; p-- > 0;) {
        run = (Row[p] == Row[p + 1] - 1) ? run + 1 : 1;
        if (run == L) {
            // The stretch covers elements p .. p + L - 1.
            for (std::size_t q = p + L; q < n; ++q) {
                std::int32_t v = Row[q - 1] > 0 ? Row[q - 1] + 1 : -1;
                Row[q] = v > RefLength ? -1 : v;
            }
            break;
        }
    }
}

}  // namespace sequara
