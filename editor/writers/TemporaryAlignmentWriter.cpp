#include "editor/writers/TemporaryAlignmentWriter.h"

namespace sequara {

void WriteTemporaryAlignment(const WriterInput& input, ByteSink& out, WriterServices&) {
    const AlignmentInput& alignment = input.Alignment();
    if (alignment.RowCount() == 0) return;
    out.Append(alignment.ReferenceName());
    out.Put(';');
    out.Line(alignment.ReferenceRow());
    bool first = true;
    for (const TLabel& label : alignment.Labels()) {
        if (!first) out.Put(';');
        first = false;
        out.Append(label.view());
    }
    out.EndLine();
    for (std::size_t i = 0; i < alignment.RowCount(); ++i) {
        out.Append(alignment.RowName(i));
        out.Put(';');
        out.Line(alignment.Row(i));
    }
}

}  // namespace sequara
