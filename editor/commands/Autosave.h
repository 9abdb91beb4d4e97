#pragma once
// The editor's autosave: every tick of its timer writes the alignment as a
// temporary alignment into the program's folder ("backup.ali", for amino
// acids "backup_ami.ali"), through a temporary file and a rename, whether or
// not it changed.  An alignment without columns is not written (it could not
// be read back); the previous backup stays.

#include "sequence/FileLayer.h"
#include "platform/Platform.h"
#include "sequence/WorkingState.h"

namespace sequara {

// The timer that drives the autosave, as the autosave needs to hold it.
class AutosaveTimer {
public:
    virtual ~AutosaveTimer() = default;
    virtual void Stop() = 0;
    virtual void Start() = 0;
};

// One tick.  When the file cannot be written, the previous autosave file
// stays as it was and the message is shown once with the timer stopped, so
// a lasting fault does not pile up messages; the timer then runs again.
void Timer1Timer(const WorkingState& state, FileLayer& files, Platform& platform, AutosaveTimer& timer);

}  // namespace sequara
