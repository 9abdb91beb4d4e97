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
    auto literal = testing::LiteralFindMotif(motif, rows, colCount, startCol, startRow);
    EXPECT_EQ(hit.has_value(), literal.has_value()) << motif;
    if (hit && literal) {
        EXPECT_EQ(std::make_pair(hit->Col, hit->Row), *literal) << motif;
    }
    return hit ? std::to_string(hit->Col) + "," + std::to_string(hit->Row) : "";
}

TEST(MotifSearch, HandPickedCases) {
    const std::vector<std::string> rows = {"ACGTACGTAA", "..G..acgTT", "-NNACGT--C"};
    struct Case {
        const char* motif;
        std::int32_t col, row;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {"acg", 1, 1, "1,1"},           // letter case ignored
        {"ACG", 2, 1, "5,1"},           // search starts at the start cell
        {"ACG", 6, 1, "6,2"},           // ... then the next rows from column 1
        {"ACGT", 7, 2, "4,3"},          // left of the start in its row: not found; the next row is
        {"AA", 1, 1, "9,1"},            // ends in the last column: found
        {"TT", 1, 1, "9,2"},
        {"-C", 1, 1, "9,3"},            // "-" is literal, also in the last column
        {"..G", 1, 1, "1,2"},           // "." of the mismatch view is literal
        {"N", 1, 1, "2,3"},             // IUPAC codes are not expanded
        {"R", 1, 1, ""},
        {"AAC", 1, 1, ""},              // never spans two rows
        {"ACGTACGTAA", 1, 1, "1,1"},    // as long as the character columns
        {"ACGTACGTAAX", 1, 1, ""},      // longer than them
        {"ACG", 0, 0, "1,1"},           // starts below 1 count as 1
        {"ACG", 11, 1, "6,2"},          // a start beyond the last column goes to the next row
        {"ACG", 1, 4, ""},              // below the last row
        {"", 1, 1, ""},
    };
    for (const Case& c : cases) EXPECT_EQ(find(c.motif, rows, 11, c.col, c.row), c.expected) << c.motif;
}

TEST(MotifSearch, CellsWithoutTextMatchNothing) {
    // Row 1 is shorter than the grid; '\0' marks a cell without text.
    const std::vector<std::string> rows = {"ACG", std::string("AC\0GT", 5)};
    EXPECT_EQ(find("G", rows, 6, 4, 1), "4,2");
    EXPECT_EQ(find("CG", rows, 6, 3, 1), "");
    EXPECT_EQ(find("GT", rows, 6, 1, 2), "4,2");
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
