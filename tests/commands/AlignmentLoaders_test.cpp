// Load > "Temporary &Alignment", "&Gravity format" and "Fa&sta file (display
// only)": what each puts into the aligned working state, its questions and
// messages; and every reader and writer on a named pipe.
#include "commands/AlignmentLoaders.h"
#include "commands/AutomaticAlignmentCommand.h"
#include "commands/ForensicImport.h"
#include "commands/RunSetup.h"
#include "editor/commands/AddAlignment.h"
#include "editor/commands/Autosave.h"
#include "editor/commands/SaveCommand.h"
#include "platform/ScriptedPlatform.h"
#include "tests/support/EditorDump.h"
#include "tests/support/TempFolder.h"

#include <filesystem>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>
#include <gtest/gtest.h>

namespace sequara {
namespace {

using testing::TempFolder;

// The aligned working state as text.
std::string Aligned(const WorkingState& s) {
    std::string out = "labels";
    for (const TLabel& l : s.AlignedNumbering) out += " " + (l.empty() ? std::string("()") : l.str());
    for (const TAlignedSequence& r : s.AlignedReference) out += "\nref " + r.Name + ": " + r.Sequence.str();
    for (const TAlignedSequence& r : s.AlignedSequences) out += "\n" + r.Name + ": " + r.Sequence.str();
    return out;
}

TEST(DisplayOnlyLoadTest, LengthsLabelsQuestionsAndEmptySequences) {
    struct Case {
        const char* what;
        const char* fasta;
        int answer;  // -1: no length question expected; 1 Yes; 0 No
        const char* aligned;  // or the message
    };
    const Case cases[] = {
        {"lengths 10, 12, 12, Yes pads", ">a\nACGTACGTAC\n>b\nACGTACGTACGT\n>c\nACGTACGTACGA\n", 1,
         "labels 1 2 3 4 5 6 7 8 9 10 () ()\nref : ACGTACGTAC--\na: ACGTACGTAC--\nb: ACGTACGTACGT\nc: ACGTACGTACGA"},
        {"lengths 10, 12, 12, No cuts", ">a\nACGTACGTAC\n>b\nACGTACGTACGT\n>c\nACGTACGTACGA\n", 0,
         "labels 1 2 3 4 5 6 7 8 9 10\nref : ACGTACGTAC\na: ACGTACGTAC\nb: ACGTACGTAC\nc: ACGTACGTAC"},
        {"a gap in the first sequence is an unlabelled column", ">r\nAC-GT\n>s\nACTGT\n", -1,
         "labels 1 2 () 3 4\nref : AC-GT\nr: AC-GT\ns: ACTGT"},
        {"an empty sequence neither cuts nor asks: it shows as gaps", ">a\n\n>b\nACGT\n>c\nACGA\n", -1,
         "labels () () () ()\nref : ----\na: ----\nb: ACGT\nc: ACGA"},
        {"an empty sequence, No cuts the others to the shortest non-empty one", ">a\nACG\n>b\n\n>c\nACGTT\n", 0,
         "labels 1 2 3\nref : ACG\na: ACG\nb: ---\nc: ACG"},
        {"only empty sequences", ">a\n>b\n", -1, kDisplayOnlyNothingToShow},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        ScriptedPlatform platform;
        WorkingState state;
        state.DataType = "DNA";
        state.AlignedSequences = {{"previous", "AAAA"}};
        platform.AnswerOkCancel(true);
        platform.AnswerOpenFile(folder.write("aligned.fasta", c.fasta));
        if (c.answer >= 0) platform.AnswerYesNo(c.answer == 1);
        FileDialogOptions dialog;
        const bool opened = LoadDisplayOnlyFasta(state, platform, dialog);
        EXPECT_EQ(state.AlignmentTitle, folder.file("aligned.fasta")) << c.what;
        const std::vector<std::string> questions = platform.Questions();
        ASSERT_EQ(questions.size(), c.answer >= 0 ? 2u : 1u) << c.what;
        EXPECT_EQ(questions[0], kDisplayOnlyQuestion);
        if (c.answer >= 0) {
            EXPECT_EQ(questions[1], kDisplayOnlyLengthQuestion);
        }
        if (opened) {
            EXPECT_EQ(Aligned(state), c.aligned) << c.what;
        } else {
            EXPECT_EQ(platform.Messages(), std::vector<std::string>{c.aligned}) << c.what;
        }
        EXPECT_TRUE(state.LoadedSequences.empty()) << c.what;
    }
}

TEST(DisplayOnlyLoadTest, CancelChangesNothingAndAnEmptyFileNeverShowsThePreviousLoad) {
    TempFolder folder;
    ScriptedPlatform platform;
    WorkingState state;
    FileDialogOptions dialog;
    state.AlignmentTitle = "before";
    platform.AnswerOkCancel(false);
    EXPECT_FALSE(LoadDisplayOnlyFasta(state, platform, dialog));
    platform.AnswerOkCancel(true);
    platform.CancelOpenFile();
    EXPECT_FALSE(LoadDisplayOnlyFasta(state, platform, dialog));
    EXPECT_EQ(state.AlignmentTitle, "before");
    // A file without entries: the command ends, whatever the last load held.
    state.LoadedSequences = {{"old", "ACGT"}};
    platform.AnswerOkCancel(true);
    platform.AnswerOpenFile(folder.write("none.fasta", "no header here\n"));
    EXPECT_FALSE(LoadDisplayOnlyFasta(state, platform, dialog));
    EXPECT_TRUE(state.AlignedSequences.empty());
    EXPECT_EQ(state.AlignmentTitle, folder.file("none.fasta"));
    // Only comments and labels: no sequences, and it says so.
    platform.Events.clear();
    platform.AnswerOkCancel(true);
    const std::string comments = folder.write("comments.fasta", "#only\n\n<1-9\n");
    platform.AnswerOpenFile(comments);
    EXPECT_FALSE(LoadDisplayOnlyFasta(state, platform, dialog));
    EXPECT_EQ(platform.Messages(), std::vector<std::string>{kNoSequencesFound + comments});
}

TEST(TemporaryAlignmentLoadTest, ReadsTheFileOrSaysItCannot) {
    TempFolder folder;
    ScriptedPlatform platform;
    WorkingState state;
    FileDialogOptions dialog;
    state.AlignmentTitle = "before";
    platform.CancelOpenFile();
    EXPECT_FALSE(LoadTemporaryAlignment(state, platform, dialog, false));
    EXPECT_EQ(state.AlignmentTitle, "before");

    platform.AnswerOpenFile(folder.write("two lines.ali", "ref;ACG\n1;2;3\n"));
    EXPECT_FALSE(LoadTemporaryAlignment(state, platform, dialog, false));
    EXPECT_EQ(platform.Messages(), std::vector<std::string>{kAlignmentReadError});
    EXPECT_EQ(state.AlignmentTitle, "before");
    EXPECT_EQ(Aligned(state), "labels 1 2 3\nref ref: ACG");  // as far as the reader got

    platform.AnswerOpenFile(folder.write("ok.grv", "ref;AC\n1;2\ns;AG\n"), 1);
    EXPECT_TRUE(LoadTemporaryAlignment(state, platform, dialog, true));
    EXPECT_EQ(Aligned(state), "labels 1 2\nref ref: AC\ns: AG");
    EXPECT_EQ(state.AlignmentTitle, folder.file("ok.grv"));
    EXPECT_EQ(dialog.InitialFolder, std::filesystem::path(folder.file("ok.grv")).parent_path().string());
}

TEST(NamedPipe, EveryReaderRefusesItAndEveryWriterSaysWhatItIs) {
    alarm(20);
    TempFolder folder;
    for (const char* name : {"x.ali", "backup.ali", "x.phy"}) ASSERT_EQ(mkfifo(folder.file(name).c_str(), 0600), 0);
    const std::string pipe = folder.file("x.ali");
    const std::string refusal = "Cannot read " + pipe + ": it is a named pipe (FIFO), not a plain file.";
    testing::EditorFixture f;
    f.Load("1", "A", {{"s", "A"}});
    WorkingState& state = f.run.State();
    state.ApplicationFolder = folder.path().string() + "/";
    FileDialogOptions dialog;
    NoSaveProgress progress;
    SaveSession save;
    struct : AutosaveTimer {
        void Stop() override {}
        void Start() override {}
    } timer;
    const std::vector<std::pair<std::string, std::function<void()>>> commands = {
        {refusal + "|" + kAlignmentReadError, [&] { LoadTemporaryAlignment(state, f.platform, dialog, false); }},
        {refusal, [&] { f.platform.AnswerOkCancel(true), LoadDisplayOnlyFasta(state, f.platform, dialog); }},
        {refusal, [&] { ImportForensicList(state, f.platform, dialog); }},
        {refusal, [&] { RunEditorCommand(f.ctx, [](EditorContext& c) { Addalignmentfile1Click(c); }); }},
        {"Ini-File: " + pipe + " is a named pipe (FIFO), not a plain file.",
         [&] { state.SettingsFileName = pipe, ReadSettings(state, f.platform); }},
        {"The chosen name is a named pipe (FIFO) and cannot be written: " + pipe, [&] {
             f.platform.AnswerSaveFile(folder.file("x"), 9);
             RunEditorCommand(f.ctx,
                              [&](EditorContext& c) { ButtonSaveClick(c, save, {DefaultFileLayer(), progress}); });
         }},
        {"Could not save " + folder.file("backup.ali") + ": it is a named pipe (FIFO), not a plain file",
         [&] { Timer1Timer(state, DefaultFileLayer(), f.platform, timer); }},
    };
    for (const auto& [expected, command] : commands) {
        f.platform.Events.clear();
        f.platform.AnswerOpenFile(pipe);
        command();
        std::string shown;
        for (const std::string& m : f.platform.Messages()) shown += (shown.empty() ? "" : "|") + m;
        EXPECT_EQ(shown, expected);
    }
    EXPECT_TRUE(std::filesystem::is_fifo(folder.file("backup.ali")) && std::filesystem::is_fifo(folder.file("x.phy")));
    alarm(0);
}

}  // namespace
}  // namespace sequara
