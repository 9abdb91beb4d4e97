#include "editor/writers/TemporaryAlignmentWriter.h"

namespace sequara {

namespace {
// The reader ends a name at its first TAB or ";": either is written as a
// blank, so that the name and its row come back apart.
void appendName(ByteSink& out, std::string_view name) {
    for (char c : name) out.Put(c == '\t' || c == ';' ? ' ' : c);
}
}  // namespace

void WriteTemporaryAlignment(const WriterInput& input, ByteSink& out, WriterServices&) {
    const AlignmentInput& alignment = input.Alignment();
    if (alignment.RowCount() == 0) return;
    appendName(out, alignment.ReferenceName());
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
        appendName(out, alignment.RowName(i));
        out.Put(';');
        out.Line(alignment.Row(i));
    }
}

}  // namespace sequara
