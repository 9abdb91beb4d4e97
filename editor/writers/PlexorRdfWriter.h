#pragma once
// The Plexor 4.5 data format, multistate or binary: ";"-separated labels and
// weights of the varying columns, then two lines per row (its name line and
// its characters).

#include "editor/writers/Writer.h"

#include <cstdint>
#include <vector>

namespace sequara {

// Shown when a binary file codes a column of more than two states as 0 and 1.
extern const char* const kRdfThirdStateMessage;

// Writes the whole format.  Notices, in this order: the third-state message
// (binary only), then the Ns message of the old format when a written column
// of a row holds the missing-data character.  No rows: the first line and
// two empty lines.  Cost: linear in rows x columns.
void WritePlexorRdfFile(const WriterInput& input, ByteSink& out, WriterServices& services, bool binary);

// True when the binary coding of these columns meets a third state: a row i
// after the first whose character differs from the first row's (coded "1"),
// with a later row holding a character other than the first row's, other
// than row i's and other than missing. Cost: one backward pass over the rows,
// constant work per column.
bool RdfColumnsHaveThirdState(const AlignmentInput& alignment, const std::vector<std::int64_t>& columns,
                              char missing);

}  // namespace sequara
