// The fast column builder against the grid filling by plain lookups on
// alignments the engine made of real control-region and HVS-I samples.
#include "alignment/AlignmentPipeline.h"
#include "alignment/ColumnModel.h"
#include "platform/ScriptedPlatform.h"
#include "sequence/FastaReader.h"
#include "tests/support/ColumnModelOracle.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

namespace sequara {
namespace {

using testing::TestDataFile;

void CompareOnRealData(const std::string& samples) {
    ScriptedPlatform platform;
    TFastaDataSet reference, data;
    TCharacterName names, unused;
    ReadFastaFile(TestDataFile("rCRS_CR_16024-576.txt"), reference, names, false, "DNA", platform);
    ReadFastaFile(TestDataFile(samples), data, unused, false, "DNA", platform);
    ASSERT_FALSE(reference.empty());
    ASSERT_GT(data.size(), 20u);
    TAlignmentResult rows;
    PipelineParameters parameters;
    parameters.DataType = "DNA";
    RunAutomaticAlignment(reference[0].Sequence, data, rows, parameters, [](PipelinePass, int) {});

    TAlignedColumns fast = BuildAlignedColumns(rows, data, reference[0].Sequence, names);
    TAlignedColumns slow = oracle::GenerateColumnsByLookups(rows, data, reference[0].Sequence, names);
    EXPECT_EQ(fast.RepairedRows, 0);  // the engine keeps its promise
    EXPECT_EQ(fast.ReferenceRow, slow.ReferenceRow);
    EXPECT_EQ(fast.Labels, slow.Labels);
    ASSERT_EQ(fast.Rows.size(), slow.Rows.size());
    for (std::size_t g = 0; g < fast.Rows.size(); ++g) EXPECT_EQ(fast.Rows[g], slow.Rows[g]) << data[g].Name;
    EXPECT_GT(fast.ReferenceRow.size(), reference[0].Sequence.size());  // some insertion columns
}

TEST(ColumnModelReal, ThousandGenomesControlRegions) { CompareOnRealData("1000g_CR_first40.fasta"); }
TEST(ColumnModelReal, ThousandGenomesHvs1) { CompareOnRealData("1000g_HVS1_first40.fasta"); }
TEST(ColumnModelReal, AfricanControlRegions) { CompareOnRealData("tishkoff2007_first30.fasta"); }

}  // namespace
}  // namespace sequara
