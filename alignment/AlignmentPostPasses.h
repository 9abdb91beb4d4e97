#pragma once
// The three passes the pairwise aligner runs over a freshly merged row: move
// insertions to the right end of their homopolymer, let an insertion cancel
// against skipped reference positions when a small local cost falls, and
// re-attach both sequence ends to their outermost stretch of consecutive
// reference positions.  Each works in place on one row; the row must hold one
// entry per character of Sequence and no 0.

#include "sequence/Records.h"

#include <string>

namespace sequara {

// Carries each -1 entry, when the scan meets it, to the right end of its run
// of identical characters.  Cost: O(n) plus the length of each run an
// insertion is carried through.  Throws nothing.
void ShiftInsertionsInHomopolymers(TAlignmentRow& Row, const std::string& Sequence);

// For each insertion (right to left) tries windows of up to 7 characters and
// shifts of 1 to 3 positions, taking the first trial whose cost is strictly
// lower.  Cost: O(n) with a constant of a few hundred.  Throws nothing.
void RefineGapPlacement(TAlignmentRow& Row, const std::string& Sequence, const std::string& Reference,
                        const std::string& DataType);

// Rewrites the entries before the first and after the last stretch of
// RunLength consecutive reference positions so that they continue that
// stretch; entries that would leave 1..RefLength become -1.  A RunLength
// below 2 leaves the row unchanged.  Cost: O(n).  Throws nothing.
void AnchorSequenceEnds(TAlignmentRow& Row, int RunLength, int RefLength);

// The cost of character q (0-based) under entry e in RefineGapPlacement:
// 10 for an insertion, 0 for a match, 2 for sequence A/G against reference
// C/T, 1 for any other mismatch.
int PositionCost(const std::string& Sequence, const std::string& Reference, std::size_t q, std::int32_t e,
                 const std::string& DataType);

}  // namespace sequara
