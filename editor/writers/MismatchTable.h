#pragma once
// The body shared by the mismatch and collapsed-identity tables: the varying
// columns, their header (labels downwards, "i" under an inserted column), the
// reference line, and each row's characters with "." where it agrees with
// the reference.

#include "editor/writers/VaryingColumns.h"

#include <string>
#include <vector>

namespace sequara {

class MismatchTable {
public:
    // Finds the varying columns, setting the progress gauge before each.
    MismatchTable(const WriterInput& input, SaveProgress& progress);

    // The six header lines and the reference line ("Ref    " and the
    // reference's characters at the varying columns).
    void WriteHeader(ByteSink& out) const;
    // Appends row i's characters at the varying columns: "." where it equals
    // the reference (exact comparison), else its own character.
    void AppendRow(std::size_t i, std::string& line) const;

private:
    const AlignmentInput& alignment_;
    std::vector<VaryingColumn> columns_;
    std::string referenceCharacters_;
};

}  // namespace sequara
