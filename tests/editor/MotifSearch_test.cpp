#include "editor/MotifSearch.h"
#include "tests/support/MotifSearchOracle.h"

#include <gtest/gtest.h>

#include <random>

namespace sequara {
namespace {

// Searches rows of cells (column 1 first) in a grid whose names column and
// character columns make colCount; "" when nothing is found, else "col,row".
std::string find(const std::string& motif, const std::vector<std::string>& rows, std::int32_t colCount,
                 std::int32_t startCol, std::int32_t startRow) {
    auto hit = FindMotif(motif, colCount, std::int32_t(rows.size()), startCol, startRow,
                         [&](std::int32_t r, std::string& out) { out = rows[std::size_t(r)]; });
    auto stepByStep = testing::StepByStepFindMotif(motif, rows, colCount, startCol, startRow);
    EXPECT_EQ(hit.has_value(), stepByStep.has_value()) << motif;
    if (hit && stepByStep) {
        EXPECT_EQ(std::make_pair(hit->Col, hit->Row), *stepByStep) << motif;
    }
    return hit ? std::to_string(hit->Col) + "," + std::to_string(hit->Row) : "";
}

// What the editor's command tests do not reach: starts outside the grid,
// motifs as long as the rows or longer, and cells without text ('\0').
TEST(MotifSearch, StartsMotifLengthsAndCellsWithoutText) {
    const std::vector<std::string> rows = {"ACGTAA", std::string("AC\0GTT", 6)};
    struct Case {
        std::string motif;
        std::int32_t col, row;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {"acg", 0, 0, "1,1"},     // starts below 1 count as 1
        {"AC", 7, 1, "1,2"},      // a start beyond the last column goes on in the next row
        {"AC", 1, 3, ""},         // below the last row
        {"ACGTAA", 1, 1, "1,1"},  // as long as the character columns, ending in the last one
        {"ACGTAAA", 1, 1, ""},    // longer than them
        {"CG", 2, 2, ""},         // a cell without text matches nothing
        {std::string("C\0G", 3), 1, 1, ""},
        {"GTT", 1, 2, "4,2"},
        {"", 1, 1, ""},
    };
    for (const Case& c : cases) EXPECT_EQ(find(c.motif, rows, 7, c.col, c.row), c.expected) << c.motif;
}

TEST(MotifSearch, AgreesWithTheStepByStepSearchOnRandomGrids) {
    std::mt19937 rng(20261207);
    const std::string alphabet = "ACGTacgt.-N";
    for (int round = 0; round < 3000; ++round) {
        const int cols = int(rng() % 12) + 1;  // character columns
        const int rowCount = int(rng() % 5) + 1;
        std::vector<std::string> rows(static_cast<std::size_t>(rowCount));
        const int letters = int(rng() % 3) + 2;  // few letters: many repeats and overlaps
        for (auto& row : rows) {
            const int length = (rng() % 8 == 0) ? int(rng() % std::uint32_t(cols + 1)) : cols;
            for (int c = 0; c < length; ++c) row += rng() % 30 == 0 ? '\0' : alphabet[rng() % std::uint32_t(letters)];
        }
        // Half the motifs are copied from a row, so that most searches find something.
        std::string motif;
        const int motifLength = int(rng() % 5) + 1;
        const std::string& source = rows[rng() % rows.size()];
        if (rng() % 2 && !source.empty())
            motif = source.substr(rng() % source.size(), std::size_t(motifLength));
        else
            for (int i = 0; i < motifLength; ++i) motif += alphabet[rng() % std::uint32_t(letters)];
        std::erase(motif, '\0');
        find(motif, rows, cols + 1, int(rng() % std::uint32_t(cols + 2)), int(rng() % std::uint32_t(rowCount + 1)));
    }
}

}  // namespace
}  // namespace sequara
