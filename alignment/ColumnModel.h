#pragma once
// Turning alignment rows (one reference position or -1 per sequence
// character) into alignment columns of characters.
//
// Column layout, left to right: the leading insertion columns (as many as the
// longest run of -1 at the start of any row; each row's leading characters
// stand right-aligned in them), then for every reference position k its
// reference column followed by as many insertion columns as the longest run
// of -1 directly after the character placed at k in any row (inserted
// characters stand left-aligned in them).  Every other cell is "-".

#include "sequence/Records.h"

#include <cstdint>
#include <string>
#include <vector>

namespace sequara {

// The columns of one alignment: the reference row, one label per column (at
// most 5 characters, empty for an inserted column) and one row of characters
// per sequence, all of the same length.
struct TAlignedColumns {
    std::string ReferenceRow;
    TCharacterName Labels;
    std::vector<std::string> Rows;
    // Rows whose entries were not of the form the aligner promises (see
    // BuildAlignedColumns) and were read with the repair rule.
    std::int32_t RepairedRows = 0;
};

// Label of reference position Index (from 1): element Index-1 of CharNames
// when there is one, else Index in decimal.
std::string GetNumberingLabel(const TCharacterName& CharNames, std::int32_t Index);

// Builds every column of the alignment of DataSet against Reference.
// Row g of Alignment belongs to DataSet[g]; its entry i places character i+1
// of the sequence at a 1-based reference position, or -1 for an insertion.
// A row as the aligner produces it holds -1 or 1..Length(Reference), the
// positive entries strictly rising.  Any other entry (0, out of range, not
// above the previous position) is read as -1, so that every character of
// every sequence still lands in exactly one column; missing rows count as
// rows of -1 and a row longer than its sequence is cut to the sequence.
// Labels come from GetNumberingLabel, cut to kShownLabelLength.
// Cost: O(total sequence length + rows x columns) time, one byte per cell.
// Throws std::bad_alloc only.
TAlignedColumns BuildAlignedColumns(const TAlignmentResult& Alignment, const TFastaDataSet& DataSet,
                                    const std::string& Reference, const TCharacterName& CharNames);

// Number of columns of the layout above, in O(total row length).
std::int32_t CountAlignmentColumns(const TAlignmentResult& Alignment, const TFastaDataSet& DataSet,
                                   const std::string& Reference);

}  // namespace sequara
