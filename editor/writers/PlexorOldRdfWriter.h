#pragma once
// The old Plexor data format, multistate or binary: a fixed-width block of
// the varying columns with their labels written downwards, one row per
// sequence, and a weight "10" per column.

#include "editor/writers/Writer.h"

#include <cstdint>
#include <vector>

namespace sequara {

// Shown when a saved RDF file codes data as missing.
extern const char* const kRdfNsMessage;

// Writes the whole format; binary codes each character against the first
// row's.  A character outside the row's sequenced part, and in binary mode a
// third state, is written as missing data and adds the Ns notice.  No rows:
// nothing is written and the progress box stays hidden.  Cost: linear in
// rows x columns.
void WritePlexorOldRdfFile(const WriterInput& input, ByteSink& out, WriterServices& services, bool binary);

// The two states of a binary column: the first row's character and the
// first other character met going down the rows (every row counts, inside
// its sequenced part or not).
struct RdfBinaryStates {
    char First = 0;
    char Other = 0;
    bool HasOther = false;
    bool operator==(const RdfBinaryStates&) const = default;
};

// The states of each of these columns (from 1).  Cost: one pass down the
// rows, each row reading only the columns still without a second state.
std::vector<RdfBinaryStates> FindRdfBinaryStates(const AlignmentInput& alignment,
                                                const std::vector<std::int64_t>& columns);

}  // namespace sequara
