#pragma once
// "Add alignment file": the sequences of a second temporary alignment (.ali)
// join the open alignment as new rows, its columns lined up with the open
// columns by their position labels.  Added columns that the open alignment
// lacks become gap columns of their own: those before the first matching
// label in front of column 1, those after the last one behind the last
// column, and every other one directly after the column of the added column
// before it (an unlabelled one shares an inserted column standing there).
//
// The whole merge is one undoable edit.  A file that changes nothing (no
// label in common, a character the run's data type does not allow) is
// refused with a message before the undo snapshot is taken.

#include "editor/commands/EditorCommand.h"
#include "sequence/Records.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sequara {

inline constexpr const char* kAddAlignmentFilterDescription = "(Temporary) alignment files (*.ali)";
inline constexpr const char* kAddAlignmentFilterPattern = "*.ali";
inline constexpr const char* kAddAlignmentUnreadable =
    "The chosen file is not a temporary alignment that can be added: it needs a reference line, a line "
    "with one position label per reference column and at least one sequence line. Nothing was added.";
inline constexpr const char* kAddAlignmentNoCommonLabel =
    "No position label of the chosen alignment file matches a position label of the open alignment, so its "
    "columns cannot be lined up. Nothing was added.";

// The open dialog of the command: the .ali filter, starting in the
// program's folder.
FileDialogOptions OpenDlgAliFile(const WorkingState& state);

// The three parts of a read temporary alignment.
struct AddedAlignment {
    TFastaDataSet Reference;  // element 0: the file's reference row
    TCharacterName Labels;    // one per column of the file
    TFastaDataSet Sequences;
};

// Where the added columns go.  Columns are alignment columns from 1.
struct MergeLayout {
    // For every added column k (from 0): its column in the merged alignment.
    std::vector<std::int32_t> Map;
    // The gap columns to insert, as AlignmentDocument::InsertGapColumns
    // takes them: the open column each goes before (N+1: behind the last),
    // in the merged order.
    std::vector<std::int32_t> InsertBefore;
    // For each of those, in the same order: the added column (from 0) whose
    // label and reference character it takes.
    std::vector<std::int32_t> Source;
};

// Removes blanks and control characters at both ends.
TLabel TrimLabel(const TLabel& label);

// Lines the added labels (trimmed already) up with the open labels: a
// label matches the first non-blank open label that equals it trimmed and
// with a to z upper-cased.  Nothing when no added label matches.
// Cost: O(N + n) expected (one hash of the open labels, a linked list of
// the merged columns), whatever the order of the labels.
std::optional<MergeLayout> PlanMerge(const TCharacterName& OpenLabels, const TCharacterName& AddedLabels);

// The text of the refusal for the first character of the added reference
// or sequences, among the characters the merge uses, that the data type
// does not allow after upper-casing; nothing when all are allowed.
std::optional<std::string> DisallowedCharacterMessage(const AddedAlignment& added, const std::string& DataType);

// Merges a read alignment into the open one: labels trimmed, refused with a
// message (no undo snapshot, nothing changed) when no label matches or a
// used character is not allowed; otherwise the undo snapshot, the gap
// columns, the added rows (characters upper-cased), every label padded with
// blanks to the five header rows, and both grids sized.  True when merged.
// Cost: O((rows + added rows) x merged columns), each row built once.
bool AddAlignment(EditorContext& ctx, AddedAlignment added);

// The menu command: the open dialog, the reader, then AddAlignment.  A
// cancelled dialog does nothing; a file the reader refuses changes nothing
// and shows the reader's message or kAddAlignmentUnreadable.  True when
// merged.
bool Addalignmentfile1Click(EditorContext& ctx);

}  // namespace sequara
