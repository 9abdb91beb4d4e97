#pragma once
// The engine half of the automatic alignment: cleaning the loaded sequences,
// choosing each one's orientation (optional), aligning each against the
// reference (with a second alignment of padded ends where a row stops short
// of a reference end) and re-aligning the sequence ends against each other.
// The menu command reads the file, shows the progress box and opens the
// editor; it calls RunAutomaticAlignment with a progress callback.

#include "sequence/GaugePercent.h"
#include "sequence/Records.h"
#include "sequence/WorkingState.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <string>

namespace sequara {

class PairwiseAligner;

struct PipelineParameters {
    std::string DataType;
    int MinAlignmentMatch = DefaultParameters::MinAlignmentMatch;
    int InitialNucleotides = DefaultParameters::InitialNucleotides;
    bool IgnoreFastaNs = DefaultParameters::IgnoreFastaNs;
    bool IgnoreFastaGaps = DefaultParameters::IgnoreFastaGaps;
    bool AutoReverse = false;
    unsigned Threads = 0;  // 0 = all cores
};

// The run's data type, alignment parameters and AutoReverse flag.
PipelineParameters PipelineParametersFrom(const WorkingState& state);

enum class PipelinePass { Orientation, Alignment };

// Called on the calling thread after each sequence of each pass, in sequence
// order, with the gauge value to show (GaugePercent).
using ProgressCallback = std::function<void(PipelinePass pass, int gaugePercent)>;

// S without "-" (IgnoreFastaGaps) and without "N" under "DNA" or "X" under
// "AMINO" (IgnoreFastaNs); nothing else changes.
std::string CleanSequence(const std::string& S, const std::string& DataType, bool IgnoreFastaNs,
                          bool IgnoreFastaGaps);

// A row stops short of the reference when its last entry is below L (-1
// included) or its first entry is above 1.  An empty row never does.
bool RowStopsShort(const TAlignmentRow& Row, int L);

// The reference characters added before the second alignment.  Tail: T =
// Row[e] + (Len - e), t = L - T limited to 0..25 (t = 0 when e >= Len).  Head:
// P = Row[b] - b, h = P limited to 0..25 (h = 0 when b <= 1).  The padded
// sequence is reference P-h+1..P, the sequence, reference T+1..T+t.
struct EndPadding {
    int T = 0, t = 0;
    int P = 0, h = 0;
};
EndPadding ComputeEndPadding(int L, const TAlignmentRow& Row, int e, int b);

// What the pipeline needs of an aligner; the production engine wraps
// PairwiseAligner, the test oracle the step-by-step procedures.  Every method
// is const and must be safe to call from several threads at once.
class AlignmentEngine {
public:
    virtual ~AlignmentEngine() = default;
    virtual const std::string& Reference() const = 0;
    virtual const std::string& DataType() const = 0;
    // Row is resized to the sequence's length and filled.
    virtual void AlignSequence(const std::string& Sequence, TAlignmentRow& Row, int InitialNucleotides) const = 0;
    virtual void RealignSequenceEnds(TAlignmentResult& Alignment, const TFastaDataSet& DataSet) const = 0;
};

class ProductionAlignmentEngine : public AlignmentEngine {
public:
    ProductionAlignmentEngine(const std::string& Reference, const std::string& DataType, int MinAlignmentMatch);
    ~ProductionAlignmentEngine() override;
    const std::string& Reference() const override;
    const std::string& DataType() const override;
    void AlignSequence(const std::string& Sequence, TAlignmentRow& Row, int InitialNucleotides) const override;
    void RealignSequenceEnds(TAlignmentResult& Alignment, const TFastaDataSet& DataSet) const override;

private:
    std::unique_ptr<PairwiseAligner> aligner_;
};

// One sequence of the alignment pass: the first alignment with
// InitialNucleotides; when the row stops short and a reliable run leaves an
// end to re-align, the second alignment of the padded sequence with
// InitialNucleotides 2, then the padding removed again.  Sequence is not
// changed; an empty sequence gets an empty row and no second alignment.
// With RowHoldsFirstAlignment, Row already holds the first alignment of
// Sequence (made with the same InitialNucleotides) and it is not repeated.
void AlignLoadedSequence(const AlignmentEngine& Engine, const std::string& Sequence, TAlignmentRow& Row,
                         int InitialNucleotides, bool RowHoldsFirstAlignment = false);

// The orientation pass for one sequence, with the outcome of
// AlignBestOrientation: Sequence becomes the reverse complement when that has
// fewer mismatches and the given orientation has more than a tenth of its
// characters mismatched.  The reverse complement is aligned only when the
// given orientation fits that poorly, since otherwise it cannot win.  Row
// receives the alignment of the chosen orientation (what the alignment pass's
// first alignment would compute again).
void OrientLoadedSequence(const AlignmentEngine& Engine, std::string& Sequence, TAlignmentRow& Row,
                          int InitialNucleotides);

// Cleans LoadedSequences in place, orients them when AutoReverse is set,
// fills AlignmentPositions with one row per sequence and re-aligns the ends.
// Progress is reported after each sequence of each pass.  The per-sequence
// work runs on Threads threads (0: all cores); the rows do not depend on the
// number of threads.  Cost: per sequence one alignment (two with a padded
// second alignment, two more with AutoReverse), then RealignSequenceEnds.
// Throws std::bad_alloc, and whatever Progress throws (after the worker
// threads have stopped).
void RunAutomaticAlignment(const AlignmentEngine& Engine, TFastaDataSet& LoadedSequences,
                           TAlignmentResult& AlignmentPositions, const PipelineParameters& Parameters,
                           const ProgressCallback& Progress);

// The same with the production engine built for Reference.
void RunAutomaticAlignment(const std::string& Reference, TFastaDataSet& LoadedSequences,
                           TAlignmentResult& AlignmentPositions, const PipelineParameters& Parameters,
                           const ProgressCallback& Progress);

}  // namespace sequara
