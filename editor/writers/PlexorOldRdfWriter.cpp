#include "editor/writers/PlexorOldRdfWriter.h"

#include "editor/writers/VaryingColumns.h"

namespace sequara {

const char* const kRdfNsMessage =
    "The saved RDF file contains one or more Ns. Sequara automatically codes flanking deletions as N and "
    "internal deletions as biological deletions. This may be potentially problematic for a phylogenetic "
    "analysis. Press the Sequara Help link for more information or edit these assumptions using e.g. MS "
    "Notepad or MS Wordpad.";

namespace {

// The two states of a binary column: the first row's character and the
// first other character met going down the rows (every row counts, inside
// its sequenced part or not).
struct BinaryStates {
    char First = 0;
    char Other = 0;
    bool HasOther = false;
};

BinaryStates StatesOf(const AlignmentInput& alignment, std::int64_t column) {
    BinaryStates states;
    states.First = CharacterAt(alignment.Row(0), column);
    for (std::size_t i = 1; i < alignment.RowCount(); ++i) {
        const char c = CharacterAt(alignment.Row(i), column);
        if (c != states.First) {
            states.Other = c;
            states.HasOther = true;
            break;
        }
    }
    return states;
}

}  // namespace

void WritePlexorOldRdfFile(const WriterInput& input, ByteSink& out, WriterServices& services, bool binary) {
    const AlignmentInput& alignment = input.Alignment();
    if (alignment.RowCount() == 0) return;
    services.Progress.Show();
    const TActiveMinMax ranges = FindActiveRanges(alignment, input.Positions());
    const std::vector<VaryingColumn> columns = FindVaryingColumns(input, ranges, services.Progress);

    VerticalHeader header;
    char letter = 'a';
    for (const VaryingColumn& v : columns) {
        if (v.Inserted) {
            ++letter;  // so the first inserted column after a labelled one is "b"
            header.Add(std::to_string(v.Position - 1), letter);
        } else {
            letter = 'a';
            header.Add(std::to_string(v.Position), ' ');
        }
    }
    for (const std::string& line : header.Lines()) out.Line(line);

    std::vector<BinaryStates> states;
    if (binary) {
        states.reserve(columns.size());
        for (const VaryingColumn& v : columns) states.push_back(StatesOf(alignment, v.Column));
    }
    const char missing = MissingDataCharacter(alignment.DataType());
    bool codedMissing = false;
    std::string line;
    for (std::size_t i = 0; i < alignment.RowCount(); ++i) {
        const std::string_view row = alignment.Row(i);
        const ActiveMinMax& r = ranges[i];
        line = TableRowStart(alignment.RowName(i));
        for (std::size_t k = 0; k < columns.size(); ++k) {
            const VaryingColumn& v = columns[k];
            const bool sequenced = v.Upper ? r.HVSI_Min <= v.Position && v.Position <= r.HVSI_Max
                                           : r.HVSII_Min <= v.Position && v.Position <= r.HVSII_Max;
            const char c = CharacterAt(row, v.Column);
            char written = c;
            if (!sequenced) {
                written = missing;
                codedMissing = true;
            } else if (binary) {
                if (c == states[k].First) {
                    written = '0';
                } else if (states[k].HasOther && c == states[k].Other) {
                    written = '1';
                } else {
                    written = missing;  // a third state
                    codedMissing = true;
                }
            }
            line.push_back(written);
        }
        line += "  1";
        out.Line(line);
    }
    out.EndLine();
    // The weights, 125 to a line; the last line has no line end of its own.
    for (std::size_t k = 1; k <= columns.size(); ++k) {
        out.Append("10");
        if (k % 125 == 0) out.EndLine();
    }
    services.Progress.Hide();
    if (codedMissing) services.Notices.emplace_back(kRdfNsMessage);
}

}  // namespace sequara
