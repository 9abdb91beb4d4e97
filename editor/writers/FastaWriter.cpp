#include "editor/writers/FastaWriter.h"

namespace sequara {

void WriteFastaFile(const WriterInput& input, ByteSink& out, WriterServices&) {
    const AlignmentInput& alignment = input.Alignment();
    const PositionTable& positions = input.Positions();
    constexpr std::int64_t kLineLength = 100;
    for (std::size_t i = 0; i < alignment.RowCount(); ++i) {
        out.Put('>');
        out.Line(alignment.RowName(i));
        const std::string_view row = alignment.Row(i);
        std::int64_t first = 0;
        std::int64_t last = 0;
        TrimGapEnds(row, first, last);
        const UnsequencedGapRule rule(row, positions, alignment.DataType());
        std::int64_t count = 0;
        for (std::int64_t column = first; column <= last; ++column) {
            out.Put(rule.Written(row[static_cast<std::size_t>(column - 1)], column));
            if (++count % kLineLength == 0) out.EndLine();
        }
        out.EndLine();
    }
}

}  // namespace sequara
