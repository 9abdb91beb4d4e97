#include "editor/commands/EditorCommand.h"

#include <exception>
#include <new>
#include <optional>
#include <string>

namespace sequara {

namespace {
struct Checkpoint {
    AlignmentDocument::Snapshot alignment;
    EditorView view;
    EditorSession session;
};
}  // namespace

bool RunEditorCommand(EditorContext& ctx, const std::function<void(EditorContext&)>& command) {
    std::optional<Checkpoint> before;
    std::string message;
    try {
        before.emplace(Checkpoint{ctx.document.Take(), ctx.view, ctx.session});
        command(ctx);
        return true;
    } catch (const std::bad_alloc&) {
        message = kCommandOutOfMemory;
    } catch (const std::exception& e) {
        message = e.what();
    }
    if (before) {
        ctx.document.Restore(std::move(before->alignment));
        ctx.view = std::move(before->view);
        ctx.session = std::move(before->session);
    }
    ctx.platform.ShowMessage(message);
    return false;
}

}  // namespace sequara
