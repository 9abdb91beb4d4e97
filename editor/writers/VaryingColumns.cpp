#include "editor/writers/VaryingColumns.h"

namespace sequara {

std::vector<VaryingColumn> FindVaryingColumns(const WriterInput& input, const TActiveMinMax& ranges,
                                              SaveProgress& progress) {
    const AlignmentInput& alignment = input.Alignment();
    const std::string_view reference = alignment.ReferenceRow();
    const auto length = static_cast<std::int64_t>(reference.size());
    ColumnProgress gauge(progress, length);
    std::vector<VaryingColumn> columns;
    for (std::int64_t c = 1; c <= length; ++c) {
        gauge.Before(c - 1);
        if (!ColumnVaries(alignment, input.Positions(), ranges, c)) continue;
        const std::int32_t p = input.Positions().Position(c);
        columns.push_back({c, p, kUpperRangeMin <= p && p <= kUpperRangeMax, reference[c - 1] == '-'});
    }
    return columns;
}

VerticalHeader::VerticalHeader() {
    for (std::string& line : lines_) line.assign(7, ' ');
}

void VerticalHeader::Add(std::string_view label, char mark) {
    for (std::size_t i = 0; i < 5; ++i) lines_[i].push_back(i < label.size() ? label[i] : ' ');
    lines_[5].push_back(mark);
}

std::string TableRowStart(std::string_view name) {
    std::string start(name.substr(0, 6));
    start.resize(7, ' ');
    return start;
}

}  // namespace sequara
