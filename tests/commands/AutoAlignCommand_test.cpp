// The automatic-alignment command against a recording main window: the
// question, the dialog, the early ends, the progress box and its texts, the
// gauge, the finishing message and the editor opening, in order.
#include "commands/AutomaticAlignmentCommand.h"
#include "platform/ScriptedPlatform.h"
#include "sequence/FastaReader.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

namespace sequara {
namespace {

using testing::TempFolder;
using testing::TestDataFile;

class RecordingView : public AutomaticAlignmentView {
public:
    std::vector<std::string> Events;
    std::vector<int> Gauge;
    ScriptedPlatform* Platform = nullptr;
    std::size_t MessagesBeforeEditor = 0;
    int ThrowAtGauge = -1;  // SetGauge throws on this call (from 0)
    void SetMainWindowEnabled(bool enabled) override { Events.push_back(enabled ? "enable" : "disable"); }
    void ShowProgressBox() override { Events.push_back("show box"); }
    void HideProgressBox() override { Events.push_back("hide box"); }
    void SetProgressLabel(const std::string& text) override { Events.push_back("label " + text); }
    void SetGauge(int percent) override {
        if (int(Gauge.size()) == ThrowAtGauge) throw std::runtime_error("window gone");
        Gauge.push_back(percent);
    }
    void RepaintMainWindow() override {}
    void RepaintProgressBox() override {}
    void OpenEditor() override {
        Events.push_back("editor");
        if (Platform) MessagesBeforeEditor = Platform->Messages().size();
    }
};

class AutoAlignCommandTest : public ::testing::Test {
protected:
    AutoAlignCommandTest() {
        state.DataType = "DNA";
        state.MinAlignmentMatch = 4;
        state.InitialNucleotides = 15;
        state.IgnoreFastaNs = true;
        state.IgnoreFastaGaps = true;
        ReadFastaFile(testing::ShippedDefault("ReferenceSequence.txt"), state.ReferenceData, state.ReferenceNumbering,
                      false, state.DataType, platform);
        view.Platform = &platform;
    }
    void run() { RunAutomaticAlignmentCommand(state, platform, dialog, view); }

    WorkingState state;
    ScriptedPlatform platform;
    FileDialogOptions dialog = [] {
        FileDialogOptions options;
        options.Filters = {{"Fasta", "*.fasta"}, {"All", "*.*"}};
        return options;
    }();
    RecordingView view;
};

TEST_F(AutoAlignCommandTest, TheMainRoadInOrder) {
    platform.AnswerOpenFile(TestDataFile("autoalign_hvs1.fasta"));
    TCharacterName unused;
    TFastaDataSet read;
    platform.ProcessMessagesCalls = 0;
    ReadFastaFile(TestDataFile("autoalign_hvs1.fasta"), read, unused, true, "DNA", platform);
    const int readerCalls = platform.ProcessMessagesCalls;
    platform.ProcessMessagesCalls = 0;
    run();
    ASSERT_EQ(platform.OpenFileOptions.size(), 1u);
    EXPECT_EQ(platform.OpenFileOptions[0].Filters[0].Description, "Fasta");
    // The dialog keeps the folder and filter chosen.
    EXPECT_EQ(dialog.InitialFolder, std::filesystem::path(TestDataFile("autoalign_hvs1.fasta")).parent_path().string());
    EXPECT_EQ(dialog.FilterIndex, 1);
    EXPECT_EQ(platform.Questions().size(), 0u);  // no auto-reverse question
    EXPECT_EQ(platform.Messages(), std::vector<std::string>{kAutoAlignFinished});
    EXPECT_EQ(view.MessagesBeforeEditor, 1u);  // the message comes first, the box still shown
    EXPECT_EQ(view.Events, (std::vector<std::string>{"disable", "show box", std::string("label ") + kAlignmentRunning,
                                                     "editor", "hide box", "enable"}));
    EXPECT_EQ(view.Gauge, (std::vector<int>{0, 33, 67, 100}));
    EXPECT_EQ(state.AlignmentTitle, TestDataFile("autoalign_hvs1.fasta"));
    ASSERT_EQ(state.LoadedSequences.size(), 3u);
    ASSERT_EQ(state.AlignmentPositions.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_EQ(state.AlignmentPositions[i].size(), state.LoadedSequences[i].Sequence.size());
    // The HVS-I sample starts at the reference's first position.
    EXPECT_EQ(state.AlignmentPositions[0].front(), 1);
    EXPECT_EQ(state.AlignmentPositions[0].back(), 342);
    EXPECT_EQ(state.InitialNucleotides, 15);
    EXPECT_FALSE(state.AutoReverse);
    // Once before the passes and once after the editor opened, besides the
    // reader's own.
    EXPECT_EQ(platform.ProcessMessagesCalls, readerCalls + 2);
}

TEST_F(AutoAlignCommandTest, AutoReverseAsksRunsBothPassesAndTurnsTheReversedSequence) {
    state.AutoReverse = true;
    platform.AnswerOkCancel(true);
    platform.AnswerOpenFile(TestDataFile("autoalign_reversed.fasta"));
    run();
    ASSERT_EQ(platform.Events.size(), 3u);
    EXPECT_EQ(platform.Events[0].kind, ScriptedPlatform::Kind::OkCancel);
    EXPECT_EQ(platform.Events[0].caption, "Question");
    EXPECT_EQ(platform.Events[0].text,
              "This option automatically aligns your sequences and automatically \ntransforms sequences into "
              "reverse complement where required.\nRun time is 3x as long as \"Load fasta (auto-align)\". ");
    EXPECT_EQ(view.Events, (std::vector<std::string>{"disable", "show box",
                                                     std::string("label ") + kOrientationRunning,
                                                     std::string("label ") + kAlignmentRunning, "editor",
                                                     "hide box", "enable"}));
    // Each pass runs the gauge from 0 to 100; the alignment pass starts at 0
    // under its own label before its first sequence.
    EXPECT_EQ(view.Gauge, (std::vector<int>{0, 50, 100, 0, 50, 100}));
    // The reversed sample now reads forward: its row climbs from 1.
    EXPECT_EQ(state.LoadedSequences[1].Name, "reversed 16189C");
    EXPECT_EQ(state.LoadedSequences[1].Sequence, state.LoadedSequences[0].Sequence.substr(0, 0) +
                                                     state.ReferenceData[0].Sequence.substr(0, 165) + "C" +
                                                     state.ReferenceData[0].Sequence.substr(166, 176));
    EXPECT_EQ(state.AlignmentPositions[1].front(), 1);
    EXPECT_FALSE(state.AutoReverse);
}

TEST_F(AutoAlignCommandTest, EveryEarlyEndLeavesNoProgressBoxAndClearsAutoReverse) {
    // Cancel at the question: nothing read, no dialog.
    state.AutoReverse = true;
    platform.AnswerOkCancel(false);
    run();
    EXPECT_TRUE(platform.OpenFileOptions.empty());
    EXPECT_FALSE(state.AutoReverse);
    // The next run does not ask.
    platform.CancelOpenFile();
    state.AlignmentTitle = "before";
    run();
    EXPECT_EQ(platform.Questions().size(), 1u);
    EXPECT_EQ(state.AlignmentTitle, "before");
    // An unreadable file: the reader's message, the title already changed.
    TempFolder folder;
    platform.AnswerOpenFile(folder.file("missing.fasta"));
    run();
    EXPECT_EQ(state.AlignmentTitle, folder.file("missing.fasta"));
    EXPECT_TRUE(state.LoadedSequences.empty());
    EXPECT_TRUE(view.Events.empty());
    EXPECT_EQ(state.InitialNucleotides, 15);
}

TEST_F(AutoAlignCommandTest, AnInterruptedRunStillHidesTheBoxAndEnablesTheWindow) {
    state.AutoReverse = true;
    state.InitialNucleotides = 9;
    platform.AnswerOkCancel(true);
    platform.AnswerOpenFile(TestDataFile("autoalign_hvs1.fasta"));
    view.ThrowAtGauge = 2;
    EXPECT_THROW(run(), std::runtime_error);
    EXPECT_EQ(view.Events, (std::vector<std::string>{"disable", "show box",
                                                     std::string("label ") + kOrientationRunning, "hide box",
                                                     "enable"}));
    EXPECT_TRUE(platform.Messages().empty());
    EXPECT_FALSE(state.AutoReverse);
    EXPECT_EQ(state.InitialNucleotides, 9);
}

TEST_F(AutoAlignCommandTest, TheBoxIsRepaintedOnlyWhenTheGaugeChanges) {
    TempFolder folder;
    std::string text;
    for (int i = 0; i < 250; ++i)
        text += ">s" + std::to_string(i) + "\n" + state.ReferenceData[0].Sequence.substr(std::size_t(i), 80) + "\n";
    platform.AnswerOpenFile(folder.write("many.fasta", text));
    run();
    ASSERT_EQ(state.AlignmentPositions.size(), 250u);
    // 0 when shown, then every new rounded percentage once, up to 100.
    ASSERT_GE(view.Gauge.size(), 2u);
    EXPECT_LE(view.Gauge.size(), 101u);
    EXPECT_EQ(view.Gauge.front(), 0);
    EXPECT_EQ(view.Gauge.back(), 100);
    for (std::size_t i = 1; i < view.Gauge.size(); ++i) EXPECT_LT(view.Gauge[i - 1], view.Gauge[i]);
}

TEST_F(AutoAlignCommandTest, AFileWithoutSequencesEndsTheCommandWithAMessage) {
    platform.AnswerOpenFile(TestDataFile("autoalign_hvs1.fasta"));
    run();
    const TAlignmentResult previousRows = state.AlignmentPositions;
    TempFolder folder;
    const std::string empty = folder.write("blank.fasta", "\n#nothing\n<1-3\n");
    // Also the program's own copy, read in the current folder.
    std::filesystem::copy_file(empty, kInterimFileName, std::filesystem::copy_options::overwrite_existing);
    for (const std::string& name : {std::string(kInterimFileName), empty}) {
        SCOPED_TRACE(name);
        for (const bool loadedBefore : {true, false}) {
            if (!loadedBefore) state.LoadedSequences.clear();
            platform.Events.clear();
            view.Events.clear();
            platform.AnswerOpenFile(name);
            run();
            EXPECT_TRUE(view.Events.empty());  // no progress box, no editor
            EXPECT_EQ(platform.Messages(), std::vector<std::string>{kNoSequencesFound + name});
            EXPECT_EQ(state.AlignmentPositions, previousRows);
            if (name == kInterimFileName) {
                EXPECT_EQ(testing::ReadBytes(name), "\n#nothing\n<1-3\n");
            }
        }
    }
}

TEST_F(AutoAlignCommandTest, SequencesCleanedToNothingStillGetARowAndTheEditor) {
    TempFolder folder;
    platform.AnswerOpenFile(folder.write("gaps.fasta", ">only gaps\n----NNNN\n>real\n" +
                                                           state.ReferenceData[0].Sequence.substr(0, 60) + "\n"));
    run();
    ASSERT_EQ(state.LoadedSequences.size(), 2u);
    EXPECT_EQ(state.LoadedSequences[0].Sequence, "");
    EXPECT_TRUE(state.AlignmentPositions[0].empty());
    EXPECT_EQ(view.Events.back(), "enable");
    EXPECT_EQ(view.Gauge.back(), 100);
}

}  // namespace
}  // namespace sequara
