// The Save command, the close question and the autosave, on a real folder:
// which files exist afterwards, the caption, the saved mark and what the
// user was asked and told.
#include "alignment/AlignmentFileReader.h"
#include "editor/commands/Autosave.h"
#include "editor/commands/SaveCommand.h"
#include "editor/commands/RowMove.h"
#include "editor/commands/ColumnCommands.h"
#include "editor/WorkingStateAlignmentInput.h"
#include "editor/writers/ExportFiles.h"
#include "editor/writers/ExportFormats.h"
#include "editor/writers/WriteError.h"
#include "editor/writers/PlexorOldRdfWriter.h"
#include "sequence/FastaReader.h"
#include "tests/support/EditorDump.h"
#include "tests/support/FailingFileLayer.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <sys/mount.h>
#include <unistd.h>

namespace sequara {
namespace {

using testing::FailingFileLayer;
using testing::ReadBytes;
using testing::TempFolder;

struct RecordingProgress : SaveProgress {
    bool Visible = false;
    void Show() override { Visible = true; }
    void SetPosition(std::int32_t) override {}
    void Hide() override { Visible = false; }
};

// A timer that says whether it runs.
struct RecordingTimer : AutosaveTimer {
    bool Running = true;
    void Stop() override { Running = false; }
    void Start() override { Running = true; }
};

// The folder, caption and saved mark after a save that claimed nothing, or
// after one that saved to <folder>/caption; the question for two existing files.
std::string Kept(const std::string& files) { return "files " + files + "\ncaption Alignment\nsaved no\n"; }
std::string Saved(const std::string& files, const std::string& caption) {
    return "files " + files + "\ncaption <folder>/" + caption + "\nsaved yes\n";
}
std::string BothExist(const std::string& ali, const std::string& chosen, const char* answer) {
    return "question: The files <folder>/" + ali + " and <folder>/" + chosen + " already exist! Overwrite them? -> " +
           answer + "\n";
}
const std::string kChosenExists = "question: The chosen file already exists! Overwrite? -> ";

struct SaveFixture : testing::EditorFixture {
    SaveFixture() {
        run.State().ApplicationFolder = folder.path().string() + "/";
        Load("1|2|3|4", "ACGT", {{"s1", "ACGA"}, {"s2", "-CGT"}});
    }
    // Runs the Save command through the command boundary; an empty name
    // cancels the dialog.
    std::string Save(const std::string& typed, int filterIndex) {
        if (typed.empty()) platform.SaveFileAnswers.push_back(std::nullopt);
        else platform.AnswerSaveFile(folder.file(typed), filterIndex);
        bool written = false;
        const bool ran = RunEditorCommand(ctx, [&](EditorContext& c) {
            written = ButtonSaveClick(c, save, SaveServices{files, progress});
        });
        return std::string(ran ? (written ? "written" : "not written") : "failed") + "\n" + State();
    }
    // Folder contents (subfolders' too), caption, saved mark, then everything asked or shown.
    std::string State() {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder.path()))
            names.push_back(entry.path().lexically_relative(folder.path()).string());  // links by their own name
        std::sort(names.begin(), names.end());
        std::string out = "files";
        for (const std::string& n : names) out += " " + n;
        std::string caption = save.Caption;
        if (caption.rfind(folder.path().string(), 0) == 0) caption = "<folder>" + caption.substr(folder.path().string().size());
        out += "\ncaption " + caption + "\nsaved " + (document.Saved() ? "yes" : "no") + "\n";
        for (const auto& e : platform.Events) {
            if (e.kind == ScriptedPlatform::Kind::SaveFile) continue;
            std::string text = e.text;
            for (auto at = text.find(folder.path().string()); at != std::string::npos;
                 at = text.find(folder.path().string()))
                text.replace(at, folder.path().string().size(), "<folder>");
            out += (e.kind == ScriptedPlatform::Kind::Message ? "message: " : "question: ") + text +
                   (e.kind == ScriptedPlatform::Kind::YesNo ? (e.answer ? " -> Yes" : " -> No") : "") + "\n";
        }
        platform.Events.clear();
        return out;
    }
    void Autosave() {
        RecordingTimer timer;
        Timer1Timer(run.State(), files, platform, timer);
    }

    TempFolder folder;
    FailingFileLayer files;
    RecordingProgress progress;
    SaveSession save{1, "", "Alignment"};
};

TEST(SaveCommand, TheDialogOffersTheDataTypesTenFormatsAndRemembersTheLastChoice) {
    SaveFixture f;
    EXPECT_EQ(f.Save("", 1), "not written\nfiles\ncaption Alignment\nsaved no\n");
    auto dump = [](const std::vector<FileFilter>& filters) {
        std::string out;
        for (const FileFilter& filter : filters) out += filter.Description + " = " + filter.Patterns + "\n";
        return out;
    };
    ASSERT_EQ(f.platform.SaveFileOptions.size(), 1u);
    EXPECT_EQ(f.platform.SaveFileOptions[0].FilterIndex, 1);
    EXPECT_EQ(dump(f.platform.SaveFileOptions[0].Filters),
              "Fasta format (*.txt) = *.txt\n"
              "Temporary Alignment (*.ali) = *.ali\n"
              "Plexor old multistate data format (*.rdf) = *.rdf\n"
              "Plexor old binary data format  (*.rdf) = *.rdf\n"
              "Plexor 4.5 multistate data format (*.rdf) = *.rdf\n"
              "Plexor 4.5 binary data format (*.rdf) = *.rdf\n"
              "Mismatch format (*.txt) = *.txt\n"
              "Collapsed Identities format (*.txt) = *.txt\n"
              "Sequential Phylip format (*.phy) = *.phy\n"
              "Sequential Nexus format (*.nex) = *.nex\n");
    EXPECT_EQ(std::string(kAminoSaveFilter),
              "Fasta format (*.txt)|*.txt|Temporary Alignment (*.ali)|*.ali|Plexor old multistate data format "
              "(*.ami)|*.ami|Plexor old binary data format (*.rdf)|*.rdf|Plexor 4.5 multistate data format "
              "(*.ami)|*.ami|Plexor 4.5 binary data format (*.rdf)|*.rdf|Mismatch format(*.txt)|*.txt|Collapsed "
              "Identities format (*.txt)|*.txt|Sequential Phylip format (*.phy)|*.phy|Sequential Nexus format "
              "(*.nex)|*.nex|");
    EXPECT_EQ(std::string(SaveFilter("AMINO")), kAminoSaveFilter);
    EXPECT_EQ(std::string(SaveFilter("amino")), kDnaSaveFilter);

    f.Save("a.phy", 9);
    f.Save("b", 2);
    ASSERT_EQ(f.platform.SaveFileOptions.size(), 3u);
    EXPECT_EQ(f.platform.SaveFileOptions[2].FilterIndex, 9);
    EXPECT_EQ(f.platform.SaveFileOptions[2].FileName, f.folder.file("a.phy"));
}

TEST(SaveCommand, FastaWithItsCompanionTheCaptionAndTheBackupOfItsDataType) {
    SaveFixture f;
    f.folder.write("backup.ali", "old dna backup");
    f.folder.write("backup_ami.ali", "old amino backup");
    // The FASTA entry forces ".txt"; the companion is written first and
    // counts as saving the alignment; the DNA backup goes.
    EXPECT_EQ(f.Save("result.fas", 1),
              "written\nfiles backup_ami.ali result.ali result.txt\ncaption <folder>/result.txt\nsaved yes\n");
    EXPECT_EQ(ReadBytes(f.folder.file("result.txt")), ">s1\r\nACGA\r\n>s2\r\nCGT\r\n");
    EXPECT_EQ(ReadBytes(f.folder.file("result.ali")), "rCRS;ACGT\r\n1;2;3;4\r\ns1;ACGA\r\ns2;-CGT\r\n");
    // Any later change makes it unsaved again.
    EXPECT_TRUE(RunEditorCommand(f.ctx, [](EditorContext& c) { AlignedSequencesGridRowMoved(c, 0, 1); }));
    EXPECT_FALSE(f.document.Saved());

    // Saving over both: one question naming both.
    f.platform.AnswerYesNo(true);
    EXPECT_EQ(f.Save("result.txt", 1),
              "written\n" + Saved("backup_ami.ali result.ali result.txt", "result.txt") +
                  BothExist("result.ali", "result.txt", "Yes"));
    EXPECT_EQ(ReadBytes(f.folder.file("result.txt")), ">s2\r\nCGT\r\n>s1\r\nACGA\r\n");
}

TEST(SaveCommand, RefusedOverwriteAndNamedFolderChangeNothing) {
    SaveFixture f;
    f.folder.write("keep.ali", "old");
    f.folder.write("backup.ali", "b");
    f.platform.AnswerYesNo(false);
    // A No to the overwrite question is not a save.
    EXPECT_EQ(f.Save("keep.ali", 2),
              "not written\nfiles backup.ali keep.ali\ncaption Alignment\nsaved no\n"
              "question: The chosen file already exists! Overwrite? -> No\n");
    EXPECT_EQ(ReadBytes(f.folder.file("keep.ali")), "old");
    std::filesystem::create_directory(f.folder.file("dir.txt"));
    EXPECT_EQ(f.Save("dir.txt", 1),
              "failed\nfiles backup.ali dir.txt keep.ali\ncaption Alignment\nsaved no\n"
              "message: The chosen name is a folder and cannot be written: <folder>/dir.txt\n");
    // The temporary-alignment entry writes that file alone.
    f.platform.AnswerYesNo(true);
    EXPECT_EQ(f.Save("keep", 2),
              "written\nfiles dir.txt keep.ali\ncaption <folder>/keep.ali\nsaved yes\n"
              "question: The chosen file already exists! Overwrite? -> Yes\n");
}

// Where a save goes, with the files there before it (a trailing "/" makes a
// folder): an existing companion is replaced only after the question, a dot
// in a folder name is no extension, and both data types' backups are refused
// as targets, existing or not.
TEST(SaveCommand, CompanionQuestionFolderDotsAndTheBackupAsTarget) {
    const std::string ali = "question: The file <folder>/krings.ali already exists! Overwrite? -> ";
    // The chosen file, the companion when that is the backup, and whose backup it is.
    const auto refused = [&](const std::string& chosen, const std::string& companion, const char* whose,
                             const std::string& files = "backup.ali backup_ami.ali sub") {
        const std::string what = std::string(whose) == "own"
                                     ? ", which the editor overwrites every minute while it is open"
                                     : std::string(" of ") + whose +
                                           " runs, which their next start offers to restore and deletes when the "
                                           "offer is declined";
        return "not written\n" + Kept(files) + "message: Cannot save as <folder>/" + chosen + ": " +
               (companion.empty() ? "this" : "its companion <folder>/" + companion) + " is the backup file" + what +
               ". Please choose another name.\n";
    };
    const struct { std::vector<std::string> before; const char* dataType; std::string typed; int index; bool yes;
                   std::string expected; } cases[] = {
        {{"krings.ali"}, "DNA", "krings", 9, false, "not written\n" + Kept("krings.ali") + ali + "No\n"},
        {{"krings.ali"}, "DNA", "krings", 9, true,
         "written\n" + Saved("krings.ali krings.phy", "krings.phy") + ali + "Yes\n"},
        {{"krings.ali", "krings.phy"}, "DNA", "krings", 9, false,
         "not written\n" + Kept("krings.ali krings.phy") + BothExist("krings.ali", "krings.phy", "No")},
        {{"krings.phy"}, "DNA", "krings", 9, false, "not written\n" + Kept("krings.phy") + kChosenExists + "No\n"},
        {{"run.1/"}, "DNA", "run.1/s1", 1, true,
         "written\n" + Saved("run.1 run.1/s1.ali run.1/s1.txt", "run.1/s1.txt")},
        {{"run.1/"}, "DNA", "run.1/s.fas", 1, true,
         "written\n" + Saved("run.1 run.1/s.ali run.1/s.txt", "run.1/s.txt")},
        {{"run.1/a.b/"}, "DNA", "run.1/a.b/s1", 9, true,
         "written\n" + Saved("run.1 run.1/a.b run.1/a.b/s1.ali run.1/a.b/s1.phy", "run.1/a.b/s1.phy")},
        {{"backup.ali", "backup_ami.ali", "sub/"}, "DNA", "backup", 2, true, refused("backup.ali", "", "own")},
        {{"backup.ali", "backup_ami.ali", "sub/"}, "DNA", "backup", 1, true, refused("backup.txt", "backup.ali", "own")},
        {{"backup.ali", "backup_ami.ali", "sub/"}, "DNA", "sub/../backup.ali", 2, true,
         refused("sub/../backup.ali", "", "own")},
        {{"backup.ali", "backup_ami.ali", "sub/"}, "AMINO", "backup_ami", 9, true,
         refused("backup_ami.phy", "backup_ami.ali", "own")},
        {{"backup.ali", "backup_ami.ali", "sub/"}, "DNA", "backup_ami", 2, true,
         refused("backup_ami.ali", "", "amino-acid")},
        {{"backup.ali", "backup_ami.ali", "sub/"}, "AMINO", "backup", 1, true,
         refused("backup.txt", "backup.ali", "DNA")},
        {{"sub/"}, "DNA", "sub/../backup_ami", 2, true, refused("sub/../backup_ami.ali", "", "amino-acid", "sub")},
    };
    for (const auto& c : cases) {
        SaveFixture f;
        f.run.State().DataType = c.dataType;
        for (const std::string& name : c.before)
            if (name.back() == '/') std::filesystem::create_directories(f.folder.file(name));
            else f.folder.write(name, "another alignment");
        f.platform.AnswerYesNo(c.yes);
        EXPECT_EQ(f.Save(c.typed, c.index), c.expected) << c.dataType << " " << c.typed;
        for (const std::string& name : c.before)   // replaced only by a save that was written
            EXPECT_TRUE(!std::filesystem::is_regular_file(f.folder.file(name)) ||
                        (ReadBytes(f.folder.file(name)) == "another alignment") == (c.expected[0] == 'n')) << name;
    }
    // The program's folder reached by a second path, a bind mount (root
    // only) or a symbolic link, while the backup does not exist: the save's
    // removal of the backup would delete the file just written.
    for (const bool bind : {true, false}) {
        if (bind && ::geteuid() != 0) continue;
        SaveFixture f;
        const std::string alias = f.folder.file("alias");
        if (bind) {
            std::filesystem::create_directory(alias);
            if (::mount(f.folder.path().c_str(), alias.c_str(), nullptr, MS_BIND, nullptr) != 0) {
                ASSERT_EQ(errno, EPERM);  // root without the right to mount (a container): the link case remains
                continue;
            }
        } else {
            std::filesystem::create_directory_symlink(f.folder.path(), alias);
        }
        const std::string saved = f.Save("alias/backup", 2);
        if (bind) ::umount2(alias.c_str(), MNT_DETACH);
        EXPECT_EQ(saved, refused("alias/backup.ali", "", "own", bind ? "alias alias/alias" : "alias")) << bind;
    }
}

// The two ways to an alignment that has nothing to save, with the message
// that says so.
struct EmptyAlignment {
    const char* message;
    std::function<void(SaveFixture&)> empty;
};
const EmptyAlignment kEmptyAlignments[] = {
    {kNoColumnsMessage, [](SaveFixture& f) {   // a display-only load's inserted columns, all deleted
         f.Load("|||", "----", {{"r", "----"}, {"s", "ACGT"}});
         f.view.ReferenceGrid.MoveTo(0, 5);
         f.view.ReferenceGrid.MoveTo(3, 5, true);
         f.platform.AnswerYesNo(true);
         ASSERT_TRUE(RunEditorCommand(f.ctx, [](EditorContext& c) { Deletecharacter2Click(c); }));
         ASSERT_EQ(f.document.ColumnCount(), 0);
     }},
    // Every sequence removed: the reference rows alone would not read back either.
    {kNoSequencesMessage, [](SaveFixture& f) {
         ASSERT_TRUE(RunEditorCommand(f.ctx, [](EditorContext& c) { RemoveSequences(c, 0, 1); }));
     }},
};

TEST(SaveCommand, AnAlignmentWithoutColumnsOrSequencesIsNeitherSavedNorAutosaved) {
    for (const auto& c : kEmptyAlignments) {
        SaveFixture f;
        c.empty(f);
        f.platform.Events.clear();
        f.folder.write("backup.ali", "the last backup");
        for (int index : {2, 1})
            EXPECT_EQ(f.Save("empty", index), "not written\n" + Kept("backup.ali") + "message: " + c.message + "\n");
        EXPECT_TRUE(f.platform.SaveFileOptions.empty());
        f.Autosave();
        EXPECT_EQ(f.State(), Kept("backup.ali"));
        EXPECT_EQ(ReadBytes(f.folder.file("backup.ali")), "the last backup");
    }
}

// A TAB or ";" in a name or a label: a name read from FASTA gets ",", a label
// line keeps its TAB; every .ali (saved, beside another format, autosaved)
// writes either as a blank and reads back with one label per column.
TEST(SaveCommand, ATabOrSemicolonInANameOrALabelIsWrittenAsABlankAndEveryAliReadsBack) {
    SaveFixture f;
    TFastaDataSet read, reference;
    TCharacterName labels;
    ReadFastaFile(f.folder.write("in.fasta", ">HG00096\tsample from plate 7\nACGA\n>c;d\n-CGT\n"), read, false,
                  "DNA", f.platform);
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[0].Name + "|" + read[1].Name, "HG00096,sample from plate 7|c,d");
    ReadFastaFile(f.folder.write("ref.txt", ">r\n<1-2,3\t,a\tb\nACGT\n"), reference, labels, false, "DNA",
                  f.platform);
    std::string joined;
    for (const TLabel& label : labels) joined += (joined.empty() ? "" : "|") + label.str();
    ASSERT_EQ(joined, "1|2|3\t|a\tb");
    f.Load(joined, "ACGT", {{"HG00096\tsample from plate 7", "ACGA"}, {"c;d", "-CGT"}});
    f.run.State().AlignedReference[0].Name = "rCRS\tHVS;1";
    f.run.State().AlignedNumbering[1] = "2;x";
    EXPECT_EQ(f.Save("own.ali", kTemporaryAlignmentFilterIndex),
              "written\n" + Saved("in.fasta own.ali ref.txt", "own.ali"));
    EXPECT_EQ(f.Save("plain.txt", kFastaFilterIndex),
              "written\n" + Saved("in.fasta own.ali plain.ali plain.txt ref.txt", "plain.txt"));
    f.Autosave();
    for (const char* ali : {"own.ali", "plain.ali", "backup.ali"}) {
        TFastaDataSet readReference, rows;
        TCharacterName readLabels;
        ASSERT_TRUE(ReadAlignmentFile(f.folder.file(ali), readReference, readLabels, rows, false, f.platform)) << ali;
        std::string dump;
        for (const TLabel& label : readLabels) dump += label.str() + "|";
        dump += " " + readReference[0].Name + "=" + readReference[0].Sequence;
        for (const TFastaSequence& row : rows) dump += " | " + row.Name + "=" + row.Sequence;
        EXPECT_EQ(dump, "1|2 x|3 |a b| rCRS HVS 1=ACGT | HG00096 sample from plate 7=ACGA | c d=-CGT") << ali;
    }
    EXPECT_TRUE(f.platform.Messages().empty());
}

TEST(SaveCommand, AminoAcidsForceTheirExtensionsAndKeepTheDnaBackup) {
    SaveFixture f;
    f.run.State().DataType = "AMINO";
    f.folder.write("backup.ali", "an unrestored DNA backup");
    f.folder.write("backup_ami.ali", "b");
    EXPECT_EQ(f.Save("p", 3), "written\nfiles backup.ali p.ali p.ami\ncaption <folder>/p.ami\nsaved yes\n");
    EXPECT_EQ(f.Save("q.ami", 4), "written\nfiles backup.ali p.ali p.ami q.ali q.rdf\ncaption <folder>/q.rdf\nsaved yes\n");
    EXPECT_EQ(ReadBytes(f.folder.file("backup.ali")), "an unrestored DNA backup");
    f.run.State().DataType = "DNA";
    EXPECT_EQ(f.Save("r", 5), "written\nfiles p.ali p.ami q.ali q.rdf r.ali r.rdf\ncaption <folder>/r.rdf\nsaved yes\n");
}

TEST(SaveCommand, AWriteFailingPartWayLeavesTheOldFileAndClaimsNothing) {
    SaveFixture f;
    const std::string old = "previous content\r\n";
    f.folder.write("out.txt", old);
    f.folder.write("out.ali", old);
    f.folder.write("backup.ali", "b");
    f.progress.Visible = true;
    f.files.SpaceLeft = 7;   // the companion fails after a few bytes
    f.platform.AnswerYesNo(true);
    EXPECT_EQ(f.Save("out.txt", 1),
              "failed\n" + Kept("backup.ali out.ali out.txt") + BothExist("out.ali", "out.txt", "Yes") +
                  "message: Could not save <folder>/out.ali: No space left on device\n");
    EXPECT_EQ(ReadBytes(f.folder.file("out.txt")), old);
    EXPECT_EQ(ReadBytes(f.folder.file("out.ali")), old);
    EXPECT_FALSE(f.progress.Visible);
    // The companion's rename fails, so the chosen file is never written:
    // still no caption, no saved mark from a failed command, the backup stays.
    f.files.SpaceLeft = SIZE_MAX;
    f.files.FailAt = FailingFileLayer::Step::Rename;
    f.platform.AnswerYesNo(true);
    EXPECT_EQ(f.Save("out.txt", 1),
              "failed\n" + Kept("backup.ali out.ali out.txt") + BothExist("out.ali", "out.txt", "Yes") +
                  "message: Could not save <folder>/out.ali: Input/output error\n");
    EXPECT_EQ(ReadBytes(f.folder.file("out.txt")), old);
}

// The companion and the chosen file are both complete before either is
// renamed: whichever of the two fails, at whatever step, the old pair stays.
TEST(SaveCommand, EitherFileFailingAtWriteSyncOrCloseLeavesTheOldPair) {
    using Step = FailingFileLayer::Step;
    for (const char* failing : {"out.ali", "out.txt"}) {
        for (Step step : {Step::Write, Step::Sync, Step::Close}) {
            SaveFixture f;
            f.folder.write("out.txt", "old text");
            f.folder.write("out.ali", "old ali");
            f.files.FailAt = step;
            f.files.OnlyFor = f.folder.file(failing);
            f.platform.AnswerYesNo(true);
            EXPECT_EQ(f.Save("out", 1), "failed\n" + Kept("out.ali out.txt") + BothExist("out.ali", "out.txt", "Yes") +
                                            "message: Could not save <folder>/" + failing + ": Input/output error\n")
                << failing << " " << static_cast<int>(step);
            EXPECT_EQ(ReadBytes(f.folder.file("out.txt")) + "|" + ReadBytes(f.folder.file("out.ali")),
                      "old text|old ali") << failing << " " << static_cast<int>(step);
        }
    }
    // The chosen file's rename fails after the companion's succeeded: the old
    // companion is put back (a companion that was not there is removed
    // again); without hard links to keep it, the message says which file
    // holds what.
    const struct { bool companionBefore, noLinks; const char* files; const char* pair; const char* tail; } renames[] = {
        {true, false, "out.ali out.txt", "old text|old ali", ""},
        {false, false, "out.txt", "old text|", ""},
        {true, true, "out.ali out.txt", "old text|rCRS;ACGT\r\n1;2;3;4\r\ns1;ACGA\r\ns2;-CGT\r\n",
         ". <folder>/out.ali was already replaced and holds the new content; <folder>/out.txt still holds its "
         "previous content."},
    };
    for (const auto& c : renames) {
        SaveFixture f;
        f.folder.write("out.txt", "old text");
        if (c.companionBefore) f.folder.write("out.ali", "old ali");
        f.files.FailAt = Step::Rename;
        f.files.OnlyFor = f.folder.file("out.txt");
        f.files.NoLinks = c.noLinks;
        f.platform.AnswerYesNo(true);
        const std::string asked = c.companionBefore ? BothExist("out.ali", "out.txt", "Yes") : kChosenExists + "Yes\n";
        EXPECT_EQ(f.Save("out", 1), "failed\n" + Kept(c.files) + asked +
                                        "message: Could not save <folder>/out.txt: Input/output error" + c.tail + "\n")
            << c.files << c.noLinks;
        EXPECT_EQ(ReadBytes(f.folder.file("out.txt")) + "|" + ReadBytes(f.folder.file("out.ali")), c.pair);
    }
}

// A chosen file and its companion that are one file, through a symbolic or
// a hard link, are refused before the overwrite question; a companion that
// links to another file is written through the link as before.
TEST(SaveCommand, AChosenFileThatIsItsOwnCompanionIsRefused) {
    const std::string message = "message: Cannot save as <folder>/r.";
    const std::string tail = " are one file (one is a link to the other), so one would overwrite the other. Please "
                             "choose another name.\n";
    const struct { const char *link, *to, *typed; int index; bool hard; } cases[] = {
        {"r.ali", "r.txt", "r", 1, false}, {"r.txt", "r.ali", "r.fas", 1, false},
        {"r.ali", "r.txt", "r", 1, true},  {"r.ali", "r.phy", "r", 9, false},
    };
    for (const auto& c : cases) {
        SaveFixture f;
        f.folder.write(c.to, "old");
        if (c.hard) std::filesystem::create_hard_link(f.folder.file(c.to), f.folder.file(c.link));
        else std::filesystem::create_symlink(c.to, f.folder.file(c.link));
        const std::string chosen = c.index == 1 ? "txt" : "phy";
        f.platform.AnswerYesNo(true);   // never asked
        EXPECT_EQ(f.Save(c.typed, c.index), "not written\n" + Kept(std::string("r.ali r.") + chosen) + message +
                                               chosen + ": it and its companion <folder>/r.ali" + tail) << c.link;
        // The writer of the pair refuses it too, for callers without the
        // Save command's check (bench/sequara-export): nothing is written.
        const std::string file = f.folder.file("r." + chosen);
        ExportOutcome outcome;
        try {
            ExportAlignment(WorkingStateAlignmentInput(f.run.State()), file, c.index, f.files, f.progress, outcome);
            ADD_FAILURE() << "saved " << c.link;
        } catch (const WriteError& e) {
            EXPECT_EQ(e.what(), OneFilePairMessage(file, f.folder.file("r.ali")));
        }
        EXPECT_TRUE(f.files.Temporaries.empty()) << c.link;
        EXPECT_EQ(ReadBytes(f.folder.file(c.to)), "old") << c.link;
        EXPECT_EQ(std::filesystem::is_symlink(f.folder.file(c.link)), !c.hard) << c.link;
    }
    SaveFixture f;
    f.folder.write("other.ali", "old");
    std::filesystem::create_symlink("other.ali", f.folder.file("r.ali"));
    f.platform.AnswerYesNo(true);
    EXPECT_EQ(f.Save("r", 1), "written\n" + Saved("other.ali r.ali r.txt", "r.txt") +
                                  "question: The file <folder>/r.ali already exists! Overwrite? -> Yes\n");
    EXPECT_EQ(ReadBytes(f.folder.file("other.ali")), "rCRS;ACGT\r\n1;2;3;4\r\ns1;ACGA\r\ns2;-CGT\r\n");
}

TEST(SaveCommand, TheCloseQuestionKeepsTheEditorUnlessTheWorkIsSavedOrTheAnswerIsNo) {
    SaveFixture f;
    auto ask = [&f] {
        bool mayClose = false;
        const bool ran = RunEditorCommand(f.ctx, [&](EditorContext& c) {
            mayClose = AskSaveTemporaryAlignment(c, f.save, SaveServices{f.files, f.progress});
        });
        return std::string(ran ? "" : "failed, ") + (mayClose ? "close" : "stay") + "\n" + f.State();
    };
    const std::string question = "question: Temporary Alignment hasn't been saved yet. Do you want to save it now?";
    f.platform.AnswerYesNo(false);
    EXPECT_EQ(ask(), "close\nfiles\ncaption Alignment\nsaved no\n" + question + " -> No\n");
    f.platform.AnswerYesNo(true);
    f.platform.SaveFileAnswers.push_back(std::nullopt);
    EXPECT_EQ(ask(), "stay\nfiles\ncaption Alignment\nsaved no\n" + question + " -> Yes\n");
    EXPECT_EQ(f.platform.SaveFileOptions.back().FilterIndex, kCloseQuestionFilterIndex);
    f.platform.AnswerYesNo(true);
    f.platform.AnswerSaveFile(f.folder.file("full"), 4);
    f.files.SpaceLeft = 0;
    EXPECT_EQ(ask(), "failed, stay\nfiles\ncaption Alignment\nsaved no\n" + question +
                         " -> Yes\nmessage: Could not save <folder>/full.ali: No space left on device\n");
    f.files.SpaceLeft = SIZE_MAX;
    f.platform.AnswerYesNo(true);
    f.platform.AnswerSaveFile(f.folder.file("done"), 4);
    EXPECT_EQ(ask(), "close\nfiles done.ali done.rdf\ncaption <folder>/done.rdf\nsaved yes\n" + question + " -> Yes\n");
}

TEST(SaveCommand, YesOnTheCloseQuestionClosesAnAlignmentWithNothingToSaveAfterSayingSo) {
    for (const auto& c : kEmptyAlignments) {
        SaveFixture f;
        c.empty(f);
        f.platform.Events.clear();
        f.platform.AnswerYesNo(true);
        bool mayClose = false;
        ASSERT_TRUE(RunEditorCommand(f.ctx, [&](EditorContext& ctx) {
            mayClose = AskSaveTemporaryAlignment(ctx, f.save, SaveServices{f.files, f.progress});
        }));
        EXPECT_EQ(std::string(mayClose ? "close\n" : "stay\n") + f.State(),
                  "close\nfiles\ncaption Alignment\nsaved no\nquestion: " + std::string(kUnsavedQuestion) +
                      " -> Yes\nmessage: " + c.message + "\n");
        EXPECT_TRUE(f.platform.SaveFileOptions.empty());
    }
}

// Whether the timer ran while each message was shown.
struct TimerCheckingPlatform : ScriptedPlatform {
    RecordingTimer* timer = nullptr;
    std::vector<bool> runningDuringMessage;
    void ShowMessage(const std::string& text) override {
        runningDuringMessage.push_back(timer->Running);
        ScriptedPlatform::ShowMessage(text);
    }
};

TEST(SaveCommand, AWritersNoticeComesOnceTheFileIsInPlaceAndNeverAfterAFailure) {
    SaveFixture f;
    f.Load("1|2|3|4", "ACGT", {{"s1", "ACGA"}, {"s2", "AC--"}});   // s2 does not reach column 4
    EXPECT_EQ(f.Save("table", 4), "written\nfiles table.ali table.rdf\ncaption <folder>/table.rdf\nsaved yes\n"
                                  "message: " + std::string(kRdfNsMessage) + "\n");
    EXPECT_EQ(ReadBytes(f.folder.file("table.rdf")),
              "       4\r\n        \r\n        \r\n        \r\n        \r\n        \r\n"
              "s1     0  1\r\ns2     N  1\r\n\r\n10");
    EXPECT_FALSE(f.progress.Visible);
    f.files.SpaceLeft = 40;   // the table, written before the companion, does not fit
    f.platform.AnswerYesNo(true);
    EXPECT_EQ(f.Save("table", 4), "failed\n" + Saved("table.ali table.rdf", "table.rdf") +
                                      BothExist("table.ali", "table.rdf", "Yes") +
                                      "message: Could not save <folder>/table.rdf: No space left on device\n");
    EXPECT_FALSE(f.progress.Visible);
}

TEST(SaveCommand, InsertedColumnsNeedingALetterPastZAreRefusedWithNoFileChanged) {
    // Position 315, n inserted columns, position 316; both rows differ at 315
    // and in every inserted column.  The old formats letter such columns b
    // to z (25), the 4.5 formats a to z (26).
    const struct { int filterIndex, inserted; const char *written, *most, *first; } cases[] = {
        {3, 25, "z", "", ""}, {4, 26, nullptr, "25", "b"}, {5, 26, "315z;", "", ""}, {6, 27, nullptr, "26", "a"}};
    for (const auto& c : cases) {
        SaveFixture f;
        const auto n = static_cast<std::size_t>(c.inserted);
        f.Load("315" + std::string(n, '|') + "|316", "A" + std::string(n, '-') + "T",
               {{"s1", "G" + std::string(n, 'C') + "T"}, {"s2", "G" + std::string(n, 'C') + "T"}});
        f.folder.write("table.ali", "old");
        f.folder.write("table.rdf", "old");
        f.platform.AnswerYesNo(true);
        const std::string state = f.Save("table", c.filterIndex);
        if (c.written) {
            EXPECT_EQ(state.substr(0, 7), "written") << c.filterIndex;
            EXPECT_NE(ReadBytes(f.folder.file("table.rdf")).find(c.written), std::string::npos) << c.filterIndex;
            continue;
        }
        EXPECT_EQ(state, "failed\n" + Kept("table.ali table.rdf") + BothExist("table.ali", "table.rdf", "Yes") +
                             "message: Not saved: more than " + c.most + " varying inserted columns follow position "
                             "315 with no varying position between them, and this format letters them " + c.first +
                             " to z only. No file was changed.\n");
        EXPECT_EQ(ReadBytes(f.folder.file("table.rdf")) + ReadBytes(f.folder.file("table.ali")), "oldold");
        EXPECT_FALSE(f.progress.Visible);
    }
}

TEST(Autosave, WritesTheBackupOfTheDataTypeAndShowsAFailureOnceWithTheTimerStopped) {
    testing::EditorFixture f;
    TempFolder folder;
    f.run.State().ApplicationFolder = folder.path().string() + "/";
    f.Load("16569|_|1", "A-C", {{"s", "AGC"}});
    FailingFileLayer files;
    RecordingTimer timer;
    TimerCheckingPlatform platform;
    platform.timer = &timer;
    Timer1Timer(f.run.State(), files, platform, timer);
    EXPECT_EQ(ReadBytes(folder.file("backup.ali")), "rCRS;A-C\r\n16569; ;1\r\ns;AGC\r\n");
    f.run.State().DataType = "AMINO";
    folder.write("backup.ali", "dna");
    Timer1Timer(f.run.State(), files, platform, timer);
    EXPECT_EQ(ReadBytes(folder.file("backup.ali")), "dna");
    EXPECT_EQ(ReadBytes(folder.file("backup_ami.ali")), "rCRS;A-C\r\n16569; ;1\r\ns;AGC\r\n");
    EXPECT_TRUE(platform.Events.empty());

    files.FailAt = FailingFileLayer::Step::Sync;
    Timer1Timer(f.run.State(), files, platform, timer);
    Timer1Timer(f.run.State(), files, platform, timer);
    EXPECT_EQ(platform.Messages(), std::vector<std::string>(2, "Could not save " + folder.file("backup_ami.ali") +
                                                                   ": Input/output error"));
    EXPECT_EQ(platform.runningDuringMessage, std::vector<bool>(2, false));
    EXPECT_TRUE(timer.Running);
    EXPECT_EQ(ReadBytes(folder.file("backup_ami.ali")), "rCRS;A-C\r\n16569; ;1\r\ns;AGC\r\n");
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"backup.ali", "backup_ami.ali"}));
}

}  // namespace
}  // namespace sequara
