#include "commands/ForensicImport.h"
#include "commands/RunSetup.h"
#include "platform/ScriptedPlatform.h"
#include "tests/support/ForensicImportOracle.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

namespace sequara {
namespace {

using testing::TempFolder;

// A record as the reader leaves it.
TDBF_Sequence Record(const std::string& name, std::array<std::uint16_t, 4> ranges, std::vector<std::string> upper,
                     std::vector<std::string> lower) {
    TDBF_Sequence r;
    r.Name[0].assign(name);
    r.bereich = ranges;
    r.HVSI = !upper.empty();
    r.HVSII = !lower.empty();
    for (const std::string& s : upper) r.HVSI_site[r.HVSI_Anz++].assign(s);
    for (const std::string& s : lower) r.HVSII_site[r.HVSII_Anz++].assign(s);
    return r;
}

// Reference ACGTAC labelled 16192 16193 16194 1 2 3.
const std::string kReference = "ACGTAC";
const TCharacterName kLabels = {"16192", "16193", "16194", "1", "2", "3"};

// Rows (and the reference and labels) as one text: "label|reference|row 1|row 2...".
std::string Dump(const ForensicAlignment& a) {
    std::string labels;
    for (const TLabel& l : a.Numbering) labels += (l.empty() ? std::string("_") : l.str()) + ' ';
    std::string out = labels + "| " + a.Reference[0].Sequence.str();
    for (const auto& s : a.Sequences) out += " | " + s.Name + ":" + s.Sequence.str();
    return out;
}

TEST(ForensicImport, RowsFromRangesSitesAndInsertions) {
    struct Case {
        const char* what;
        TDBFDataSet records;
        std::string dump;
    };
    const std::vector<Case> cases = {
        {"no range: gaps only", {Record("a", {0, 0, 0, 0}, {}, {})},
         "16192 16193 16194 1 2 3 | ACGTAC | a:------"},
        {"HVS-I range only, site T and a deletion", {Record("a", {16192, 16194, 0, 0}, {"16193.T", "16194.-"}, {})},
         "16192 16193 16194 1 2 3 | ACGTAC | a:AT----"},
        {"both ranges; HVS-II site; a site outside its range is not written",
         {Record("a", {16193, 16194, 1, 2}, {"16192.T"}, {"2.G"}), Record("b", {0, 0, 2, 3}, {}, {"0003.T"})},
         "16192 16193 16194 1 2 3 | ACGTAC | a:-CGTG- | b:----AT"},
        {"the first site of a position wins", {Record("a", {16192, 16194, 0, 0}, {"16193.T", "16193.A"}, {})},
         "16192 16193 16194 1 2 3 | ACGTAC | a:ATG---"},
        {"insertions from two records, placed regardless of the ranges; of two for one place the later stays",
         {Record("a", {16192, 16194, 0, 0}, {"16193.1C"}, {}), Record("b", {0, 0, 1, 3}, {"16193.2A"}, {}),
          Record("c", {16192, 16194, 1, 3}, {}, {"1.1T", "1.1G", "9.1A"})},
         "16192 16193 _ _ 16194 1 _ 2 3 | AC--GT-AC | a:ACC-G---- | b:---A-T-AC | c:AC--GTGAC"},
        {"an insertion site ending with its digit places nothing; the column still comes",
         {Record("a", {16192, 16194, 0, 0}, {"16193.3"}, {})},
         "16192 16193 _ _ _ 16194 1 2 3 | AC---GTAC | a:AC---G---"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto built = BuildForensicAlignment(c.records, kReference, kLabels);
        ASSERT_TRUE(built);
        EXPECT_EQ(Dump(*built), c.dump);
        EXPECT_TRUE(built->SkippedSites.empty());
    }
}

TEST(ForensicImport, SitesAndReferencesThatAreNoNumbers) {
    auto built = BuildForensicAlignment(
        {Record("a", {16192, 16194, 1, 3}, {"1619X.T", "16193.T", "16x9.1C"}, {"A2.G", "3.G", "2222"})}, kReference,
        kLabels);
    ASSERT_TRUE(built);
    EXPECT_EQ(Dump(*built), "16192 16193 16194 1 2 3 | ACGTAC | a:ATGTAG");
    EXPECT_EQ(built->SkippedSites, (std::vector<std::string>{"a 1619X.T", "a 16x9.1C", "a A2.G"}));

    EXPECT_FALSE(BuildForensicAlignment({Record("a", {0, 0, 0, 0}, {}, {})}, kReference, {}));
    EXPECT_FALSE(BuildForensicAlignment({Record("a", {0, 0, 0, 0}, {}, {})}, kReference,
                                        {"16192", "", "16194", "1", "2", "3"}));
    EXPECT_FALSE(BuildForensicAlignment({Record("a", {0, 0, 0, 0}, {}, {})}, "ACG", kLabels));
}

TEST(ForensicImport, TheCommandLeavesTheRunsReferenceAsItWas) {
    TempFolder folder;
    ScriptedPlatform platform;
    WorkingState state;
    state.ReferenceData = {{"rCRS", kReference}};
    state.ReferenceNumbering = kLabels;
    FileDialogOptions dialog;

    platform.CancelOpenFile();
    EXPECT_FALSE(ImportForensicList(state, platform, dialog));
    platform.AnswerOpenFile(folder.write("empty.for", "AAA header line\r\n"));
    EXPECT_FALSE(ImportForensicList(state, platform, dialog));
    EXPECT_TRUE(platform.Messages().empty());

    const std::string list = folder.write("list.for", "s1;;;;1;16193.1C;16194.A\r\ns2;;;;1;16x93.T\r\n");
    platform.AnswerOpenFile(list);
    ASSERT_TRUE(ImportForensicList(state, platform, dialog));
    EXPECT_EQ(state.AlignmentTitle, list);
    EXPECT_EQ(state.AlignedReference[0].Sequence, "AC-GTAC");
    EXPECT_EQ(state.AlignedReference[0].Name, "rCRS");
    ASSERT_EQ(state.AlignedSequences.size(), 2u);
    // The range comes from the first and the last site: 16193 to 16194.
    EXPECT_EQ(state.AlignedSequences[0].Sequence, "-CCA---");
    EXPECT_EQ(state.ReferenceData[0].Sequence, kReference);
    EXPECT_EQ(state.ReferenceNumbering, kLabels);
    EXPECT_EQ(platform.Messages(), std::vector<std::string>{std::string(kForensicSitesSkipped) + "S2 16X93.T"});

    state.ReferenceNumbering.clear();
    platform.AnswerOpenFile(list);
    EXPECT_FALSE(ImportForensicList(state, platform, dialog));
    EXPECT_EQ(platform.Messages().back(), kForensicReferenceRefused);
}

// Random lists against the step-by-step import.
TEST(ForensicImport, MatchesTheStepByStepImportOnRandomLists) {
    std::mt19937 rng(20261207);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const char bases[] = "ACGT-NR";
    for (int round = 0; round < 200; ++round) {
        // Labels: an upper stretch, a lower stretch, sometimes a repeated label.
        TCharacterName labels;
        std::string reference;
        const int upperStart = pick(16000, 16050), lowerEnd = pick(5, 40);
        for (int p = upperStart; p < upperStart + pick(5, 40); ++p) labels.emplace_back(std::to_string(p));
        for (int p = 1; p <= lowerEnd; ++p) labels.emplace_back(std::to_string(p));
        if (pick(0, 3) == 0) labels.emplace_back(labels[std::size_t(pick(0, int(labels.size()) - 1))]);
        if (pick(0, 3) == 0) labels[std::size_t(pick(0, int(labels.size()) - 1))] = labels.back().str() + "  ";
        for (std::size_t i = 0; i < labels.size(); ++i) reference += "ACGT"[pick(0, 3)];
        TDBFDataSet records;
        for (int r = pick(0, 12); r > 0; --r) {
            std::vector<std::string> upper, lower;
            for (int k = pick(0, 8); k > 0; --k) {
                std::string site = std::to_string(pick(upperStart - 2, upperStart + 45)) + ".";
                if (pick(0, 3) == 0) site += std::to_string(pick(1, 9));
                upper.push_back(site + bases[pick(0, 6)]);
            }
            for (int k = pick(0, 8); k > 0; --k) {
                std::string site = std::to_string(pick(1, lowerEnd + 3));
                site += pick(0, 9) ? "." : "";
                if (pick(0, 3) == 0) site += std::to_string(pick(1, 9));
                if (pick(0, 9)) site += bases[pick(0, 6)];
                if (pick(0, 15) == 0) site[0] = 'x';
                if (site.size() >= 4) lower.push_back(site);
            }
            std::array<std::uint16_t, 4> ranges{};
            if (pick(0, 4)) ranges = {std::uint16_t(pick(upperStart, upperStart + 20)),
                                      std::uint16_t(pick(upperStart, upperStart + 45)), 0, 0};
            if (pick(0, 4)) ranges[2] = std::uint16_t(pick(0, 10)), ranges[3] = std::uint16_t(pick(0, lowerEnd + 2));
            records.push_back(Record("r" + std::to_string(r), ranges, upper, lower));
        }
        SCOPED_TRACE(round);
        auto fast = BuildForensicAlignment(records, reference, labels);
        auto stepByStep = testing::StepByStepForensicImport(records, reference, labels);
        ASSERT_TRUE(fast);
        ASSERT_EQ(fast->Reference[0].Sequence.str(), stepByStep.Reference);
        ASSERT_EQ(fast->Numbering, stepByStep.Numbering);
        ASSERT_EQ(fast->Sequences.size(), stepByStep.Sequences.size());
        for (std::size_t i = 0; i < stepByStep.Sequences.size(); ++i) {
            ASSERT_EQ(fast->Sequences[i].Name, stepByStep.Sequences[i].Name);
            ASSERT_EQ(fast->Sequences[i].Sequence.str(), stepByStep.Sequences[i].Sequence) << i;
        }
    }
}

}  // namespace
}  // namespace sequara
