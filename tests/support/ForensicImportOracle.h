#pragma once
// The forensic list import step by step: one character appended per column
// after searching the record's sites, gap columns inserted one at a time
// after a scan of the labels, inserted characters placed after another scan.
// Slow and plain; the fast import is compared against it.  Sites whose
// position is not a whole number never match (the fast import skips them).

#include "sequence/ForensicList.h"
#include "sequence/Records.h"

namespace sequara::testing {

struct OracleForensicAlignment {
    std::string Reference;
    TCharacterName Numbering;
    TFastaDataSet Sequences;
};

// Expects whole-number labels, one per reference character.
OracleForensicAlignment StepByStepForensicImport(const TDBFDataSet& records, const std::string& reference,
                                              const TCharacterName& labels);

}  // namespace sequara::testing
