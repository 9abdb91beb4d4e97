#pragma once
// The writers' view (AlignmentInput) of the aligned working state, which is
// what an open editor's AlignmentDocument works on: the save command and the
// autosave hand this to a writer.  It refers to the state; the state must
// outlive it and not change while a writer runs.

#include "editor/writers/AlignmentInput.h"
#include "sequence/WorkingState.h"

namespace sequara {

class WorkingStateAlignmentInput : public AlignmentInput {
public:
    explicit WorkingStateAlignmentInput(const WorkingState& state) : state_(state) {}

    std::string_view ReferenceName() const override {
        return state_.AlignedReference.empty() ? std::string_view() : std::string_view(state_.AlignedReference[0].Name);
    }
    std::string_view ReferenceRow() const override {
        return state_.AlignedReference.empty() ? std::string_view() : state_.AlignedReference[0].Sequence.view();
    }
    std::span<const TLabel> Labels() const override { return state_.AlignedNumbering; }
    std::size_t RowCount() const override { return state_.AlignedSequences.size(); }
    std::string_view RowName(std::size_t row) const override { return state_.AlignedSequences[row].Name; }
    std::string_view Row(std::size_t row) const override { return state_.AlignedSequences[row].Sequence.view(); }
    std::string_view DataType() const override { return state_.DataType; }

private:
    const WorkingState& state_;
};

}  // namespace sequara
