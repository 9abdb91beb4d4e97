#pragma once
// The editor's Save command and the question that offers it when an editor
// closes with its alignment unsaved.
//
// Save: the save dialog with the data type's ten formats, the format's
// extension forced on the chosen name, one overwrite question for every file
// that exists among those it writes, then the companion ".ali" and the
// chosen format, each written through a temporary file, both renamed into
// place once complete (editor/writers/ExportFiles.h).  Only then the
// caption changes, the autosave file of the data type is deleted and the
// alignment counts as saved (when an ".ali" of it was written).  Both
// autosave files are refused as targets: the editor's timer overwrites the
// one of its data type, and a run of the other data type offers the other
// for restoring and may delete it.  So is a chosen file that is its own
// companion (by a link or another name): the two would overwrite each other.
// An alignment without columns or without sequences is refused with
// kNoColumnsMessage or kNoSequencesMessage before the dialog, since no reader
// could take its files back.  A failed write throws WriteError; the command
// boundary shows it once and nothing claims success.

#include "editor/commands/EditorCommand.h"
#include "editor/writers/ExportFormats.h"
#include "sequence/FileLayer.h"
#include "editor/writers/SaveProgress.h"
#include "sequence/CharacterRules.h"

#include <string>
#include <string_view>
#include <vector>

namespace sequara {

// The save dialog's filters, "text|extension|" per entry (SaveFilter).
inline const std::string& kDnaSaveFilter = SaveFilter("DNA");
inline const std::string& kAminoSaveFilter = SaveFilter(kAminoDataType);

inline constexpr const char* kNoColumnsMessage =
    "The alignment has no columns: there is nothing to save.";
inline constexpr const char* kNoSequencesMessage =
    "The alignment has no sequences: there is nothing to save.";
inline constexpr const char* kOverwriteQuestion = "The chosen file already exists! Overwrite?";
inline constexpr const char* kUnsavedQuestion =
    "Temporary Alignment hasn't been saved yet. Do you want to save it now?";
// The entry the close question preselects: "Plexor old binary data format".
inline constexpr int kCloseQuestionFilterIndex = 4;

// The entries of a "description|pattern|..." filter string.
std::vector<FileFilter> DialogFilters(std::string_view filter);
// The question before replacing the existing files among those a save
// writes: kOverwriteQuestion when that is the chosen file alone, else one
// question naming every file.
std::string OverwriteQuestion(const std::vector<std::string>& existing, const std::string& fileName);

// What one editor window keeps for its Save command, and what the command
// uses besides the editor context.
struct SaveSession {
    int FilterIndex = 1;      // the save dialog's entry last chosen, from 1
    std::string FileName;     // the save dialog's last file name
    std::string Caption;      // the editor window's caption
};
struct SaveServices {
    FileLayer& Files;
    SaveProgress& Progress;
};

// The Save command.  True when the chosen file (and its companion) was
// written; false when the dialog was cancelled or the overwrite refused,
// with nothing changed.  Throws WriteError when a file cannot be written.
bool ButtonSaveClick(EditorContext& ctx, SaveSession& save, SaveServices services);

// Asks kUnsavedQuestion.  No: true (the editor may close).  Escape or the
// close box: false, the editor stays open with its work.  Yes: for an
// alignment without columns or sequences, the Save command's refusal is
// shown and gives true, as No does, since no save could keep it; otherwise
// runs the Save command with the close question's entry preselected and
// gives its result; a cancelled dialog or refused overwrite gives false, a
// failed write throws, so the editor stays open with the work.
bool AskSaveTemporaryAlignment(EditorContext& ctx, SaveSession& save, SaveServices services);

}  // namespace sequara
