#pragma once
// Forensic haplotype list (".for"): one line per row with its differences
// from the reference ("sites") in the HVS-I and HVS-II fields and its
// sequenced ranges, 57 tab-ended fields a line.  The list splits the two
// segments where its reader does: HVS-I above position 10000.

#include "editor/writers/Writer.h"

namespace sequara {

inline constexpr const char* kForensicOverflowStart = "An error occured generating the mutations of sequence ";
inline constexpr const char* kForensicOverflowEnd =
    " because there are too many mutations/deletions. Please check the sequence and try again";
inline constexpr const char* kForensicLongInsertionEnd =
    " because more than 9 characters are inserted in one place, which the list cannot hold. "
    "Please check the sequence and try again";
inline constexpr const char* kForensicTooManyRowsStart = "A forensic list holds at most 50000 rows: the ";

// A row with more sites than its segment's fields hold, or with a run of
// ten or more inserted characters, gets no line and a notice naming it.
// Rows after the list's 50000th line get no line and one notice naming the
// first of them.  Tabs and ";" in a name are written as blanks, a leading
// "AAA" (the mark of a header line) as "aaa".  Cost: linear in rows x
// columns.
void WriteForensicFile(const WriterInput& input, ByteSink& out, WriterServices& services);

}  // namespace sequara
