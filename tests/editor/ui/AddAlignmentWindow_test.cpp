// The editor window merges a real second alignment through its menu entry:
// 20 HVS-I samples aligned automatically are open, the D-loops of 30 other
// samples, aligned on their own, come from an .ali file; every cell of both
// grids is checked.
#include "alignment/AlignmentPipeline.h"
#include "alignment/ColumnModel.h"
#include "editor/commands/AddAlignment.h"
#include "editor/ui/FrmAlignmentCorrection.h"
#include "platform/ScriptedPlatform.h"
#include "sequence/FastaReader.h"
#include "tests/support/AlignmentMergeOracle.h"
#include "tests/support/TempFolder.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <gtest/gtest.h>

#include <map>

namespace sequara {
namespace {

std::string trimmed(std::string s) {
    while (!s.empty() && s.back() == ' ') s.pop_back();
    while (!s.empty() && s.front() == ' ') s.erase(0, 1);
    return s;
}

TEST(AddAlignmentWindowTest, MergesARealSecondAlignmentCellByCell) {
    ScriptedPlatform platform;
    RunContext run{platform};
    WorkingState& state = run.State();
    state.DataType = "DNA";
    TFastaDataSet reference, hvs1, dLoops;
    TCharacterName labels;
    ReadFastaFile(SEQUARA_TEST_DATA_DIR "/rCRS_CR_16024-576.txt", reference, labels, false, "DNA", platform);
    ReadFastaFile(SEQUARA_TEST_DATA_DIR "/1000g_HVS1_first40.fasta", hvs1, false, "DNA", platform);
    ReadFastaFile(SEQUARA_TEST_DATA_DIR "/tishkoff2007_first30.fasta", dLoops, false, "DNA", platform);
    ASSERT_EQ(hvs1.size(), 40u);
    ASSERT_EQ(dLoops.size(), 30u);
    state.ReferenceData = reference;
    PipelineParameters parameters;
    parameters.DataType = "DNA";
    parameters.Threads = 1;
    TFastaDataSet first(hvs1.begin(), hvs1.begin() + 20), second = dLoops;
    TAlignmentResult firstRows, secondRows;
    RunAutomaticAlignment(reference[0].Sequence, first, firstRows, parameters, nullptr);
    RunAutomaticAlignment(reference[0].Sequence, second, secondRows, parameters, nullptr);

    // The second alignment as its own .ali file.
    const TAlignedColumns columns = BuildAlignedColumns(secondRows, second, reference[0].Sequence, labels);
    std::string ali = "second reference;" + columns.ReferenceRow + "\r\n";
    for (std::size_t k = 0; k < columns.Labels.size(); ++k) ali += (k ? ";" : "") + trimmed(columns.Labels[k].str());
    ali += "\r\n";
    for (std::size_t i = 0; i < second.size(); ++i) ali += second[i].Name + ";" + columns.Rows[i] + "\r\n";
    testing::TempFolder folder;
    const std::string file = folder.write("second.ali", ali);

    QMainWindow frame;
    auto* area = new QMdiArea;
    frame.resize(1200, 800);
    frame.setCentralWidget(area);
    frame.show();
    FrmAlignmentCorrection* editor = CreateAlignmentEditor(area, run);
    editor->GenerateGrids(firstRows, first, state.ReferenceData, labels);
    // As after opening a file whose reference has a name of its own.
    editor->SetReferenceName(TFastaDataSet{{"file's reference", ""}});
    ShowAlignmentEditorMaximized(editor);
    QApplication::processEvents();
    AlignmentEditorModel& model = editor->Model();

    // What the step-by-step merge makes of the same two alignments.
    testing::PlainAlignment open, added;
    for (const TLabel& l : state.AlignedNumbering) open.Labels.push_back(l.str());
    open.Reference = state.AlignedReference[0].Sequence.str();
    for (const TAlignedSequence& s : state.AlignedSequences) open.Rows.emplace_back(s.Name, s.Sequence.str());
    for (const TLabel& l : columns.Labels) added.Labels.push_back(l.str());
    added.Reference = columns.ReferenceRow;
    for (std::size_t i = 0; i < second.size(); ++i) added.Rows.emplace_back(second[i].Name, columns.Rows[i]);
    const std::size_t openColumns = open.Labels.size();
    ASSERT_TRUE(testing::StepByStepMerge(open, added));
    ASSERT_GT(open.Labels.size(), openColumns);  // the samples insert bases in other places

    platform.AnswerOpenFile(file);
    editor->Addalignmentfile1()->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(platform.Messages().empty());

    ASSERT_EQ(model.ColumnCount(), static_cast<std::int32_t>(open.Labels.size()));
    ASSERT_EQ(model.SequenceCount(), 50);
    for (std::int32_t c = 0; c < model.ColumnCount(); ++c) {
        const std::string& label = open.Labels[static_cast<std::size_t>(c)];
        for (std::int32_t r = 0; r < 5; ++r)
            ASSERT_EQ(model.HeaderCell(c, r), label[static_cast<std::size_t>(r)]) << "column " << c << " row " << r;
        ASSERT_EQ(model.ReferenceCell(c), open.Reference[static_cast<std::size_t>(c)]) << "column " << c;
    }
    for (std::int32_t r = 0; r < 50; ++r) {
        const auto& [name, text] = open.Rows[static_cast<std::size_t>(r)];
        ASSERT_EQ(model.NameCell(r), name);
        for (std::int32_t c = 1; c <= model.ColumnCount(); ++c)
            ASSERT_EQ(model.SequenceCell(c, r), text[static_cast<std::size_t>(c - 1)]) << "row " << r << " col " << c;
    }
    // Independently of the oracle: every labelled column of the file holds
    // its characters under the same label.
    std::map<std::string, std::int32_t> columnOf;
    for (std::int32_t c = 0; c < model.ColumnCount(); ++c) {
        const std::string label = trimmed(state.AlignedNumbering[static_cast<std::size_t>(c)].str());
        if (!label.empty()) columnOf.emplace(label, c + 1);
    }
    for (std::size_t i = 0; i < second.size(); ++i)
        for (std::size_t k = 0; k < columns.Labels.size(); ++k) {
            const std::string label = trimmed(columns.Labels[k].str());
            if (label.empty()) continue;
            ASSERT_EQ(model.SequenceCell(columnOf.at(label), static_cast<std::int32_t>(20 + i)), columns.Rows[i][k]);
        }
    // The label shows the open alignment's reference row, named after the
    // run's reference.
    EXPECT_EQ(editor->lblReferenceName()->text().toStdString(), reference[0].Name);
    EXPECT_TRUE(editor->Undo1()->isEnabled());

    editor->Undo1()->trigger();
    QApplication::processEvents();
    EXPECT_EQ(model.SequenceCount(), 20);
    EXPECT_EQ(model.ColumnCount(), static_cast<std::int32_t>(openColumns));
}

}  // namespace
}  // namespace sequara
