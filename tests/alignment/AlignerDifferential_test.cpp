// The production aligner, end re-alignment and pipeline against the
// step-by-step reference versions on generated and real inputs: every working row, every merged
// row and every pipeline result must be identical.
//
// The "LongRun" tests run many more and larger cases; they carry the ctest label
// "long" and are left out of the normal run (ctest -LE long).

#include "alignment/AlignmentPipeline.h"
#include "alignment/AlignmentPostPasses.h"
#include "alignment/EndRealigner.h"
#include "alignment/EndRealignment.h"
#include "alignment/Orientation.h"
#include "alignment/PairwiseAligner.h"
#include "bench/BenchSupport.h"
#include "sequence/FastaReader.h"
#include "platform/ScriptedPlatform.h"
#include "tests/support/EndRealignmentOracle.h"
#include "tests/support/StepByStepAligner.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>

namespace sequara {
namespace {

using testing::StepByStepAlignSequence;
using testing::StepByStepAnchorSequenceEnds;
using testing::StepByStepMergeAlignmentPasses;
using testing::StepByStepRefineGapPlacement;
using testing::StepByStepShiftInsertionsInHomopolymers;
using testing::StepByStepAlignmentEngine;
using testing::StepByStepBackwardPass;
using testing::StepByStepForwardPass;
using testing::StepByStepRealignSequenceEnds;
using testing::StepByStepRunAutomaticAlignment;

const std::string kDnaPlain = "ACGT";
const std::string kDnaAmbiguous = "RYSWKMBDHVN";
const std::string kAminoPlain = "ACDEFGHIKLMNPQRSTVWY";
const std::string kAminoAmbiguous = "XBZ";

struct GeneratedCase {
    std::string DataType;
    std::string Reference;
    std::string Sequence;
    int MinAlignmentMatch = 4;
    int InitialNucleotides = 15;
    std::string describe() const {
        std::ostringstream out;
        out << DataType << " K=" << MinAlignmentMatch << " IN=" << InitialNucleotides << "\nref=" << Reference
            << "\nseq=" << Sequence;
        return out.str();
    }
};

class CaseGenerator {
public:
    explicit CaseGenerator(std::uint32_t randomStart) : rng_(randomStart) {}

    int uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    bool chance(double p) { return std::bernoulli_distribution(p)(rng_); }

    // Reference text with a small alphabet bias (homopolymers, repeats) and
    // now and then an ambiguity code.
    std::string reference(const std::string& plain, const std::string& ambiguous, int length) {
        std::string r;
        while (static_cast<int>(r.size()) < length) {
            const int kind = uniform(0, 19);
            if (kind == 0) {
                r.append(static_cast<std::size_t>(uniform(3, 9)), plain[static_cast<std::size_t>(uniform(0, static_cast<int>(plain.size()) - 1))]);
            } else if (kind == 1 && r.size() > 8) {
                const int len = uniform(4, 8);
                r.append(r, static_cast<std::size_t>(uniform(0, static_cast<int>(r.size()) - len)), static_cast<std::size_t>(len));
            } else if (kind == 2 && chance(0.3)) {
                r.push_back(ambiguous[static_cast<std::size_t>(uniform(0, static_cast<int>(ambiguous.size()) - 1))]);
            } else {
                r.push_back(plain[static_cast<std::size_t>(uniform(0, static_cast<int>(plain.size()) - 1))]);
            }
        }
        r.resize(static_cast<std::size_t>(length));
        return r;
    }

    // A stretch of the reference with substitutions, insertions, deletions,
    // homopolymer runs, ambiguity codes and unknown-character runs; sometimes
    // reverse-complemented, sometimes unrelated.
    std::string derived(const std::string& ref, const std::string& plain, const std::string& ambiguous,
                        const std::string& dataType, int maxLength) {
        if (ref.empty() || chance(0.05)) return reference(plain, ambiguous, uniform(0, maxLength));
        const int m = static_cast<int>(ref.size());
        const int from = uniform(0, m - 1);
        const int to = std::min(m, from + uniform(1, maxLength));
        std::string s;
        const double sub = uniform(0, 10) / 100.0, indel = uniform(0, 5) / 100.0;
        const char unknown = dataType == "AMINO" ? 'X' : 'N';
        for (int j = from; j < to; ++j) {
            if (chance(indel)) continue;  // deletion
            if (chance(indel)) s.append(static_cast<std::size_t>(uniform(1, 3)), plain[static_cast<std::size_t>(uniform(0, static_cast<int>(plain.size()) - 1))]);
            if (chance(0.01)) s.append(static_cast<std::size_t>(uniform(2, 8)), ref[static_cast<std::size_t>(j)]);  // homopolymer
            if (chance(0.005)) s.append(static_cast<std::size_t>(uniform(1, 12)), unknown);
            if (chance(0.01)) {
                s.push_back(ambiguous[static_cast<std::size_t>(uniform(0, static_cast<int>(ambiguous.size()) - 1))]);
                continue;
            }
            s.push_back(chance(sub) ? plain[static_cast<std::size_t>(uniform(0, static_cast<int>(plain.size()) - 1))] : ref[static_cast<std::size_t>(j)]);
        }
        if (chance(0.15)) s = ReverseComplement(s, dataType);
        if (chance(0.1)) s = reference(plain, ambiguous, uniform(1, 12)) + s;
        if (chance(0.1)) s += reference(plain, ambiguous, uniform(1, 12));
        return s;
    }

    GeneratedCase next(int maxReference, int maxSequence) {
        GeneratedCase c;
        const bool amino = chance(0.25);
        c.DataType = amino ? "AMINO" : "DNA";
        const std::string& plain = amino ? kAminoPlain : kDnaPlain;
        const std::string& ambiguous = amino ? kAminoAmbiguous : kDnaAmbiguous;
        c.Reference = reference(plain, ambiguous, chance(0.02) ? 0 : uniform(1, maxReference));
        c.Sequence = derived(c.Reference, plain, ambiguous, c.DataType, maxSequence);
        const int k = uniform(0, 9);
        c.MinAlignmentMatch = k < 6 ? uniform(1, 6) : (k < 9 ? uniform(7, 20) : uniform(-2, 0));
        c.InitialNucleotides = uniform(1, 30);
        return c;
    }

private:
    std::mt19937 rng_;
};

// Returns the number of cases compared; stops at the first difference.
int compareGeneratedCases(std::uint32_t randomStart, int count, int maxReference, int maxSequence) {
    CaseGenerator gen(randomStart);
    for (int i = 0; i < count; ++i) {
        const GeneratedCase c = gen.next(maxReference, maxSequence);
        const PairwiseAligner aligner(c.Reference, c.DataType, c.MinAlignmentMatch);
        TAlignmentRow fastF, fastB, slowF, slowB, fastRow, slowRow;
        aligner.AlignmentPasses(c.Sequence, fastF, fastB);
        StepByStepForwardPass(c.Reference, c.Sequence, slowF, c.DataType, c.MinAlignmentMatch);
        StepByStepBackwardPass(c.Reference, c.Sequence, slowB, c.DataType, c.MinAlignmentMatch);
        EXPECT_EQ(fastF, slowF) << "forward pass, case " << i << "\n" << c.describe();
        EXPECT_EQ(fastB, slowB) << "backward pass, case " << i << "\n" << c.describe();
        aligner.AlignSequence(c.Sequence, fastRow, c.InitialNucleotides);
        StepByStepAlignSequence(c.Reference, c.Sequence, slowRow, c.DataType, c.MinAlignmentMatch, c.InitialNucleotides);
        EXPECT_EQ(fastRow, slowRow) << "row, case " << i << "\n" << c.describe();
        if (::testing::Test::HasFailure()) return i + 1;
    }
    return count;
}

// Reference text made of runs of one base (1 to 6 long), so that shortened
// and lengthened runs are common.
std::string homopolymerRich(CaseGenerator& gen, int length) {
    std::string r;
    while (static_cast<int>(r.size()) < length)
        r.append(static_cast<std::size_t>(gen.uniform(1, 6)), kDnaPlain[static_cast<std::size_t>(gen.uniform(0, 3))]);
    r.resize(static_cast<std::size_t>(length));
    return r;
}

// S with one base of a run of equal bases removed or doubled (S itself when
// it has no such run).
std::string homopolymerVariant(CaseGenerator& gen, std::string s) {
    std::vector<std::size_t> inRuns;
    for (std::size_t i = 1; i < s.size(); ++i)
        if (s[i] == s[i - 1]) inRuns.push_back(i);
    if (inRuns.empty()) return s;
    const std::size_t at = inRuns[static_cast<std::size_t>(gen.uniform(0, static_cast<int>(inRuns.size()) - 1))];
    if (gen.chance(0.5))
        s.erase(at, 1);
    else
        s.insert(at, 1, s[at]);
    return s;
}

bool positionsRise(const TAlignmentRow& row) {
    std::int32_t last = 0;
    for (std::int32_t e : row) {
        if (e < 1) continue;
        if (e <= last) return false;
        last = e;
    }
    return true;
}

// A load of related sequences (shared ancestry, runs one base shorter or
// longer, damaged ends) aligned by the production aligner, some rows' ends
// then perturbed the way a poor alignment leaves them.
struct EndRealignmentSet {
    std::string Reference;
    TFastaDataSet Data;
    TAlignmentResult Rows;
};

EndRealignmentSet generatedEndRealignmentSet(CaseGenerator& gen, int rowCount, int maxReference,
                                             const std::string& ambiguous = "N") {
    EndRealignmentSet set;
    const int length = gen.uniform(30, maxReference);
    set.Reference = gen.chance(0.5) ? homopolymerRich(gen, length) : gen.reference(kDnaPlain, kDnaAmbiguous, length);
    const PairwiseAligner aligner(set.Reference, "DNA", gen.uniform(3, 6));
    const std::string ancestor = gen.derived(set.Reference, kDnaPlain, "N", "DNA", maxReference);
    for (int i = 0; i < rowCount; ++i) {
        std::string s = gen.chance(0.7) ? ancestor : gen.derived(set.Reference, kDnaPlain, ambiguous, "DNA", maxReference);
        if (gen.chance(0.4)) s = homopolymerVariant(gen, s);
        // Damage the ends so that they align poorly.
        if (gen.chance(0.5) && s.size() > 4) s.replace(0, static_cast<std::size_t>(gen.uniform(1, 4)), gen.reference(kDnaPlain, "N", 3));
        if (gen.chance(0.5) && s.size() > 4) s.replace(s.size() - 3, 3, gen.reference(kDnaPlain, "N", gen.uniform(1, 6)));
        TAlignmentRow row;
        aligner.AlignSequence(s, row, gen.uniform(1, 20));
        if (gen.chance(0.4))
            for (std::size_t k = 0; k < row.size() && k < 8; ++k) row[row.size() - 1 - k] = gen.chance(0.5) ? -1 : row[row.size() - 1 - k];
        if (gen.chance(0.4))
            for (std::size_t k = 0; k < row.size() && k < 8; ++k) row[k] = gen.chance(0.5) ? -1 : row[k];
        set.Data.push_back({"s" + std::to_string(i), s});
        set.Rows.push_back(row);
    }
    return set;
}

// Both versions give the same rows, and a row whose positions rose before
// still rises.
void compareEndRealignment(std::uint32_t randomStart, int sets, int maxReference) {
    CaseGenerator gen(randomStart);
    for (int n = 0; n < sets; ++n) {
        const EndRealignmentSet set = generatedEndRealignmentSet(gen, gen.uniform(2, 12), maxReference);
        TAlignmentResult fast = set.Rows, slow = set.Rows;
        RealignSequenceEnds(fast, set.Data, set.Reference, "DNA");
        StepByStepRealignSequenceEnds(slow, set.Data, set.Reference, "DNA");
        ASSERT_EQ(fast, slow) << "set " << n << " ref=" << set.Reference;
        for (std::size_t r = 0; r < fast.size(); ++r)
            ASSERT_TRUE(!positionsRise(set.Rows[r]) || positionsRise(fast[r])) << "set " << n << " row " << r;
    }
}

// The indexed end re-alignment against the one that compares every pair of
// rows, on loads large enough that anchors are shared by many rows, with
// ambiguity codes, identical sequences and many changed rows, as
// nucleotides and as amino acids.  With a small index budget the indexes
// are dropped and made again all the time.
void compareEndRealignmentWithOracle(std::uint32_t randomStart, int sets, int maxRows, int maxReference,
                                     std::size_t indexBudget = ends::EndRealigner::kLoadBudget) {
    CaseGenerator gen(randomStart);
    for (int n = 0; n < sets; ++n) {
        const std::string& ambiguous = gen.chance(0.5) ? kDnaAmbiguous : std::string("N");
        EndRealignmentSet set = generatedEndRealignmentSet(gen, gen.uniform(2, maxRows), maxReference, ambiguous);
        // Now and then the same load read as amino acids: A and G become D
        // and N, which B (from R) matches; C and T become E and Q, which Z
        // (from Y) matches; the other codes become X.
        const std::string dataType = gen.chance(0.3) ? "AMINO" : "DNA";
        if (dataType == "AMINO") {
            auto toAmino = [](std::string& text) {
                for (char& c : text) {
                    const auto at = std::string("AGCTRYNSWKMBDHV").find(c);
                    if (at != std::string::npos) c = "DNEQBZXXXXXXXXX"[at];
                }
            };
            toAmino(set.Reference);
            for (TFastaSequence& s : set.Data) {
                toAmino(s.Sequence);
                // B and Z where other sequences keep the letters they match.
                if (gen.chance(0.5))
                    for (char& c : s.Sequence)
                        if (gen.chance(0.03)) c = c == 'D' || c == 'N' ? 'B' : (c == 'E' || c == 'Q' ? 'Z' : c);
            }
        }
        TAlignmentResult fast = set.Rows, slow = set.Rows;
        ends::EndRealigner(fast, set.Data, set.Reference, dataType, indexBudget).run();
        oracle::RealignSequenceEnds(slow, set.Data, set.Reference, dataType);
        ASSERT_EQ(fast, slow) << "set " << n << " " << dataType << " ref=" << set.Reference;
    }
}

TEST(AlignerDifferential, IndexedEndRealignmentMatchesThePairwiseOne) {
    compareEndRealignmentWithOracle(13, 40, 400, 150);
    // A load whose steps give rows positions they did not hold before, which
    // indexes made earlier must take in.
    compareEndRealignmentWithOracle(27, 2, 400, 150);
}
TEST(AlignerDifferential, IndexesDroppedForMemoryAreMadeAgainAlike) { compareEndRealignmentWithOracle(17, 20, 400, 150, 1); }

// Loads holding copies of their sequences placed a few elements off (the
// same text holding the same positions at other elements) and rows that
// lost many positions at their ends (so that the compared characters are
// often longer than 64): rows with equal texts but different
// placements are never taken for one another.
void compareShiftedCopiesWithOracle(std::uint32_t randomStart, int sets, int maxRows, int maxReference) {
    CaseGenerator gen(randomStart);
    for (int n = 0; n < sets; ++n) {
        EndRealignmentSet set = generatedEndRealignmentSet(gen, gen.uniform(2, maxRows), maxReference);
        // Long stretches of lost positions at the ends, so that the
        // compared characters reach far.
        for (TAlignmentRow& row : set.Rows) {
            const auto lost = std::min(row.size(), static_cast<std::size_t>(gen.uniform(50, 90)));
            if (gen.chance(0.3)) std::fill(row.begin(), row.begin() + static_cast<std::ptrdiff_t>(lost), -1);
            if (gen.chance(0.3)) std::fill(row.end() - static_cast<std::ptrdiff_t>(lost), row.end(), -1);
        }
        const std::size_t loaded = set.Rows.size();
        for (std::size_t i = 0; i < loaded; ++i) {
            const auto shift = static_cast<std::size_t>(gen.uniform(1, 6));
            TAlignmentRow row = set.Rows[i];
            if (gen.chance(0.5) || row.size() <= shift) continue;
            if (gen.chance(0.5)) {  // one element earlier each
                row.erase(row.begin(), row.begin() + static_cast<std::ptrdiff_t>(shift));
                row.insert(row.end(), shift, -1);
            } else {  // later
                row.insert(row.begin(), shift, -1);
                row.resize(set.Rows[i].size());
            }
            set.Data.push_back(set.Data[i]);
            set.Rows.push_back(row);
        }
        TAlignmentResult fast = set.Rows, slow = set.Rows;
        RealignSequenceEnds(fast, set.Data, set.Reference, "DNA");
        oracle::RealignSequenceEnds(slow, set.Data, set.Reference, "DNA");
        ASSERT_EQ(fast, slow) << "set " << n << " ref=" << set.Reference;
    }
}

TEST(AlignerDifferential, ShiftedCopiesAreNotTakenForEachOther) { compareShiftedCopiesWithOracle(21, 30, 200, 300); }

// Rows sharing their characters from the one before anchor 17 on but not
// the one before that (C, G or T) have equal words at anchor 17 and
// different ones at anchor 16, whose index is made from anchor 17's.  The
// last row, placed badly from element 25 on, must copy the one row with its
// character before anchor 16, never a row with another character there.
TEST(AlignerDifferential, RowsDifferingOnlyBeforeTheAnchorAreApartInAnIndexMadeFromTheNextOne) {
    const std::string ref = "GATCACAGGTCTATCACCCTATTAACCACTCACGGGAGCTCTCCATGCATTTGGTATTTT";
    auto text = [&](char before) {
        std::string s = ref.substr(0, 40);
        s[14] = before;
        return s;
    };
    auto rising = [](int count) {
        TAlignmentRow row(40, -1);
        for (int i = 0; i < count; ++i) row[static_cast<std::size_t>(i)] = i + 1;
        return row;
    };
    TFastaDataSet data;
    TAlignmentResult rows;
    auto add = [&](const std::string& s, int placed) {
        data.push_back({"s" + std::to_string(data.size()), s});
        rows.push_back(rising(placed));
    };
    for (int i = 0; i < 6; ++i) add(text('C'), 26);  // anchor 17, whose index is made first
    add(text('T'), 40);
    add(text('G'), 25);  // anchor 16: looked up row by row, then through its index
    add(text('G'), 25);
    add(text('T').substr(0, 27) + "TTTTTTTTTTTTT", 25);
    TAlignmentResult fast = rows, slow = rows;
    RealignSequenceEnds(fast, data, ref, "DNA");
    oracle::RealignSequenceEnds(slow, data, ref, "DNA");
    EXPECT_EQ(fast, slow);
    EXPECT_EQ(fast[9], rising(40));
}

// Rows as the passes leave them: rising positions with gaps, insertions,
// runs of insertions, now and then a position out of order.
TAlignmentRow generatedRow(CaseGenerator& gen, std::size_t n, int m) {
    TAlignmentRow row;
    std::int32_t next = gen.uniform(1, std::max(1, m / 3));
    for (std::size_t p = 0; p < n; ++p) {
        const int kind = gen.uniform(0, 9);
        if (kind < 2) {
            row.push_back(-1);
        } else {
            if (kind == 2) next += gen.uniform(1, 3);
            if (kind == 3 && gen.chance(0.2)) next -= gen.uniform(1, 3);
            row.push_back(next >= 1 && next <= m ? next : -1);
            ++next;
        }
    }
    return row;
}

void comparePostPasses(std::uint32_t randomStart, int count, int maxLength) {
    CaseGenerator gen(randomStart);
    for (int i = 0; i < count; ++i) {
        const bool amino = gen.chance(0.2);
        const std::string& plain = amino ? kAminoPlain : (gen.chance(0.5) ? std::string("AC") : kDnaPlain);
        const std::string dataType = amino ? "AMINO" : "DNA";
        const std::string ref = gen.reference(plain, amino ? kAminoAmbiguous : kDnaAmbiguous, gen.uniform(1, maxLength));
        const std::string seq = gen.reference(plain, amino ? kAminoAmbiguous : kDnaAmbiguous, gen.uniform(0, maxLength));
        const int m = static_cast<int>(ref.size());
        const TAlignmentRow row = generatedRow(gen, seq.size(), m);

        TAlignmentRow fast = row, slow = row;
        ShiftInsertionsInHomopolymers(fast, seq);
        StepByStepShiftInsertionsInHomopolymers(slow, seq);
        ASSERT_EQ(fast, slow) << "shift, case " << i;
        RefineGapPlacement(fast, seq, ref, dataType);
        StepByStepRefineGapPlacement(slow, seq, ref, dataType);
        ASSERT_EQ(fast, slow) << "refine, case " << i << " seq=" << seq << " ref=" << ref;
        const int L = gen.uniform(2, 6);
        AnchorSequenceEnds(fast, L, m);
        StepByStepAnchorSequenceEnds(slow, L, m);
        ASSERT_EQ(fast, slow) << "anchor, case " << i;

        TAlignmentRow forward = generatedRow(gen, seq.size(), m), backward = forward;
        for (std::int32_t& e : backward)
            if (gen.chance(0.3)) e = gen.chance(0.5) ? -1 : gen.uniform(1, std::max(1, m));
        TAlignmentRow mergedFast(seq.size(), 0), mergedSlow(seq.size(), 0);
        MergeAlignmentPasses(forward, backward, mergedFast);
        StepByStepMergeAlignmentPasses(forward, backward, mergedSlow);
        ASSERT_EQ(mergedFast, mergedSlow) << "merge, case " << i;
    }
}

TEST(AlignerDifferential, PostPassesAndMergeMatchTheStepByStepVersions) { comparePostPasses(5, 3000, 60); }

TEST(AlignerDifferential, GeneratedCasesMatchTheStepByStepAligner) {
    EXPECT_EQ(compareGeneratedCases(20261207, 800, 160, 120), 800);
}

TEST(AlignerDifferential, LongerGeneratedCasesMatchTheStepByStepAligner) {
    EXPECT_EQ(compareGeneratedCases(7, 25, 700, 500), 25);
}

TEST(AlignerDifferential, EndRealignmentMatchesTheStepByStepVersion) { compareEndRealignment(99, 300, 120); }

// Real sequences against a real reference, through the whole pipeline with
// and without orientation, on several threads.
// A file of tests/data read as the program reads it (in a scratch folder).
TFastaDataSet readTestData(const std::string& file, const std::string& dataType) {
    ScriptedPlatform platform;
    testing::TempFolder folder;
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.path());
    TFastaDataSet data;
    TCharacterName labels;
    ReadFastaFile(testing::TestDataFile(file), data, labels, false, dataType, platform);
    std::filesystem::current_path(previous);
    return data;
}

void comparePipeline(const std::string& referenceFile, const std::string& fastaFile, std::size_t limit,
                     const PipelineParameters& parameters, std::size_t reverseEvery = 0) {
    const TFastaDataSet reference = readTestData(referenceFile, parameters.DataType);
    TFastaDataSet sequences = readTestData(fastaFile, parameters.DataType);
    ASSERT_FALSE(reference.empty());
    ASSERT_FALSE(sequences.empty());
    if (sequences.size() > limit) sequences.resize(limit);
    const TFastaDataSet original = sequences;
    // Some sequences turned around, for the orientation pass to turn back.
    for (std::size_t i = 0; reverseEvery > 0 && i < sequences.size(); i += reverseEvery)
        sequences[i].Sequence = ReverseComplement(sequences[i].Sequence, parameters.DataType);

    TFastaDataSet fastData = sequences, slowData = sequences;
    TAlignmentResult fastRows, slowRows;
    RunAutomaticAlignment(reference[0].Sequence, fastData, fastRows, parameters, nullptr);
    const StepByStepAlignmentEngine stepByStep(reference[0].Sequence, parameters.DataType, parameters.MinAlignmentMatch);
    StepByStepRunAutomaticAlignment(stepByStep, slowData, slowRows, parameters);
    EXPECT_EQ(fastData, slowData);
    for (std::size_t i = 0; reverseEvery > 0 && i < original.size(); i += reverseEvery)
        EXPECT_EQ(fastData[i].Sequence, CleanSequence(original[i].Sequence, parameters.DataType,
                                                      parameters.IgnoreFastaNs, parameters.IgnoreFastaGaps))
            << original[i].Name << " was not turned back";
    ASSERT_EQ(fastRows.size(), slowRows.size());
    for (std::size_t i = 0; i < fastRows.size(); ++i)
        EXPECT_EQ(fastRows[i], slowRows[i]) << fastData[i].Name;
}

PipelineParameters dnaParameters(bool autoReverse) {
    PipelineParameters p;
    p.DataType = "DNA";
    p.AutoReverse = autoReverse;
    p.Threads = 4;
    return p;
}

// The pipeline's passes with an engine whose end re-alignment does nothing.
class WithoutEndRealignment : public AlignmentEngine {
public:
    explicit WithoutEndRealignment(const AlignmentEngine& engine) : engine_(engine) {}
    const std::string& Reference() const override { return engine_.Reference(); }
    const std::string& DataType() const override { return engine_.DataType(); }
    void AlignSequence(const std::string& Sequence, TAlignmentRow& Row, int InitialNucleotides) const override {
        engine_.AlignSequence(Sequence, Row, InitialNucleotides);
    }
    void RealignSequenceEnds(TAlignmentResult&, const TFastaDataSet&) const override {}

private:
    const AlignmentEngine& engine_;
};

// Dolphin control regions against the human reference: where a row of the
// load lacks a position that another row holds just before the anchor, the
// other row's placement is not taken.  Sample "5814" keeps 16451, 16452,
// 16453 (taking the placement of the row it agrees with best would give
// 16451, 16363, 16453).
TEST(AlignerDifferential, RealDolphinLoadKeepsEveryRowsPositionsRising) {
    const TFastaDataSet reference = readTestData("rCRS_full.txt", "DNA");
    TFastaDataSet data = readTestData("dolphin_dloop_aligned.fasta", "DNA");
    ASSERT_FALSE(reference.empty());
    ASSERT_EQ(data.size(), 126u);
    const std::string& ref = reference[0].Sequence;
    const ProductionAlignmentEngine engine(ref, "DNA", 4);
    TAlignmentResult rows;
    RunAutomaticAlignment(WithoutEndRealignment(engine), data, rows, dnaParameters(false), nullptr);
    TAlignmentResult fast = rows, slow = rows;
    RealignSequenceEnds(fast, data, ref, "DNA");
    StepByStepRealignSequenceEnds(slow, data, ref, "DNA");
    EXPECT_EQ(fast, slow);
    for (std::size_t r = 0; r < rows.size(); ++r)
        EXPECT_TRUE(!positionsRise(rows[r]) || positionsRise(fast[r])) << data[r].Name;
    const auto sample = std::find_if(data.begin(), data.end(), [](const TFastaSequence& s) { return s.Name == "5814"; });
    ASSERT_NE(sample, data.end());
    const TAlignmentRow& row = fast[static_cast<std::size_t>(sample - data.begin())];
    const auto at = std::find(row.begin(), row.end(), 16451);
    ASSERT_LT(at + 2, row.end());
    EXPECT_EQ(std::vector<std::int32_t>(at, at + 3), (std::vector<std::int32_t>{16451, 16452, 16453}));
}

// Real control regions against the whole control region and against HVS-I
// alone (their ends then reach far past the reference): three identical
// copies of each, and eight copies each with three random substitutions
// (rows sharing long stretches of their ends but for a few characters);
// every fourth row's last 8 positions lost the way a poor alignment loses
// them: the indexed end re-alignment gives the pairwise one's rows.
TEST(AlignerDifferential, IndexedEndRealignmentOnRealControlRegions) {
    const std::string region = readTestData("rCRS_CR_16024-576.txt", "DNA").at(0).Sequence;
    const TFastaDataSet loaded = readTestData("1000g_CR_first40.fasta", "DNA");
    ASSERT_EQ(loaded.size(), 40u);
    for (const int substitutions : {0, 3, 40})
        for (const std::string& ref : {region, region.substr(0, 342)}) {
            const ProductionAlignmentEngine engine(ref, "DNA", 4);
            TFastaDataSet data = bench::VariedCopies(loaded, substitutions == 0 ? 3 : 8, substitutions, 7);
            TAlignmentResult rows;
            RunAutomaticAlignment(WithoutEndRealignment(engine), data, rows, dnaParameters(false), nullptr);
            for (std::size_t i = 0; i < rows.size(); i += 4) {
                auto last = std::find_if(rows[i].rbegin(), rows[i].rend(), [](std::int32_t e) { return e >= 1; });
                for (int k = 0; k < 8 && last != rows[i].rend(); ++k) *last++ = -1;
            }
            TAlignmentResult fast = rows, slow = rows;
            RealignSequenceEnds(fast, data, ref, "DNA");
            oracle::RealignSequenceEnds(slow, data, ref, "DNA");
            const std::string name = std::to_string(substitutions) + " substitutions, reference of " + std::to_string(ref.size());
            EXPECT_EQ(fast, slow) << name;
            EXPECT_NE(fast, rows) << name << ": nothing was re-aligned";
        }
}

TEST(AlignerDifferential, RealHvs1SequencesThroughThePipeline) {
    comparePipeline("rCRS_CR_16024-576.txt", "1000g_HVS1_first40.fasta", 6, dnaParameters(true), 2);
}

TEST(AlignerDifferentialLongRun, ManyGeneratedCases) {
    EXPECT_EQ(compareGeneratedCases(1, 50000, 400, 300), 50000);
}

TEST(AlignerDifferentialLongRun, LargeGeneratedCases) {
    EXPECT_EQ(compareGeneratedCases(2, 1500, 3000, 1500), 1500);
}

TEST(AlignerDifferentialLongRun, PostPassesManyRows) { comparePostPasses(6, 200000, 200); }

TEST(AlignerDifferentialLongRun, EndRealignmentManySets) { compareEndRealignment(3, 5000, 400); }

TEST(AlignerDifferentialLongRun, IndexedEndRealignmentManyLargeLoads) {
    compareEndRealignmentWithOracle(12, 400, 1500, 400);
}

TEST(AlignerDifferentialLongRun, RealControlRegionsAgainstTheControlRegion) {
    comparePipeline("rCRS_CR_16024-576.txt", "1000g_CR_first40.fasta", 40, dnaParameters(true));
}

TEST(AlignerDifferentialLongRun, RealHvs1AgainstTheWholeReference) {
    comparePipeline("rCRS_full.txt", "1000g_HVS1_first40.fasta", 40, dnaParameters(true));
}

TEST(AlignerDifferentialLongRun, ReversedControlRegionsAreTurnedBack) {
    comparePipeline("rCRS_CR_16024-576.txt", "tishkoff2007_first30.fasta", 30, dnaParameters(true), 3);
}

TEST(AlignerDifferentialLongRun, AfricanControlRegionsWithInsertions) {
    comparePipeline("rCRS_CR_16024-576.txt", "tishkoff2007_first30.fasta", 30, dnaParameters(false));
}

TEST(AlignerDifferentialLongRun, ProteinsWithParametersAtTheirLimits) {
    PipelineParameters p;
    p.DataType = "AMINO";
    p.MinAlignmentMatch = 2;
    p.InitialNucleotides = 30;
    p.AutoReverse = true;
    comparePipeline("rCRS_CYTB_protein.txt", "1000g_CYTB_first20.fasta", 20, p);
}

}  // namespace
}  // namespace sequara
