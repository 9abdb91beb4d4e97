#pragma once
// The character rules of the whole program: the two data types, ASCII
// upper-casing, the characters each data type allows, when two sequence
// characters count as the same (IUPAC codes for nucleotides, X/B/Z for amino
// acids) and the complement of a nucleotide code.  All work from constant
// tables and allocate nothing: they are the innermost calls of the reader and
// the aligner.

#include <array>
#include <string>
#include <string_view>

namespace sequara {

// The two data types a run can have.  The comparisons are exact (case
// matters): only "DNA" is nucleotides for the reader's character set and the
// complement, only "AMINO" is amino acids for the match rules, so a third
// value is neither.
inline constexpr const char* kDnaDataType = "DNA";
inline constexpr const char* kAminoDataType = "AMINO";
bool IsDnaDataType(std::string_view DataType);
bool IsAminoDataType(std::string_view DataType);

// "a" to "z" become "A" to "Z"; every other byte stays.
constexpr char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }
std::string UpperAscii(std::string_view text);

// The characters a data type allows after upper-casing: "-" and the 15 IUPAC
// letters under exactly "DNA"; "-" and A to Z except J and O otherwise.
bool IsAllowedCharacter(char c, std::string_view DataType);

// IsAllowedCharacter and UpperAscii for every byte, for passes over many
// characters: upper[c] is c upper-cased, keep[c] is 1 when that is allowed.
struct AllowedCharacterTable {
    std::array<char, 256> upper{};
    std::array<unsigned char, 256> keep{};
    // The bytes that pass unchanged (kept and already upper case), all below
    // 128, as two nibble tables: byte c passes when
    // unchangedLow[c & 15] & unchangedHigh[c >> 4] is not 0.
    std::array<unsigned char, 16> unchangedLow{};
    std::array<unsigned char, 16> unchangedHigh{};
};
const AllowedCharacterTable& AllowedCharactersFor(std::string_view DataType);

// How many of the first n bytes of s pass unchanged, counted from the start
// up to the first that does not; 16 bytes at a time where the processor
// allows.
std::size_t LeadingUnchangedCharacters(const char* s, std::size_t n, const AllowedCharacterTable& table);

// A 256 x 256 table of CharactersMatch results for one data type, indexed
// [first][second] by unsigned byte.  The aligner reads this directly.
struct MatchTable {
    std::array<std::array<bool, 256>, 256> match{};
    bool operator()(char c1, char c2) const {
        return match[static_cast<unsigned char>(c1)][static_cast<unsigned char>(c2)];
    }
};

// The table for a data type: amino-acid rules for exactly "AMINO", the
// nucleotide rules for any other value.
const MatchTable& MatchTableFor(std::string_view DataType);

// C1 is the first character (the engine passes the sequence's character, the
// mismatch display the reference's).  Constant time, no allocation.
bool CharactersMatch(char C1, char C2, std::string_view DataType);

// The IUPAC complement under exactly "DNA"; every other character, and every
// character under another data type, is returned unchanged.
char ComplementBase(char C, std::string_view DataType);

}  // namespace sequara
