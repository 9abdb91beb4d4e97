#pragma once
// The run set-up behind the front panel's Continue button, as plain steps on
// the WorkingState: program folder, settings, reference and its checks, and
// the offer to restore an autosaved alignment.  MainWindow calls them in
// order between its own window steps (data-type dialog, menus).

#include "platform/Platform.h"
#include "sequence/BackupFile.h"
#include "sequence/IniFile.h"
#include "sequence/WorkingState.h"

#include <string>
#include <string_view>

namespace sequara {

inline constexpr const char* kSettingsFileName = "UserSettings.txt";
inline constexpr const char* kReferenceFileName = "ReferenceSequence.txt";
inline constexpr const char* kVersionText = "Version 1.3.3.2";

// Web page with example reference files, named by the missing-reference message.
inline constexpr const char* kExampleReferencesAddress = "https://sequara.example.org/reference-sequences";
// Terms-of-use page.
inline constexpr const char* kTermsOfUseAddress = "https://sequara.example.org/terms-of-use";

// Longest reference the automatic alignment accepts.
inline constexpr std::size_t kMaxReferenceLength = 99999;

// The values the run uses when the settings file cannot be opened: the four
// alignment parameters at their defaults (DefaultParameters) and the palette
// of the shipped UserSettings.txt (0x00BBGGRR).
struct DefaultSettings {
    static constexpr TColor HeaderColor = 0x00E8DCD0;     // pale slate blue
    static constexpr TColor ReferenceColor = 0x00B4EBFF;  // light amber
    static constexpr TColor MatchColor = 0x00FFFFFF;      // white
    static constexpr TColor MismatchColor = 0x007896FF;   // salmon
    static constexpr TColor SelectionColor = 0x00F5C88C;  // light blue
    static constexpr TColor HighlightColor = 0x00AAF0C3;  // pale green
};

void ApplyDefaultSettings(WorkingState& state);

// The folder of a program file with its trailing separator: the path up to
// and including its last "/", "\" or ":"; empty when it has none.
std::string ApplicationFolderOf(const std::string& programPath);

// Reads DISPLAY_PARAMS and CALC_PARAMS of state.SettingsFileName into the six
// colours and four parameters.  Keys absent from the file take the lookups'
// defaults (colours 0, DefaultParameters); a file that cannot be opened
// (its message shown) leaves the run on DefaultSettings.  An integer value
// that does not convert is reported and its default used.
void ReadSettings(WorkingState& state, Platform& platform);

// Reads ApplicationFolder + "ReferenceSequence.txt" (reader messages off)
// into ReferenceData and ReferenceNumbering; an empty result becomes one
// element with empty name and sequence.
void ReadReference(WorkingState& state, Platform& platform);

enum class ReferenceCheck { Accepted, LabelCountDiffers, Missing, TooLong };

// The first rule that applies: labels present but not one per character;
// no characters; more than 99999 characters; otherwise accepted.
ReferenceCheck CheckReferenceData(std::size_t sequenceLength, std::size_t labelCount);

// When a reference is checked: the one read at start-up, which the run
// goes on without when it is refused, or a new one the user chose while the
// previous one stays in use.
enum class ReferenceCheckMoment { StartUp, NewReference };

// Applies the checks to element 0 of ReferenceData and shows the failing
// rule's message, followed by a blank and refusedNote when that is not
// empty; missingMessage is the text for a reference without characters.
// Only at start-up does the too-long message say that automatic alignment
// will be disabled.  True when the reference is accepted; an accepted
// reference that looks like DNA in an "AMINO" run is accepted with a warning.
bool CheckReference(const WorkingState& state, Platform& platform, ReferenceCheckMoment moment,
                    const std::string& missingMessage, const std::string& refusedNote = {});

// True when the sequence has letters and holds only A, C, G, T, U, N (either
// case) and gaps.
bool LooksLikeDna(std::string_view sequence);

inline constexpr const char* kDnaReferenceWarning =
    "The reference sequence looks like a DNA sequence, but the data type is AMINO: amino-acid sequences "
    "aligned against it give no meaningful alignment.";

// The run set-up's text for a reference without characters.
std::string MissingReferenceMessage();

// Deletes the temporary files that an autosave of either data type left in
// folder when the program was ended while writing it: exactly the names the
// file layer gives them ("backup.ali.tmp" or "backup_ami.ali.tmp" and six
// letters or digits), plain files only.  Nothing else is touched.
void RemoveAutosaveLeftovers(const std::string& folder);

enum class BackupOffer { NoBackup, Restored, Unreadable, Deleted, Unanswered };

// At start-up: first RemoveAutosaveLeftovers in ApplicationFolder; then,
// when the data type's backup file lies there, asks whether to restore it,
// a question that only Yes or No ends (Escape and the close box do nothing).
// Yes reads it into AlignedReference, AlignedNumbering and
// AlignedSequences and sets AlignmentTitle to the bare backup name
// (Restored), or reports an unreadable file and keeps it (Unreadable),
// moved to a free name beside it ("backup_unreadable.ali",
// "backup_unreadable_2.ali", ...; "backup_ami_unreadable.ali", ... for
// AMINO) so that no autosave replaces it, the message naming where it is or
// why it could not be moved; No deletes it (Deleted).  A question torn down
// without an answer keeps the file and reads nothing (Unanswered).
BackupOffer OfferBackup(WorkingState& state, Platform& platform);

}  // namespace sequara
