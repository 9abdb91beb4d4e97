#include "sequence/CharacterRules.h"

#include <gtest/gtest.h>

#include <string>

namespace sequara {
namespace {

bool both(char a, char b, const char* type = "DNA") {
    return CharactersMatch(a, b, type) && CharactersMatch(b, a, type);
}
bool neither(char a, char b, const char* type = "DNA") {
    return !CharactersMatch(a, b, type) && !CharactersMatch(b, a, type);
}

TEST(CharactersMatch, NucleotideCodesMatchWhenTheirBaseSetsIntersect) {
    EXPECT_TRUE(CharactersMatch('A', 'A', "DNA"));
    EXPECT_TRUE(neither('A', 'G'));
    EXPECT_TRUE(both('A', 'R'));
    EXPECT_TRUE(both('B', 'H'));
    EXPECT_TRUE(both('D', 'H'));
    EXPECT_TRUE(both('V', 'H'));
    EXPECT_TRUE(neither('W', 'S'));
    EXPECT_TRUE(neither('K', 'M'));
    EXPECT_TRUE(neither('R', 'Y'));
}

TEST(CharactersMatch, GapMatchesOnlyItselfAndN) {
    EXPECT_TRUE(both('-', 'N'));
    EXPECT_TRUE(neither('-', 'A'));
    EXPECT_TRUE(CharactersMatch('-', '-', "DNA"));
    for (char c : std::string("ACGTRYSWKMBDHV")) EXPECT_TRUE(neither('-', c)) << c;
}

TEST(CharactersMatch, MatchesTheFullTableAndIsSymmetricOverTheSixteenCodes) {
    // The table written out row by row: the codes matching each first code
    // besides itself.
    const std::pair<char, std::string> rows[] = {
        {'-', "N"},
        {'A', "DHMNRVW"},
        {'C', "BHMNSVY"},
        {'G', "BDKNRSV"},
        {'T', "BDHKNWY"},
        {'R', "ABDGHKMNSVW"},
        {'Y', "BCDHKMNSTVW"},
        {'S', "BCDGHKMNRVY"},
        {'W', "ABDHKMNRTVY"},
        {'K', "BDGHNRSTVWY"},
        {'M', "ABCDHNRSVWY"},
        {'B', "CDGHKMNRSTVWY"},
        {'D', "ABGHKMNRSTVWY"},
        {'H', "ABCDKMNRSTVWY"},
        {'V', "ABCDGHKMNRSWY"},
        {'N', "-ABCDGHKMRSTVWY"},
    };
    const std::string codes = "-ACGTRYSWKMBDHVN";
    for (const auto& [first, matching] : rows) {
        for (char second : codes) {
            bool expected = second == first || matching.find(second) != std::string::npos;
            EXPECT_EQ(CharactersMatch(first, second, "DNA"), expected) << first << " " << second;
            EXPECT_EQ(CharactersMatch(first, second, "DNA"), CharactersMatch(second, first, "DNA"));
        }
    }
}

TEST(CharactersMatch, CharactersOutsideTheCodesMatchOnlyThemselvesOrAFirstN) {
    EXPECT_TRUE(neither('U', 'T'));
    EXPECT_FALSE(CharactersMatch('U', 'N', "DNA"));
    EXPECT_TRUE(CharactersMatch('N', 'U', "DNA"));
    EXPECT_TRUE(CharactersMatch('U', 'U', "DNA"));
    EXPECT_FALSE(CharactersMatch('a', 'A', "DNA"));
}

TEST(CharactersMatch, AminoAcidRules) {
    EXPECT_TRUE(both('X', '-', "AMINO"));
    EXPECT_TRUE(both('X', 'W', "AMINO"));
    EXPECT_TRUE(both('B', 'N', "AMINO"));
    EXPECT_TRUE(both('B', 'D', "AMINO"));
    EXPECT_TRUE(both('Z', 'Q', "AMINO"));
    EXPECT_TRUE(both('Z', 'E', "AMINO"));
    EXPECT_TRUE(neither('B', 'Z', "AMINO"));
    EXPECT_TRUE(neither('N', 'D', "AMINO"));
    // N is an ordinary amino acid, not a wildcard.
    EXPECT_TRUE(neither('N', 'A', "AMINO"));
}

TEST(CharactersMatch, DataTypeIsComparedExactly) {
    // Only "AMINO" selects the amino-acid rules; "amino" gets the nucleotide table.
    EXPECT_TRUE(CharactersMatch('N', 'A', "amino"));
    EXPECT_FALSE(CharactersMatch('X', 'A', "amino"));
    EXPECT_TRUE(CharactersMatch('A', 'R', "anything"));
}

TEST(ComplementBase, IupacComplementsUnderDnaOnly) {
    EXPECT_EQ(ComplementBase('A', "DNA"), 'T');
    EXPECT_EQ(ComplementBase('T', "DNA"), 'A');
    EXPECT_EQ(ComplementBase('G', "DNA"), 'C');
    EXPECT_EQ(ComplementBase('H', "DNA"), 'D');
    EXPECT_EQ(ComplementBase('V', "DNA"), 'B');
    EXPECT_EQ(ComplementBase('R', "DNA"), 'Y');
    EXPECT_EQ(ComplementBase('M', "DNA"), 'K');
    EXPECT_EQ(ComplementBase('N', "DNA"), 'N');
    EXPECT_EQ(ComplementBase('W', "DNA"), 'W');
    EXPECT_EQ(ComplementBase('S', "DNA"), 'S');
    EXPECT_EQ(ComplementBase('-', "DNA"), '-');
    EXPECT_EQ(ComplementBase('A', "dna"), 'A');
    EXPECT_EQ(ComplementBase('A', "AMINO"), 'A');
}

TEST(AllowedCharacters, TablesAndBlockScanAgreeWithTheRuleForEveryByte) {
    for (const char* type : {"DNA", "AMINO", "dna"}) {
        const AllowedCharacterTable& t = AllowedCharactersFor(type);
        for (int b = 0; b < 256; ++b) {
            const char c = static_cast<char>(b);
            ASSERT_EQ(t.upper[b], UpperAscii(c)) << type << " " << b;
            ASSERT_EQ(t.keep[b] == 1, IsAllowedCharacter(UpperAscii(c), type)) << type << " " << b;
            const bool unchanged = IsAllowedCharacter(c, type);  // kept as it stands
            // The byte at every place of a 40-byte run of passing bytes,
            // across the 16-byte blocks and the plain tail.
            for (std::size_t at = 0; at < 40; ++at) {
                std::string run(40, 'A');
                run[at] = c;
                ASSERT_EQ(LeadingUnchangedCharacters(run.data(), run.size(), t), unchanged ? 40u : at)
                    << type << " byte " << b << " at " << at;
            }
        }
    }
    EXPECT_EQ(LeadingUnchangedCharacters("", 0, AllowedCharactersFor("DNA")), 0u);
    EXPECT_EQ(std::string(1, UpperAscii('q')) + UpperAscii(std::string_view("aZ-\xe4")), "QAZ-\xe4");
    EXPECT_TRUE(IsDnaDataType("DNA"));
    EXPECT_FALSE(IsDnaDataType("dna"));
    EXPECT_FALSE(IsAminoDataType("Amino"));
}

}  // namespace
}  // namespace sequara
