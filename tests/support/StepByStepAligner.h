#pragma once
// The step-by-step reference versions of the aligner and the end
// re-alignment: every iteration recomputes every candidate over its whole
// window, every row lookup scans the row.  Slow, and the oracle that the
// production versions are compared with.

#include "alignment/AlignmentPipeline.h"
#include "sequence/Records.h"

#include <string>

namespace sequara::testing {

// Forward and backward passes, the merge and the post-passes.
// MinAlignmentMatch below 1 acts as 1, as in the production aligner.
void StepByStepAlignSequence(const std::string& Reference, const std::string& Sequence, TAlignmentRow& Row,
                          const std::string& DataType, int MinAlignmentMatch, int InitialNucleotides);

// One pass on its own (the working row starts all 0).
void StepByStepForwardPass(const std::string& Reference, const std::string& Sequence, TAlignmentRow& Forward,
                        const std::string& DataType, int MinAlignmentMatch);
void StepByStepBackwardPass(const std::string& Reference, const std::string& Sequence, TAlignmentRow& Backward,
                         const std::string& DataType, int MinAlignmentMatch);

// The merge of the two working rows into Row (n zeros on entry).
void StepByStepMergeAlignmentPasses(const TAlignmentRow& Forward, const TAlignmentRow& Backward, TAlignmentRow& Row);

// The post-passes, step by step (Row holds one entry per character, no 0).
void StepByStepShiftInsertionsInHomopolymers(TAlignmentRow& Row, const std::string& Sequence);
void StepByStepRefineGapPlacement(TAlignmentRow& Row, const std::string& Sequence, const std::string& Reference,
                               const std::string& DataType);
void StepByStepAnchorSequenceEnds(TAlignmentRow& Row, int RunLength, int RefLength);

void StepByStepRealignSequenceEnds(TAlignmentResult& Alignment, const TFastaDataSet& DataSet,
                                const std::string& Reference, const std::string& DataType);

// The automatic-alignment steps one sequence after the other:
// cleaning, AlignBestOrientation for every sequence (both orientations
// always aligned), then for every sequence a fresh first alignment, the short
// test, padding, second alignment and unpadding, then the end re-alignment.
void StepByStepRunAutomaticAlignment(const AlignmentEngine& Engine, TFastaDataSet& LoadedSequences,
                                  TAlignmentResult& AlignmentPositions, const PipelineParameters& Parameters);

// The pipeline engine built from the step-by-step procedures.
class StepByStepAlignmentEngine : public AlignmentEngine {
public:
    StepByStepAlignmentEngine(std::string Reference, std::string DataType, int MinAlignmentMatch)
        : reference_(std::move(Reference)), dataType_(std::move(DataType)), minAlignmentMatch_(MinAlignmentMatch) {}
    const std::string& Reference() const override { return reference_; }
    const std::string& DataType() const override { return dataType_; }
    void AlignSequence(const std::string& Sequence, TAlignmentRow& Row, int InitialNucleotides) const override;
    void RealignSequenceEnds(TAlignmentResult& Alignment, const TFastaDataSet& DataSet) const override;

private:
    std::string reference_;
    std::string dataType_;
    int minAlignmentMatch_;
};

}  // namespace sequara::testing
