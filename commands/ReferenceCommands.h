#pragma once
// The main window's reference commands without their window: replacing the
// run's reference by another reference file, and taking the choice made in
// the reference chooser.

#include "platform/Platform.h"
#include "sequence/WorkingState.h"

#include <string>
#include <vector>

namespace sequara {

enum class NewReferenceOutcome { Cancelled, Accepted, Refused };

// Runs the reference open dialog and reads the chosen file (reader messages
// off) into arrays of its own; an empty result counts as one element with
// empty name and sequence.  The run's checks follow, with a message naming
// the chosen file for a reference without characters.  Only an accepted
// reference replaces ReferenceData and ReferenceNumbering; a refused one
// leaves the previous reference in use.  The dialog keeps the folder and
// filter last chosen.
NewReferenceOutcome LoadNewReference(WorkingState& state, Platform& platform, FileDialogOptions& dlgLoadReference);

// The message for a chosen reference file without characters.
std::string MissingChosenReferenceMessage(const std::string& fileName);

// One choice of the reference chooser.
struct TReference {
    std::string Name;
    bool Active = false;
    bool Enabled = false;
    bool operator==(const TReference&) const = default;
};
using TReferenceSequences = std::vector<TReference>;

// The chooser's entries for ReferenceList, in order.
TReferenceSequences ReferenceChoices(const WorkingState& state);

// Takes the confirmed choices back: every list entry's Active flag, and the
// reference and its labels of each active entry (the last one wins).
// Entries past the end of either list are left alone.
void ApplyReferenceChoices(WorkingState& state, const TReferenceSequences& choices);

}  // namespace sequara
