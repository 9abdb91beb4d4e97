#include "editor/commands/EditorCommand.h"

#include <exception>
#include <new>
#include <optional>
#include <string>

namespace sequara {

namespace {
struct Checkpoint {
    TAlignedDataSet reference;
    TCharacterName labels;
    TAlignedDataSet sequences;
    bool saved;
    EditorView view;
    EditorSession session;
};
}  // namespace

bool RunEditorCommand(EditorContext& ctx, const std::function<void(EditorContext&)>& command) {
    std::optional<Checkpoint> before;
    std::string message;
    try {
        WorkingState& s = ctx.document.State();
        before.emplace(Checkpoint{s.AlignedReference, s.AlignedNumbering, s.AlignedSequences,
                                  ctx.document.Saved(), ctx.view, ctx.session});
        command(ctx);
        return true;
    } catch (const std::bad_alloc&) {
        message = kCommandOutOfMemory;
    } catch (const std::exception& e) {
        message = e.what();
    }
    if (before) {
        WorkingState& s = ctx.document.State();
        s.AlignedReference = std::move(before->reference);
        s.AlignedNumbering = std::move(before->labels);
        s.AlignedSequences = std::move(before->sequences);
        if (before->saved) ctx.document.MarkSaved();
        else ctx.document.MarkChanged();
        ctx.view = std::move(before->view);
        ctx.session = std::move(before->session);
    }
    ctx.platform.ShowMessage(message);
    return false;
}

}  // namespace sequara
