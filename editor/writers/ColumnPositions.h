#pragma once
// Position numbers of alignment columns and the helpers every writer shares:
// the sequenced stretch of a row inside a position range, its trimmed ends,
// whether a column varies, a row's list of differences from the reference and
// the rule that writes unsequenced gaps as missing data.
//
// Columns are numbered from 1; label k-1 belongs to column k.  A column
// beyond the label list counts as unlabelled and a character beyond the end
// of a text as "-".

#include "sequence/Records.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace sequara {

class AlignmentInput;

// The range bounds the writers use.
inline constexpr std::int32_t kUpperRangeMin = 15996;   // HVS-I
inline constexpr std::int32_t kUpperRangeMax = 99999;
inline constexpr std::int32_t kLowerRangeMin = 1;       // HVS-II
inline constexpr std::int32_t kLowerRangeMax = 15995;
// The lower bound the writers pass to FindSequenceRange.
inline constexpr std::int32_t kLowerSearchMin = -1;

// Character of a text at a column from 1; "-" beyond its end.
inline char CharacterAt(std::string_view text, std::int64_t column) {
    return column >= 1 && column <= static_cast<std::int64_t>(text.size()) ? text[static_cast<std::size_t>(column - 1)]
                                                                           : '-';
}

// Every column's label number (TLabel::Number) and position number, built once per save in
// a forward and a backward scan of the labels.  A column's position is the
// next labelled number (from the column on) when a previous labelled number
// (up to the column) exists and the next one exceeds it by at most 1;
// otherwise -1.  Cost: linear in the labels; lookups are constant.
class PositionTable {
public:
    explicit PositionTable(std::span<const TLabel> labels);
    std::int32_t Position(std::int64_t column) const {
        return column >= 1 && column <= static_cast<std::int64_t>(position_.size())
                   ? position_[static_cast<std::size_t>(column - 1)] : -1;
    }
    std::int32_t Number(std::int64_t column) const {
        return column >= 1 && column <= static_cast<std::int64_t>(number_.size())
                   ? number_[static_cast<std::size_t>(column - 1)] : -1;
    }

private:
    std::vector<std::int32_t> number_;
    std::vector<std::int32_t> position_;
};

// The column's position number from the table, or -1.  When it is not -1
// both flags are set from the given bounds (inclusive); when it is -1 they
// are left as they were.
void ColumnPositionNumber(bool& upperRange, bool& lowerRange, std::int64_t column, const PositionTable& positions,
                          std::int32_t& position, std::int32_t upperMin, std::int32_t upperMax,
                          std::int32_t lowerMin, std::int32_t lowerMax);

// The smallest and largest label number in rangeMin..rangeMax (never -1)
// of a column where sequence holds a character other than "-"; minimum =
// rangeMax and maximum = rangeMin when there is none.  Cost: linear in the
// sequence.
void FindSequenceRange(std::string_view sequence, const PositionTable& positions, std::int32_t rangeMin,
                       std::int32_t rangeMax, std::int32_t& minimum, std::int32_t& maximum);

// 1-based first and last character that is not "-"; for a text of gaps only
// (or an empty one) first = length + 1 and last = 0.
void TrimGapEnds(std::string_view S, std::int64_t& First, std::int64_t& Last);

// A row's sequenced stretch in each range; an empty range has its minimum
// above its maximum.
struct ActiveMinMax {
    std::int32_t HVSI_Min = kUpperRangeMax;
    std::int32_t HVSI_Max = kUpperRangeMin;
    std::int32_t HVSII_Min = kLowerRangeMax;
    std::int32_t HVSII_Max = kLowerSearchMin;
    bool operator==(const ActiveMinMax&) const = default;
};
// One element per row of the alignment, in row order.
using TActiveMinMax = std::vector<ActiveMinMax>;

// The stretches of every row (upper range 15996..99999, lower -1..15995).
TActiveMinMax FindActiveRanges(const AlignmentInput& alignment, const PositionTable& positions);

// A row's differences from the reference, split by range.
struct MutationList {
    static constexpr std::size_t kUpperSites = 21;
    static constexpr std::size_t kLowerSites = 25;
    static constexpr std::size_t kUpperSiteLength = 9;
    static constexpr std::size_t kLowerSiteLength = 7;
    std::uint8_t HVSI_Anz = 0;
    std::uint8_t HVSII_Anz = 0;
    std::array<std::string, kUpperSites> HVSI_site;
    std::array<std::string, kLowerSites> HVSII_site;
    bool Overflow = false;
};

// Walks the reference's columns and lists every difference of sequence at
// a numbered column: "p.C" for a substitution or deletion, "(p-1).nC" for
// the n-th character (gaps not counted) in the run of inserted columns
// before position p.  A site goes into the
// upper list when its position lies in upperMin..upperMax and into the
// lower list when it lies in lowerMin..lowerMax; a full list sets Overflow
// and drops the site.  Cost: linear in the reference.
void BuildMutationList(std::string_view sequence, std::string_view reference, const PositionTable& positions,
                       std::int32_t upperMin, std::int32_t upperMax, std::int32_t lowerMin, std::int32_t lowerMax,
                       MutationList& sites);

// The character that marks missing data: "X" for amino acids (N is an
// amino acid there), "N" otherwise.
char MissingDataCharacter(std::string_view dataType);

// Gaps outside a row's sequenced part become missing data: a "-" at a column
// whose position lies above the row's last upper-range position or below its
// first lower-range position (so also at every column without a position).
class UnsequencedGapRule {
public:
    UnsequencedGapRule(std::string_view row, const PositionTable& positions, std::string_view dataType);
    char Written(char c, std::int64_t column) const {
        if (c != '-') return c;
        std::int32_t p = positions_.Position(column);
        return p > upperMax_ || p < lowerMin_ ? missing_ : c;
    }

private:
    const PositionTable& positions_;
    std::int32_t upperMax_ = 0;
    std::int32_t lowerMin_ = 0;
    char missing_ = 'N';
};

}  // namespace sequara
