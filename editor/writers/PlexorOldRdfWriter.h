#pragma once
// The old Plexor data format, multistate or binary: a fixed-width block of
// the varying columns with their labels written downwards, one row per
// sequence, and a weight "10" per column.

#include "editor/writers/Writer.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace sequara {

// Shown when a saved RDF file codes data as missing: kRdfNsMessage for DNA,
// kRdfXsMessage for amino acids (where missing data is "X").
extern const char* const kRdfNsMessage;
extern const char* const kRdfXsMessage;
const char* RdfMissingDataMessage(std::string_view dataType);

// The varying inserted columns that follow a position, with no varying
// labelled column between them, are lettered up to "z".  A run needing a
// letter past it is refused before the file is complete: throws WriteError
// naming the position (its label), how many letters there are and which
// (firstLetter to z), so that no file is replaced.
[[noreturn]] void RefuseInsertionLetters(std::int32_t label, int letters, char firstLetter);

// Writes the whole format; binary codes each character against the first
// row's.  A character outside the row's sequenced part, and in binary mode a
// third state, is written as missing data and adds the Ns notice.  Rows
// whose names are equal in the six characters written are named in a notice
// after it.  No rows: nothing is written and the progress box stays hidden.
// Cost: linear in rows x columns.
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
