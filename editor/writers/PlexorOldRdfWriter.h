#pragma once
// The old Plexor data format, multistate or binary: a fixed-width block of
// the varying columns with their labels written downwards, one row per
// sequence, and a weight "10" per column.

#include "editor/writers/Writer.h"

namespace sequara {

// Shown when a saved RDF file codes data as missing.
extern const char* const kRdfNsMessage;

// Writes the whole format; binary codes each character against the first
// row's.  A character outside the row's sequenced part, and in binary mode a
// third state, is written as missing data and adds the Ns notice.  No rows:
// nothing is written and the progress box stays hidden.  Cost: linear in
// rows x columns.
void WritePlexorOldRdfFile(const WriterInput& input, ByteSink& out, WriterServices& services, bool binary);

}  // namespace sequara
