#pragma once
// Reading FASTA and reference files into a data set and an optional list of
// position labels ("<" line), with the run's character checks.

#include "platform/Platform.h"
#include "sequence/Records.h"

#include <cstdint>
#include <stdexcept>
#include <string>

namespace sequara {

// Name of the line-end-normalised copy every read leaves in the current folder.
inline constexpr const char* kInterimFileName = "Interim_Sto.txt";

// Raised by ConvertLineBreaks when a file cannot be opened or written.
struct FileOpenError : std::runtime_error {
    FileOpenError(const std::string& what, std::string file, bool source)
        : std::runtime_error(what), FileName(std::move(file)), IsSource(source) {}
    std::string FileName;
    bool IsSource;  // true: the file to copy failed; false: the copy failed
};

// Copies FileName to "Interim_Sto.txt" without its empty lines, each line
// ending with CR LF, and sets FileName to "Interim_Sto.txt".  When
// "Interim_Sto.txt" is FileName itself (by whatever name, link or symbolic
// link), nothing is written and FileName stays.
// Throws FileOpenError when either file cannot be opened or written.
void ConvertLineBreaks(std::string& FileName, Platform& platform);

// The labels of one label line (the text after "<"): pieces separated by ","
// or ";", a piece "a-b" with b >= a giving a, a+1, ..., b.  At most
// MaxLabels labels (and never more than a million): the reader passes the
// file's size, as no file has more positions than bytes.
TCharacterName ParseCharacterNames(const std::string& S, std::size_t MaxLabels = SIZE_MAX);

enum class FastaReadResult {
    Entries,    // at least one header read, no failure
    NoEntries,  // no header and no failure: DataSet as the caller passed it
    Failed,     // open or format error, or the user declined: DataSet empty
};

// Reads FileName.  On success DataSet holds one entry per header line and
// CharNames the labels of the last label line (unchanged when there is
// none); on any failure DataSet is emptied.  A file without headers leaves
// DataSet unchanged.  Messages and the disallowed-character question go
// through platform only when ShowMessages is true.
// Only the last label line is expanded, to at most one label per byte of the
// file.  Cost: linear in the file size.  Throws nothing but std::bad_alloc.
FastaReadResult ReadFastaFile(const std::string& FileName, TFastaDataSet& DataSet, TCharacterName& CharNames,
                              bool ShowMessages, const std::string& DataType, Platform& platform);
// The same for a caller that has no use for the labels: label lines are
// skipped without being expanded.
FastaReadResult ReadFastaFile(const std::string& FileName, TFastaDataSet& DataSet, bool ShowMessages,
                              const std::string& DataType, Platform& platform);

}  // namespace sequara
