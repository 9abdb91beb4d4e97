// A real reader on the exports: Biopython's AlignIO (Debian's
// python3-biopython, run by Debian's own python3) reads the FASTA, PHYLIP and
// NEXUS files of real DNA and protein alignments and compares names, lengths
// and characters with the alignment written.

#include "alignment/AlignmentPipeline.h"
#include "alignment/ColumnModel.h"
#include "platform/ScriptedPlatform.h"
#include "sequence/FastaReader.h"
#include "tests/editor/writers/WriterRun.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

namespace sequara {
namespace {

using testing::TestDataFile;

std::string ReadBackWithBiopython(const std::string& referenceFile, const std::string& sequenceFile,
                                  const std::string& dataType) {
    ScriptedPlatform platform;
    TFastaDataSet reference, sequences;
    TCharacterName labels, unused;
    ReadFastaFile(TestDataFile(referenceFile), reference, labels, false, dataType, platform);
    ReadFastaFile(TestDataFile(sequenceFile), sequences, unused, false, dataType, platform);
    PipelineParameters parameters;
    parameters.DataType = dataType;
    TAlignmentResult alignment;
    RunAutomaticAlignment(reference.at(0).Sequence, sequences, alignment, parameters, nullptr);
    TAlignedColumns columns = BuildAlignedColumns(alignment, sequences, reference[0].Sequence, labels);
    TFastaDataSet rows;
    for (std::size_t i = 0; i < sequences.size(); ++i) rows.push_back({sequences[i].Name, columns.Rows[i]});
    rows.at(0).Name = "HG 0 (a)";   // names NEXUS must quote: a blank, reserved characters, a quote
    rows.at(1).Name = "it's-" + rows[1].Name;

    const testing::TempFolder folder;
    std::ofstream tsv(folder.file("alignment.tsv"), std::ios::binary);
    tsv << dataType << "\n";
    for (const TFastaSequence& row : rows) tsv << row.Name << "\t" << row.Sequence << "\n";
    tsv.close();
    const TFastaSequence referenceRow{reference[0].Name, columns.ReferenceRow};
    const DataSetAlignmentInput input(referenceRow, columns.Labels, rows, dataType);
    const WriterInput writerInput(input);
    NoSaveProgress progress;
    WriterServices services(progress);
    for (const auto& [file, format] : {std::pair{"export.fasta", "fasta"}, {"export.phy", "phylip"}, {"export.nex", "nexus"}})
        ReplaceFile(DefaultFileLayer(), folder.file(file),
                    [&](ByteSink& out) { ExportFormatByName(format)->Write(writerInput, out, services); });

    const std::string command = "/usr/bin/python3 " + TestDataFile("../support/read_exports_with_biopython.py") + " " +
                                folder.path().string() + " 2>&1";
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, n);
        output += "exit " + std::to_string(pclose(pipe));
    }
    return output;
}

TEST(BiopythonReadsExports, DnaAndProteinAlignments) {
    EXPECT_EQ(ReadBackWithBiopython("rCRS_CR_16024-576.txt", "1000g_HVS1_first40.fasta", "DNA"),
              "fasta: 40 rows of 343 characters read back\n"
              "phylip-sequential: 40 rows of 343 characters read back\n"
              "nexus: 40 rows of 343 characters read back\n"
              "exit 0");
    EXPECT_EQ(ReadBackWithBiopython("rCRS_CYTB_protein.txt", "1000g_CYTB_first20.fasta", "AMINO"),
              "fasta: 20 rows of 380 characters read back\n"
              "phylip-sequential: 20 rows of 380 characters read back\n"
              "nexus: 20 rows of 380 characters read back\n"
              "exit 0");
}

}  // namespace
}  // namespace sequara
