#include "editor/writers/ForensicWriter.h"

#include "sequence/ForensicList.h"

#include <cctype>

namespace sequara {

namespace {

// The list's own segments (the reader files a position above 10000 under
// HVS-I), so that every site written is read back into its segment.
constexpr std::int32_t kListUpperMin = kForensicHVSIBoundary + 1;
constexpr std::int32_t kListUpperMax = kUpperRangeMax;
constexpr std::int32_t kListLowerMin = kLowerSearchMin;
constexpr std::int32_t kListLowerMax = kForensicHVSIBoundary;

// "315.10C": the run of inserted characters reached 10, which the reader
// would take for the first inserted character "0".
bool isLongInsertion(const std::string& site) {
    const std::size_t point = site.find('.');
    return point != std::string::npos && point + 2 < site.size() && std::isdigit(static_cast<unsigned char>(site[point + 1])) &&
           std::isdigit(static_cast<unsigned char>(site[point + 2]));
}

// The name as field 1: separators as blanks, and a leading "AAA", which
// would make the reader skip the line as a header, in lower case: the
// reader upper-cases names, so the row comes back under its own name.
std::string nameField(std::string_view name) {
    std::string text(name);
    for (char& c : text)
        if (c == '\t' || c == ';') c = ' ';
    if (text.starts_with("AAA")) text.replace(0, 3, "aaa");
    return text;
}

}  // namespace

void WriteForensicFile(const WriterInput& input, ByteSink& out, WriterServices& services) {
    const AlignmentInput& alignment = input.Alignment();
    const PositionTable& positions = input.Positions();
    const std::string_view reference = alignment.ReferenceRow();
    MutationList sites;
    int lines = 0;
    for (std::size_t i = 0; i < alignment.RowCount(); ++i) {
        if (lines == kForensicMaxRecords) {
            // The reader takes no more lines than this: the rest are left out.
            services.Notices.push_back(kForensicTooManyRowsStart + std::to_string(alignment.RowCount() - i) +
                                       " rows from sequence " + std::string(alignment.RowName(i)) +
                                       " on are not written.");
            break;
        }
        const std::string_view row = alignment.Row(i);
        std::int32_t upperMin = 0, upperMax = 0, lowerMin = 0, lowerMax = 0;
        FindSequenceRange(row, positions, kListUpperMin, kListUpperMax, upperMin, upperMax);
        FindSequenceRange(row, positions, kListLowerMin, kListLowerMax, lowerMin, lowerMax);
        BuildMutationList(row, reference, positions, upperMin, upperMax, lowerMin, lowerMax, sites);
        bool longInsertion = false;
        for (std::size_t k = 0; k < sites.HVSI_Anz; ++k) longInsertion |= isLongInsertion(sites.HVSI_site[k]);
        for (std::size_t k = 0; k < sites.HVSII_Anz; ++k) longInsertion |= isLongInsertion(sites.HVSII_site[k]);
        if (sites.Overflow || longInsertion) {
            services.Notices.push_back(kForensicOverflowStart + std::string(alignment.RowName(i)) +
                                       (sites.Overflow ? kForensicOverflowEnd : kForensicLongInsertionEnd));
            continue;
        }
        const bool upperData = upperMin <= upperMax;
        const bool lowerData = lowerMin <= lowerMax;
        out.Append(nameField(alignment.RowName(i)));
        out.Append("\t\t\t\t1\t");
        // Fields 6 to 26, 27, then 28 to 52.
        auto writeSites = [&out](const auto& list, std::size_t count, std::size_t fields, bool data) {
            for (std::size_t k = 0; k < fields; ++k) {
                if (k < count) out.Append(list[k]);
                else if (k == 0 && data) out.Append("Anderson");
                out.Put('\t');
            }
        };
        writeSites(sites.HVSI_site, sites.HVSI_Anz, MutationList::kUpperSites, upperData);
        out.Put('\t');
        writeSites(sites.HVSII_site, sites.HVSII_Anz, MutationList::kLowerSites, lowerData);
        out.Append("\t\t\t\t");
        std::string range;
        if (upperData) range = std::to_string(upperMin) + "-" + std::to_string(upperMax);
        if (lowerData) range += (upperData ? "," : "") + std::to_string(lowerMin) + "-" + std::to_string(lowerMax);
        out.Append(range);
        out.Put('\t');
        out.EndLine();
        ++lines;
    }
}

}  // namespace sequara
