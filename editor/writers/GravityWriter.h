#pragma once
// The ".grv" entry of the save: the file is created and left empty.

#include "editor/writers/Writer.h"

namespace sequara {

void WriteGravityFile(const WriterInput& input, ByteSink& out, WriterServices& services);

}  // namespace sequara
