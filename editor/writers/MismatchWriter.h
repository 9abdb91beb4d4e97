#pragma once
// The mismatch table: the varying columns with their labels written
// downwards, the reference, and one row per sequence showing "." where it
// agrees with the reference, each row ending in " 1".

#include "editor/writers/Writer.h"

namespace sequara {

// No rows: nothing is written and the progress box stays hidden.  Cost:
// linear in rows x columns.
void WriteMismatchFile(const WriterInput& input, ByteSink& out, WriterServices& services);

}  // namespace sequara
