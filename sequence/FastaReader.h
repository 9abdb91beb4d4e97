#pragma once
// Reading FASTA and reference files into a data set and an optional list of
// position labels ("<" line), with the run's character checks.  Every read
// leaves a copy of the file's non-empty lines, each ended by CR LF, as
// "Interim_Sto.txt" in the current folder, except when that name is the file
// being read (by whatever name, link or symbolic link): then nothing is
// written.  The copy is made through the file layer as a new temporary file
// renamed over the name, so whatever else held it (a symbolic link, a named
// pipe) is replaced, never written through nor waited on; the temporary
// files of reads killed before their rename are removed by the next read.

#include "platform/Platform.h"
#include "sequence/FileLayer.h"
#include "sequence/Records.h"

#include <cstdint>
#include <string>

namespace sequara {

// Name of the line-end-normalised copy every read leaves in the current folder.
inline constexpr const char* kInterimFileName = "Interim_Sto.txt";

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
// none); every ";" and TAB of a name is read as ",".  On any failure DataSet
// is emptied.  A file without headers leaves
// DataSet unchanged.  Messages and the disallowed-character question go
// through platform only when ShowMessages is true.
// Only the last label line is expanded, to at most one label per byte of the
// file.  Cost: one pass over the file's bytes and one over the sequence
// characters; memory about the size of the sequences.  Throws nothing but
// std::bad_alloc.
// The copy goes through files.
FastaReadResult ReadFastaFile(const std::string& FileName, TFastaDataSet& DataSet, TCharacterName& CharNames,
                              bool ShowMessages, const std::string& DataType, Platform& platform,
                              FileLayer& files = DefaultFileLayer());
// The same for a caller that has no use for the labels: label lines are
// skipped without being expanded.
FastaReadResult ReadFastaFile(const std::string& FileName, TFastaDataSet& DataSet, bool ShowMessages,
                              const std::string& DataType, Platform& platform, FileLayer& files = DefaultFileLayer());

}  // namespace sequara
