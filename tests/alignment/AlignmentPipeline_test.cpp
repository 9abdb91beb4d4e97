// The automatic-alignment pipeline: gauge, cleaning, the short test and the
// padded second alignment, orientation, threads and progress order.

#include "alignment/AlignmentPipeline.h"
#include "alignment/Orientation.h"
#include "platform/ScriptedPlatform.h"
#include "sequence/FastaReader.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace sequara {
namespace {

using Row = TAlignmentRow;

// The automatic alignment's gauge and the save progress box's.
TEST(GaugePercent, RoundsHalfToEven) {
    std::vector<int> eight;
    for (std::size_t i = 0; i <= 8; ++i) eight.push_back(GaugePercent(i, 8));
    EXPECT_EQ(eight, (std::vector<int>{0, 12, 25, 38, 50, 62, 75, 88, 100}));  // 12.5, 37.5, ...
    EXPECT_EQ(GaugePercent(1, 3), 33);
    EXPECT_EQ(GaugePercent(2, 3), 67);
    EXPECT_EQ(GaugePercent(1, 200), 0);   // 0.5
    EXPECT_EQ(GaugePercent(3, 200), 2);   // 1.5
    EXPECT_EQ(GaugePercent(16569, 16569), 100);
    EXPECT_EQ(GaugePercent(0, 0), 0);
    EXPECT_EQ(GaugePercent(5, 0), 0);
}

TEST(CleanSequence, RemovesGapsAndUnknownsAsConfigured) {
    EXPECT_EQ(CleanSequence("AN-CXN-", "DNA", true, true), "ACX");
    EXPECT_EQ(CleanSequence("AN-CXN-", "AMINO", true, true), "ANCN");
    EXPECT_EQ(CleanSequence("AN-CXN-", "DNA", false, true), "ANCXN");
    EXPECT_EQ(CleanSequence("AN-CXN-", "DNA", true, false), "A-CX-");
    EXPECT_EQ(CleanSequence("AN-CXN-", "dna", true, false), "AN-CXN-");  // exact data type only
    EXPECT_EQ(CleanSequence("NNN---", "DNA", true, true), "");
}

TEST(RowStopsShort, LastBelowTheReferenceEndOrFirstAboveOne) {
    EXPECT_FALSE(RowStopsShort(Row{1, 2, 100}, 100));
    EXPECT_FALSE(RowStopsShort(Row{-1, 2, 100}, 100));
    EXPECT_TRUE(RowStopsShort(Row{1, 2, -1}, 100));
    EXPECT_TRUE(RowStopsShort(Row{2, 3, 100}, 100));
    EXPECT_FALSE(RowStopsShort(Row{}, 100));  // an empty row is never re-aligned
}

Row rowWith(std::size_t size, std::size_t index, std::int32_t value) {
    Row r(size, -1);
    r[index] = value;
    return r;
}

TEST(ComputeEndPadding, TailCountIsLimitedTo25) {
    EndPadding p = ComputeEndPadding(100, rowWith(50, 40, 70), 40, 1);
    EXPECT_EQ(p.T, 80);
    EXPECT_EQ(p.t, 20);
    EXPECT_EQ(p.h, 0);
    p = ComputeEndPadding(100, rowWith(50, 40, 30), 40, 1);
    EXPECT_EQ(p.T, 40);
    EXPECT_EQ(p.t, 25);
    p = ComputeEndPadding(100, rowWith(50, 40, 95), 40, 1);  // T beyond the reference: nothing added
    EXPECT_EQ(p.t, 0);
    p = ComputeEndPadding(100, rowWith(50, 40, 70), 50, 1);  // e = Len: no tail
    EXPECT_EQ(p.t, 0);
}

TEST(ComputeEndPadding, HeadCountIsLimitedTo25AndNeverNegative) {
    EndPadding p = ComputeEndPadding(100, rowWith(50, 5, 30), 50, 5);
    EXPECT_EQ(p.P, 25);
    EXPECT_EQ(p.h, 25);
    EXPECT_EQ(ComputeEndPadding(100, rowWith(50, 5, 10), 50, 5).h, 5);
    p = ComputeEndPadding(100, rowWith(50, 5, 3), 50, 5);
    EXPECT_EQ(p.P, -2);
    EXPECT_EQ(p.h, 0);
    EXPECT_EQ(ComputeEndPadding(100, rowWith(50, 1, 30), 50, 1).h, 0);  // b = 1: no head
}

// An engine that records its calls and answers with prepared rows.
class RecordingEngine : public AlignmentEngine {
public:
    explicit RecordingEngine(std::string reference) : reference_(std::move(reference)) {}
    const std::string& Reference() const override { return reference_; }
    const std::string& DataType() const override { return dataType_; }
    void AlignSequence(const std::string& Sequence, TAlignmentRow& Row, int InitialNucleotides) const override {
        calls.push_back({Sequence, InitialNucleotides});
        Row = answers.at(calls.size() - 1);
        ASSERT_EQ(Row.size(), Sequence.size());
    }
    void RealignSequenceEnds(TAlignmentResult&, const TFastaDataSet&) const override {}

    struct Call {
        std::string sequence;
        int initialNucleotides;
    };
    mutable std::vector<Call> calls;
    std::vector<Row> answers;

private:
    std::string reference_;
    std::string dataType_ = "DNA";
};

// 100 reference characters without long repeats.
std::string reference100() {
    std::string r;
    std::uint32_t x = 12345;
    while (r.size() < 100) {
        x = x * 1103515245u + 12345u;
        r.push_back("ACGT"[(x >> 16) & 3]);
    }
    return r;
}

// A 50-character sequence whose elements 30..39 match the reference at
// 60..69 and nothing else matches: e = 40, b = 30.
struct ShortRow {
    std::string sequence;
    Row row;
};
ShortRow shortRow(const std::string& ref, std::int32_t entry40) {
    ShortRow s;
    s.sequence = std::string(30, 'A') + ref.substr(59, 10) + std::string(10, 'A');
    s.row = Row(30, -1);
    for (std::int32_t p = 60; p <= 69; ++p) s.row.push_back(p);
    s.row.push_back(entry40);
    s.row.resize(50, -1);
    // character 41 must not match the reference at entry40
    s.sequence[40] = ref[static_cast<std::size_t>(entry40) - 1] == 'A' ? 'C' : 'A';
    return s;
}

TEST(AlignLoadedSequence, RowReachingBothEndsIsAlignedOnce) {
    RecordingEngine engine(reference100());
    Row full;
    for (std::int32_t p = 1; p <= 100; ++p) full.push_back(p);
    engine.answers = {full};
    Row row;
    AlignLoadedSequence(engine, engine.Reference(), row, 15);
    ASSERT_EQ(engine.calls.size(), 1u);
    EXPECT_EQ(engine.calls[0].initialNucleotides, 15);
    EXPECT_EQ(row, full);
}

TEST(AlignLoadedSequence, ShortRowWithoutReliableRunIsNotAlignedAgain) {
    RecordingEngine engine(reference100());
    engine.answers = {Row(20, -1)};
    Row row;
    AlignLoadedSequence(engine, std::string(20, 'A'), row, 15);
    EXPECT_EQ(engine.calls.size(), 1u);
    EXPECT_EQ(row, Row(20, -1));
}

TEST(AlignLoadedSequence, PaddedSecondAlignmentAndUnpadding) {
    const std::string ref = reference100();
    const ShortRow s = shortRow(ref, 70);  // T = 80, t = 20; P = 60 - 30 = 30, h = 25
    RecordingEngine engine(ref);
    Row second;
    for (std::int32_t i = 0; i < 25 + 50 + 20; ++i) second.push_back(1000 + i);
    engine.answers = {s.row, second};
    Row row;
    AlignLoadedSequence(engine, s.sequence, row, 15);
    ASSERT_EQ(engine.calls.size(), 2u);
    EXPECT_EQ(engine.calls[1].initialNucleotides, 2);
    EXPECT_EQ(engine.calls[1].sequence, ref.substr(5, 25) + s.sequence + ref.substr(80, 20));
    EXPECT_EQ(row, Row(second.begin() + 25, second.begin() + 75));
}

TEST(AlignLoadedSequence, SecondAlignmentRunsEvenWithNothingAdded) {
    const std::string ref = reference100();
    ShortRow s = shortRow(ref, 95);  // T = 105: t = 0
    for (std::int32_t p = 0; p < 10; ++p) {  // elements 0..9 match 1..10: b = 0, no head
        s.row[static_cast<std::size_t>(p)] = p + 1;
        s.sequence[static_cast<std::size_t>(p)] = ref[static_cast<std::size_t>(p)];
    }
    RecordingEngine engine(ref);
    engine.answers = {s.row, Row(50, 7)};
    Row row;
    AlignLoadedSequence(engine, s.sequence, row, 15);
    ASSERT_EQ(engine.calls.size(), 2u);
    EXPECT_EQ(engine.calls[1].sequence, s.sequence);
    EXPECT_EQ(engine.calls[1].initialNucleotides, 2);
    EXPECT_EQ(row, Row(50, 7));
}

TEST(AlignLoadedSequence, EmptySequenceGetsAnEmptyRow) {
    RecordingEngine engine(reference100());
    engine.answers = {Row{}};
    Row row{1, 2};
    AlignLoadedSequence(engine, "", row, 15);
    EXPECT_EQ(engine.calls.size(), 1u);
    EXPECT_TRUE(row.empty());
}

TEST(OrientLoadedSequence, AGoodFitIsKeptWithoutAligningTheReverseComplement) {
    RecordingEngine engine(std::string(30, 'A'));
    Row forward(30, 1);
    forward[0] = forward[1] = forward[2] = -1;  // 3 of 30 mismatched: not more than a tenth
    engine.answers = {forward};
    std::string seq(30, 'A');
    Row row;
    OrientLoadedSequence(engine, seq, row, 15);
    EXPECT_EQ(engine.calls.size(), 1u);
    EXPECT_EQ(seq, std::string(30, 'A'));
    EXPECT_EQ(row, forward);
}

TEST(OrientLoadedSequence, APoorFitTakesTheReverseComplementOnlyWhenItIsBetter) {
    const std::string ref(20, 'T');
    RecordingEngine better(ref);
    Row reverseRow(25, 1);
    reverseRow[0] = reverseRow[1] = -1;  // 2 mismatches against 25
    better.answers = {Row(25, 1), reverseRow};
    std::string seq(25, 'A');
    Row row;
    OrientLoadedSequence(better, seq, row, 15);
    ASSERT_EQ(better.calls.size(), 2u);
    EXPECT_EQ(better.calls[1].sequence, std::string(25, 'T'));
    EXPECT_EQ(seq, std::string(25, 'T'));
    EXPECT_EQ(row, reverseRow);

    RecordingEngine equal(ref);  // 25 mismatches either way: kept
    equal.answers = {Row(25, 1), Row(25, -1)};
    seq = std::string(25, 'A');
    OrientLoadedSequence(equal, seq, row, 15);
    EXPECT_EQ(seq, std::string(25, 'A'));
    EXPECT_EQ(row, Row(25, 1));
}

// Real data: the first HVS-I sequences of the 1000 Genomes set against the
// control-region reference.
struct RealData {
    std::string reference;
    TFastaDataSet sequences;
};
RealData realData(std::size_t count) {
    ScriptedPlatform platform;
    testing::TempFolder folder;
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.path());
    TFastaDataSet ref;
    RealData data;
    TCharacterName labels;
    ReadFastaFile(testing::TestDataFile("rCRS_CR_16024-576.txt"), ref, labels, false, "DNA", platform);
    ReadFastaFile(testing::TestDataFile("1000g_HVS1_first40.fasta"), data.sequences, labels, false, "DNA", platform);
    std::filesystem::current_path(previous);
    data.reference = ref.at(0).Sequence;
    data.sequences.resize(count);
    return data;
}

PipelineParameters defaults(unsigned threads, bool autoReverse = false) {
    PipelineParameters p;
    p.DataType = "DNA";
    p.Threads = threads;
    p.AutoReverse = autoReverse;
    return p;
}

TEST(RunAutomaticAlignment, ProgressAfterEachSequenceOfEachPassInOrder) {
    for (unsigned threads : {1u, 4u}) {
        RealData data = realData(8);
        std::vector<std::pair<PipelinePass, int>> reports;
        TAlignmentResult rows;
        RunAutomaticAlignment(data.reference, data.sequences, rows, defaults(threads, true),
                              [&](PipelinePass pass, int percent) { reports.push_back({pass, percent}); });
        const std::vector<int> gauge{12, 25, 38, 50, 62, 75, 88, 100};
        ASSERT_EQ(reports.size(), 16u) << threads;
        for (std::size_t i = 0; i < 8; ++i) {
            EXPECT_EQ(reports[i], std::make_pair(PipelinePass::Orientation, gauge[i]));
            EXPECT_EQ(reports[8 + i], std::make_pair(PipelinePass::Alignment, gauge[i]));
        }
    }
}

TEST(RunAutomaticAlignment, RowsDoNotDependOnTheNumberOfThreads) {
    RealData one = realData(24), many = one, all = one;
    TAlignmentResult rowsOne, rowsMany, rowsAll;
    RunAutomaticAlignment(one.reference, one.sequences, rowsOne, defaults(1, true), nullptr);
    RunAutomaticAlignment(many.reference, many.sequences, rowsMany, defaults(3, true), nullptr);
    RunAutomaticAlignment(all.reference, all.sequences, rowsAll, defaults(0, true), nullptr);
    EXPECT_EQ(rowsOne, rowsMany);
    EXPECT_EQ(rowsOne, rowsAll);
    EXPECT_EQ(one.sequences, many.sequences);
    for (std::size_t i = 0; i < rowsOne.size(); ++i) {
        ASSERT_EQ(rowsOne[i].size(), one.sequences[i].Sequence.size());
        for (std::int32_t e : rowsOne[i]) EXPECT_TRUE(e == -1 || (e >= 1 && e <= static_cast<int>(one.reference.size())));
    }
}

TEST(RunAutomaticAlignment, CleanedOrientedSequencesKeepNamesAndLoseNoCharacters) {
    RealData data = realData(3);
    const std::string original = data.sequences[1].Sequence;
    data.sequences[1].Sequence = ReverseComplement(original, "DNA");
    data.sequences[2].Sequence = "NN--N";
    data.sequences.push_back({"gappy", "--" + original.substr(0, 120) + "NNN" + original.substr(120)});
    TAlignmentResult rows;
    RunAutomaticAlignment(data.reference, data.sequences, rows, defaults(2, true), nullptr);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(data.sequences[1].Name, "HG00097 rCRS:16024-16365");
    EXPECT_EQ(data.sequences[1].Sequence, original);  // turned back, no padding left
    EXPECT_EQ(data.sequences[2].Sequence, "");        // emptied by the cleaning
    EXPECT_TRUE(rows[2].empty());
    EXPECT_EQ(data.sequences[3].Sequence, original);
    EXPECT_EQ(rows[3], rows[1]);
}

TEST(RunAutomaticAlignment, MinimumMatchBelowOneDoesNotHang) {
    RealData zero = realData(2), one = zero;
    PipelineParameters p = defaults(1);
    p.MinAlignmentMatch = 0;
    TAlignmentResult rowsZero, rowsOne;
    RunAutomaticAlignment(zero.reference, zero.sequences, rowsZero, p, nullptr);
    p.MinAlignmentMatch = 1;
    RunAutomaticAlignment(one.reference, one.sequences, rowsOne, p, nullptr);
    EXPECT_EQ(rowsZero, rowsOne);
}

TEST(RunAutomaticAlignment, EmptyLoadAndEmptyReference) {
    TFastaDataSet none;
    TAlignmentResult rows{{1}};
    int reports = 0;
    RunAutomaticAlignment("ACGT", none, rows, defaults(4), [&](PipelinePass, int) { ++reports; });
    EXPECT_TRUE(rows.empty());
    EXPECT_EQ(reports, 0);
    TFastaDataSet one{{"a", "ACGTACGTACGTACGT"}};
    RunAutomaticAlignment("", one, rows, defaults(1, true), nullptr);
    EXPECT_EQ(rows, (TAlignmentResult{Row(16, -1)}));
}

TEST(RunAutomaticAlignment, AnExceptionFromTheProgressCallbackStopsTheWorkers) {
    RealData data = realData(12);
    TAlignmentResult rows;
    int calls = 0;
    EXPECT_THROW(RunAutomaticAlignment(data.reference, data.sequences, rows, defaults(4),
                                       [&](PipelinePass, int) {
                                           if (++calls == 3) throw std::runtime_error("cancelled");
                                       }),
                 std::runtime_error);
    EXPECT_EQ(calls, 3);
}

// An engine that fails on one sequence.
class FailingEngine : public AlignmentEngine {
public:
    const std::string& Reference() const override { return reference_; }
    const std::string& DataType() const override { return dataType_; }
    void AlignSequence(const std::string& Sequence, TAlignmentRow& Row, int) const override {
        if (Sequence == "GGGG") throw std::bad_alloc();
        Row.assign(Sequence.size(), -1);
    }
    void RealignSequenceEnds(TAlignmentResult&, const TFastaDataSet&) const override {}

private:
    std::string reference_ = "ACGT", dataType_ = "DNA";
};

TEST(RunAutomaticAlignment, AnExceptionFromAnAlignmentReachesTheCaller) {
    for (unsigned threads : {1u, 4u}) {
        TFastaDataSet data;
        for (int i = 0; i < 40; ++i) data.push_back({"s" + std::to_string(i), i == 17 ? "GGGG" : "AAAA"});
        TAlignmentResult rows;
        std::vector<int> reported;
        EXPECT_THROW(RunAutomaticAlignment(FailingEngine(), data, rows, defaults(threads),
                                           [&](PipelinePass, int percent) { reported.push_back(percent); }),
                     std::bad_alloc);
        EXPECT_LE(reported.size(), 17u);  // nothing is reported past the failed sequence
    }
}

}  // namespace
}  // namespace sequara
