#pragma once
// Editor commands: plain C++ functions that change the document and the view
// state, tested without a window.
//
// How to add a command
// --------------------
// 1. Write it in a file of this folder named after what it does, as a free
//    function taking the context first, then the arguments its handler gets:
//        void RemoveSequences(EditorContext& ctx, std::int32_t Top, std::int32_t Bottom);
//    Read and change the alignment only through ctx.document (its primitives
//    keep the rows, labels and reference the same length and mark the
//    alignment unsaved), the view state through ctx.view, the undo snapshot
//    and copy buffer through ctx.session, and ask or tell the user only
//    through ctx.platform.  A command that changes characters, columns or
//    rows calls SaveUndoState(ctx) (UndoCommands.h) before its first change.
//    Read selections with ctx.view.Selection(); check every index against the
//    document (the sequence list may be empty).
// 2. Report a failure the user must see by throwing (std::runtime_error with
//    the message, or an error type of your own): the command boundary shows
//    it once.  Never catch std::bad_alloc: the boundary puts the alignment
//    back as it was and says so.
// 3. In the window, connect the menu entry, popup entry or key to the
//    command through FrmAlignmentCorrection::runCommand, which runs it inside
//    RunEditorCommand below and then repaints; nothing else goes in the
//    window.
// 4. Test it in tests/editor/commands with EditorFixture and DumpEditor
//    (tests/support/EditorDump.h): build a small document, run the command,
//    compare the dump (both grids and the view state) with the expected text.
// RowMove.h is a small complete example.

#include "editor/AlignmentDocument.h"
#include "editor/EditorSession.h"
#include "editor/EditorView.h"
#include "platform/Platform.h"

#include <functional>

namespace sequara {

// What a command works on.  The working state is ctx.document.State(), to
// read.
struct EditorContext {
    AlignmentDocument& document;
    EditorView& view;
    EditorSession& session;
    Platform& platform;
};

// The message shown when a command runs out of memory.
inline constexpr const char* kCommandOutOfMemory =
    "There is not enough memory to complete this command. The alignment has been left as it was before.";

// The command boundary: runs one command.  Before it runs, the aligned
// working state, the saved mark, the view state, the undo snapshot and the
// copy buffer are kept aside (costs O(rows + columns): rows are shared, not
// copied).  When the command throws, all of them are put back as they were
// and one message is shown: kCommandOutOfMemory for std::bad_alloc, the
// exception's text otherwise.  True when the command ran to its end.
bool RunEditorCommand(EditorContext& ctx, const std::function<void(EditorContext&)>& command);

}  // namespace sequara
