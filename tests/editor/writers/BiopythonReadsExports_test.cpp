// A real reader on the exports: the FASTA, PHYLIP and NEXUS files of real
// alignments (DNA and amino acids) are read with Biopython's AlignIO (the
// Debian package python3-biopython, run by Debian's own python3), which
// compares names, lengths and characters with the alignment written.

#include "alignment/AlignmentPipeline.h"
#include "alignment/ColumnModel.h"
#include "editor/writers/FastaWriter.h"
#include "editor/writers/NexusWriter.h"
#include "editor/writers/PhylipWriter.h"
#include "platform/ScriptedPlatform.h"
#include "sequence/FastaReader.h"
#include "tests/editor/writers/WriterRun.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

namespace sequara {
namespace {

using testing::TempFolder;
using testing::TestDataFile;

const char* const kPython = "/usr/bin/python3";

// Aligns the sequences of a test data file against a reference file.
testing::TestAlignment AlignTestData(const std::string& referenceFile, const std::string& sequenceFile,
                                     const std::string& dataType) {
    ScriptedPlatform platform;
    TFastaDataSet reference, sequences;
    TCharacterName labels, unused;
    ReadFastaFile(TestDataFile(referenceFile), reference, labels, false, dataType, platform);
    ReadFastaFile(TestDataFile(sequenceFile), sequences, unused, false, dataType, platform);
    EXPECT_FALSE(reference.empty() || sequences.empty());
    PipelineParameters parameters;
    parameters.DataType = dataType;
    TAlignmentResult rows;
    RunAutomaticAlignment(reference[0].Sequence, sequences, rows, parameters, nullptr);
    TAlignedColumns columns = BuildAlignedColumns(rows, sequences, reference[0].Sequence, labels);
    testing::TestAlignment a{{reference[0].Name, columns.ReferenceRow}, columns.Labels, {}, dataType};
    for (std::size_t i = 0; i < sequences.size(); ++i) a.Rows.push_back({sequences[i].Name, columns.Rows[i]});
    // Names NEXUS must quote (a blank, a reserved character, a quote).
    a.Rows[0].Name = "HG 0 (a)";
    a.Rows[1].Name = "it's-" + a.Rows[1].Name;
    return a;
}

std::string ReadBackWithBiopython(const testing::TestAlignment& a) {
    TempFolder folder;
    std::ofstream tsv(folder.file("alignment.tsv"), std::ios::binary);
    tsv << a.DataType << "\n";
    for (const TFastaSequence& row : a.Rows) tsv << row.Name << "\t" << row.Sequence << "\n";
    tsv.close();
    const DataSetAlignmentInput alignment(a.Reference, a.Labels, a.Rows, a.DataType);
    const WriterInput input(alignment);
    NoSaveProgress progress;
    WriterServices services(progress);
    const std::pair<const char*, WriterFunction> exports[] = {
        {"export.fasta", &WriteFastaFile}, {"export.phy", &WritePhylipFile}, {"export.nex", &WriteNexusFile}};
    for (const auto& [name, writer] : exports)
        ReplaceFile(DefaultFileLayer(), folder.file(name), [&](ByteSink& out) { writer(input, out, services); });

    const std::string command = std::string(kPython) + " " + TestDataFile("../support/read_exports_with_biopython.py") +
                                " " + folder.path().string() + " 2>&1";
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, n);
        output += "exit " + std::to_string(pclose(pipe));
    }
    return output;
}

TEST(BiopythonReadsExports, DnaOfAControlRegionAlignment) {
    ASSERT_EQ(ReadBackWithBiopython(AlignTestData("rCRS_CR_16024-576.txt", "1000g_HVS1_first40.fasta", "DNA")),
              "fasta: 40 rows of 343 characters read back\n"
              "phylip-sequential: 40 rows of 343 characters read back\n"
              "nexus: 40 rows of 343 characters read back\n"
              "exit 0");
}

TEST(BiopythonReadsExports, AminoAcidsOfACytochromeBAlignment) {
    ASSERT_EQ(ReadBackWithBiopython(AlignTestData("rCRS_CYTB_protein.txt", "1000g_CYTB_first20.fasta", "AMINO")),
              "fasta: 20 rows of 380 characters read back\n"
              "phylip-sequential: 20 rows of 380 characters read back\n"
              "nexus: 20 rows of 380 characters read back\n"
              "exit 0");
}

}  // namespace
}  // namespace sequara
