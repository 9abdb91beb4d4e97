#include "editor/MotifSearch.h"

#include <algorithm>

namespace sequara {

MotifMatcher::MotifMatcher(std::string_view motif) : motif_(motif), border_(motif.size(), 0) {
    for (char& c : motif_) c = MotifUpper(c);
    for (std::size_t j = 1, k = 0; j < motif_.size(); ++j) {
        while (k > 0 && motif_[j] != motif_[k]) k = border_[k - 1];
        if (motif_[j] == motif_[k]) ++k;
        border_[j] = k;
    }
}

std::size_t MotifMatcher::FindIn(std::string_view cells, std::size_t from) const {
    const std::size_t m = motif_.size();
    if (m == 0 || from > cells.size() || cells.size() - from < m) return std::string_view::npos;
    // Invariant: the k cells before i equal motif_[0..k), and no occurrence
    // starts before i - k.
    std::size_t k = 0;
    for (std::size_t i = from; i < cells.size(); ++i) {
        const char c = MotifUpper(cells[i]);
        while (k > 0 && c != motif_[k]) k = border_[k - 1];
        if (c == motif_[k] && ++k == m) return i + 1 - m;
    }
    return std::string_view::npos;
}

std::optional<MotifHit> FindMotif(std::string_view motif, std::int32_t colCount, std::int32_t rowCount,
                                  std::int32_t startCol, std::int32_t startRow, const MotifRowCells& rowCells) {
    // A cell without text is '\0', which no typed motif holds.
    if (motif.empty() || motif.find('\0') != std::string_view::npos || colCount < 2) return std::nullopt;
    const MotifMatcher matcher(motif);
    std::string cells;
    std::int32_t col = std::max(startCol, 1);
    for (std::int32_t row = std::max(startRow, 1); row <= rowCount; ++row, col = 1) {
        if (col > colCount - 1) continue;
        cells.clear();
        rowCells(row - 1, cells);
        cells.resize(std::size_t(colCount - 1), '\0');
        const std::size_t at = matcher.FindIn(cells, std::size_t(col - 1));
        if (at != std::string_view::npos) return MotifHit{std::int32_t(at) + 1, row};
    }
    return std::nullopt;
}

}  // namespace sequara
