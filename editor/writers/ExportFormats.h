#pragma once
// The output formats, one table row each: the Save dialog's filter index
// (from 1), the name bench/sequara-export takes, the dialog's entry and the
// extension forced on the chosen file name for each data type, the writer.

#include "editor/writers/Writer.h"

#include <span>
#include <string>
#include <string_view>

namespace sequara {

inline constexpr int kFastaFilterIndex = 1;
inline constexpr int kTemporaryAlignmentFilterIndex = 2;

// A format as one data type sees it.
struct FormatFile {
    std::string_view FilterText;   // the Save dialog's entry; empty: not offered there
    std::string_view Extension;    // "*.txt", ...
};

struct ExportFormat {
    int FilterIndex;
    std::string_view Name;      // as bench/sequara-export --format takes it
    FormatFile Dna, Amino;
    WriterFunction Write;
};

std::span<const ExportFormat> ExportFormats();
// Nothing for an index or name without a writer.
const ExportFormat* ExportFormatByIndex(int filterIndex);
const ExportFormat* ExportFormatByName(std::string_view name);

// The format's extension for the data type ("AMINO": the amino-acid one);
// empty for an index without a format.
std::string ExtensionPattern(int filterIndex, std::string_view dataType);
// The Save dialog's filter string of the data type: "text|extension|" for
// each format the dialog offers, in filter index order.
const std::string& SaveFilter(std::string_view dataType);

}  // namespace sequara
