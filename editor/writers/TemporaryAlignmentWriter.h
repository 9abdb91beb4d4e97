#pragma once
#include "editor/writers/Writer.h"

namespace sequara {

// The program's own ".ali": the reference name ";" reference row, the
// labels joined by ";", then name ";" row per row, everything as held but
// a TAB or ";" in a name or a label, written as a blank.  No rows: an empty
// file, even with a reference.
void WriteTemporaryAlignment(const WriterInput& input, ByteSink& out, WriterServices& services);

}  // namespace sequara
