#include "alignment/ColumnModel.h"

#include <algorithm>

namespace sequara {

std::string GetNumberingLabel(const TCharacterName& CharNames, std::int32_t Index) {
    if (Index >= 1 && static_cast<std::size_t>(Index) <= CharNames.size())
        return CharNames[static_cast<std::size_t>(Index) - 1].str();
    return std::to_string(Index);
}

namespace {

// The rows in the form the layout needs: for every character either its
// reference position or -1.  Only rows that break the aligner's promise
// are copied; the others are read in place.
class NormalisedRows {
public:
    NormalisedRows(const TAlignmentResult& alignment, const TFastaDataSet& dataSet, std::int32_t m) {
        rows_.resize(dataSet.size());
        for (std::size_t g = 0; g < dataSet.size(); ++g) {
            const std::size_t length = dataSet[g].Sequence.size();
            const TAlignmentRow* row = g < alignment.size() ? &alignment[g] : nullptr;
            if (row && row->size() == length && isWellFormed(*row, m)) {
                rows_[g] = row;
                continue;
            }
            ++repaired_;
            TAlignmentRow copy(length, -1);
            std::int32_t last = 0;
            for (std::size_t i = 0; row && i < length && i < row->size(); ++i) {
                const std::int32_t e = (*row)[i];
                if (e >= 1 && e <= m && e > last) {
                    copy[i] = e;
                    last = e;
                }
            }
            repairedRows_.push_back(std::move(copy));
        }
        // Pointers into repairedRows_ are taken once it no longer grows.
        std::size_t next = 0;
        for (std::size_t g = 0; g < dataSet.size(); ++g)
            if (!rows_[g]) rows_[g] = &repairedRows_[next++];
    }
    const TAlignmentRow& operator[](std::size_t g) const { return *rows_[g]; }
    std::int32_t repaired() const { return repaired_; }

private:
    static bool isWellFormed(const TAlignmentRow& row, std::int32_t m) {
        std::int32_t last = 0;
        for (std::int32_t e : row) {
            if (e == -1) continue;
            if (e < 1 || e > m || e <= last) return false;
            last = e;
        }
        return true;
    }
    std::vector<const TAlignmentRow*> rows_;
    std::vector<TAlignmentRow> repairedRows_;
    std::int32_t repaired_ = 0;
};

// Leading run of every row and, per reference position, the longest run of
// insertions after it (index 1..m).  One pass over every entry.
struct RunLengths {
    std::vector<std::int32_t> lead;      // per row
    std::vector<std::int32_t> after;     // per reference position, [0] unused
    std::int32_t maxLead = 0;
};

RunLengths measureRuns(const NormalisedRows& rows, std::size_t rowCount, std::int32_t m) {
    RunLengths runs;
    runs.lead.assign(rowCount, 0);
    runs.after.assign(static_cast<std::size_t>(m) + 1, 0);
    for (std::size_t g = 0; g < rowCount; ++g) {
        const TAlignmentRow& row = rows[g];
        std::size_t i = 0;
        while (i < row.size() && row[i] == -1) ++i;
        runs.lead[g] = static_cast<std::int32_t>(i);
        runs.maxLead = std::max(runs.maxLead, runs.lead[g]);
        // Invariant: row[i] is a position; the run after it ends at the next
        // position or at the row's end.
        while (i < row.size()) {
            const std::int32_t k = row[i];
            std::size_t j = i + 1;
            while (j < row.size() && row[j] == -1) ++j;
            std::int32_t& longest = runs.after[static_cast<std::size_t>(k)];
            longest = std::max(longest, static_cast<std::int32_t>(j - i - 1));
            i = j;
        }
    }
    return runs;
}

}  // namespace

std::int32_t CountAlignmentColumns(const TAlignmentResult& Alignment, const TFastaDataSet& DataSet,
                                   const std::string& Reference) {
    const auto m = static_cast<std::int32_t>(Reference.size());
    NormalisedRows rows(Alignment, DataSet, m);
    RunLengths runs = measureRuns(rows, DataSet.size(), m);
    std::int64_t total = runs.maxLead + m;
    for (std::int32_t k = 1; k <= m; ++k) total += runs.after[static_cast<std::size_t>(k)];
    return static_cast<std::int32_t>(total);
}

TAlignedColumns BuildAlignedColumns(const TAlignmentResult& Alignment, const TFastaDataSet& DataSet,
                                    const std::string& Reference, const TCharacterName& CharNames) {
    const auto m = static_cast<std::int32_t>(Reference.size());
    const std::size_t rowCount = DataSet.size();
    NormalisedRows rows(Alignment, DataSet, m);
    RunLengths runs = measureRuns(rows, rowCount, m);

    // column[k]: 0-based column of reference position k.
    std::vector<std::size_t> column(static_cast<std::size_t>(m) + 1, 0);
    std::size_t next = static_cast<std::size_t>(runs.maxLead);
    for (std::int32_t k = 1; k <= m; ++k) {
        column[static_cast<std::size_t>(k)] = next;
        next += 1 + static_cast<std::size_t>(runs.after[static_cast<std::size_t>(k)]);
    }
    const std::size_t n = next;

    TAlignedColumns out;
    out.RepairedRows = rows.repaired();
    out.ReferenceRow.assign(n, '-');
    out.Labels.assign(n, TLabel());
    for (std::int32_t k = 1; k <= m; ++k) {
        const std::size_t c = column[static_cast<std::size_t>(k)];
        out.ReferenceRow[c] = Reference[static_cast<std::size_t>(k) - 1];
        out.Labels[c] = TLabel(GetNumberingLabel(CharNames, k)).Shown();
    }

    out.Rows.resize(rowCount);
    for (std::size_t g = 0; g < rowCount; ++g) {
        const TAlignmentRow& row = rows[g];
        const std::string& sequence = DataSet[g].Sequence;
        std::string& cells = out.Rows[g];
        cells.assign(n, '-');
        const std::size_t lead = static_cast<std::size_t>(runs.lead[g]);
        const std::size_t firstLead = static_cast<std::size_t>(runs.maxLead) - lead;
        for (std::size_t i = 0; i < lead; ++i) cells[firstLead + i] = sequence[i];
        // Invariant: place is the column of the last positioned character,
        // insertions after it fill place+1, place+2, ...
        std::size_t place = 0;
        for (std::size_t i = lead; i < row.size(); ++i) {
            if (row[i] == -1) {
                ++place;
            } else {
                place = column[static_cast<std::size_t>(row[i])];
            }
            cells[place] = sequence[i];
        }
    }
    return out;
}

}  // namespace sequara
