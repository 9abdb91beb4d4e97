#pragma once
// The output formats by the Save dialog's filter index (from 1), and the
// extension each index forces on the chosen file name.

#include "editor/writers/Writer.h"

#include <span>
#include <string>
#include <string_view>

namespace sequara {

inline constexpr int kFastaFilterIndex = 1;
inline constexpr int kTemporaryAlignmentFilterIndex = 2;

struct ExportFormat {
    int FilterIndex;
    std::string_view Name;      // as bench/sequara-export --format takes it
    WriterFunction Write;
};

std::span<const ExportFormat> ExportFormats();
// Nothing for an index or name without a writer.
const ExportFormat* ExportFormatByIndex(int filterIndex);
const ExportFormat* ExportFormatByName(std::string_view name);

// "*.txt", "*.ali", ... for filter indices 1 to 12 ("*.ami" for 3 and 5
// when dataType is "AMINO"); empty for any other index.
std::string ExtensionPattern(int filterIndex, std::string_view dataType);

}  // namespace sequara
