#include "tests/support/MotifSearchOracle.h"

#include <algorithm>

namespace sequara::testing {

namespace {
std::string upper(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return s;
}
}  // namespace

std::optional<std::pair<std::int32_t, std::int32_t>> StepByStepFindMotif(const std::string& motif,
                                                                       const std::vector<std::string>& rows,
                                                                       std::int32_t colCount, std::int32_t startCol,
                                                                       std::int32_t startRow) {
    const auto L = std::int32_t(motif.size());
    if (L == 0) return std::nullopt;
    const auto rowCount = std::int32_t(rows.size());
    std::int32_t col = std::max(startCol, 1);
    std::int32_t row = std::max(startRow, 1);
    while (row <= rowCount) {
        if (col + L <= colCount) {  // the window's last cell is at most the grid's last column
            std::string text;
            const std::string& cells = rows[std::size_t(row - 1)];
            for (std::int32_t c = col; c < col + L; ++c) {
                const auto index = std::size_t(c - 1);
                if (index < cells.size() && cells[index] != '\0') text += cells[index];
            }
            if (upper(text) == upper(motif)) return std::make_pair(col, row);
            ++col;
        } else {
            ++row;
            col = 1;
        }
    }
    return std::nullopt;
}

}  // namespace sequara::testing
