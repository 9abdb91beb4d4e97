#include "editor/writers/PlexorOldRdfWriter.h"

#include "editor/writers/SequentialMatrix.h"
#include "editor/writers/VaryingColumns.h"
#include "editor/writers/WriteError.h"
#include "sequence/CharacterRules.h"

namespace sequara {

const char* const kRdfNsMessage =
    "The saved RDF file contains one or more Ns. Sequara automatically codes flanking deletions as N and "
    "internal deletions as biological deletions. This may be potentially problematic for a phylogenetic "
    "analysis. Press the Sequara Help link for more information or edit these assumptions using e.g. MS "
    "Notepad or MS Wordpad.";
const char* const kRdfXsMessage =
    "The saved RDF file contains one or more Xs. Sequara automatically codes flanking deletions as X and "
    "internal deletions as biological deletions. This may be potentially problematic for a phylogenetic "
    "analysis. Press the Sequara Help link for more information or edit these assumptions using e.g. MS "
    "Notepad or MS Wordpad.";

const char* RdfMissingDataMessage(std::string_view dataType) {
    return IsAminoDataType(dataType) ? kRdfXsMessage : kRdfNsMessage;
}

void RefuseInsertionLetters(std::int32_t label, int letters, char firstLetter) {
    throw WriteError("Not saved: more than " + std::to_string(letters) + " varying inserted columns follow position " +
                     std::to_string(label) + " with no varying position between them, and this format letters them " +
                     firstLetter + " to z only. No file was changed.");
}

std::vector<RdfBinaryStates> FindRdfBinaryStates(const AlignmentInput& alignment,
                                                const std::vector<std::int64_t>& columns) {
    std::vector<RdfBinaryStates> states(columns.size());
    if (alignment.RowCount() == 0) return states;
    const std::string_view first = alignment.Row(0);
    std::vector<std::size_t> open(columns.size());  // the columns still without a second state
    for (std::size_t k = 0; k < columns.size(); ++k) {
        states[k].First = CharacterAt(first, columns[k]);
        open[k] = k;
    }
    for (std::size_t i = 1; i < alignment.RowCount() && !open.empty(); ++i) {
        const std::string_view row = alignment.Row(i);
        std::size_t stillOpen = 0;
        for (const std::size_t k : open) {
            const char c = CharacterAt(row, columns[k]);
            if (c == states[k].First) {
                open[stillOpen++] = k;
            } else {
                states[k].Other = c;
                states[k].HasOther = true;
            }
        }
        open.resize(stillOpen);
    }
    return states;
}

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
            if (letter == 'z') RefuseInsertionLetters(v.Position - 1, 'z' - 'b' + 1, 'b');
            ++letter;  // so the first inserted column after a labelled one is "b"
            header.Add(std::to_string(v.Position - 1), letter);
        } else {
            letter = 'a';
            header.Add(std::to_string(v.Position), ' ');
        }
    }
    for (const std::string& line : header.Lines()) out.Line(line);

    std::vector<RdfBinaryStates> states;
    if (binary) {
        std::vector<std::int64_t> columnNumbers;
        columnNumbers.reserve(columns.size());
        for (const VaryingColumn& v : columns) columnNumbers.push_back(v.Column);
        states = FindRdfBinaryStates(alignment, columnNumbers);
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
    if (codedMissing) services.Notices.emplace_back(RdfMissingDataMessage(alignment.DataType()));
    if (std::string notice = WrittenNamesNotice(alignment, kTableNameLength, "RDF", false); !notice.empty())
        services.Notices.push_back(std::move(notice));
}

}  // namespace sequara
