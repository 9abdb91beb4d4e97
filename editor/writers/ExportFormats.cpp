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
void WriteOldMultistate(const WriterInput& i, ByteSink& o, WriterServices& s) { WritePlexorOldRdfFile(i, o, s, false); }
void WriteOldBinary(const WriterInput& i, ByteSink& o, WriterServices& s) { WritePlexorOldRdfFile(i, o, s, true); }
void WriteMultistate(const WriterInput& i, ByteSink& o, WriterServices& s) { WritePlexorRdfFile(i, o, s, false); }
void WriteBinary(const WriterInput& i, ByteSink& o, WriterServices& s) { WritePlexorRdfFile(i, o, s, true); }

// One row per format, in filter index order; see Writer.h.  The formats
// the Save dialog offers come first; their texts keep the dialog's spacing.
constexpr std::array kFormats{
    ExportFormat{kFastaFilterIndex, "fasta", {"Fasta format (*.txt)", "*.txt"}, {"Fasta format (*.txt)", "*.txt"},
                 &WriteFastaFile},
    ExportFormat{kTemporaryAlignmentFilterIndex, "ali", {"Temporary Alignment (*.ali)", "*.ali"},
                 {"Temporary Alignment (*.ali)", "*.ali"}, &WriteTemporaryAlignment},
    ExportFormat{3, "rdf-old-multi", {"Plexor old multistate data format (*.rdf)", "*.rdf"},
                 {"Plexor old multistate data format (*.ami)", "*.ami"}, &WriteOldMultistate},
    ExportFormat{4, "rdf-old-binary", {"Plexor old binary data format  (*.rdf)", "*.rdf"},
                 {"Plexor old binary data format (*.rdf)", "*.rdf"}, &WriteOldBinary},
    ExportFormat{5, "rdf45-multi", {"Plexor 4.5 multistate data format (*.rdf)", "*.rdf"},
                 {"Plexor 4.5 multistate data format (*.ami)", "*.ami"}, &WriteMultistate},
    ExportFormat{6, "rdf45-binary", {"Plexor 4.5 binary data format (*.rdf)", "*.rdf"},
                 {"Plexor 4.5 binary data format (*.rdf)", "*.rdf"}, &WriteBinary},
    ExportFormat{7, "mismatch", {"Mismatch format (*.txt)", "*.txt"}, {"Mismatch format(*.txt)", "*.txt"},
                 &WriteMismatchFile},
    ExportFormat{8, "collapsed", {"Collapsed Identities format (*.txt)", "*.txt"},
                 {"Collapsed Identities format (*.txt)", "*.txt"}, &WriteCollapsedIdentitiesFile},
    ExportFormat{9, "phylip", {"Sequential Phylip format (*.phy)", "*.phy"},
                 {"Sequential Phylip format (*.phy)", "*.phy"}, &WritePhylipFile},
    ExportFormat{10, "nexus", {"Sequential Nexus format (*.nex)", "*.nex"},
                 {"Sequential Nexus format (*.nex)", "*.nex"}, &WriteNexusFile},
    ExportFormat{11, "gravity", {"", "*.grv"}, {"", "*.grv"}, &WriteGravityFile},
    ExportFormat{12, "forensic", {"", "*.for"}, {"", "*.for"}, &WriteForensicFile},
};

// A dialog entry's position is its filter index.
constexpr bool NumberedFromOne() {
    for (std::size_t i = 0; i < kFormats.size(); ++i)
        if (kFormats[i].FilterIndex != int(i) + 1) return false;
    return true;
}
static_assert(NumberedFromOne());

const FormatFile& FileOf(const ExportFormat& format, std::string_view dataType) {
    return IsAminoDataType(dataType) ? format.Amino : format.Dna;
}

std::string BuildSaveFilter(std::string_view dataType) {
    std::string filter;
    for (const ExportFormat& format : kFormats) {
        const FormatFile& file = FileOf(format, dataType);
        if (!file.FilterText.empty()) filter.append(file.FilterText).append("|").append(file.Extension).append("|");
    }
    return filter;
}
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
    const ExportFormat* format = ExportFormatByIndex(filterIndex);
    return format ? std::string(FileOf(*format, dataType).Extension) : std::string();
}

const std::string& SaveFilter(std::string_view dataType) {
    static const std::string dna = BuildSaveFilter("DNA"), amino = BuildSaveFilter(kAminoDataType);
    return IsAminoDataType(dataType) ? amino : dna;
}

}  // namespace sequara
