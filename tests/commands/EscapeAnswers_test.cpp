// Every Yes/No question of the program left with Escape or its close box:
// the question ends with the answer that keeps the user's work, or, where no
// answer does, stays until the user says Yes or No; torn down without an
// answer, such a question keeps the user's work too.
#include "commands/AlignmentLoaders.h"
#include "commands/RunSetup.h"
#include "editor/commands/ColumnCommands.h"
#include "editor/commands/FindMotif.h"
#include "editor/commands/SaveCommand.h"
#include "sequence/FastaReader.h"
#include "sequence/Utilities.h"
#include "tests/support/EditorDump.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

namespace sequara {
namespace {

using testing::ReadBytes;
using testing::TempFolder;

// A run with an unsaved editor on an alignment whose column 2 was inserted
// and holds a base in s1, and a program folder of its own.
struct Session {
    Session() {
        f.run.State().ApplicationFolder = folder.path().string() + "/";
        f.Load("1|_|2|3", "A-GT", {{"s1", "ATGT"}, {"s2", "A-GA"}});
    }
    std::string Rows() const {
        std::string out = f.document.ReferenceRow();
        for (const auto& s : f.run.State().AlignedSequences) out += " " + s.Sequence.str();
        return out;
    }
    bool Command(const std::function<void(EditorContext&)>& command) { return RunEditorCommand(f.ctx, command); }
    SaveServices Services() { return {DefaultFileLayer(), progress}; }

    TempFolder folder;
    testing::EditorFixture f;
    NoSaveProgress progress;
    SaveSession save;
};

TEST(EscapeAnswers, EveryYesNoQuestionLeftWithEscapeKeepsTheUsersWork) {
    const struct {
        const char* question;
        std::function<std::string(Session&)> leave;  // asks it after Escape is queued; what is left
        std::string left;
    } questions[] = {
        {kRestartSearchQuestion,
         [](Session& s) {
             s.f.view.SequenceGrid.MoveTo(3, 1);
             SearchPosition position{2, 1};  // ATGT lies only before it
             const bool found = BtnFindClick(s.f.ctx, "ATGT", position) == FindOutcome::Found;
             return std::string(found ? "found" : "not found") + " from " + std::to_string(position.X) + "," +
                    std::to_string(position.Y) + ", cursor " + std::to_string(s.f.view.SequenceGrid.Col());
         },
         "not found from 2,1, cursor 3"},
        {kOverwriteQuestion,
         [](Session& s) {
             const std::string file = s.folder.write("work.ali", "earlier work");
             s.f.platform.AnswerSaveFile(file, kTemporaryAlignmentFilterIndex);
             bool written = true;
             s.Command([&](EditorContext& c) { written = ButtonSaveClick(c, s.save, s.Services()); });
             return std::string(written ? "written: " : "not written: ") + ReadBytes(file) +
                    (s.f.document.Saved() ? ", saved" : ", unsaved");
         },
         "not written: earlier work, unsaved"},
        {kUnsavedQuestion,
         [](Session& s) {
             bool closes = true;
             s.Command([&](EditorContext& c) { closes = AskSaveTemporaryAlignment(c, s.save, s.Services()); });
             return std::string(closes ? "closes" : "stays open") + " with " + s.Rows();
         },
         "stays open with A-GT ATGT A-GA"},
        {kMutationQuestion,
         [](Session& s) {
             s.f.view.ReferenceGrid.MoveTo(1, 5);
             s.Command([](EditorContext& c) { Deletecharacter2Click(c); });
             return s.Rows();
         },
         "A-GT ATGT A-GA"},
        {"The chosen file already exists! Overwrite?",
         [](Session& s) {
             const std::string file = s.folder.write("table.txt", "earlier work");
             std::ofstream out;
             bool ok = true;
             OpenTextForWriting(file, out, ok, s.f.platform);
             return std::string(ok ? "opened: " : "not opened: ") + ReadBytes(file);
         },
         "not opened: earlier work"},
        {"Disallowed character state found in sequence 0 (a) at position 3 (!).  It would be ignored in further "
         "analyses. Do you want to continue?",
         [](Session& s) {
             TFastaDataSet read;
             const FastaReadResult result =
                 ReadFastaFile(s.folder.write("odd.fasta", ">a\nAC!GT\n"), read, true, "DNA", s.f.platform);
             return std::string(result == FastaReadResult::Failed ? "read stopped, " : "read on, ") +
                    std::to_string(read.size()) + " entries";
         },
         "read stopped, 0 entries"},
        {"Have found an old backup file in the directory.Restore?",
         [](Session& s) {
             const std::string backup = s.folder.write(kDnaBackupName, "ref;ACG\n1;2;3\ns;ACG\n");
             s.f.platform.AnswerYesNo(true);  // the answer after Escape, which leaves the question up
             const BackupOffer offer = OfferBackup(s.f.run.State(), s.f.platform);
             return std::string(offer == BackupOffer::Restored ? "restored " : "not restored ") + s.Rows() +
                    (std::filesystem::exists(backup) ? ", backup there" : ", backup gone");
         },
         "restored ACG ACG, backup there"},
        {"Have found an old backup file in the directory.Restore?",
         [](Session& s) {
             const std::string backup = s.folder.write(kDnaBackupName, "ref;ACG\n1;2;3\ns;ACG\n");
             s.f.platform.TearDownNextQuestion();  // the program told to quit while it shows
             const BackupOffer offer = OfferBackup(s.f.run.State(), s.f.platform);
             return std::string(offer == BackupOffer::Unanswered ? "unanswered " : "answered ") + s.Rows() +
                    (std::filesystem::exists(backup) ? ", backup there" : ", backup gone");
         },
         "unanswered A-GT ATGT A-GA, backup there"},
        {kDisplayOnlyLengthQuestion,
         [](Session& s) {
             WorkingState& state = s.f.run.State();
             state.AlignmentTitle = "before";
             s.f.platform.AnswerOkCancel(true);
             s.f.platform.AnswerOpenFile(s.folder.write("uneven.fasta", ">a\nACGTAC\n>b\nACG\n"));
             FileDialogOptions dialog;
             const bool opened = LoadDisplayOnlyFasta(state, s.f.platform, dialog);
             return std::string(opened ? "opened " : "cancelled ") + state.AlignmentTitle + " " + s.Rows();
         },
         "cancelled before A-GT ATGT A-GA"},
    };
    for (const auto& q : questions) {
        SCOPED_TRACE(std::string(q.question) + " -> " + q.left);
        Session s;
        s.f.platform.DismissYesNo();
        EXPECT_EQ(q.leave(s), q.left);
        std::vector<std::string> asked;
        for (const auto& e : s.f.platform.Events)
            if (e.kind == ScriptedPlatform::Kind::YesNo) asked.push_back(e.text);
        EXPECT_EQ(asked, std::vector<std::string>{q.question});
        EXPECT_TRUE(s.f.platform.Messages().empty());
        EXPECT_TRUE(s.f.platform.YesNoAnswers.empty());  // Escape reached the question
    }
}

}  // namespace
}  // namespace sequara
