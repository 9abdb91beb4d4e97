#pragma once
// Small text and file helpers shared by the editor's save command, the column
// commands and the forensic import.

#include "platform/Platform.h"

#include <fstream>
#include <string>

namespace sequara {

// Smallest 1-based position of C in S; Length(S)+1 when C does not occur.
int PosOfChar(char C, const std::string& S);

// S without any C.
std::string DeleteAllChars(char C, const std::string& S);

// Gives FileName the extension Ext (of which only the last 3 characters
// count, so "*.fas" means "fas"); case-sensitive.  Only the part after the
// last "/" is looked at, so a dot in a folder name never counts.
void ForceExtension(const std::string& Ext, std::string& FileName);

// Asks "The chosen file already exists! Overwrite?" (caption "Warning") when
// FileName exists; on Yes, or when it does not exist, creates or empties it
// and opens F for writing in binary mode (writers put CR LF themselves).
// Ok is false after No or when the file cannot be created; nothing is shown
// then.  A folder of that name is not asked about: Ok is false and a message
// says that it cannot be written.
void OpenTextForWriting(const std::string& FileName, std::ofstream& F, bool& Ok, Platform& platform);

}  // namespace sequara
