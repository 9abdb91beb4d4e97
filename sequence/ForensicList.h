#pragma once
// Forensic haplotype lists (".for"): one sample per line, described by its
// differences ("sites") from the reference in the two hypervariable segments
// HVS-I (positions above 10000) and HVS-II (positions up to 10000), with its
// names, frequency, place, coordinates, sequenced range and haplogroup.
// Fields are separated by tabs or ";".

#include "platform/Platform.h"
#include "sequence/ShortText.h"

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace sequara {

inline constexpr int kForensicMaxRecords = 50000;   // further accepted lines are ignored
inline constexpr int kForensicFieldCount = 58;      // fields read per line
inline constexpr int kForensicMaxHVSISites = 21;    // fields 6 to 26
inline constexpr int kForensicMaxHVSIISites = 25;   // fields 28 to 52
inline constexpr std::size_t kForensicNameLength = 35;
inline constexpr std::size_t kForensicHVSISiteLength = 9;
inline constexpr std::size_t kForensicHVSIISiteLength = 7;
inline constexpr std::size_t kForensicPlaceLength = 255;
inline constexpr std::size_t kForensicHaplogroupLength = 30;
// Positions above this belong to HVS-I, the others to HVS-II.
inline constexpr int kForensicHVSIBoundary = 10000;
// The letters whose presence at a site's end marks it as ambiguous.
inline constexpr std::string_view kForensicAmbiguityLetters = "BDHKMNRSVWXYZ";

// The message shown when a list cannot be opened.
inline constexpr const char* kForensicOpenErrorMessage = "An Error occured while trying to open the specified File";

// One list line.  Arrays are indexed from 0: Name[0] is file field 1 (the
// sample name), geo[0] and geo[1] are fields 55 and 56, bereich[0..1] the
// first and last HVS-I position and bereich[2..3] those of HVS-II.
struct TDBF_Sequence {
    std::array<ShortText<kForensicNameLength>, 3> Name;  // upper-cased
    bool dubious_HVSI = false;                          // field 4 is "?"
    bool dubious_HVSII = false;                         // field 27 is "?"
    std::uint8_t Fragezeichen_HVSI = 0;                 // stored sites ending in an ambiguity letter
    std::uint8_t Fragezeichen_HVSII = 0;
    std::uint8_t Frequenz = 0;
    bool HVSI = false;                                  // a site or a no-difference keyword was read
    bool HVSII = false;
    std::uint8_t HVSI_Anz = 0;                          // valid entries of HVSI_site
    std::uint8_t HVSII_Anz = 0;
    std::array<ShortText<kForensicHVSISiteLength>, kForensicMaxHVSISites> HVSI_site;
    std::array<ShortText<kForensicHVSIISiteLength>, kForensicMaxHVSIISites> HVSII_site;
    ShortText<kForensicPlaceLength> ort;
    std::array<double, 2> geo{};                        // transformed coordinates (see the reader)
    std::array<std::uint16_t, 4> bereich{};             // 0 = not given
    ShortText<kForensicHaplogroupLength> Haplogroup;
};

// One element per accepted list line, in file order.
using TDBFDataSet = std::vector<TDBF_Sequence>;

// A read error after the list was opened.
struct ForensicReadError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Reads the list FileName into Data (emptied first).  When the file cannot
// be opened, shows the open-error message and leaves Data empty.
// Cost: linear in the file size.  Throws ForensicReadError when reading
// fails after the open; Data is then empty.
void ReadForensicFile(const std::string& FileName, TDBFDataSet& Data, Platform& platform);

// One line's fields as the reader splits them (tabs and ";" separate; a
// separator as the last character ends the last field), at most
// kForensicFieldCount of them.
std::vector<std::string> SplitForensicFields(std::string_view line);

// A coordinate field (55 or 56) as the reader transforms it: latitudes to
// 0 (north pole) .. 180 (south pole), longitudes to 0 .. 360.
double ReadForensicCoordinate(std::string_view field);

}  // namespace sequara
