#pragma once
// Reader of the temporary alignment file (".ali", also the autosave
// "backup.ali" / "backup_ami.ali"):
//   line 1     reference name ";" aligned reference
//   line 2     one label per column, separated by ";" (";;" for an inserted column)
//   line 3...  one line per sequence: name ";" aligned sequence
// TAB is accepted wherever ";" is; a name ends at the first TAB or ";", and
// everything after that separator is the sequence, verbatim.

#include "platform/Platform.h"
#include "sequence/Records.h"

#include <string>

namespace sequara {

// True when the file was read completely and line 2 holds exactly one label
// per character of the aligned reference.  When the file cannot be opened it
// shows "An Error occured while trying to open the specified file: " +
// FileName; every other failure is silent.  On failure Reference and
// CharNames keep whatever the read reached (Reference is replaced once line 1
// is read, CharNames once line 2 is read, with the labels that line holds up
// to the m-th); DataSet changes only on success.
// GravityFormat has no effect.  Cost: linear in the file size; the labels
// take at most 11 bytes per separator of line 2.  Throws nothing but
// std::bad_alloc.
bool ReadAlignmentFile(const std::string& FileName, TFastaDataSet& Reference, TCharacterName& CharNames,
                       TFastaDataSet& DataSet, bool GravityFormat, Platform& platform);

}  // namespace sequara
