#pragma once
// The save path without its dialogs, shared by the Save command and
// bench/sequara-export: the companion ".ali" and the chosen format, each
// written through a temporary file, both renamed into place once complete.

#include "editor/writers/AlignmentInput.h"
#include "sequence/FileLayer.h"
#include "editor/writers/SaveProgress.h"

#include <string>
#include <vector>

namespace sequara {

struct ExportOutcome {
    // The save is complete, and with it an ".ali" of the alignment (the
    // companion, or the chosen file itself).
    bool TemporaryAlignmentWritten = false;
    // Information messages of the writer, to show once the file is in place.
    std::vector<std::string> Notices;
};

// The file name with its last three characters replaced by "ali".
std::string CompanionAlignmentName(const std::string& fileName);

// Why a chosen file that is one file with its companion cannot be saved.
std::string OneFilePairMessage(const std::string& fileName, const std::string& companion);

// Unless filterIndex is the temporary alignment's, writes the companion
// ".ali" to its temporary file; then fileName with the writer of filterIndex
// (an index without one gives an empty file) to its own.  Only when both are
// complete, renames the companion and then fileName into place
// (PutInPlaceTogether: when the second rename fails the old companion is put
// back), so a writer that refuses (throws) or a file that cannot be written
// changes no file.  A fileName that is one file with its companion (through
// a link or another name) is refused with OneFilePairMessage before anything
// is written.  The position table is built once for both.  Throws WriteError
// (or bad_alloc) with the progress box hidden; outcome tells what got written.
void ExportAlignment(const AlignmentInput& alignment, const std::string& fileName, int filterIndex,
                     FileLayer& files, SaveProgress& progress, ExportOutcome& outcome);

}  // namespace sequara
