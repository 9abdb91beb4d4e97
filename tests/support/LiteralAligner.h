#pragma once
// The aligner and the end re-alignment written out step by step, exactly as
// their procedures read: every iteration recomputes every candidate over its
// whole window, every row lookup scans the row.  Slow, and the oracle that
// the production versions are compared with.

#include "alignment/AlignmentPipeline.h"
#include "sequence/Records.h"

#include <string>

namespace sequara::testing {

// Forward and backward passes, the merge and the post-passes.
// MinAlignmentMatch below 1 acts as 1, as in the production aligner.
void LiteralAlignSequence(const std::string& Reference, const std::string& Sequence, TAlignmentRow& Row,
                          const std::string& DataType, int MinAlignmentMatch, int InitialNucleotides);

// One pass on its own (the working row starts all 0).
void LiteralForwardPass(const std::string& Reference, const std::string& Sequence, TAlignmentRow& Forward,
                        const std::string& DataType, int MinAlignmentMatch);
void LiteralBackwardPass(const std::string& Reference, const std::string& Sequence, TAlignmentRow& Backward,
                         const std::string& DataType, int MinAlignmentMatch);

// The merge of the two working rows into Row (n zeros on entry).
void LiteralMergeAlignmentPasses(const TAlignmentRow& Forward, const TAlignmentRow& Backward, TAlignmentRow& Row);

// The post-passes as written (Row holds one entry per character, no 0).
void LiteralShiftInsertionsInHomopolymers(TAlignmentRow& Row, const std::string& Sequence);
void LiteralRefineGapPlacement(TAlignmentRow& Row, const std::string& Sequence, const std::string& Reference,
                               const std::string& DataType);
void LiteralAnchorSequenceEnds(TAlignmentRow& Row, int RunLength, int RefLength);

void LiteralRealignSequenceEnds(TAlignmentResult& Alignment, const TFastaDataSet& DataSet,
                                const std::string& Reference, const std::string& DataType);

// The automatic-alignment steps as written, one sequence after the other:
// cleaning, AlignBestOrientation for every sequence (both orientations
// always aligned), then for every sequence a fresh first alignment, the short
// test, padding, second alignment and unpadding, then the end re-alignment.
void LiteralRunAutomaticAlignment(const AlignmentEngine& Engine, TFastaDataSet& LoadedSequences,
                                  TAlignmentResult& AlignmentPositions, const PipelineParameters& Parameters);

// The pipeline engine built from the literal procedures.
class LiteralAlignmentEngine : public AlignmentEngine {
public:
    LiteralAlignmentEngine(std::string Reference, std::string DataType, int MinAlignmentMatch)
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
