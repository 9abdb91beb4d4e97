// Names holding a TAB or ";" in the ".ali" files the Save command writes.
#include "alignment/AlignmentFileReader.h"
#include "editor/commands/SaveCommand.h"
#include "editor/writers/ExportFormats.h"
#include "sequence/FastaReader.h"
#include "tests/support/EditorDump.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

namespace sequara {
namespace {

TEST(AliNames, ATabOrSemicolonInANameIsWrittenAsABlankAndTheAliReadsBack) {
    testing::TempFolder folder;
    testing::EditorFixture f;
    TFastaDataSet read;
    ReadFastaFile(folder.write("in.fasta", ">HG00096\tsample from plate 7\nACGA\n>c;d\n-CGT\n"), read, false, "DNA",
                  f.platform);
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[0].Name + "|" + read[1].Name, "HG00096,sample from plate 7|c,d");
    // Names that hold them all the same, the reference's included.
    f.Load("1|2|3|4", "ACGT", {{"HG00096\tsample from plate 7", "ACGA"}, {"c;d", "-CGT"}});
    f.run.State().AlignedReference[0].Name = "rCRS\tHVS;1";
    SaveSession save;
    NoSaveProgress progress;
    for (const auto& [name, index] :
         {std::pair{"own.ali", kTemporaryAlignmentFilterIndex}, std::pair{"plain.txt", kFastaFilterIndex}}) {
        f.platform.AnswerSaveFile(folder.file(name), index);
        EXPECT_TRUE(RunEditorCommand(
            f.ctx, [&](EditorContext& c) { ButtonSaveClick(c, save, SaveServices{DefaultFileLayer(), progress}); }));
    }
    for (const char* ali : {"own.ali", "plain.ali"}) {  // saved, and beside another format
        TFastaDataSet reference, rows;
        TCharacterName labels;
        ASSERT_TRUE(ReadAlignmentFile(folder.file(ali), reference, labels, rows, false, f.platform)) << ali;
        std::string dump = reference[0].Name + "=" + reference[0].Sequence;
        for (const TFastaSequence& row : rows) dump += " | " + row.Name + "=" + row.Sequence;
        EXPECT_EQ(dump, "rCRS HVS 1=ACGT | HG00096 sample from plate 7=ACGA | c d=-CGT") << ali;
    }
    EXPECT_TRUE(f.platform.Messages().empty());
}

}  // namespace
}  // namespace sequara
