#pragma once
// The column model's five plain lookups, each rescanning rows from their
// start, and the grid filling built on them.
// Slow (reference length x all characters); kept as the oracle that the fast
// BuildAlignedColumns is compared against.

#include "alignment/ColumnModel.h"
#include "sequence/Records.h"

#include <cstdint>
#include <string>

namespace sequara::oracle {

char AlignedCharAt(std::int32_t RowIndex, const std::string& Sequence, const TAlignmentResult& Alignment,
                   std::int32_t RefPos);
std::int32_t MaxLeadingInsertions(const TAlignmentResult& Alignment);
std::int32_t MaxInsertionsAfter(std::int32_t RefPos, const TAlignmentResult& Alignment);
char InsertedCharAt(std::int32_t RefPos, std::int32_t RowIndex, std::int32_t N, const TAlignmentResult& Alignment,
                    const std::string& Sequence);
std::int32_t AlignmentColumnCount(const TAlignmentResult& Alignment, const std::string& Reference);

// The grid filling of an automatic alignment, step by step with the lookups
// above (leading columns, then per reference position its column and its
// insertion columns).  Rows must hold one entry per sequence character.
TAlignedColumns GenerateColumnsByLookups(const TAlignmentResult& Alignment, const TFastaDataSet& DataSet,
                                         const std::string& Reference, const TCharacterName& CharNames);

}  // namespace sequara::oracle
