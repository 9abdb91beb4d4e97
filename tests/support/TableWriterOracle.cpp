#include "tests/support/TableWriterOracle.h"

namespace sequara::testing {

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
