#include "editor/writers/TemporaryAlignmentWriter.h"

namespace sequara {

namespace {
// The reader ends a name at its first TAB or ";" and starts a new label at
// each: either is written as a blank, so that a name and its row come back
// apart and the label line keeps one label per column.
void appendText(ByteSink& out, std::string_view text) {
    for (char c : text) out.Put(c == '\t' || c == ';' ? ' ' : c);
}
}  // namespace

void WriteTemporaryAlignment(const WriterInput& input, ByteSink& out, WriterServices&) {
    const AlignmentInput& alignment = input.Alignment();
    if (alignment.RowCount() == 0) return;
    appendText(out, alignment.ReferenceName());
    out.Put(';');
    out.Line(alignment.ReferenceRow());
    bool first = true;
    for (const TLabel& label : alignment.Labels()) {
        if (!first) out.Put(';');
        first = false;
        appendText(out, label.view());
    }
    out.EndLine();
    for (std::size_t i = 0; i < alignment.RowCount(); ++i) {
        appendText(out, alignment.RowName(i));
        out.Put(';');
        out.Line(alignment.Row(i));
    }
}

}  // namespace sequara
