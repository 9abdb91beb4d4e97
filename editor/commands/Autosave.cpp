#include "editor/commands/Autosave.h"

#include "editor/WorkingStateAlignmentInput.h"
#include "editor/writers/AtomicReplace.h"
#include "editor/writers/TemporaryAlignmentWriter.h"
#include "sequence/BackupFile.h"

#include <exception>
#include <new>

namespace sequara {

void Timer1Timer(const WorkingState& state, FileLayer& files, Platform& platform, AutosaveTimer& timer) {
    // An alignment without columns or sequences cannot be read back; the last
    // backup that had them stays.
    if (AlignmentHasNoColumns(state) || AlignmentHasNoSequences(state)) return;
    std::string message;
    try {
        const WorkingStateAlignmentInput alignment(state);
        const WriterInput input(alignment);
        NoSaveProgress progress;
        WriterServices services(progress);
        ReplaceFile(files, state.ApplicationFolder + BackupName(state.DataType),
                    [&](ByteSink& out) { WriteTemporaryAlignment(input, out, services); });
        return;
    } catch (const std::bad_alloc&) {
        message = "There is not enough memory to write the backup file.";
    } catch (const std::exception& e) {
        message = e.what();
    }
    timer.Stop();
    platform.ShowMessage(message);
    timer.Start();
}

}  // namespace sequara
