#include "editor/writers/MismatchWriter.h"

#include "editor/writers/MismatchTable.h"

namespace sequara {

void WriteMismatchFile(const WriterInput& input, ByteSink& out, WriterServices& services) {
    const AlignmentInput& alignment = input.Alignment();
    if (alignment.RowCount() == 0) return;
    services.Progress.Show();
    const MismatchTable table(input, services.Progress);
    table.WriteHeader(out);
    std::string line;
    for (std::size_t i = 0; i < alignment.RowCount(); ++i) {
        line = TableRowStart(alignment.RowName(i));
        table.AppendRow(i, line);
        line += " 1";
        out.Line(line);
    }
    services.Progress.Hide();
}

}  // namespace sequara
