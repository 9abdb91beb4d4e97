#include "tests/support/StepByStepAligner.h"

#include "alignment/EndRealignment.h"
#include "alignment/Orientation.h"
#include "alignment/PairwiseAligner.h"
#include "sequence/CharacterRules.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace sequara::testing {

namespace {

// Character p and reference position j are numbered from 1 here:
// Sequence[p] is S[p - 1], Reference[j] is R[j - 1],
// F[p] is Row[p - 1].
struct Text {
    const std::string& s;
    char operator[](std::int64_t i) const { return s[static_cast<std::size_t>(i - 1)]; }
};

}  // namespace

void StepByStepForwardPass(const std::string& Reference, const std::string& Sequence, TAlignmentRow& Forward,
                        const std::string& DataType, int MinAlignmentMatch) {
    const std::int64_t n = static_cast<std::int64_t>(Sequence.size());
    const std::int32_t m = static_cast<std::int32_t>(Reference.size());
    const int K = EffectiveMinAlignmentMatch(MinAlignmentMatch);
    const Text S{Sequence}, R{Reference};
    Forward.assign(static_cast<std::size_t>(n), 0);
    auto F = [&Forward](std::int64_t p) -> std::int32_t& { return Forward[static_cast<std::size_t>(p - 1)]; };
    std::vector<TMatch> candidates(static_cast<std::size_t>(n));
    std::vector<std::int32_t> order;
    while (!AllAssigned(Forward)) {
        for (std::int64_t p = 1; p <= n; ++p) {
            TMatch& c = candidates[static_cast<std::size_t>(p - 1)];
            if (F(p) != 0) {
                c = {-1, -1};
                continue;
            }
            c = {0, 0};
            const std::int32_t s = WindowStart(Forward, static_cast<std::size_t>(p - 1));
            const std::int32_t e = WindowEnd(Forward, static_cast<std::size_t>(p - 1), m);
            for (std::int32_t j = s; j <= e; ++j) {
                std::int32_t t = 0;
                while (p + t <= n && F(p + t) == 0 && j + t <= e && j + t <= m &&
                       CharactersMatch(S[p + t], R[j + t], DataType))
                    ++t;
                if (t > c.NumberOfMatches) c = {t, j};
            }
        }
        SortMatchesByLength(candidates, order);
        const std::int64_t p = order[0] + 1;
        const TMatch best = candidates[static_cast<std::size_t>(order[0])];
        if (best.NumberOfMatches >= K) {
            for (std::int32_t t = 0; t < best.NumberOfMatches; ++t) F(p + t) = best.MatchPosition + t;
            continue;
        }
        for (std::int64_t q = 1; q <= n; ++q) {
            if (F(q) != 0) continue;
            const std::int32_t s = WindowStart(Forward, static_cast<std::size_t>(q - 1));
            const std::int32_t e = WindowEnd(Forward, static_cast<std::size_t>(q - 1), m);
            F(q) = s <= e ? s : -1;
        }
    }
}

void StepByStepBackwardPass(const std::string& Reference, const std::string& Sequence, TAlignmentRow& Backward,
                         const std::string& DataType, int MinAlignmentMatch) {
    const std::int64_t n = static_cast<std::int64_t>(Sequence.size());
    const std::int32_t m = static_cast<std::int32_t>(Reference.size());
    const int K = EffectiveMinAlignmentMatch(MinAlignmentMatch);
    const Text S{Sequence}, R{Reference};
    Backward.assign(static_cast<std::size_t>(n), 0);
    auto B = [&Backward](std::int64_t p) -> std::int32_t& { return Backward[static_cast<std::size_t>(p - 1)]; };
    std::vector<TMatch> candidates(static_cast<std::size_t>(n));
    std::vector<std::int32_t> order;
    while (!AllAssigned(Backward)) {
        for (std::int64_t p = n; p >= 1; --p) {
            TMatch& c = candidates[static_cast<std::size_t>(p - 1)];
            if (B(p) != 0) {
                c = {-1, -1};
                continue;
            }
            c = {0, 0};
            const std::int32_t s = WindowStart(Backward, static_cast<std::size_t>(p - 1));
            const std::int32_t e = WindowEnd(Backward, static_cast<std::size_t>(p - 1), m);
            for (std::int32_t j = e; j >= s; --j) {
                std::int32_t t = 0;
                while (p - t >= 1 && B(p - t) == 0 && j - t >= s && j - t >= 1 &&
                       CharactersMatch(S[p - t], R[j - t], DataType))
                    ++t;
                if (t > c.NumberOfMatches) c = {t, j};
            }
        }
        SortMatchesByLength(candidates, order);
        const std::int64_t p = order[0] + 1;
        const TMatch best = candidates[static_cast<std::size_t>(order[0])];
        if (best.NumberOfMatches >= K) {
            for (std::int32_t t = 0; t < best.NumberOfMatches; ++t) B(p - t) = best.MatchPosition - t;
            continue;
        }
        for (std::int64_t q = n; q >= 1; --q) {
            if (B(q) != 0) continue;
            const std::int32_t s = WindowStart(Backward, static_cast<std::size_t>(q - 1));
            const std::int32_t e = WindowEnd(Backward, static_cast<std::size_t>(q - 1), m);
            B(q) = s <= e ? e : -1;
        }
    }
}

void StepByStepShiftInsertionsInHomopolymers(TAlignmentRow& Row, const std::string& Sequence) {
    const std::int64_t n = static_cast<std::int64_t>(Row.size());
    const Text S{Sequence};
    auto W = [&Row](std::int64_t p) -> std::int32_t& { return Row[static_cast<std::size_t>(p - 1)]; };
    for (std::int64_t p = 1; p <= n; ++p) {
        if (W(p) != -1) continue;
        std::int64_t k = p;
        while (k < n && S[k] == S[k + 1]) {
            W(k) = W(k + 1);
            W(k + 1) = -1;
            ++k;
        }
    }
}

void StepByStepRefineGapPlacement(TAlignmentRow& Row, const std::string& Sequence, const std::string& Reference,
                               const std::string& DataType) {
    const std::int64_t n = static_cast<std::int64_t>(Row.size());
    const Text S{Sequence}, R{Reference};
    auto W = [&Row](std::int64_t p) -> std::int32_t& { return Row[static_cast<std::size_t>(p - 1)]; };
    auto cost = [&](std::int64_t q, std::int32_t e) {
        if (e == -1) return 10;
        if (CharactersMatch(S[q], R[e], DataType)) return 0;
        if ((S[q] == 'A' || S[q] == 'G') && (R[e] == 'C' || R[e] == 'T')) return 2;
        return 1;
    };
    std::vector<std::int32_t> T(static_cast<std::size_t>(n + 1));
    for (std::int64_t i = n; i >= 2; --i) {
        if (W(i) != -1) continue;
        int current = 10;
        std::int64_t k = i;
        bool done = false;
        while (!done && k > std::max<std::int64_t>(i - 6, 1)) {
            k = k - 1;
            current += cost(k, W(k));
            for (std::int64_t s = 1; s <= 3 && s <= i - k && !done; ++s) {
                for (std::int64_t q = i; q >= k + s; --q) T[static_cast<std::size_t>(q)] = W(q - s);
                for (std::int64_t q = k + s - 1; q >= k; --q) {
                    const std::int32_t next = T[static_cast<std::size_t>(q + 1)];
                    T[static_cast<std::size_t>(q)] = (next > 0 && k > 1 && W(k - 1) > 0 && W(k - 1) < next - 1) ? next - 1 : -1;
                }
                int trial = 0;
                for (std::int64_t q = k; q <= i; ++q) trial += cost(q, T[static_cast<std::size_t>(q)]);
                if (trial < current) {
                    for (std::int64_t q = k; q <= i; ++q) W(q) = T[static_cast<std::size_t>(q)];
                    done = true;
                }
            }
        }
    }
}

void StepByStepAnchorSequenceEnds(TAlignmentRow& Row, int L, int RefLength) {
    const std::int64_t n = static_cast<std::int64_t>(Row.size());
    auto W = [&Row](std::int64_t p) -> std::int32_t& { return Row[static_cast<std::size_t>(p - 1)]; };
    int run = 1;
    for (std::int64_t p = 2; p <= n; ++p) {
        run = W(p - 1) == W(p) - 1 ? run + 1 : 1;
        if (run == L) {
            for (std::int64_t q = p - L; q >= 1; --q) {
                W(q) = W(q + 1) - 1;
                if (W(q) <= 0) W(q) = -1;
            }
            break;
        }
    }
    run = 1;
    for (std::int64_t p = n - 1; p >= 1; --p) {
        run = W(p) == W(p + 1) - 1 ? run + 1 : 1;
        if (run == L) {
            for (std::int64_t q = p + L; q <= n; ++q) {
                W(q) = W(q - 1) > 0 ? W(q - 1) + 1 : -1;
                if (W(q) > RefLength) W(q) = -1;
            }
            break;
        }
    }
}

void StepByStepMergeAlignmentPasses(const TAlignmentRow& Forward, const TAlignmentRow& Backward, TAlignmentRow& Row) {
    const std::int64_t n = static_cast<std::int64_t>(Row.size());
    auto at = [](const TAlignmentRow& r, std::int64_t p) { return r[static_cast<std::size_t>(p - 1)]; };
    for (std::int64_t p = 1; p <= n; ++p)
        if (at(Forward, p) == at(Backward, p)) Row[static_cast<std::size_t>(p - 1)] = at(Forward, p);
    std::int64_t stretchStart = 0;  // 0: no open stretch
    for (std::int64_t p = 1; p <= n + 1; ++p) {
        const bool inStretch = p <= n && at(Row, p) <= 0;
        if (inStretch) {
            if (stretchStart == 0) stretchStart = p;
            continue;
        }
        if (stretchStart == 0) continue;
        const std::int64_t first = stretchStart, last = p - 1;
        int costF = 0, costB = 0;
        for (std::int64_t q = first; q <= last; ++q) {
            costF += at(Forward, q) > 0 ? 1 : 2;
            costB += at(Backward, q) > 0 ? 1 : 2;
        }
        if (first == 1) costB = costF - 1;
        if (last == n) costF = costB - 1;
        for (std::int64_t q = first; q <= last; ++q)
            Row[static_cast<std::size_t>(q - 1)] = costB < costF ? at(Backward, q) : at(Forward, q);
        stretchStart = 0;
    }
}

void StepByStepAlignSequence(const std::string& Reference, const std::string& Sequence, TAlignmentRow& Row,
                          const std::string& DataType, int MinAlignmentMatch, int InitialNucleotides) {
    TAlignmentRow forward, backward;
    StepByStepForwardPass(Reference, Sequence, forward, DataType, MinAlignmentMatch);
    StepByStepBackwardPass(Reference, Sequence, backward, DataType, MinAlignmentMatch);
    Row.assign(Sequence.size(), 0);
    StepByStepMergeAlignmentPasses(forward, backward, Row);
    StepByStepShiftInsertionsInHomopolymers(Row, Sequence);
    StepByStepRefineGapPlacement(Row, Sequence, Reference, DataType);
    if (InitialNucleotides > 1) StepByStepAnchorSequenceEnds(Row, InitialNucleotides, static_cast<int>(Reference.size()));
}

namespace {

// Row o's character at element k (0-based), or none outside its sequence.
bool hasCharacter(const TFastaDataSet& data, std::size_t row, std::int64_t k) {
    return k >= 0 && static_cast<std::size_t>(k) < data[row].Sequence.size();
}

// Only elements that exist in both the sequence and its row hold a character.
bool charactersAgree(const TFastaDataSet& data, const TAlignmentResult& rows, std::size_t r, std::int64_t i,
                     std::size_t o, std::int64_t k, const std::string& DataType) {
    if (!hasCharacter(data, r, i) || !hasCharacter(data, o, k)) return false;
    if (static_cast<std::size_t>(i) >= rows[r].size() || static_cast<std::size_t>(k) >= rows[o].size()) return false;
    return CharactersMatch(data[r].Sequence[static_cast<std::size_t>(i)], data[o].Sequence[static_cast<std::size_t>(k)],
                           DataType);
}

bool matchesReferenceAt(const TFastaDataSet& data, const TAlignmentRow& row, std::size_t r, std::int64_t i,
                        const std::string& Reference, const std::string& DataType) {
    const std::int32_t e = row[static_cast<std::size_t>(i)];
    if (!hasCharacter(data, r, i) || e < 1 || static_cast<std::size_t>(e) > Reference.size()) return false;
    return CharactersMatch(data[r].Sequence[static_cast<std::size_t>(i)], Reference[static_cast<std::size_t>(e - 1)],
                           DataType);
}

// Whether the entries of at least 1 among elements first..last of Row, with
// the nearest such entry before first and after last, rise strictly.
bool risesAround(const TAlignmentRow& Row, std::int64_t first, std::int64_t last) {
    std::vector<std::int32_t> seen;
    for (std::int64_t i = first - 1; i >= 0; --i) {
        if (Row[static_cast<std::size_t>(i)] >= 1) {
            seen.push_back(Row[static_cast<std::size_t>(i)]);
            break;
        }
    }
    for (std::int64_t i = first; i <= last; ++i)
        if (Row[static_cast<std::size_t>(i)] >= 1) seen.push_back(Row[static_cast<std::size_t>(i)]);
    for (std::size_t i = static_cast<std::size_t>(last) + 1; i < Row.size(); ++i) {
        if (Row[i] >= 1) {
            seen.push_back(Row[i]);
            break;
        }
    }
    for (std::size_t i = 1; i < seen.size(); ++i)
        if (seen[i] <= seen[i - 1]) return false;
    return true;
}

std::int64_t firstElementWithEntry(const TAlignmentRow& row, std::int32_t value) {
    for (std::size_t k = 0; k < row.size(); ++k)
        if (row[k] == value) return static_cast<std::int64_t>(k);
    return -1;
}

}  // namespace

void StepByStepRealignSequenceEnds(TAlignmentResult& Alignment, const TFastaDataSet& DataSet,
                                const std::string& Reference, const std::string& DataType) {
    const std::size_t rows = std::min(Alignment.size(), DataSet.size());
    const std::int64_t m = static_cast<std::int64_t>(Reference.size());
    for (std::size_t r = 0; r < rows; ++r) {
        // End step.
        {
            TAlignmentRow& row = Alignment[r];
            const std::int64_t H = static_cast<std::int64_t>(row.size()) - 1;
            int count = 0;
            std::int64_t i = H;
            for (; i >= 1 && count < 10; --i) {
                if (matchesReferenceAt(DataSet, row, r, i, Reference, DataType) &&
                    std::int64_t(row[static_cast<std::size_t>(i)]) == std::int64_t(row[static_cast<std::size_t>(i - 1)]) + 1)
                    ++count;
                else
                    count = 0;
            }
            const std::int64_t a = i + 1;  // the loop stepped once past the run's first element
            if (count == 10 && H - (a + 9) >= 3) {
                const std::int32_t anchor = row[static_cast<std::size_t>(a)];
                std::int64_t bestL = 0, bestAfter = 0, bestK = 0;
                std::size_t bestRow = 0;
                for (std::size_t o = 0; o < rows; ++o) {
                    if (o == r) continue;
                    const std::int64_t k = firstElementWithEntry(Alignment[o], anchor);
                    if (k < 0) continue;
                    std::int64_t L = 0, lastCompared = 0;
                    for (std::int64_t t = 0;; ++t) {
                        lastCompared = t;
                        if (!charactersAgree(DataSet, Alignment, r, a - 1 + t, o, k - 1 + t, DataType)) break;
                        ++L;
                        if (a - 1 + t == H) break;
                    }
                    if (L == 0) continue;
                    // Row o's elements after its element of the last compared
                    // pair; none when that pair lay past row o's end.
                    const std::int64_t after = std::max<std::int64_t>(
                        0, static_cast<std::int64_t>(Alignment[o].size()) - 1 - (k - 1 + lastCompared));
                    if (L > bestL || (L == bestL && after > bestAfter)) {
                        bestL = L;
                        bestAfter = after;
                        bestK = k;
                        bestRow = o;
                    }
                }
                if (bestL > 10) {
                    TAlignmentRow changed = row;
                    for (std::int64_t t = 0; t < bestL; ++t)
                        changed[static_cast<std::size_t>(a - 1 + t)] = Alignment[bestRow][static_cast<std::size_t>(bestK - 1 + t)];
                    for (std::int64_t q = a + bestL - 1; q <= H; ++q) {
                        const std::int32_t prev = changed[static_cast<std::size_t>(q - 1)];
                        std::int64_t v = prev > 0 ? std::int64_t(prev) + 1 : -1;
                        if (v > m) v = -1;
                        changed[static_cast<std::size_t>(q)] = static_cast<std::int32_t>(v);
                    }
                    if (risesAround(changed, a - 1, H)) row = changed;
                }
            }
        }
        // Start step.
        {
            TAlignmentRow& row = Alignment[r];
            const std::int64_t H = static_cast<std::int64_t>(row.size()) - 1;
            int count = 0;
            std::int64_t i = 0;
            for (; i <= H - 1 && count < 10; ++i) {
                if (matchesReferenceAt(DataSet, row, r, i, Reference, DataType))
                    ++count;
                else
                    count = 0;
            }
            const std::int64_t b = i - 1;
            if (count == 10 && b - 9 >= 1) {
                const std::int32_t anchor = row[static_cast<std::size_t>(b)];
                std::int64_t bestL = 0, bestK = -1;
                std::size_t bestRow = 0;
                for (std::size_t o = 0; o < rows; ++o) {
                    if (o == r) continue;
                    const std::int64_t k = firstElementWithEntry(Alignment[o], anchor);
                    if (k < 0) continue;
                    std::int64_t L = 0;
                    for (std::int64_t t = 0; b - t >= 0; ++t) {
                        if (!charactersAgree(DataSet, Alignment, r, b - t, o, k - t, DataType)) break;
                        ++L;
                    }
                    if (L == 0) continue;
                    if (L > bestL || (L == bestL && k > bestK)) {
                        bestL = L;
                        bestK = k;
                        bestRow = o;
                    }
                }
                if (bestL > 10) {
                    TAlignmentRow changed = row;
                    for (std::int64_t t = 0; t <= bestL - 2; ++t)
                        changed[static_cast<std::size_t>(b - t)] = Alignment[bestRow][static_cast<std::size_t>(bestK - t)];
                    for (std::int64_t q = b - bestL + 1; q >= 0; --q) {
                        const std::int32_t next = changed[static_cast<std::size_t>(q + 1)];
                        std::int32_t v = next > 0 ? next - 1 : -1;
                        if (v < 1) v = -1;
                        changed[static_cast<std::size_t>(q)] = v;
                    }
                    if (risesAround(changed, 0, b)) row = changed;
                }
            }
        }
    }
}

void StepByStepRunAutomaticAlignment(const AlignmentEngine& Engine, TFastaDataSet& LoadedSequences,
                                  TAlignmentResult& AlignmentPositions, const PipelineParameters& Parameters) {
    const std::string& R = Engine.Reference();
    const int L = static_cast<int>(R.size());
    const int saved = Parameters.InitialNucleotides;
    const std::size_t n = LoadedSequences.size();
    // Cleaning: from the last character to the first.
    for (TFastaSequence& entry : LoadedSequences) {
        std::string& S = entry.Sequence;
        for (std::size_t k = S.size(); k-- > 0;) {
            const bool gap = Parameters.IgnoreFastaGaps && S[k] == '-';
            const bool unknown = Parameters.IgnoreFastaNs && ((IsDnaDataType(Parameters.DataType) && S[k] == 'N') ||
                                                              (IsAminoDataType(Parameters.DataType) && S[k] == 'X'));
            if (gap || unknown) S.erase(k, 1);
        }
    }
    if (Parameters.AutoReverse) {
        AlignmentPositions.assign(n, TAlignmentRow());
        for (std::size_t i = 0; i < n; ++i) {
            AlignmentPositions[i].assign(LoadedSequences[i].Sequence.size(), 0);
            bool reversed = false;
            std::string oriented;
            AlignBestOrientation(
                R, LoadedSequences[i].Sequence, AlignmentPositions[i], Engine.DataType(),
                [&](const std::string& s, TAlignmentRow& row) { Engine.AlignSequence(s, row, saved); }, reversed,
                oriented);
            LoadedSequences[i].Sequence = oriented;
        }
    }
    AlignmentPositions.assign(n, TAlignmentRow());
    for (std::size_t i = 0; i < n; ++i) {
        std::string& S = LoadedSequences[i].Sequence;
        TAlignmentRow& row = AlignmentPositions[i];
        row.assign(S.size(), 0);
        Engine.AlignSequence(S, row, saved);
        if (row.empty()) continue;  // nothing to test on an empty row
        if (!(row.back() < L || row.front() > 1)) continue;
        const int Len = static_cast<int>(S.size());
        const int e = FindReliableEnd(R, S, row, Engine.DataType());
        const int b = FindReliableStart(R, S, row, Engine.DataType());
        if (e >= Len && b <= 1) continue;
        int T = 0, t = 0, P = 0, h = 0;
        if (e < Len) {
            T = row[static_cast<std::size_t>(e)] + (Len - e);
            t = std::max(0, std::min(25, L - T));
        }
        if (b > 1) {
            P = row[static_cast<std::size_t>(b)] - b;
            h = std::max(0, std::min(25, P));
        }
        std::string padded = S;
        for (int pos = T + 1; pos <= T + t; ++pos) padded.push_back(R[static_cast<std::size_t>(pos - 1)]);
        std::string head;
        for (int pos = P - h + 1; pos <= P; ++pos) head.push_back(R[static_cast<std::size_t>(pos - 1)]);
        padded = head + padded;
        row.assign(padded.size(), 0);
        Engine.AlignSequence(padded, row, 2);
        row.resize(row.size() - static_cast<std::size_t>(t));
        if (h > 0) row.erase(row.begin(), row.begin() + h);
    }
    Engine.RealignSequenceEnds(AlignmentPositions, LoadedSequences);
}

void StepByStepAlignmentEngine::AlignSequence(const std::string& Sequence, TAlignmentRow& Row,
                                           int InitialNucleotides) const {
    StepByStepAlignSequence(reference_, Sequence, Row, dataType_, minAlignmentMatch_, InitialNucleotides);
}

void StepByStepAlignmentEngine::RealignSequenceEnds(TAlignmentResult& Alignment, const TFastaDataSet& DataSet) const {
    StepByStepRealignSequenceEnds(Alignment, DataSet, Reference(), DataType());
}

}  // namespace sequara::testing
