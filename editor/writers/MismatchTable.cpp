#include "editor/writers/MismatchTable.h"

namespace sequara {

MismatchTable::MismatchTable(const WriterInput& input, SaveProgress& progress) : alignment_(input.Alignment()) {
    const TActiveMinMax ranges = FindActiveRanges(alignment_, input.Positions());
    columns_ = FindVaryingColumns(input, ranges, progress);
    referenceCharacters_.reserve(columns_.size());
    for (const VaryingColumn& v : columns_) referenceCharacters_.push_back(CharacterAt(alignment_.ReferenceRow(), v.Column));
}

void MismatchTable::WriteHeader(ByteSink& out) const {
    VerticalHeader header;
    for (const VaryingColumn& v : columns_)
        header.Add(std::to_string(v.Inserted ? v.Position - 1 : v.Position), v.Inserted ? 'i' : ' ');
    for (const std::string& line : header.Lines()) out.Line(line);
    out.Append("Ref    ");
    out.Line(referenceCharacters_);
}

void MismatchTable::AppendRow(std::size_t i, std::string& line) const {
    const std::string_view row = alignment_.Row(i);
    for (std::size_t k = 0; k < columns_.size(); ++k) {
        const char c = CharacterAt(row, columns_[k].Column);
        line.push_back(c == referenceCharacters_[k] ? '.' : c);
    }
}

}  // namespace sequara
