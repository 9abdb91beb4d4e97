#pragma once
// One run of the program: its working state, the editor's session (undo
// snapshot and copy buffer, which outlive an editor window) and the platform
// every question and message goes through.  The main window owns one;
// editor windows, commands and tests reach the three through it.

#include "editor/EditorSession.h"
#include "sequence/FileLayer.h"
#include "platform/Platform.h"
#include "sequence/WorkingState.h"

namespace sequara {

class RunContext {
public:
    explicit RunContext(Platform& platform) : platform_(platform) {}
    RunContext(const RunContext&) = delete;
    RunContext& operator=(const RunContext&) = delete;

    WorkingState& State() { return state_; }
    const WorkingState& State() const { return state_; }
    EditorSession& Session() { return session_; }
    Platform& platform() { return platform_; }
    // The files every save and autosave goes through; tests may put in one
    // that fails on purpose (it must outlive the run's use of it).
    FileLayer& Files() { return *files_; }
    void SetFiles(FileLayer& files) { files_ = &files; }

private:
    Platform& platform_;
    WorkingState state_;
    EditorSession session_;
    FileLayer* files_ = &DefaultFileLayer();
};

}  // namespace sequara
