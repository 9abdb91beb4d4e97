#pragma once
// Sequence ends are where the pairwise aligner is least sure.  After a whole
// load has been aligned, RealignSequenceEnds revisits the end and the start of
// each row: where another sequence of the load shares the entry of a reliable
// stretch (10 characters matching the reference) and agrees with the row's
// characters for more than 10 characters from there, the row takes that
// sequence's placement and continues it to its end.  FindReliableEnd and
// FindReliableStart tell the automatic alignment whether a row's ends are
// worth aligning again with reference characters added.

#include "sequence/Records.h"

#include <string>

namespace sequara {

// The 0-based element just past the last run of 10 elements (element 0 never
// tested) whose characters match the reference at their entries;
// Row.size() when there is none.  O(n).
int FindReliableEnd(const std::string& Reference, const std::string& Sequence, const TAlignmentRow& Row,
                    const std::string& DataType);

// The first element of the first such run (the last element never tested);
// 1 when there is none.  O(n).
int FindReliableStart(const std::string& Reference, const std::string& Sequence, const TAlignmentRow& Row,
                      const std::string& DataType);

// For each row in order, the end step and then the start step, each seeing
// the rows as changed so far.  A step changes a row only when the entries it
// writes, read in row order together with the nearest entry of at least 1 on
// either side of them, rise strictly (entries below 1 do not count);
// otherwise the row keeps its entries.  So a row whose positions rise keeps
// them rising, however the row it copies from differs.  Row r belongs to DataSet[r].Sequence; rows
// without a data-set element are left alone, and a row longer than its
// sequence has no characters past the sequence's end (a shorter one none
// past its own end).  Every row keeps its length.
// Cost: while an anchor has been asked for little, every other row is
// looked up and compared; once that has cost about as much as an index of
// the rows holding the anchor (their compared characters sorted, rows with
// the same characters sorted once), the index answers in O(log rows)
// comparisons, so that a load grows near-linearly.  An end index near one
// already made (up to 16 anchors below it) is made from it in one pass over
// the rows instead of sorting, so related sequences sharing long ends cost
// one sort per group of neighbouring anchors.  A row whose own compared characters hold a character that
// matches others (an ambiguity code) is compared with every other row, and
// rows holding one are compared with every row that asks.  Indexes take at
// most about 256 MB together.
// Throws only std::bad_alloc.
void RealignSequenceEnds(TAlignmentResult& Alignment, const TFastaDataSet& DataSet, const std::string& Reference,
                         const std::string& DataType);

}  // namespace sequara
