#include "editor/writers/PhylipWriter.h"

#include "editor/writers/SequentialMatrix.h"

namespace sequara {

void WritePhylipFile(const WriterInput& input, ByteSink& out, WriterServices& services) {
    const AlignmentInput& alignment = input.Alignment();
    if (alignment.RowCount() == 0) return;
    const SequentialMatrix matrix(input);
    out.Line(std::to_string(alignment.RowCount()) + "  " + std::to_string(matrix.ColumnCount()));
    for (std::size_t i = 0; i < alignment.RowCount(); ++i) {
        out.Append(NameField(alignment.RowName(i), 9));
        matrix.WriteRow(i, out);
        out.EndLine();
    }
    if (std::string notice = WrittenNamesNotice(alignment, 9, "PHYLIP", true); !notice.empty())
        services.Notices.push_back(std::move(notice));
}

}  // namespace sequara
