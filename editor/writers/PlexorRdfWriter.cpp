#include "editor/writers/PlexorRdfWriter.h"

#include "editor/writers/PlexorOldRdfWriter.h"
#include "editor/writers/VaryingColumns.h"

namespace sequara {

const char* const kRdfThirdStateMessage =
    "In the saved binary rdf file, one or more binary characters have been (greedily) created from multistate "
    "characters. To see which characters these are, you can save in Plexor old binary rdf format where the "
    "affected columns will contain one or more Ns.";

bool RdfColumnsHaveThirdState(const AlignmentInput& alignment, const std::vector<std::int64_t>& columns,
                              char missing) {
    const std::size_t rows = alignment.RowCount();
    if (rows < 3) return false;
    // Walking up from the last row, each column keeps the one character met
    // below the current row that is neither the first row's nor missing (a
    // second, different one would already have been a third state for the
    // row that brought it).  A row coded "1" meets a third state exactly when
    // such a character other than its own lies below it.
    struct Below {
        char First = 0;
        char Seen = 0;
        bool Any = false;
    };
    std::vector<Below> below(columns.size());
    const std::string_view first = alignment.Row(0);
    for (std::size_t k = 0; k < columns.size(); ++k) below[k].First = CharacterAt(first, columns[k]);
    for (std::size_t i = rows - 1; i >= 1; --i) {
        const std::string_view row = alignment.Row(i);
        for (std::size_t k = 0; k < columns.size(); ++k) {
            Below& b = below[k];
            const char c = CharacterAt(row, columns[k]);
            if (c == b.First) continue;
            if (b.Any && b.Seen != c) return true;
            if (c != missing) {
                b.Seen = c;
                b.Any = true;
            }
        }
    }
    return false;
}

void WritePlexorRdfFile(const WriterInput& input, ByteSink& out, WriterServices& services, bool binary) {
    const AlignmentInput& alignment = input.Alignment();
    services.Progress.Show();
    out.Line("  ;1.0");
    const TActiveMinMax ranges = FindActiveRanges(alignment, input.Positions());
    const std::vector<VaryingColumn> columns = FindVaryingColumns(input, ranges, services.Progress);

    std::string line;
    char letter = 'a';
    for (const VaryingColumn& v : columns) {
        if (v.Inserted) {
            if (letter > 'z') RefuseInsertionLetters(v.Position - 1, 'z' - 'a' + 1, 'a');
            line += std::to_string(v.Position - 1);
            line.push_back(letter++);  // so the first inserted column after a labelled one is "a"
        } else {
            letter = 'a';
            line += std::to_string(v.Position);
        }
        line.push_back(';');
    }
    out.Line(line);
    for (std::size_t k = 0; k < columns.size(); ++k) out.Append("10;");
    out.EndLine();

    std::vector<std::int64_t> columnNumbers;
    columnNumbers.reserve(columns.size());
    for (const VaryingColumn& v : columns) columnNumbers.push_back(v.Column);
    std::string first;
    if (binary && alignment.RowCount() > 0)
        for (std::int64_t c : columnNumbers) first.push_back(CharacterAt(alignment.Row(0), c));
    const char missing = MissingDataCharacter(alignment.DataType());
    bool hasMissing = false;
    for (std::size_t i = 0; i < alignment.RowCount(); ++i) {
        out.Append(">");
        out.Append(alignment.RowName(i));
        out.Line(";1;;;;");
        const std::string_view row = alignment.Row(i);
        line.clear();
        for (std::size_t k = 0; k < columnNumbers.size(); ++k) {
            const char c = CharacterAt(row, columnNumbers[k]);
            if (c == missing) hasMissing = true;
            line.push_back(binary ? (c == first[k] ? '0' : '1') : c);
        }
        out.Line(line);
    }
    services.Progress.Hide();
    if (binary && RdfColumnsHaveThirdState(alignment, columnNumbers, missing))
        services.Notices.emplace_back(kRdfThirdStateMessage);
    if (hasMissing) services.Notices.emplace_back(RdfMissingDataMessage(alignment.DataType()));
}

}  // namespace sequara
