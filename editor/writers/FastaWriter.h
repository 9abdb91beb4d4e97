#pragma once
#include "editor/writers/Writer.h"

namespace sequara {

// Every row as a FASTA entry (the reference is not written): ">" and the
// name, then the characters between the row's first and last non-gap in
// lines of 100, unsequenced gaps written as missing data; the last line may
// be empty.  No rows: an empty file.
void WriteFastaFile(const WriterInput& input, ByteSink& out, WriterServices& services);

}  // namespace sequara
