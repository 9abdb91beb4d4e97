#include "alignment/PairwiseAligner.h"

#include "alignment/AlignmentPostPasses.h"
#include "sequence/CharacterRules.h"

#include <algorithm>
#include <array>
#include <queue>

namespace sequara {

// ---------------------------------------------------------------------------
// Building blocks
// ---------------------------------------------------------------------------

std::int32_t WindowStart(const TAlignmentRow& Positions, std::size_t Index) {
    std::int32_t largest = 0;
    for (std::size_t k = 0; k < Index && k < Positions.size(); ++k) largest = std::max(largest, Positions[k]);
    return largest + 1;
}

std::int32_t WindowEnd(const TAlignmentRow& Positions, std::size_t Index, std::int32_t RefLength) {
    for (std::size_t k = Index + 1; k < Positions.size(); ++k)
        if (Positions[k] != 0) return Positions[k] - 1;
    return RefLength;
}

bool AllAssigned(const TAlignmentRow& Positions) {
    return std::find(Positions.begin(), Positions.end(), 0) == Positions.end();
}

void SortMatchesByLength(const std::vector<TMatch>& Candidates, std::vector<std::int32_t>& Order) {
    Order.clear();
    Order.reserve(Candidates.size());
    for (std::size_t i = 0; i < Candidates.size(); ++i) {
        std::size_t place = 0;
        while (place < Order.size() &&
               Candidates[static_cast<std::size_t>(Order[place])].NumberOfMatches >= Candidates[i].NumberOfMatches)
            ++place;
        Order.insert(Order.begin() + static_cast<std::ptrdiff_t>(place), static_cast<std::int32_t>(i));
    }
}

int EffectiveMinAlignmentMatch(int MinAlignmentMatch) { return std::max(MinAlignmentMatch, 1); }

void FillForwardRow(TAlignmentRow& Forward, std::int32_t RefLength) {
    const std::size_t n = Forward.size();
    // nextAfter[p]: the first non-0 entry after p before the fill (the fill
    // never changes an entry after the one it is working on).
    std::vector<std::int32_t> nextAfter(n);
    std::int32_t next = RefLength + 1;
    for (std::size_t p = n; p-- > 0;) {
        nextAfter[p] = next;
        if (Forward[p] != 0) next = Forward[p];
    }
    std::int32_t largest = 0;
    for (std::size_t p = 0; p < n; ++p) {
        if (Forward[p] == 0) {
            const std::int32_t s = largest + 1;
            const std::int32_t e = nextAfter[p] - 1;
            Forward[p] = s <= e ? s : -1;
        }
        largest = std::max(largest, Forward[p]);
    }
}

void FillBackwardRow(TAlignmentRow& Backward, std::int32_t RefLength) {
    const std::size_t n = Backward.size();
    // prefixLargest[p]: the largest entry before p (0 the floor); the fill
    // changes entries only from p on, going down.
    std::vector<std::int32_t> prefixLargest(n);
    std::int32_t largest = 0;
    for (std::size_t p = 0; p < n; ++p) {
        prefixLargest[p] = largest;
        largest = std::max(largest, Backward[p]);
    }
    for (std::size_t p = n; p-- > 0;) {
        if (Backward[p] != 0) continue;
        const std::int32_t s = prefixLargest[p] + 1;
        const std::int32_t e = p + 1 < n ? Backward[p + 1] - 1 : RefLength;  // p + 1 is never 0 here
        Backward[p] = s <= e ? e : -1;
    }
}

void MergeAlignmentPasses(const TAlignmentRow& Forward, const TAlignmentRow& Backward, TAlignmentRow& Row) {
    const std::size_t n = Row.size();
    for (std::size_t p = 0; p < n; ++p)
        if (Forward[p] == Backward[p]) Row[p] = Forward[p];
    std::size_t p = 0;
    while (p < n) {
        if (Row[p] > 0) {
            ++p;
            continue;
        }
        const std::size_t first = p;
        while (p < n && Row[p] <= 0) ++p;
        const std::size_t last = p - 1;  // the stretch is first..last
        int costF = 0, costB = 0;
        for (std::size_t q = first; q <= last; ++q) {
            costF += Forward[q] > 0 ? 1 : 2;
            costB += Backward[q] > 0 ? 1 : 2;
        }
        if (first == 0) costB = costF - 1;
        if (last == n - 1) costF = costB - 1;
        const TAlignmentRow& chosen = costB < costF ? Backward : Forward;
        for (std::size_t q = first; q <= last; ++q) Row[q] = chosen[q];
    }
}

void FinishAlignedRow(TAlignmentRow& Row, const std::string& Sequence, const std::string& Reference,
                      const std::string& DataType, int InitialNucleotides) {
    ShiftInsertionsInHomopolymers(Row, Sequence);
    RefineGapPlacement(Row, Sequence, Reference, DataType);
    if (InitialNucleotides > 1) AnchorSequenceEnds(Row, InitialNucleotides, static_cast<int>(Reference.size()));
}

// ---------------------------------------------------------------------------
// The reference index
// ---------------------------------------------------------------------------
//
// A character is "plain" when, among the plain characters, it matches only
// itself.  Two plain characters then match exactly when they are equal, so a
// word of plain characters finds its matches by table lookup.  Every other
// character (N, the IUPAC codes, X/B/Z for amino acids) is compared through
// the match table.

namespace {

struct PlainSet {
    std::array<bool, 256> plain{};
};

PlainSet computePlainSet(const MatchTable& table) {
    PlainSet set;
    set.plain.fill(true);
    // Remove the character with the most cross matches until none is left.
    for (;;) {
        int worst = -1, worstCount = 0;
        for (int c = 0; c < 256; ++c) {
            if (!set.plain[c]) continue;
            int count = 0;
            for (int d = 0; d < 256; ++d)
                if (d != c && set.plain[d] && (table.match[c][d] || table.match[d][c])) ++count;
            if (count > worstCount) {
                worst = c;
                worstCount = count;
            }
        }
        if (worst < 0) return set;
        set.plain[worst] = false;
    }
}

const PlainSet& plainSetFor(const std::string& DataType) {
    static const PlainSet nucleotide = computePlainSet(MatchTableFor(kDnaDataType));
    static const PlainSet amino = computePlainSet(MatchTableFor(kAminoDataType));
    return IsAminoDataType(DataType) ? amino : nucleotide;
}

constexpr std::int16_t kNotPlain = -1;  // compared through the match table
constexpr std::int16_t kAbsent = -2;    // plain, but not in the reference: matches only non-plain reference characters

constexpr std::uint64_t kMaxBuckets = std::uint64_t(1) << 20;

}  // namespace

// One word length's index: for every word of the reference made of plain
// characters, its start positions, found through the word's code.
struct WordIndex {
    int Length = 1;
    std::vector<std::uint32_t> BucketStart;  // one offset per code, plus the end
    std::vector<std::int32_t> Positions;     // 1-based word starts, ascending within a code
    std::vector<std::int32_t> SpecialStarts; // starts of words holding a non-plain character, ascending
};

class ReferenceIndex {
public:
    ReferenceIndex(const std::string& reference, const std::string& dataType, int minAlignmentMatch)
        : Reference(reference), DataType(dataType), Table(&MatchTableFor(dataType)),
          K(EffectiveMinAlignmentMatch(minAlignmentMatch)), MinAlignmentMatch(minAlignmentMatch) {
        const PlainSet& plain = plainSetFor(dataType);
        Code.fill(kAbsent);
        for (int c = 0; c < 256; ++c)
            if (!plain.plain[c]) Code[c] = kNotPlain;
        for (unsigned char c : Reference)
            if (Code[c] == kAbsent) Code[c] = static_cast<std::int16_t>(Sigma++);
        Sigma = std::max(Sigma, 2);
        // Word lengths: the shortest is K (or the longest a bucket table
        // allows); the longest is the one at which a word occurs in the
        // reference about once in two tries, so that sampling long runs
        // meets few chance hits.
        const std::uint64_t sigma = static_cast<std::uint64_t>(Sigma);
        int longestAllowed = 1;
        for (std::uint64_t buckets = sigma; buckets * sigma <= kMaxBuckets; buckets *= sigma) ++longestAllowed;
        MinWord = std::min(K, longestAllowed);
        int rare = 1;
        for (std::uint64_t count = sigma; count < 2 * std::max<std::uint64_t>(Reference.size(), 1); count *= sigma) ++rare;
        MaxWord = std::max(MinWord, std::min(rare, longestAllowed));
        for (int w = MinWord; w <= MaxWord; ++w) Levels.push_back(buildLevel(w));
    }

    std::string Reference;
    std::string DataType;
    const MatchTable* Table;
    int K;                                  // shortest run that is placed (at least 1)
    int MinAlignmentMatch;                  // as given
    int Sigma = 0;                          // radix of word codes (plain characters of the reference)
    int MinWord = 1, MaxWord = 1;           // word lengths indexed
    std::array<std::int16_t, 256> Code{};
    std::vector<WordIndex> Levels;          // word lengths MinWord..MaxWord

    const WordIndex& level(int w) const { return Levels[static_cast<std::size_t>(w - MinWord)]; }

    // The code of the word Text[from..from+w-1]: >= 0, or kNotPlain / kAbsent.
    std::int64_t wordCode(const std::string& text, std::size_t from, int w) const {
        std::int64_t code = 0;
        bool absent = false;
        for (int t = 0; t < w; ++t) {
            const std::int16_t c = Code[static_cast<unsigned char>(text[from + static_cast<std::size_t>(t)])];
            if (c == kNotPlain) return kNotPlain;
            if (c == kAbsent) absent = true;
            code = code * Sigma + (c < 0 ? 0 : c);
        }
        return absent ? kAbsent : code;
    }

private:
    WordIndex buildLevel(int w) const {
        WordIndex level;
        level.Length = w;
        std::uint64_t buckets = 1;
        for (int t = 0; t < w; ++t) buckets *= static_cast<std::uint64_t>(Sigma);
        const std::size_t m = Reference.size();
        const std::size_t q = static_cast<std::size_t>(w);
        std::vector<std::int64_t> codes;
        std::vector<std::uint32_t> counts(buckets + 1, 0);
        if (m >= q) {
            codes.resize(m - q + 1);
            for (std::size_t j = 0; j + q <= m; ++j) {
                codes[j] = wordCode(Reference, j, w);
                if (codes[j] >= 0)
                    ++counts[static_cast<std::size_t>(codes[j]) + 1];
                else
                    level.SpecialStarts.push_back(static_cast<std::int32_t>(j + 1));
            }
        }
        level.BucketStart.assign(buckets + 1, 0);
        for (std::size_t b = 0; b < buckets; ++b) level.BucketStart[b + 1] = level.BucketStart[b] + counts[b + 1];
        level.Positions.resize(level.BucketStart[buckets]);
        std::vector<std::uint32_t> fill(level.BucketStart.begin(), level.BucketStart.end() - 1);
        for (std::size_t j = 0; j < codes.size(); ++j)
            if (codes[j] >= 0)
                level.Positions[fill[static_cast<std::size_t>(codes[j])]++] = static_cast<std::int32_t>(j + 1);
        return level;
    }
};

// ---------------------------------------------------------------------------
// The passes
// ---------------------------------------------------------------------------
//
// While a pass places runs, its working row holds only 0 and placed
// positions, and the placed positions rise strictly from left to right.  A
// maximal stretch of unplaced characters P1..P2 therefore shares one window
// s..e (1 + the placed entry before it, the placed entry after it - 1), and a
// character's run can neither leave the stretch nor the window.  Placing a
// run in one stretch leaves every other stretch's window unchanged, so each
// stretch's best run is found once, when the stretch comes into being.
//
// Within a stretch, the forward run from (p, j) is the diagonal run of
// matches starting there, cut at P2 and at e.  The best candidate of the
// iteration is the longest such run, the smallest p among equally long ones
// and then the smallest j; it always starts where the diagonal's matches
// inside the rectangle P1..P2 x s..e begin (one step up-left would give a
// longer run).  The backward pass mirrors this: the longest run ending at
// (p, j), the smallest p, then the largest j, found at the end of a
// rectangle-bounded diagonal segment.  So both passes only need the maximal
// matching diagonal segments of each rectangle, and only those of at least K
// characters, since a shorter best run ends the pass in the fill, which does
// not look at candidates.

namespace {

struct Segment {       // a maximal matching diagonal segment inside a rectangle
    std::int32_t length = 0;
    std::int32_t firstChar = 0;  // 0-based character of its start
    std::int32_t firstPos = 0;   // 1-based reference position of its start
};

struct RectangleBest {
    Segment forward;   // longest; smallest start character; smallest start position
    Segment backward;  // longest; smallest end character; largest end position
    bool found() const { return forward.length > 0; }
};

struct Rectangle {
    std::int32_t P1, P2;  // 0-based characters, inclusive
    std::int32_t s, e;    // 1-based reference positions, inclusive
};

class PassSearcher {
public:
    PassSearcher(const ReferenceIndex& index, const std::string& sequence)
        : index_(index), seq_(sequence), ref_(index.Reference), table_(*index.Table) {
        const std::size_t n = seq_.size();
        words_.resize(index_.Levels.size());
        for (int w = index_.MinWord; w <= index_.MaxWord; ++w) {
            auto& codes = words_[static_cast<std::size_t>(w - index_.MinWord)];
            const std::size_t q = static_cast<std::size_t>(w);
            if (n < q) continue;
            codes.resize(n - q + 1);
            // Rolling codes: the code of the word ending at p is the previous
            // one times the radix plus p's code, less the character that left.
            std::int64_t top = 1;
            for (int t = 1; t < w; ++t) top *= index_.Sigma;
            std::int64_t code = 0;
            std::ptrdiff_t lastNotPlain = -1, lastAbsent = -1;
            for (std::size_t p = 0; p < n; ++p) {
                const std::int16_t c = index_.Code[static_cast<unsigned char>(seq_[p])];
                if (c == kNotPlain) lastNotPlain = static_cast<std::ptrdiff_t>(p);
                if (c == kAbsent) lastAbsent = static_cast<std::ptrdiff_t>(p);
                if (p >= q) {
                    const std::int16_t out = index_.Code[static_cast<unsigned char>(seq_[p - q])];
                    code -= (out < 0 ? 0 : out) * top;
                }
                code = code * index_.Sigma + (c < 0 ? 0 : c);
                if (p + 1 < q) continue;
                const std::ptrdiff_t first = static_cast<std::ptrdiff_t>(p + 1 - q);
                WordHits& hits = codes[p + 1 - q];
                if (lastNotPlain >= first) {
                    hits.kind = kNotPlain;
                } else if (lastAbsent >= first) {
                    hits.kind = kAbsent;
                } else {
                    // Looked up once here rather than at every sample.
                    const WordIndex& level = index_.level(w);
                    hits.begin = level.BucketStart[static_cast<std::size_t>(code)];
                    hits.end = level.BucketStart[static_cast<std::size_t>(code) + 1];
                }
            }
        }
    }

    // The best forward and backward runs of at least K characters inside the
    // rectangle.
    //
    // Every segment of at least X characters contains a word of length w <= X
    // starting at one of the characters P1, P1 + g, P1 + 2g, ... with
    // g = X - w + 1.  The search samples with a falling X (halved, ending at
    // K): once the longest segment found is at least X, every segment that
    // long or longer has been found, ties included, and the result is exact.
    // Long words keep chance hits rare while X is large; the last rounds use
    // words as short as X.
    RectangleBest search(const Rectangle& r) const {
        RectangleBest best;
        longSegments_.clear();
        const std::int32_t K = index_.K;
        const std::int32_t len = r.P2 - r.P1 + 1, width = r.e - r.s + 1;
        if (len < K || width < K) return best;
        std::int32_t X = std::min(len, width);
        for (;;) {
            const std::int32_t w = std::clamp(X, index_.MinWord, index_.MaxWord);
            const std::int32_t g = X - w + 1;
            for (std::int32_t p = r.P1; p + w - 1 <= r.P2; p += g) searchWordAt(r, p, w, g == 1, best);
            if (best.forward.length >= X || X == K) return best;
            // Nothing reaches X: halve it, but not below a segment of b >= K
            // characters found on the way, since a round at X = b finds every
            // segment of b or more and settles the search.
            X = std::max({K, X / 2, best.forward.length});
        }
    }

private:
    bool wordMatches(std::int32_t p, std::int32_t j, std::int32_t w) const {
        for (std::int32_t t = 0; t < w; ++t)
            if (!table_(seq_[static_cast<std::size_t>(p + t)], ref_[static_cast<std::size_t>(j + t - 1)])) return false;
        return true;
    }

    // With every character sampled, a hit whose diagonal predecessor is a hit
    // too belongs to a segment found already from that predecessor.
    bool continuesAHit(const Rectangle& r, std::int32_t p, std::int32_t j) const {
        return p > r.P1 && j > r.s &&
               table_(seq_[static_cast<std::size_t>(p - 1)], ref_[static_cast<std::size_t>(j - 2)]);
    }

    void searchWordAt(const Rectangle& r, std::int32_t p, std::int32_t w, bool everyCharacter,
                      RectangleBest& best) const {
        const std::int32_t lastStart = r.e - w + 1;
        const WordIndex& level = index_.level(w);
        const WordHits& word = words_[static_cast<std::size_t>(w - index_.MinWord)][static_cast<std::size_t>(p)];
        auto consider = [&](std::int32_t j) {
            if (everyCharacter && continuesAHit(r, p, j)) return;
            extend(r, p, j, w, best);
        };
        if (word.kind == kNotPlain) {
            for (std::int32_t j = r.s; j <= lastStart; ++j)
                if (wordMatches(p, j, w)) consider(j);
            return;
        }
        if (word.begin != word.end) {
            const auto begin = level.Positions.begin() + word.begin;
            const auto end = level.Positions.begin() + word.end;
            for (auto it = std::lower_bound(begin, end, r.s); it != end && *it <= lastStart; ++it) consider(*it);
        }
        const auto& special = level.SpecialStarts;
        if (special.empty() || special.back() < r.s || special.front() > lastStart) return;
        for (auto it = std::lower_bound(special.begin(), special.end(), r.s); it != special.end() && *it <= lastStart;
             ++it)
            if (wordMatches(p, *it, w)) consider(*it);
    }

    // (p, j) starts a matching word of length w inside the rectangle: grow it
    // to its rectangle-bounded maximal segment and keep it when it is better.
    void extend(const Rectangle& r, std::int32_t p, std::int32_t j, std::int32_t w, RectangleBest& best) const {
        // Long segments are hit by many samples; each is grown only once per
        // search (finding it again changes nothing).
        for (const LongSegment& known : longSegments_)
            if (known.diagonal == j - p && known.firstChar <= p && p <= known.lastChar) return;
        std::int32_t a = p, b = j;
        while (a > r.P1 && b > r.s &&
               table_(seq_[static_cast<std::size_t>(a - 1)], ref_[static_cast<std::size_t>(b - 2)])) {
            --a;
            --b;
        }
        std::int32_t c = p + w - 1, d = j + w - 1;
        while (c < r.P2 && d < r.e && table_(seq_[static_cast<std::size_t>(c + 1)], ref_[static_cast<std::size_t>(d)])) {
            ++c;
            ++d;
        }
        const std::int32_t length = c - a + 1;
        if (length >= kLongSegment) longSegments_.push_back({j - p, a, c});
        if (length < index_.K) return;
        Segment& f = best.forward;
        if (length > f.length || (length == f.length && (a < f.firstChar || (a == f.firstChar && b < f.firstPos))))
            f = {length, a, b};
        Segment& v = best.backward;
        const std::int32_t vEndChar = v.firstChar + v.length - 1, vEndPos = v.firstPos + v.length - 1;
        if (length > v.length || (length == v.length && (c < vEndChar || (c == vEndChar && d > vEndPos))))
            v = {length, a, b};
    }

    static constexpr std::int32_t kLongSegment = 32;
    struct LongSegment {
        std::int32_t diagonal;  // reference position minus character
        std::int32_t firstChar, lastChar;
    };

    const ReferenceIndex& index_;
    const std::string& seq_;
    const std::string& ref_;
    const MatchTable& table_;
    // Where a word of the sequence occurs in the reference: a range of the
    // level's Positions (empty for kAbsent and kNotPlain words).
    struct WordHits {
        std::uint32_t begin = 0, end = 0;
        std::int16_t kind = 0;  // 0, kNotPlain or kAbsent
    };
    std::vector<std::vector<WordHits>> words_;  // per word length, per character
    mutable std::vector<LongSegment> longSegments_; // found in the current search
};

struct PendingRectangle {
    Rectangle rect;
    Segment run;
    std::int32_t characterKey;  // the candidate's character: run start (forward), run end (backward)
};

struct PendingOrder {
    bool operator()(const PendingRectangle& x, const PendingRectangle& y) const {
        // priority_queue keeps the largest on top: longest run, then the
        // smallest candidate character.
        if (x.run.length != y.run.length) return x.run.length < y.run.length;
        return x.characterKey > y.characterKey;
    }
};

void runPass(const PassSearcher& searcher, bool forward, const Rectangle& whole, const RectangleBest& wholeBest,
             TAlignmentRow& row, std::int32_t refLength) {
    std::priority_queue<PendingRectangle, std::vector<PendingRectangle>, PendingOrder> pending;
    auto push = [&](const Rectangle& r, const RectangleBest& b) {
        if (!b.found()) return;
        const Segment& run = forward ? b.forward : b.backward;
        pending.push({r, run, forward ? run.firstChar : run.firstChar + run.length - 1});
    };
    push(whole, wholeBest);
    while (!pending.empty()) {
        const PendingRectangle top = pending.top();
        pending.pop();
        const Segment& run = top.run;
        for (std::int32_t t = 0; t < run.length; ++t)
            row[static_cast<std::size_t>(run.firstChar + t)] = run.firstPos + t;
        const Rectangle left{top.rect.P1, run.firstChar - 1, top.rect.s, run.firstPos - 1};
        const Rectangle right{run.firstChar + run.length, top.rect.P2, run.firstPos + run.length, top.rect.e};
        push(left, searcher.search(left));
        push(right, searcher.search(right));
    }
    if (forward)
        FillForwardRow(row, refLength);
    else
        FillBackwardRow(row, refLength);
}

}  // namespace

PairwiseAligner::PairwiseAligner(const std::string& Reference, const std::string& DataType, int MinAlignmentMatch)
    : index_(std::make_shared<const ReferenceIndex>(Reference, DataType, MinAlignmentMatch)) {}
PairwiseAligner::~PairwiseAligner() = default;
PairwiseAligner::PairwiseAligner(const PairwiseAligner&) = default;
PairwiseAligner& PairwiseAligner::operator=(const PairwiseAligner&) = default;

const std::string& PairwiseAligner::Reference() const { return index_->Reference; }
const std::string& PairwiseAligner::DataType() const { return index_->DataType; }
int PairwiseAligner::MinAlignmentMatch() const { return index_->MinAlignmentMatch; }

void PairwiseAligner::AlignmentPasses(const std::string& Sequence, TAlignmentRow& Forward,
                                      TAlignmentRow& Backward) const {
    const std::size_t n = Sequence.size();
    const std::int32_t m = static_cast<std::int32_t>(index_->Reference.size());
    Forward.assign(n, 0);
    Backward.assign(n, 0);
    if (n == 0) return;
    const PassSearcher searcher(*index_, Sequence);
    // Both passes start from the same rectangle: search it once.
    const Rectangle whole{0, static_cast<std::int32_t>(n) - 1, 1, m};
    const RectangleBest wholeBest = searcher.search(whole);
    runPass(searcher, true, whole, wholeBest, Forward, m);
    runPass(searcher, false, whole, wholeBest, Backward, m);
}

void PairwiseAligner::AlignSequence(const std::string& Sequence, TAlignmentRow& Row, int InitialNucleotides) const {
    TAlignmentRow forward, backward;
    AlignmentPasses(Sequence, forward, backward);
    Row.assign(Sequence.size(), 0);
    MergeAlignmentPasses(forward, backward, Row);
    FinishAlignedRow(Row, Sequence, index_->Reference, index_->DataType, InitialNucleotides);
}

void AlignSequence(const std::string& Reference, const std::string& Sequence, TAlignmentRow& Row,
                   const std::string& DataType, int MinAlignmentMatch, int InitialNucleotides) {
    PairwiseAligner(Reference, DataType, MinAlignmentMatch).AlignSequence(Sequence, Row, InitialNucleotides);
}

}  // namespace sequara
