#include "tests/support/TableWriterOracle.h"

#include <algorithm>

namespace sequara::testing {

bool StepByStepColumnVaries(const AlignmentInput& alignment, const PositionTable& positions,
                            const TActiveMinMax& ranges, std::int64_t column) {
    const std::int32_t p = positions.Position(column);
    if (p == -1) return false;
    const bool upper = kUpperRangeMin <= p && p <= kUpperRangeMax;
    const bool lower = kLowerRangeMin <= p && p <= kLowerRangeMax;
    const char reference = CharacterAt(alignment.ReferenceRow(), column);
    const std::size_t rows = std::min(alignment.RowCount(), ranges.size());
    for (std::size_t i = 0; i < rows; ++i) {
        if (CharacterAt(alignment.Row(i), column) == reference) continue;
        const ActiveMinMax& r = ranges[i];
        if (upper && r.HVSI_Max != -1 && r.HVSI_Min <= p && p <= r.HVSI_Max) return true;
        if (lower && r.HVSII_Max != -1 && r.HVSII_Min <= p && p <= r.HVSII_Max) return true;
    }
    return false;
}

std::vector<VaryingColumn> StepByStepVaryingColumns(const WriterInput& input, const TActiveMinMax& ranges,
                                                    SaveProgress& progress) {
    const AlignmentInput& alignment = input.Alignment();
    const std::string_view reference = alignment.ReferenceRow();
    const auto length = static_cast<std::int64_t>(reference.size());
    ColumnProgress gauge(progress, length);
    std::vector<VaryingColumn> columns;
    for (std::int64_t c = 1; c <= length; ++c) {
        gauge.Before(c - 1);
        if (!StepByStepColumnVaries(alignment, input.Positions(), ranges, c)) continue;
        const std::int32_t p = input.Positions().Position(c);
        columns.push_back({c, p, kUpperRangeMin <= p && p <= kUpperRangeMax, reference[c - 1] == '-'});
    }
    return columns;
}

std::vector<RdfBinaryStates> StepByStepBinaryStates(const AlignmentInput& alignment,
                                                    const std::vector<std::int64_t>& columns) {
    std::vector<RdfBinaryStates> states;
    for (const std::int64_t column : columns) {
        RdfBinaryStates s;
        s.First = CharacterAt(alignment.Row(0), column);
        for (std::size_t i = 1; i < alignment.RowCount() && !s.HasOther; ++i) {
            const char c = CharacterAt(alignment.Row(i), column);
            if (c != s.First) {
                s.Other = c;
                s.HasOther = true;
            }
        }
        states.push_back(s);
    }
    return states;
}

StepByStepMerge StepByStepMergeIdenticalRows(const std::vector<std::string>& rows) {
    StepByStepMerge merge;
    merge.Members.assign(rows.size(), 1);
    std::vector<bool> kept(rows.size(), true);
    for (std::size_t s = 0; s + 1 < rows.size(); ++s) {
        if (!kept[s]) continue;
        for (std::size_t t = s + 1; t < rows.size(); ++t) {
            if (kept[t] && rows[t] == rows[s]) {
                merge.Pairs.emplace_back(s, t);
                ++merge.Members[s];
                merge.Members[t] = 0;
                kept[t] = false;
            }
        }
    }
    return merge;
}

namespace {
char At(const std::string& row, std::int64_t column) {
    return column >= 1 && column <= static_cast<std::int64_t>(row.size()) ? row[column - 1] : '-';
}
}  // namespace

bool StepByStepRdfThirdState(const TFastaDataSet& rows, const std::vector<std::int64_t>& columns, char missing) {
    bool found = false;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        for (const std::int64_t c : columns) {
            const char first = At(rows[0].Sequence, c);
            const char own = At(rows[i].Sequence, c);
            if (own == first || found) continue;  // "0", or the search is over
            for (std::size_t j = i + 1; j < rows.size() && !found; ++j) {
                const char later = At(rows[j].Sequence, c);
                found = later != first && later != own && later != missing;
            }
        }
    }
    return found;
}

}  // namespace sequara::testing
