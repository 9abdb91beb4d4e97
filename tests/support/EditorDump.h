#pragma once
// Test helpers for editor commands: a run on a scripted platform with a
// document and a view, and a compact text dump of both grids and the view
// state to compare before and after a command.

#include "editor/AlignmentDocument.h"
#include "editor/AlignmentEditorModel.h"
#include "editor/EditorView.h"
#include "editor/RunContext.h"
#include "editor/commands/EditorCommand.h"
#include "platform/ScriptedPlatform.h"

#include <initializer_list>
#include <string>
#include <utility>

namespace sequara::testing {

// Both grids and the view state, for example
//   labels 1|2|_|3
//   ref rCRS: AC-G
//   0 s1: ACTG
//   1 s2: A--G
//   view cell 2,1 sel 1,0-2,1 highlight -1 mismatches off undo on saved no
// Labels are separated by "|"; a blank in a label shows as "_".  Rows are
// indexed from 0; "cell" and "sel" are sequence-grid coordinates (column,
// row), "sel" from left,top to right,bottom.
std::string DumpEditor(const AlignmentDocument& document, const EditorView& view);
// The undo snapshot and the copy buffer:
//   snapshot 5 header rows x 4 | ref AC-G | s1: ACTG | s2: A--G
//   copy AC|--
std::string DumpSession(const EditorSession& session);
// Both grids of the editor model cell by cell as the window shows them: five
// header rows, the reference row, then one line per sequence ("name|cells");
// empty header cells as emptyHeader (a blank makes them look like a blank
// in a label, as they do on screen).
std::string DumpGrids(const AlignmentEditorModel& model, char emptyHeader = '.');

// A run (data type "DNA", reference "rCRS") with its document, a view sized
// to it and a command context.
struct EditorFixture {
    EditorFixture();
    // Replaces the alignment: labels ("|"-separated, as DumpEditor writes
    // them, "_" for a blank), the reference row and the rows as name/text
    // pairs; sizes the grids; the reference row takes the run's reference
    // name.
    void Load(const std::string& labels, const std::string& reference,
              std::initializer_list<std::pair<std::string, std::string>> rows);
    // Selects columns left..right of rows top..bottom (current cell at the
    // bottom right).
    void Select(int left, int top, int right, int bottom);
    std::string Dump() const { return DumpEditor(document, view); }

    ScriptedPlatform platform;
    sequara::RunContext run{platform};
    AlignmentDocument document{run.State()};
    EditorView view;
    EditorContext ctx{document, view, run.Session(), platform};
};

}  // namespace sequara::testing
