#include "commands/ForensicImport.h"

#include "sequence/IntegerText.h"

#include <filesystem>
#include <unordered_map>

namespace sequara {

namespace {

constexpr std::size_t kMaxSkippedSitesListed = 20;

bool isInsertionDigit(char c) { return c >= '1' && c <= '9'; }

// One site made ready for placing: a character at a position, or the n-th
// character inserted after it.
struct PreparedSite {
    std::int32_t position;
    int insertion;  // 0: the character stands at the position; 1..9: inserted after it
    char character;
    bool hasCharacter;
};

// HVS-I sites give the position in their first five characters and the
// character in the seventh; every site's insertion form reads the text
// before its first "."; a HVS-II difference the character right after it.
// False: the position is no whole number (the site is reported), or the
// site supplies nothing.
bool prepareSite(std::string_view site, bool upperSegment, PreparedSite& out, bool& notANumber) {
    notANumber = false;
    const std::size_t point = site.find('.');
    const std::string_view beforePoint = site.substr(0, point);
    if (point != std::string_view::npos && point + 1 < site.size() && isInsertionDigit(site[point + 1])) {
        auto position = ParseInteger(beforePoint);
        if (!position) return notANumber = true, false;
        out = {*position, site[point + 1] - '0', point + 2 < site.size() ? site[point + 2] : '\0',
               point + 2 < site.size()};
        return true;
    }
    if (upperSegment) {
        auto position = ParseInteger(site.substr(0, 5));
        if (!position) return notANumber = true, false;
        if (site.size() < 7 || isInsertionDigit(site[6])) return false;
        out = {*position, 0, site[6], true};
        return true;
    }
    auto position = ParseInteger(beforePoint);
    if (!position) return notANumber = true, false;
    if (point == std::string_view::npos || point + 1 >= site.size()) return false;
    out = {*position, 0, site[point + 1], true};
    return true;
}

bool insideRanges(std::int32_t p, const TDBF_Sequence& r) {
    return (r.bereich[0] <= p && p <= r.bereich[1]) || (r.bereich[2] <= p && p <= r.bereich[3]);
}

}  // namespace

std::optional<ForensicAlignment> BuildForensicAlignment(const TDBFDataSet& records, const std::string& reference,
                                                        const TCharacterName& labels) {
    if (labels.empty() || labels.size() != reference.size()) return std::nullopt;
    const std::size_t columns = labels.size();
    std::vector<std::int32_t> positions(columns);
    // Every column of a position (a label may repeat) and its first column.
    std::unordered_map<std::int32_t, std::vector<std::size_t>> columnsOf;
    for (std::size_t c = 0; c < columns; ++c) {
        // Labels read back from an editor's header are padded with blanks.
        auto p = ParseInteger(labels[c].Unpadded());
        if (!p) return std::nullopt;
        positions[c] = *p;
        columnsOf[*p].push_back(c);
    }

    ForensicAlignment out;
    // Sites per record, in the order the list gives them: HVS-I, then HVS-II.
    std::vector<std::vector<PreparedSite>> upperSites(records.size()), lowerSites(records.size());
    std::vector<std::int32_t> insertionCount(columns, 0);  // gap columns after each column
    for (std::size_t r = 0; r < records.size(); ++r) {
        const TDBF_Sequence& rec = records[r];
        auto prepare = [&](bool upper, bool has, int count, auto& sites, auto& into) {
            if (!has || count <= 0) return;
            for (int i = 0; i < count; ++i) {
                PreparedSite s;
                bool notANumber = false;
                std::string_view text = sites[std::size_t(i)].view();
                if (prepareSite(text, upper, s, notANumber)) into.push_back(s);
                else if (notANumber) out.SkippedSites.push_back(rec.Name[0].str() + " " + std::string(text));
            }
        };
        prepare(true, rec.HVSI, rec.HVSI_Anz, rec.HVSI_site, upperSites[r]);
        prepare(false, rec.HVSII, rec.HVSII_Anz, rec.HVSII_site, lowerSites[r]);
        for (const auto* list : {&upperSites[r], &lowerSites[r]})
            for (const PreparedSite& s : *list) {
                if (s.insertion == 0) continue;
                auto found = columnsOf.find(s.position);
                if (found == columnsOf.end()) continue;
                std::int32_t& n = insertionCount[found->second.front()];
                n = std::max(n, s.insertion);
            }
    }

    // Final layout: column c moves to newIndex[c]; its gap columns follow it.
    std::vector<std::size_t> newIndex(columns);
    std::size_t width = 0;
    for (std::size_t c = 0; c < columns; ++c) {
        newIndex[c] = width;
        width += 1 + std::size_t(insertionCount[c]);
    }
    std::string referenceRow(width, '-');
    out.Numbering.assign(width, TLabel());
    for (std::size_t c = 0; c < columns; ++c) {
        referenceRow[newIndex[c]] = reference[c];
        out.Numbering[newIndex[c]] = labels[c];
    }
    out.Reference.push_back({std::string(), SharedText(std::move(referenceRow))});

    out.Sequences.reserve(records.size());
    for (std::size_t r = 0; r < records.size(); ++r) {
        const TDBF_Sequence& rec = records[r];
        std::string row(width, '-');
        for (std::size_t c = 0; c < columns; ++c)
            if (insideRanges(positions[c], rec)) row[newIndex[c]] = reference[c];
        // The first site of a position wins: later ones are written first.
        auto placeCharacters = [&](const std::vector<PreparedSite>& sites, bool upper) {
            for (auto s = sites.rbegin(); s != sites.rend(); ++s) {
                if (s->insertion != 0 || (s->position > kForensicHVSIBoundary) != upper) continue;
                if (!insideRanges(s->position, rec)) continue;
                auto found = columnsOf.find(s->position);
                if (found == columnsOf.end()) continue;
                for (std::size_t c : found->second) row[newIndex[c]] = s->character;
            }
        };
        placeCharacters(upperSites[r], true);
        placeCharacters(lowerSites[r], false);
        for (const auto* list : {&upperSites[r], &lowerSites[r]})
            for (const PreparedSite& s : *list) {
                if (s.insertion == 0 || !s.hasCharacter) continue;
                auto found = columnsOf.find(s.position);
                if (found == columnsOf.end()) continue;
                row[newIndex[found->second.front()] + std::size_t(s.insertion)] = s.character;
            }
        out.Sequences.push_back({rec.Name[0].str(), SharedText(std::move(row))});
    }
    return out;
}

bool ImportForensicList(WorkingState& state, Platform& platform, FileDialogOptions& dialog) {
    std::optional<FileDialogResult> chosen = platform.ChooseOpenFile(dialog);
    if (!chosen) return false;
    dialog.FilterIndex = chosen->FilterIndex;
    dialog.InitialFolder = std::filesystem::path(chosen->FileName).parent_path().string();
    TDBFDataSet records;
    try {
        ReadForensicFile(chosen->FileName, records, platform);
    } catch (const ForensicReadError& e) {
        platform.ShowMessage(e.what());
        return false;
    }
    if (records.empty()) return false;
    const std::string reference = state.ReferenceData.empty() ? std::string() : state.ReferenceData[0].Sequence;
    std::optional<ForensicAlignment> built = BuildForensicAlignment(records, reference, state.ReferenceNumbering);
    if (!built) {
        platform.ShowMessage(kForensicReferenceRefused);
        return false;
    }
    if (!built->SkippedSites.empty()) {
        std::string list;
        for (std::size_t i = 0; i < built->SkippedSites.size() && i < kMaxSkippedSitesListed; ++i)
            list += (i ? ", " : "") + built->SkippedSites[i];
        if (built->SkippedSites.size() > kMaxSkippedSitesListed)
            list += " and " + std::to_string(built->SkippedSites.size() - kMaxSkippedSitesListed) + " more";
        platform.ShowMessage(kForensicSitesSkipped + list);
    }
    state.AlignmentTitle = chosen->FileName;
    state.AlignedReference = std::move(built->Reference);
    if (!state.ReferenceData.empty()) state.AlignedReference[0].Name = state.ReferenceData[0].Name;
    state.AlignedNumbering = std::move(built->Numbering);
    state.AlignedSequences = std::move(built->Sequences);
    return true;
}

}  // namespace sequara
