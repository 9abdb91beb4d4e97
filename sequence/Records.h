#pragma once
// The records every part of the program passes around: named sequences, data
// sets, position labels and alignment rows.  All are plain values: assigning
// one variable to another copies it.

#include <algorithm>
#include <cstdint>
#include <cstring>
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

// A position label of at most 10 characters, held inside the element (no
// allocation per label).  Longer text is cut to its first 10 characters.
class TLabel {
public:
    static constexpr std::size_t Capacity = 10;
    TLabel() = default;
    TLabel(std::string_view text) { assign(text); }   // NOLINT: labels convert from text
    TLabel(const char* text) : TLabel(std::string_view(text)) {}
    TLabel(const std::string& text) : TLabel(std::string_view(text)) {}

    void assign(std::string_view text) {
        length_ = static_cast<std::uint8_t>(std::min(text.size(), Capacity));
        std::memcpy(chars_, text.data(), length_);
    }
    std::string_view view() const { return {chars_, length_}; }
    std::string str() const { return std::string(view()); }
    std::size_t size() const { return length_; }
    bool empty() const { return length_ == 0; }

    bool operator==(const TLabel& o) const { return view() == o.view(); }
    bool operator==(std::string_view o) const { return view() == o; }

private:
    char chars_[Capacity] = {};
    std::uint8_t length_ = 0;
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
