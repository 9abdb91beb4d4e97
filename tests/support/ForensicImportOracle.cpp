#include "tests/support/ForensicImportOracle.h"

#include "sequence/IntegerText.h"

namespace sequara::testing {

namespace {

bool isInsertionDigit(char c) { return c >= '1' && c <= '9'; }

// The site's "." and the digit after it mark an insertion site.
bool isInsertionSite(const std::string& site) {
    std::size_t point = site.find('.');
    return point != std::string::npos && point + 1 < site.size() && isInsertionDigit(site[point + 1]);
}

std::optional<std::int32_t> beforePoint(const std::string& site) { return ParseInteger(site.substr(0, site.find('.'))); }

std::optional<std::int32_t> labelNumber(const TLabel& label) {
    std::string_view text = label.view();
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return ParseInteger(text);
}

struct Insertion {
    std::int32_t Position;
    std::int32_t NumberInsertions;
};

// The first column whose label is not empty and equals the position.
std::optional<std::size_t> firstColumnOf(const TCharacterName& labels, std::int32_t position) {
    for (std::size_t c = 0; c < labels.size(); ++c)
        if (!labels[c].empty() && labelNumber(labels[c]) == position) return c;
    return std::nullopt;
}

template <class Sites>
std::vector<std::string> sitesOf(bool has, int count, const Sites& sites) {
    std::vector<std::string> out;
    if (has && count > 0)
        for (int i = 0; i < count; ++i) out.push_back(sites[std::size_t(i)].str());
    return out;
}

}  // namespace

OracleForensicAlignment StepByStepForensicImport(const TDBFDataSet& records, const std::string& reference,
                                              const TCharacterName& labels) {
    OracleForensicAlignment out;
    out.Reference = reference;
    out.Numbering = labels;
    std::vector<Insertion> insertions;
    for (const TDBF_Sequence& r : records) {
        std::string row;
        for (std::size_t c = 0; c < labels.size(); ++c) {
            const std::int32_t p = *labelNumber(labels[c]);
            if (!((r.bereich[0] <= p && p <= r.bereich[1]) || (r.bereich[2] <= p && p <= r.bereich[3]))) {
                row += '-';
                continue;
            }
            char found = 0;
            if (p > 10000) {
                for (int i = 0; i < r.HVSI_Anz && !found; ++i) {
                    const std::string site = r.HVSI_site[std::size_t(i)].str();
                    if (isInsertionSite(site) || site.size() < 7) continue;
                    if (ParseInteger(site.substr(0, 5)) == p && !isInsertionDigit(site[6])) found = site[6];
                }
            } else {
                for (int i = 0; i < r.HVSII_Anz && !found; ++i) {
                    const std::string site = r.HVSII_site[std::size_t(i)].str();
                    std::size_t point = site.find('.');
                    if (isInsertionSite(site) || point == std::string::npos || point + 1 >= site.size()) continue;
                    if (beforePoint(site) == p) found = site[point + 1];
                }
            }
            row += found ? found : reference[c];
        }
        out.Sequences.push_back({r.Name[0].str(), row});
        std::vector<std::string> sites = sitesOf(r.HVSI, r.HVSI_Anz, r.HVSI_site);
        for (const std::string& s : sitesOf(r.HVSII, r.HVSII_Anz, r.HVSII_site)) sites.push_back(s);
        for (const std::string& site : sites) {
            if (!isInsertionSite(site) || !beforePoint(site)) continue;
            const std::int32_t position = *beforePoint(site);
            const std::int32_t n = site[site.find('.') + 1] - '0';
            bool listed = false;
            for (Insertion& e : insertions)
                if (e.Position == position) {
                    listed = true;
                    if (n > e.NumberInsertions) e.NumberInsertions = n;
                }
            if (!listed) insertions.push_back({position, n});
        }
    }
    for (const Insertion& e : insertions) {
        std::optional<std::size_t> c = firstColumnOf(out.Numbering, e.Position);
        if (!c) continue;
        for (std::int32_t k = 0; k < e.NumberInsertions; ++k) {
            out.Reference.insert(*c + 1, 1, '-');
            for (TFastaSequence& s : out.Sequences) s.Sequence.insert(*c + 1, 1, '-');
            out.Numbering.insert(out.Numbering.begin() + std::ptrdiff_t(*c + 1), TLabel());
        }
    }
    for (std::size_t r = 0; r < records.size(); ++r) {
        std::vector<std::string> sites = sitesOf(records[r].HVSI, records[r].HVSI_Anz, records[r].HVSI_site);
        for (const std::string& s : sitesOf(records[r].HVSII, records[r].HVSII_Anz, records[r].HVSII_site))
            sites.push_back(s);
        for (const std::string& site : sites) {
            if (!isInsertionSite(site) || !beforePoint(site)) continue;
            std::size_t point = site.find('.');
            if (point + 2 >= site.size()) continue;
            std::optional<std::size_t> c = firstColumnOf(out.Numbering, *beforePoint(site));
            if (!c) continue;
            out.Sequences[r].Sequence[*c + std::size_t(site[point + 1] - '0')] = site[point + 2];
        }
    }
    return out;
}

}  // namespace sequara::testing
