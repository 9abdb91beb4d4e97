#include "editor/writers/GravityWriter.h"

namespace sequara {

void WriteGravityFile(const WriterInput&, ByteSink&, WriterServices&) {}

}  // namespace sequara
