#pragma once
// The records every part of the program passes around: named sequences, data
// sets, position labels and alignment rows.  All are plain values: assigning
// one variable to another copies it.

#include "sequence/ShortText.h"

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace sequara {

// One named sequence: a FASTA entry, the reference, or one aligned row.
// Text is 8-bit, one character per byte.
struct TFastaSequence {
    std::string Name;
    std::string Sequence;
    bool operator==(const TFastaSequence&) const = default;
};

// Entries in file order, indexed from 0.  A reference is element 0 of a data
// set of its own.
using TFastaDataSet = std::vector<TFastaSequence>;

// Label characters a column header shows: one per header row.
inline constexpr std::size_t kShownLabelLength = 5;

// A position label of at most 10 characters, held inside the element (no
// allocation per label).  Longer text is cut to its first 10 characters.
// Above an alignment column a label shows its first kShownLabelLength
// characters, one per header row; read back from the header rows it comes
// padded with blanks to that length.
class TLabel : public ShortText<10> {
public:
    using ShortText::ShortText;

    // The characters a header shows.
    TLabel Shown() const { return TLabel(view().substr(0, kShownLabelLength)); }
    // The shown characters padded with blanks to kShownLabelLength, as the
    // header rows give the label back.
    TLabel Padded() const {
        char text[kShownLabelLength];
        for (std::size_t r = 0; r < kShownLabelLength; ++r) text[r] = r < size() ? view()[r] : ' ';
        return TLabel(std::string_view(text, kShownLabelLength));
    }
    // Without the blanks that padding may have added at its end.
    std::string_view Unpadded() const {
        std::string_view text = view();
        while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
        return text;
    }
    // A label of blanks only (or none) marks an inserted column.
    bool MarksInsertedColumn() const { return view().find_first_not_of(' ') == std::string_view::npos; }
    // Its number: the decimal digits read in order, every other character
    // skipped; -1 when there is none or they exceed a 32-bit integer.
    std::int32_t Number() const {
        std::int64_t value = 0;
        bool digits = false;
        for (char c : view()) {
            if (c < '0' || c > '9') continue;
            digits = true;
            value = value * 10 + (c - '0');
            if (value > std::numeric_limits<std::int32_t>::max()) return -1;
        }
        return digits ? static_cast<std::int32_t>(value) : -1;
    }
};

// One label per reference position or alignment column, indexed from 0
// (element k labels position k+1).  May be empty: positions are then
// numbered 1, 2, 3 ... by the consumer.
using TCharacterName = std::vector<TLabel>;

// One entry per sequence character: the 1-based reference position it is
// aligned to, -1 for a character inserted relative to the reference, or 0
// while the aligner has not placed it yet.
using TAlignmentRow = std::vector<std::int32_t>;
// One row per sequence of the matching TFastaDataSet.
using TAlignmentResult = std::vector<TAlignmentRow>;

// A candidate of the pairwise aligner.
struct TMatch {
    std::int32_t NumberOfMatches = 0;
    std::int32_t MatchPosition = 0;
    bool operator==(const TMatch&) const = default;
};

// An alternative reference (nothing fills the list in this version).
struct TReferenceListEntry {
    std::string Name;
    std::string FileName;
    bool Enabled = false;
    bool Active = false;
    TFastaDataSet Sequence;
    TCharacterName Character;
};

}  // namespace sequara
