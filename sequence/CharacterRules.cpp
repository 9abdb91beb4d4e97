#include "sequence/CharacterRules.h"

#include <cstdint>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace sequara {

namespace {

// Base sets of the 16 nucleotide characters: A=1, C=2, G=4, T=8; the gap has
// no base.  Characters outside the 16 have no entry (inSet false).
struct NucleotideCode {
    bool inSet = false;
    std::uint8_t bases = 0;
};

constexpr std::array<NucleotideCode, 256> makeNucleotideCodes() {
    std::array<NucleotideCode, 256> t{};
    auto set = [&t](char c, std::uint8_t bases) { t[static_cast<unsigned char>(c)] = {true, bases}; };
    set('A', 1); set('C', 2); set('G', 4); set('T', 8);
    set('R', 1 | 4); set('Y', 2 | 8); set('S', 4 | 2); set('W', 1 | 8);
    set('K', 4 | 8); set('M', 1 | 2); set('B', 2 | 4 | 8); set('D', 1 | 4 | 8);
    set('H', 1 | 2 | 8); set('V', 1 | 2 | 4); set('N', 15); set('-', 0);
    return t;
}

constexpr bool nucleotideMatch(unsigned char c1, unsigned char c2,
                               const std::array<NucleotideCode, 256>& codes) {
    if (c1 == c2) return true;
    if (c1 == 'N') return codes[c1].inSet;          // N matches every character
    if (!codes[c1].inSet) return false;             // unknown first: only itself
    if (c2 == 'N') return true;                     // every code (and "-") matches N
    if (!codes[c2].inSet) return false;             // unknown second: only itself or N
    return (codes[c1].bases & codes[c2].bases) != 0;
}

constexpr bool aminoMatch(unsigned char c1, unsigned char c2) {
    if (c1 == c2) return true;
    if (c1 == 'X' || c2 == 'X') return true;
    auto pair = [c1, c2](char a, char b) {
        return (c1 == static_cast<unsigned char>(a) && c2 == static_cast<unsigned char>(b)) ||
               (c1 == static_cast<unsigned char>(b) && c2 == static_cast<unsigned char>(a));
    };
    return pair('B', 'D') || pair('B', 'N') || pair('Z', 'E') || pair('Z', 'Q');
}

MatchTable makeTable(bool amino) {
    static constexpr auto codes = makeNucleotideCodes();
    MatchTable t;
    for (int a = 0; a < 256; ++a)
        for (int b = 0; b < 256; ++b)
            t.match[a][b] = amino ? aminoMatch(static_cast<unsigned char>(a), static_cast<unsigned char>(b))
                                  : nucleotideMatch(static_cast<unsigned char>(a),
                                                    static_cast<unsigned char>(b), codes);
    return t;
}

const MatchTable& nucleotideTable() {
    static const MatchTable table = makeTable(false);
    return table;
}

const MatchTable& aminoTable() {
    static const MatchTable table = makeTable(true);
    return table;
}

constexpr std::array<char, 256> makeComplements() {
    std::array<char, 256> t{};
    for (int i = 0; i < 256; ++i) t[i] = static_cast<char>(i);
    auto pair = [&t](char a, char b) {
        t[static_cast<unsigned char>(a)] = b;
        t[static_cast<unsigned char>(b)] = a;
    };
    pair('A', 'T'); pair('G', 'C'); pair('R', 'Y'); pair('M', 'K'); pair('H', 'D'); pair('V', 'B');
    return t;
}

constexpr auto kComplements = makeComplements();

}  // namespace

bool IsDnaDataType(std::string_view DataType) { return DataType == kDnaDataType; }
bool IsAminoDataType(std::string_view DataType) { return DataType == kAminoDataType; }

std::string UpperAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = UpperAscii(c);
    return out;
}

bool IsAllowedCharacter(char c, std::string_view DataType) {
    if (c == '-') return true;
    if (c < 'A' || c > 'Z') return false;
    if (IsDnaDataType(DataType)) {
        switch (c) {
            case 'A': case 'B': case 'C': case 'D': case 'G': case 'H': case 'K': case 'M':
            case 'N': case 'R': case 'S': case 'T': case 'V': case 'W': case 'Y':
                return true;
            default:
                return false;
        }
    }
    return c != 'J' && c != 'O';
}

const AllowedCharacterTable& AllowedCharactersFor(std::string_view DataType) {
    auto build = [](std::string_view type) {
        AllowedCharacterTable t;
        for (int b = 0; b < 256; ++b) {
            t.upper[b] = UpperAscii(static_cast<char>(b));
            t.keep[b] = IsAllowedCharacter(t.upper[b], type) ? 1 : 0;
            if (b < 128 && t.keep[b] && t.upper[b] == static_cast<char>(b)) {
                t.unchangedLow[b & 15] |= static_cast<unsigned char>(1u << (b >> 4));
            }
        }
        for (int h = 0; h < 8; ++h) t.unchangedHigh[h] = static_cast<unsigned char>(1u << h);
        return t;
    };
    static const AllowedCharacterTable dna = build(kDnaDataType);
    static const AllowedCharacterTable other = build(kAminoDataType);
    return IsDnaDataType(DataType) ? dna : other;
}

namespace {

bool passesUnchanged(unsigned char c, const AllowedCharacterTable& t) {
    return (t.unchangedLow[c & 15] & t.unchangedHigh[c >> 4]) != 0;
}

std::size_t leadingUnchangedPlain(const char* s, std::size_t n, const AllowedCharacterTable& t) {
    std::size_t k = 0;
    while (k < n && passesUnchanged(static_cast<unsigned char>(s[k]), t)) ++k;
    return k;
}

#if defined(__x86_64__)
// Both nibble lookups of 16 bytes at once.  A byte of 128 or more has a high
// nibble of 8 or more, whose entry is 0: it never passes.
__attribute__((target("ssse3"))) std::size_t leadingUnchangedSsse3(const char* s, std::size_t n,
                                                                  const AllowedCharacterTable& t) {
    const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t.unchangedLow.data()));
    const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t.unchangedHigh.data()));
    const __m128i nibble = _mm_set1_epi8(0x0F);
    const __m128i zero = _mm_setzero_si128();
    std::size_t k = 0;
    for (; k + 16 <= n; k += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + k));
        const __m128i lo = _mm_shuffle_epi8(low, _mm_and_si128(v, nibble));
        const __m128i hi = _mm_shuffle_epi8(high, _mm_and_si128(_mm_srli_epi16(v, 4), nibble));
        const int failing = _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_and_si128(lo, hi), zero));
        if (failing != 0) return k + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(failing)));
    }
    return k + leadingUnchangedPlain(s + k, n - k, t);
}
#endif

}  // namespace

std::size_t LeadingUnchangedCharacters(const char* s, std::size_t n, const AllowedCharacterTable& table) {
#if defined(__x86_64__)
    static const bool ssse3 = __builtin_cpu_supports("ssse3");
    if (ssse3) return leadingUnchangedSsse3(s, n, table);
#endif
    return leadingUnchangedPlain(s, n, table);
}

const MatchTable& MatchTableFor(std::string_view DataType) {
    return IsAminoDataType(DataType) ? aminoTable() : nucleotideTable();
}

bool CharactersMatch(char C1, char C2, std::string_view DataType) {
    if (C1 == C2) return true;
    return MatchTableFor(DataType)(C1, C2);
}

char ComplementBase(char C, std::string_view DataType) {
    if (!IsDnaDataType(DataType)) return C;
    return kComplements[static_cast<unsigned char>(C)];
}

}  // namespace sequara
