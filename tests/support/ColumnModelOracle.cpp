#include "tests/support/ColumnModelOracle.h"

#include <algorithm>

namespace sequara::oracle {

namespace {
char charAt(const std::string& s, std::size_t i) { return i < s.size() ? s[i] : ' '; }
}  // namespace

char AlignedCharAt(std::int32_t RowIndex, const std::string& Sequence, const TAlignmentResult& Alignment,
                   std::int32_t RefPos) {
    const TAlignmentRow& row = Alignment[static_cast<std::size_t>(RowIndex)];
    char result = '-';
    for (std::size_t j = 0; j < row.size() && result == '-'; ++j)
        if (row[j] == RefPos) result = charAt(Sequence, j);
    return result;
}

std::int32_t MaxLeadingInsertions(const TAlignmentResult& Alignment) {
    std::int32_t result = 0;
    for (const TAlignmentRow& row : Alignment) {
        std::int32_t count = 0;
        while (static_cast<std::size_t>(count) < row.size() && row[static_cast<std::size_t>(count)] == -1) ++count;
        result = std::max(result, count);
    }
    return result;
}

std::int32_t MaxInsertionsAfter(std::int32_t RefPos, const TAlignmentResult& Alignment) {
    std::int32_t result = 0;
    for (const TAlignmentRow& row : Alignment) {
        const std::int64_t last = static_cast<std::int64_t>(row.size()) - 1;
        std::int64_t j = 0;
        while (j < last && row[static_cast<std::size_t>(j)] <= RefPos) {
            if (row[static_cast<std::size_t>(j)] == RefPos) {
                std::int32_t run = 0;
                while (j + 1 <= last && row[static_cast<std::size_t>(j + 1)] <= 0) {
                    ++run;
                    ++j;
                }
                result = std::max(result, run);
            }
            ++j;
        }
    }
    return result;
}

char InsertedCharAt(std::int32_t RefPos, std::int32_t RowIndex, std::int32_t N, const TAlignmentResult& Alignment,
                    const std::string& Sequence) {
    const TAlignmentRow& row = Alignment[static_cast<std::size_t>(RowIndex)];
    const std::int64_t last = static_cast<std::int64_t>(row.size()) - 1;
    std::int64_t j = 0;
    while (j < last && row[static_cast<std::size_t>(j)] <= RefPos) {
        if (row[static_cast<std::size_t>(j)] == RefPos) {
            const std::int64_t start = j;
            while (j + 1 <= last && row[static_cast<std::size_t>(j + 1)] == -1) ++j;
            if (j - start >= N) return charAt(Sequence, static_cast<std::size_t>(start + N));
        }
        ++j;
    }
    return ' ';
}

std::int32_t AlignmentColumnCount(const TAlignmentResult& Alignment, const std::string& Reference) {
    std::int32_t total = MaxLeadingInsertions(Alignment) + static_cast<std::int32_t>(Reference.size());
    for (std::int32_t k = 1; k <= static_cast<std::int32_t>(Reference.size()); ++k)
        total += MaxInsertionsAfter(k, Alignment);
    return total;
}

TAlignedColumns GenerateColumnsByLookups(const TAlignmentResult& Alignment, const TFastaDataSet& DataSet,
                                         const std::string& Reference, const TCharacterName& CharNames) {
    TAlignedColumns out;
    const std::int32_t lead = MaxLeadingInsertions(Alignment);
    const std::int32_t columns = AlignmentColumnCount(Alignment, Reference);
    out.ReferenceRow.assign(static_cast<std::size_t>(columns), ' ');
    out.Labels.assign(static_cast<std::size_t>(columns), TLabel());
    out.Rows.assign(DataSet.size(), std::string(static_cast<std::size_t>(columns), ' '));
    for (std::int32_t c = 0; c < lead; ++c) out.ReferenceRow[static_cast<std::size_t>(c)] = '-';

    std::vector<TAlignmentResult> single(DataSet.size());
    for (std::size_t i = 0; i < DataSet.size(); ++i) {
        single[i] = TAlignmentResult{Alignment[i]};
        const std::int32_t li = MaxLeadingInsertions(single[i]);
        for (std::int32_t c = 1; c <= lead - li; ++c) out.Rows[i][static_cast<std::size_t>(c - 1)] = '-';
        for (std::int32_t t = 1; t <= li; ++t)
            out.Rows[i][static_cast<std::size_t>(lead - li + t - 1)] = charAt(DataSet[i].Sequence, t - 1);
    }

    std::int32_t col = lead;
    for (std::int32_t k = 1; k <= static_cast<std::int32_t>(Reference.size()); ++k) {
        ++col;
        std::string label = GetNumberingLabel(CharNames, k).substr(0, kShownLabelLength);
        out.Labels[static_cast<std::size_t>(col - 1)] = TLabel(label);
        out.ReferenceRow[static_cast<std::size_t>(col - 1)] = Reference[static_cast<std::size_t>(k - 1)];
        for (std::size_t i = 0; i < DataSet.size(); ++i)
            out.Rows[i][static_cast<std::size_t>(col - 1)] =
                AlignedCharAt(static_cast<std::int32_t>(i), DataSet[i].Sequence, Alignment, k);
        const std::int32_t m = MaxInsertionsAfter(k, Alignment);
        for (std::int32_t n = 1; n <= m; ++n) {
            ++col;
            out.ReferenceRow[static_cast<std::size_t>(col - 1)] = '-';
            for (std::size_t i = 0; i < DataSet.size(); ++i)
                out.Rows[i][static_cast<std::size_t>(col - 1)] =
                    MaxInsertionsAfter(k, single[i]) >= n
                        ? InsertedCharAt(k, static_cast<std::int32_t>(i), n, Alignment, DataSet[i].Sequence)
                        : '-';
        }
    }
    return out;
}

}  // namespace sequara::oracle
