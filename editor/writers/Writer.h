#pragma once
// The common shape of the output writers.  A writer is a function from the
// alignment (a WriterInput) to a ByteSink; it writes the whole format and
// nothing else: the Save command owns the dialogs, the overwrite question,
// the companion ".ali" and putting the file in place (ExportFiles.h).
//
// Adding a format:
//   1. one file pair under editor/writers/ (FooWriter.h / FooWriter.cpp)
//      with `void WriteFooFile(const WriterInput&, ByteSink&, WriterServices&)`;
//      lines end through ByteSink::EndLine / Line, positions come from
//      input.Positions(), missing data from MissingDataCharacter;
//   2. one row in the table of ExportFormats.cpp: the Save dialog's filter
//      index, the name bench/sequara-export knows it by, the dialog's entry
//      and the extension for each data type, the function.
// A writer streams row by row and keeps no copy of the alignment.  It never
// catches WriteError.  Information messages go to services.Notices; the
// Save command shows them once the file is in place.

#include "editor/writers/AlignmentInput.h"
#include "editor/writers/ByteSink.h"
#include "editor/writers/ColumnPositions.h"
#include "editor/writers/SaveProgress.h"

#include <optional>
#include <string>
#include <vector>

namespace sequara {

// The alignment and its position table, built on first use and shared by
// every file of one save.
class WriterInput {
public:
    explicit WriterInput(const AlignmentInput& alignment) : alignment_(alignment) {}
    const AlignmentInput& Alignment() const { return alignment_; }
    const PositionTable& Positions() const {
        if (!positions_) positions_.emplace(alignment_.Labels());
        return *positions_;
    }

private:
    const AlignmentInput& alignment_;
    mutable std::optional<PositionTable> positions_;
};

struct WriterServices {
    explicit WriterServices(SaveProgress& progress) : Progress(progress) {}
    SaveProgress& Progress;
    std::vector<std::string> Notices;
};

using WriterFunction = void (*)(const WriterInput& input, ByteSink& out, WriterServices& services);

}  // namespace sequara
