#pragma once
// What a writer may see of the alignment: read-only views of the reference
// row, the column labels, the rows and their names, and the data type.  The
// editor's document and the export tool each provide one; a writer never
// reaches the window or copies the alignment.

#include "sequence/Records.h"

#include <cstddef>
#include <span>
#include <string_view>

namespace sequara {

class AlignmentInput {
public:
    virtual ~AlignmentInput() = default;
    virtual std::string_view ReferenceName() const = 0;
    // One character per alignment column, "-" in an inserted column.
    virtual std::string_view ReferenceRow() const = 0;
    // Label k-1 belongs to column k.
    virtual std::span<const TLabel> Labels() const = 0;
    virtual std::size_t RowCount() const = 0;
    virtual std::string_view RowName(std::size_t row) const = 0;
    virtual std::string_view Row(std::size_t row) const = 0;
    // "DNA" or "AMINO".
    virtual std::string_view DataType() const = 0;
};

// An AlignmentInput over the aligned working-state variables (or anything
// shaped like them).  It refers to them; they must outlive it.
class DataSetAlignmentInput : public AlignmentInput {
public:
    DataSetAlignmentInput(const TFastaSequence& reference, const TCharacterName& labels,
                          const TFastaDataSet& rows, std::string_view dataType)
        : reference_(reference), labels_(labels), rows_(rows), dataType_(dataType) {}

    std::string_view ReferenceName() const override { return reference_.Name; }
    std::string_view ReferenceRow() const override { return reference_.Sequence; }
    std::span<const TLabel> Labels() const override { return labels_; }
    std::size_t RowCount() const override { return rows_.size(); }
    std::string_view RowName(std::size_t row) const override { return rows_[row].Name; }
    std::string_view Row(std::size_t row) const override { return rows_[row].Sequence; }
    std::string_view DataType() const override { return dataType_; }

private:
    const TFastaSequence& reference_;
    const TCharacterName& labels_;
    const TFastaDataSet& rows_;
    std::string_view dataType_;
};

}  // namespace sequara
