#pragma once
// A sequential NEXUS data block: dimensions, format, and one matrix line per
// row with its name in a field of twelve characters, a blank and its
// characters.

#include "editor/writers/Writer.h"

#include <string>
#include <string_view>

namespace sequara {

// The name as a NEXUS word: unchanged, or in single quotes (a quote inside
// doubled) when it is empty or holds a blank, a control character or
// punctuation that NEXUS reserves.
std::string NexusName(std::string_view name);

// No rows: nothing is written.  Amino acids are declared as protein with "X"
// for missing data.  The file ends with "end;" and no line end.  Names that
// the 12-character field makes equal are named in one notice.  Cost: linear
// in rows x columns.
void WriteNexusFile(const WriterInput& input, ByteSink& out, WriterServices& services);

}  // namespace sequara
