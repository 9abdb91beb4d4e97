#pragma once
// The pairwise aligner: anchors a sequence on the reference by repeatedly
// placing the longest run of matching characters that still fits between the
// runs placed so far, once reading left to right (forward pass) and once
// right to left (backward pass), merges the two working rows stretch by
// stretch and runs the post-passes.  The result is one alignment row: for
// every sequence character its 1-based reference position, or -1 for an
// inserted character.
//
// PairwiseAligner is the production version: it indexes the reference once
// and finds the runs of at least MinAlignmentMatch characters through the
// index, recomputing only the stretch that a placed run splits.  Its rows are
// identical to those of the procedure written out step by step (kept as the
// test oracle).

#include "sequence/Records.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace sequara {

// ---- Building blocks of the passes (Index is the 0-based character) ----

// 1 + the largest entry of the characters before Index (0 is the floor, so
// -1 and 0 entries never raise it).
std::int32_t WindowStart(const TAlignmentRow& Positions, std::size_t Index);
// The first non-0 entry after Index, minus 1; RefLength when every entry
// after Index is 0.
std::int32_t WindowEnd(const TAlignmentRow& Positions, std::size_t Index, std::int32_t RefLength);
// True when no entry is 0 (also for an empty row).
bool AllAssigned(const TAlignmentRow& Positions);
// Candidate indices ordered by NumberOfMatches, largest first; stable, so
// among equal lengths the earliest character comes first.  Insertion sort:
// O(n^2).
void SortMatchesByLength(const std::vector<TMatch>& Candidates, std::vector<std::int32_t>& Order);

// The run length the aligner actually requires: MinAlignmentMatch, but at
// least 1.  With 0 or less a pass would place runs of no characters forever;
// treating such values as 1 places every run of at least one character and
// fills the rest, which is what any value below 1 asks for.
int EffectiveMinAlignmentMatch(int MinAlignmentMatch);

// The fill that ends a pass: every entry still 0 gets the start (forward) or
// the end (backward) of its window, or -1 when the window is empty.  O(n).
void FillForwardRow(TAlignmentRow& Forward, std::int32_t RefLength);
void FillBackwardRow(TAlignmentRow& Backward, std::int32_t RefLength);

// Combines the two working rows into Row (which must hold n zeros): agreed
// entries are kept, each stretch of disagreements and insertions goes to the
// cheaper side (a placed entry costs 1, any other 2; at the row's start the
// backward result wins, at its end the forward result).  O(n).
void MergeAlignmentPasses(const TAlignmentRow& Forward, const TAlignmentRow& Backward, TAlignmentRow& Row);

// The post-passes in their order: homopolymer shift, gap refinement and, when
// InitialNucleotides is greater than 1, end anchoring.
void FinishAlignedRow(TAlignmentRow& Row, const std::string& Sequence, const std::string& Reference,
                      const std::string& DataType, int InitialNucleotides);

class ReferenceIndex;

// Aligns any number of sequences against one reference.  Building it indexes
// the reference (O(m) time and memory); AlignSequence is const and may run on
// several threads at once.
class PairwiseAligner {
public:
    PairwiseAligner(const std::string& Reference, const std::string& DataType, int MinAlignmentMatch);
    ~PairwiseAligner();
    PairwiseAligner(const PairwiseAligner&);
    PairwiseAligner& operator=(const PairwiseAligner&);

    // Fills Row (resized to the sequence's length) with the alignment of
    // Sequence.  InitialNucleotides is the run length of the end anchoring.
    // Cost: roughly linear in n and in the number of reference occurrences of
    // the sequence's short words that fall into the searched windows; the
    // worst case (no runs, ambiguity codes everywhere) is O(n * m).
    // Throws only std::bad_alloc.
    void AlignSequence(const std::string& Sequence, TAlignmentRow& Row, int InitialNucleotides) const;

    // The two working rows (forward and backward pass, each ended by its
    // fill) before they are merged.
    void AlignmentPasses(const std::string& Sequence, TAlignmentRow& Forward, TAlignmentRow& Backward) const;

    const std::string& Reference() const;
    const std::string& DataType() const;
    int MinAlignmentMatch() const;

private:
    std::shared_ptr<const ReferenceIndex> index_;
};

// One-off form: builds a PairwiseAligner and aligns one sequence.
void AlignSequence(const std::string& Reference, const std::string& Sequence, TAlignmentRow& Row,
                   const std::string& DataType, int MinAlignmentMatch, int InitialNucleotides);

}  // namespace sequara
