#include "sequence/SettingsWriter.h"

#include <string>

namespace sequara {

namespace {
std::string colorText(TColor color) { return std::to_string(static_cast<std::int32_t>(color)); }
}  // namespace

TIniSection CalcParamsSection(const WorkingState& state) {
    return {"CALC_PARAMS",
            {{"IGNORE_FASTA_NS", state.IgnoreFastaNs ? "TRUE" : "FALSE"},
             {"IGNORE_FASTA_GAPS", state.IgnoreFastaGaps ? "TRUE" : "FALSE"},
             {"MIN_ALIGNMENT_MATCH", std::to_string(state.MinAlignmentMatch)},
             {"INITIAL_NUCLEOTIDES", std::to_string(state.InitialNucleotides)}}};
}

TIniSection DisplayParamsSection(const WorkingState& state) {
    return {"DISPLAY_PARAMS",
            {{"HEADER_COLOR", colorText(state.HeaderColor)},
             {"REFERENCE_COLOR", colorText(state.ReferenceColor)},
             {"MATCH_COLOR", colorText(state.MatchColor)},
             {"MISMATCH_COLOR", colorText(state.MismatchColor)},
             {"SELECTION_COLOR", colorText(state.SelectionColor)},
             {"HIGHLIGHT_COLOR", colorText(state.HighlightColor)}}};
}

bool WriteSettingsSection(const WorkingState& state, const TIniSection& section, Platform& platform) {
    TIniFile ini(platform);
    if (!ini.OpenIniFile(state.SettingsFileName, true)) return false;
    ini.WriteIniSection(section);
    ini.CloseIniFile();
    return true;
}

}  // namespace sequara
