#pragma once
// The FASTA reader step by step: copy the file line by line into
// "Interim_Sto.txt" (one getc at a time), read the copy back line by line,
// then test every character of every entry.  Slow; kept as the oracle that
// the one-pass production reader is compared against (entries, labels,
// messages, questions and the copy's bytes).

#include "platform/Platform.h"
#include "sequence/FastaReader.h"
#include "sequence/Records.h"

#include <string>

namespace sequara::oracle {

// Same contract as ReadFastaFile; CharNames null skips the label lines.
FastaReadResult ReadFastaFileStepByStep(const std::string& FileName, TFastaDataSet& DataSet,
                                        TCharacterName* CharNames, bool ShowMessages, const std::string& DataType,
                                        Platform& platform);

}  // namespace sequara::oracle
