#pragma once
// Sequential PHYLIP: the number of rows and of columns, then one line per row
// with its name in a field of nine characters, a blank and its characters.

#include "editor/writers/Writer.h"

namespace sequara {

// No rows: nothing is written.  Names that the field makes equal, or that
// hold a blank in it, are named in one notice.  Cost: linear in rows x columns.
void WritePhylipFile(const WriterInput& input, ByteSink& out, WriterServices& services);

}  // namespace sequara
