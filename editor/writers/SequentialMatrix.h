#pragma once
// What the PHYLIP and NEXUS writers share: the columns every row is written
// over (from the first to the last column that any row holds a character
// in), and the name field.  The notice of names the field makes equal
// serves the old Plexor format's six-character names too.

#include "editor/writers/Writer.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace sequara {

class SequentialMatrix {
public:
    // Cost: one scan of every row.
    explicit SequentialMatrix(const WriterInput& input);

    // Number of columns written per row; 0 (never negative) when every row
    // holds gaps only.
    std::int64_t ColumnCount() const { return last_ >= first_ ? last_ - first_ + 1 : 0; }
    // Writes row i's characters over those columns, gaps outside the row's
    // sequenced part as missing data.  Cost: two scans of the row.
    void WriteRow(std::size_t i, ByteSink& out) const;

private:
    const WriterInput& input_;
    std::int64_t first_ = 1;
    std::int64_t last_ = 0;
};

// The name cut to Width characters, or right-aligned in Width characters
// when it is shorter, then one blank.
std::string NameField(std::string_view name, std::size_t Width);

// One notice naming the rows whose names, cut to width characters, are equal
// and, with blanksCount, the names holding a blank or tab in those
// characters; empty when every written name is distinct (and blank-free).
// format names the file ("PHYLIP", "RDF").  Lists are cut after a few entries.
// Cost: linear in the rows.
std::string WrittenNamesNotice(const AlignmentInput& alignment, std::size_t width, std::string_view format,
                               bool blanksCount);

}  // namespace sequara
