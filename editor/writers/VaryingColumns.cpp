#include "editor/writers/VaryingColumns.h"

#include <algorithm>
#include <cstring>

namespace sequara {

namespace {

// Columns per pass over the rows: small enough for the gauge to move during
// a long save, large enough for each row's part to be one long sweep.
constexpr std::size_t kBlockColumns = 4096;

// The first index in from..to-1 where a and b differ, or to.
std::size_t FirstDifference(const char* a, const char* b, std::size_t from, std::size_t to) {
    for (; from + 8 <= to; from += 8) {
        std::uint64_t x = 0, y = 0;
        std::memcpy(&x, a + from, 8);
        std::memcpy(&y, b + from, 8);
        if (x != y) break;
    }
    while (from < to && a[from] == b[from]) ++from;
    return from;
}

// True when a character that differs from the reference at a column of
// position p counts for the row of these ranges: p lies inside the row's
// sequenced part of p's range.  Never true for p = -1.
bool DifferenceCounts(const ActiveMinMax& r, std::int32_t p) {
    if (p == -1) return false;
    if (kUpperRangeMin <= p && p <= kUpperRangeMax && r.HVSI_Max != -1 && r.HVSI_Min <= p && p <= r.HVSI_Max)
        return true;
    return kLowerRangeMin <= p && p <= kLowerRangeMax && r.HVSII_Max != -1 && r.HVSII_Min <= p && p <= r.HVSII_Max;
}

}  // namespace

std::vector<VaryingColumn> FindVaryingColumns(const WriterInput& input, const TActiveMinMax& ranges,
                                              SaveProgress& progress) {
    const AlignmentInput& alignment = input.Alignment();
    const PositionTable& positions = input.Positions();
    const std::string_view reference = alignment.ReferenceRow();
    const std::size_t length = reference.size();
    const std::size_t rows = std::min(alignment.RowCount(), ranges.size());
    ColumnProgress gauge(progress, static_cast<std::int64_t>(length));
    std::vector<std::uint8_t> varies(length, 0);
    std::vector<VaryingColumn> columns;
    for (std::size_t from = 0; from < length; from += kBlockColumns) {
        const std::size_t to = std::min(length, from + kBlockColumns);
        for (std::size_t k = from; k < to; ++k) gauge.Before(static_cast<std::int64_t>(k));
        const auto mark = [&](std::size_t k, const ActiveMinMax& r) {
            if (!varies[k] && DifferenceCounts(r, positions.Position(static_cast<std::int64_t>(k) + 1))) varies[k] = 1;
        };
        for (std::size_t i = 0; i < rows; ++i) {
            const std::string_view row = alignment.Row(i);
            const ActiveMinMax& r = ranges[i];
            const std::size_t end = std::clamp(row.size(), from, to);
            for (std::size_t k = FirstDifference(row.data(), reference.data(), from, end); k < end;
                 k = FirstDifference(row.data(), reference.data(), k + 1, end))
                mark(k, r);
            for (std::size_t k = end; k < to; ++k)  // beyond the row's end it holds "-"
                if (reference[k] != '-') mark(k, r);
        }
        for (std::size_t k = from; k < to; ++k) {
            if (!varies[k]) continue;
            const auto c = static_cast<std::int64_t>(k) + 1;
            const std::int32_t p = positions.Position(c);
            columns.push_back({c, p, kUpperRangeMin <= p && p <= kUpperRangeMax, reference[k] == '-'});
        }
    }
    return columns;
}

VerticalHeader::VerticalHeader() {
    for (std::string& line : lines_) line.assign(7, ' ');
}

void VerticalHeader::Add(std::string_view label, char mark) {
    for (std::size_t i = 0; i < kLabelLines; ++i) lines_[i].push_back(i < label.size() ? label[i] : ' ');
    lines_[kLabelLines].push_back(mark);
}

std::string TableRowStart(std::string_view name) {
    std::string start(name.substr(0, kTableNameLength));
    start.resize(7, ' ');
    return start;
}

}  // namespace sequara
