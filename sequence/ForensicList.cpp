#include "sequence/ForensicList.h"

#include "sequence/CharacterRules.h"
#include "sequence/IntegerText.h"
#include "sequence/TextFile.h"

namespace sequara {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool isNoDifferenceKeyword(std::string_view upper) {
    return upper == "ANDERSON" || upper == "ANALOG ANDERSON";
}

bool endsAmbiguous(std::string_view site) {
    return !site.empty() && kForensicAmbiguityLetters.find(site.back()) != std::string_view::npos;
}

// A site's position text as a range bound: a whole number kept in 16 bits;
// a text that is no non-negative whole number gives 0 (no bound).
std::uint16_t boundFromText(std::string_view text) {
    auto v = ParseInteger(text);
    if (!v || *v < 0) return 0;
    return static_cast<std::uint16_t>(*v);
}

template <std::size_t N, std::size_t M>
void addSite(std::string_view upper, std::array<ShortText<N>, M>& sites, std::uint8_t& count,
             std::uint8_t& ambiguous, bool& hasData) {
    hasData = true;
    if (isNoDifferenceKeyword(upper)) {
        count = 0;
        return;
    }
    if (count >= M) return;  // cannot happen: one field per slot
    sites[count].assign(upper);
    if (endsAmbiguous(sites[count].view())) ++ambiguous;
    ++count;
}

// Field 57: every run of digits is a number; HVS-I numbers fill [0] then
// [1], HVS-II numbers [2] then [3].
void readRange(std::string_view field, std::array<std::uint16_t, 4>& bereich) {
    std::size_t i = 0;
    while (i < field.size()) {
        if (!isDigit(field[i])) {
            ++i;
            continue;
        }
        std::uint64_t value = 0;
        for (; i < field.size() && isDigit(field[i]); ++i) {
            value = value * 10 + std::uint64_t(field[i] - '0');
            if (value > 0xFFFFFFFFull) value = 0xFFFFFFFFull;  // far above any boundary; kept in 16 bits below
        }
        std::size_t first = value > std::uint64_t(kForensicHVSIBoundary) ? 0 : 2;
        std::size_t slot = bereich[first] == 0 ? first : first + 1;
        bereich[slot] = static_cast<std::uint16_t>(value);
    }
}

void applyField(TDBF_Sequence& r, int number, std::string_view field) {
    if (number >= 1 && number <= 3) {
        r.Name[std::size_t(number - 1)].assign(UpperAscii(field));
    } else if (number == 4) {
        if (field == "?") r.dubious_HVSI = true;
    } else if (number == 5) {
        auto v = field == "?" ? std::optional<std::int32_t>(1) : ParseInteger(field);
        r.Frequenz = static_cast<std::uint8_t>(v ? static_cast<std::uint32_t>(*v) : 1u);
    } else if (number >= 6 && number <= 26) {
        if (field.size() >= 7)
            addSite(UpperAscii(field), r.HVSI_site, r.HVSI_Anz, r.Fragezeichen_HVSI, r.HVSI);
    } else if (number == 27) {
        if (field == "?") r.dubious_HVSII = true;
    } else if (number >= 28 && number <= 52) {
        if (field.size() >= 4)
            addSite(UpperAscii(field), r.HVSII_site, r.HVSII_Anz, r.Fragezeichen_HVSII, r.HVSII);
    } else if (number == 53) {
        r.ort.assign(field);
    } else if (number == 55 || number == 56) {
        r.geo[std::size_t(number - 55)] = ReadForensicCoordinate(field);
    } else if (number == 57) {
        readRange(field, r.bereich);
    } else if (number == 58) {
        r.Haplogroup.assign(field);
    }
}

// Ranges missing from field 57 come from the first and last site in file order.
void completeRanges(TDBF_Sequence& r) {
    if ((r.bereich[0] == 0 || r.bereich[1] == 0) && r.HVSI && r.HVSI_Anz > 0) {
        r.bereich[0] = boundFromText(r.HVSI_site[0].view().substr(0, 5));
        r.bereich[1] = boundFromText(r.HVSI_site[r.HVSI_Anz - 1].view().substr(0, 5));
    }
    if ((r.bereich[2] == 0 || r.bereich[3] == 0) && r.HVSII && r.HVSII_Anz > 0) {
        auto beforePoint = [](std::string_view s) { return s.substr(0, s.find('.')); };
        r.bereich[2] = boundFromText(beforePoint(r.HVSII_site[0].view()));
        r.bereich[3] = boundFromText(beforePoint(r.HVSII_site[r.HVSII_Anz - 1].view()));
    }
}

}  // namespace

std::vector<std::string> SplitForensicFields(std::string_view line) {
    std::vector<std::string> fields;
    std::string current;
    for (std::size_t i = 0; i < line.size() && int(fields.size()) < kForensicFieldCount; ++i) {
        char c = line[i];
        bool separator = c == '\t' || c == ';';
        if (!separator) current += c;
        if (separator || i + 1 == line.size()) {
            fields.push_back(std::move(current));
            current.clear();
        }
    }
    return fields;
}

double ReadForensicCoordinate(std::string_view field) {
    if (field.empty()) return 0.0;
    const char hemisphere = field.back();
    const std::string_view scanned = field.substr(0, field.size() - 1);
    double value = 0.0;
    bool haveDegrees = false;
    std::string digits;
    auto closeNumber = [&] {
        auto n = digits.empty() ? std::nullopt : ParseInteger(digits);
        digits.clear();
        if (!n) return;
        if (!haveDegrees) {
            value = *n;
            haveDegrees = true;
        } else {
            value += *n / 60.0;
        }
    };
    for (std::size_t i = 0; i < scanned.size(); ++i) {
        char c = scanned[i];
        if (isDigit(c) && digits.size() < 10) digits += c;
        if (c == ',' || c == '.' || i + 1 == scanned.size()) closeNumber();
    }
    switch (hemisphere) {
        case 'S': case 's': return value + 90.0;
        case 'N': case 'n': return 90.0 - value;
        case 'E': case 'e': return value + 180.0;
        case 'W': case 'w': return 180.0 - value;
        default: return value;
    }
}

void ReadForensicFile(const std::string& FileName, TDBFDataSet& Data, Platform& platform) {
    Data.clear();
    TextLineReader in;
    if (!in.open(FileName)) {
        platform.ShowMessage(in.refusal().empty() ? std::string(kForensicOpenErrorMessage) : in.refusal());
        return;
    }
    std::string line;
    while (in.next(line)) {
        if (int(Data.size()) >= kForensicMaxRecords || line.size() <= 5 || line.starts_with("AAA")) continue;
        TDBF_Sequence& r = Data.emplace_back();
        int number = 0;
        for (const std::string& field : SplitForensicFields(line)) applyField(r, ++number, field);
        completeRanges(r);
    }
    if (in.failed()) {
        Data.clear();
        throw ForensicReadError("An Error occured while reading the specified File " + FileName);
    }
    in.close();
}

}  // namespace sequara
