#include "editor/writers/ColumnPositions.h"

#include "editor/writers/AlignmentInput.h"
#include "sequence/CharacterRules.h"

namespace sequara {

PositionTable::PositionTable(std::span<const TLabel> labels) : number_(labels.size()), position_(labels.size()) {
    const std::size_t n = labels.size();
    // Forward: position_ holds the previous number (at or before the column).
    std::int32_t previous = -1;
    for (std::size_t i = 0; i < n; ++i) {
        number_[i] = labels[i].Number();
        if (number_[i] != -1) previous = number_[i];
        position_[i] = previous;
    }
    // Backward: the next number (at or after the column) decides.
    std::int32_t next = -1;
    for (std::size_t i = n; i-- > 0;) {
        if (number_[i] != -1) next = number_[i];
        const std::int32_t prev = position_[i];
        position_[i] = prev != -1 && next != -1 && std::int64_t{next} - prev <= 1 ? next : -1;
    }
}

void ColumnPositionNumber(bool& upperRange, bool& lowerRange, std::int64_t column, const PositionTable& positions,
                          std::int32_t& position, std::int32_t upperMin, std::int32_t upperMax,
                          std::int32_t lowerMin, std::int32_t lowerMax) {
    position = positions.Position(column);
    if (position == -1) return;
    upperRange = upperMin <= position && position <= upperMax;
    lowerRange = lowerMin <= position && position <= lowerMax;
}

void FindSequenceRange(std::string_view sequence, const PositionTable& positions, std::int32_t rangeMin,
                       std::int32_t rangeMax, std::int32_t& minimum, std::int32_t& maximum) {
    minimum = rangeMax;
    maximum = rangeMin;
    for (std::size_t k = 0; k < sequence.size(); ++k) {
        if (sequence[k] == '-') continue;
        const std::int32_t number = positions.Number(static_cast<std::int64_t>(k) + 1);
        if (number == -1 || number < rangeMin || number > rangeMax) continue;
        if (number < minimum) minimum = number;
        if (number > maximum) maximum = number;
    }
}

void TrimGapEnds(std::string_view S, std::int64_t& First, std::int64_t& Last) {
    const auto first = S.find_first_not_of('-');
    if (first == std::string_view::npos) {
        First = static_cast<std::int64_t>(S.size()) + 1;
        Last = 0;
        return;
    }
    First = static_cast<std::int64_t>(first) + 1;
    Last = static_cast<std::int64_t>(S.find_last_not_of('-')) + 1;
}

TActiveMinMax FindActiveRanges(const AlignmentInput& alignment, const PositionTable& positions) {
    TActiveMinMax ranges(alignment.RowCount());
    for (std::size_t i = 0; i < ranges.size(); ++i) {
        const std::string_view row = alignment.Row(i);
        FindSequenceRange(row, positions, kUpperRangeMin, kUpperRangeMax, ranges[i].HVSI_Min, ranges[i].HVSI_Max);
        FindSequenceRange(row, positions, kLowerSearchMin, kLowerRangeMax, ranges[i].HVSII_Min,
                          ranges[i].HVSII_Max);
    }
    return ranges;
}

void BuildMutationList(std::string_view sequence, std::string_view reference, const PositionTable& positions,
                       std::int32_t upperMin, std::int32_t upperMax, std::int32_t lowerMin, std::int32_t lowerMax,
                       MutationList& sites) {
    sites.HVSI_Anz = 0;
    sites.HVSII_Anz = 0;
    sites.Overflow = false;
    bool upper = false;
    bool lower = false;
    auto add = [&](const std::string& site) {
        if (upper) {
            if (sites.HVSI_Anz < MutationList::kUpperSites)
                sites.HVSI_site[sites.HVSI_Anz++] = site.substr(0, MutationList::kUpperSiteLength);
            else
                sites.Overflow = true;
        }
        if (lower) {
            if (sites.HVSII_Anz < MutationList::kLowerSites)
                sites.HVSII_site[sites.HVSII_Anz++] = site.substr(0, MutationList::kLowerSiteLength);
            else
                sites.Overflow = true;
        }
    };
    const std::int64_t length = static_cast<std::int64_t>(reference.size());
    for (std::int64_t k = 1; k <= length; ++k) {
        const char s = CharacterAt(sequence, k);
        const char r = reference[static_cast<std::size_t>(k - 1)];
        if (s == r) continue;
        std::int32_t p = -1;
        ColumnPositionNumber(upper, lower, k, positions, p, upperMin, upperMax, lowerMin, lowerMax);
        if (p == -1) continue;
        if (r != '-') {
            add(std::to_string(p) + "." + s);
            continue;
        }
        // The row's characters in the inserted columns of the same position
        // are numbered in order, over the gaps between them: the list places
        // the n-th of them in the n-th inserted column after p - 1.
        const std::string before = std::to_string(std::int64_t{p} - 1);
        add(before + ".1" + s);
        for (int n = 2; k < length && reference[static_cast<std::size_t>(k)] == '-' && positions.Position(k + 1) == p;) {
            ++k;
            const char inserted = CharacterAt(sequence, k);
            if (inserted != '-') add(before + "." + std::to_string(n++) + inserted);
        }
    }
}

char MissingDataCharacter(std::string_view dataType) { return IsAminoDataType(dataType) ? 'X' : 'N'; }

UnsequencedGapRule::UnsequencedGapRule(std::string_view row, const PositionTable& positions,
                                       std::string_view dataType)
    : positions_(positions), missing_(MissingDataCharacter(dataType)) {
    std::int32_t unused = 0;
    FindSequenceRange(row, positions, kUpperRangeMin, kUpperRangeMax, unused, upperMax_);
    FindSequenceRange(row, positions, kLowerSearchMin, kLowerRangeMax, lowerMin_, unused);
}

}  // namespace sequara
