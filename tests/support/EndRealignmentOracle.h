#pragma once
// The end re-alignment with one lookup per other row: every row with a
// reliable stretch away from its end is compared with every other row's
// characters from the anchor on, so the cost grows with the square of the
// number of rows.  Same rows as sequara::RealignSequenceEnds, which finds the
// best other row through an index of the rows' end words; kept as the oracle
// it is compared with.

#include "sequence/Records.h"

#include <string>

namespace sequara::oracle {

void RealignSequenceEnds(TAlignmentResult& Alignment, const TFastaDataSet& DataSet, const std::string& Reference,
                         const std::string& DataType);

}  // namespace sequara::oracle
