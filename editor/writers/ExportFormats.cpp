#include "editor/writers/ExportFormats.h"

#include "editor/writers/CollapsedIdentitiesWriter.h"
#include "editor/writers/FastaWriter.h"
#include "editor/writers/ForensicWriter.h"
#include "editor/writers/GravityWriter.h"
#include "editor/writers/MismatchWriter.h"
#include "editor/writers/NexusWriter.h"
#include "editor/writers/PhylipWriter.h"
#include "editor/writers/PlexorOldRdfWriter.h"
#include "editor/writers/PlexorRdfWriter.h"
#include "editor/writers/TemporaryAlignmentWriter.h"
#include "sequence/CharacterRules.h"

#include <array>

namespace sequara {

namespace {
// One line per format; see Writer.h.
constexpr std::array kFormats{
    ExportFormat{kFastaFilterIndex, "fasta", &WriteFastaFile},
    ExportFormat{kTemporaryAlignmentFilterIndex, "ali", &WriteTemporaryAlignment},
    ExportFormat{3, "rdf-old-multi",
                 [](const WriterInput& i, ByteSink& o, WriterServices& s) { WritePlexorOldRdfFile(i, o, s, false); }},
    ExportFormat{4, "rdf-old-binary",
                 [](const WriterInput& i, ByteSink& o, WriterServices& s) { WritePlexorOldRdfFile(i, o, s, true); }},
    ExportFormat{5, "rdf45-multi",
                 [](const WriterInput& i, ByteSink& o, WriterServices& s) { WritePlexorRdfFile(i, o, s, false); }},
    ExportFormat{6, "rdf45-binary",
                 [](const WriterInput& i, ByteSink& o, WriterServices& s) { WritePlexorRdfFile(i, o, s, true); }},
    ExportFormat{7, "mismatch", &WriteMismatchFile},
    ExportFormat{8, "collapsed", &WriteCollapsedIdentitiesFile},
    ExportFormat{9, "phylip", &WritePhylipFile},
    ExportFormat{10, "nexus", &WriteNexusFile},
    ExportFormat{11, "gravity", &WriteGravityFile},
    ExportFormat{12, "forensic", &WriteForensicFile},
};
}  // namespace

std::span<const ExportFormat> ExportFormats() { return kFormats; }

const ExportFormat* ExportFormatByIndex(int filterIndex) {
    for (const ExportFormat& format : kFormats)
        if (format.FilterIndex == filterIndex) return &format;
    return nullptr;
}

const ExportFormat* ExportFormatByName(std::string_view name) {
    for (const ExportFormat& format : kFormats)
        if (format.Name == name) return &format;
    return nullptr;
}

std::string ExtensionPattern(int filterIndex, std::string_view dataType) {
    switch (filterIndex) {
        case 1: case 7: case 8: return "*.txt";
        case 2: return "*.ali";
        case 3: case 5: return IsAminoDataType(dataType) ? "*.ami" : "*.rdf";
        case 4: case 6: return "*.rdf";
        case 9: return "*.phy";
        case 10: return "*.nex";
        case 11: return "*.grv";
        case 12: return "*.for";
        default: return "";
    }
}

}  // namespace sequara
