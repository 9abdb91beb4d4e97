#pragma once
// Choosing a sequence's orientation: the sequence and its reverse complement
// are both aligned against the reference, and the one with fewer mismatched
// characters wins, but only when the given orientation fits poorly (more
// than a tenth of its characters mismatched).

#include "sequence/Records.h"

#include <functional>
#include <string>

namespace sequara {

class PairwiseAligner;

// Under exactly "DNA" the complement of each character from last to first
// (characters without a complement, "-" among them, unchanged); under any
// other data type S reversed.
std::string ReverseComplement(const std::string& S, const std::string& DataType);

// Characters whose reference character at their entry differs by plain
// comparison (ambiguity codes count unless the reference has the same
// letter); an entry of -1, or one outside the reference, counts too.
int OrientationMismatchCount(const std::string& Reference, const std::string& Sequence, const TAlignmentRow& Row);

// Aligns a sequence into a row (sized and zeroed by the callee).
using SequenceAligner = std::function<void(const std::string& Sequence, TAlignmentRow& Row)>;

// Aligns Sequence and its reverse complement with Align and sets Reversed and
// OrientedSequence (the chosen orientation, same length).  Row is working
// storage: on return it holds the alignment of the reverse complement.
// Cost: two alignments.  Throws what Align throws.
void AlignBestOrientation(const std::string& Reference, const std::string& Sequence, TAlignmentRow& Row,
                          const std::string& DataType, const SequenceAligner& Align, bool& Reversed,
                          std::string& OrientedSequence);

// The same with the production aligner and the end-anchoring run length.
void AlignBestOrientation(const PairwiseAligner& Aligner, const std::string& Sequence, TAlignmentRow& Row,
                          int InitialNucleotides, bool& Reversed, std::string& OrientedSequence);

}  // namespace sequara
