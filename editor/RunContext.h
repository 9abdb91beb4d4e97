#pragma once
// One run of the program: its working state, the editor's session (undo
// snapshot and copy buffer, which outlive an editor window) and the platform
// every question and message goes through.  The main window owns one;
// editor windows, commands and tests reach the three through it.

#include "editor/EditorSession.h"
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

private:
    Platform& platform_;
    WorkingState state_;
    EditorSession session_;
};

}  // namespace sequara
