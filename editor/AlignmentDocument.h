#pragma once
// The alignment an editor window shows and changes, with the primitives that
// every editing command is built from.
//
// The document keeps no copy of the alignment: it works on the run's aligned
// working state (WorkingState::AlignedReference, AlignedNumbering,
// AlignedSequences), so the save command, the writers and the autosave read
// the same rows that the editor shows, at any moment, without a sync step.
// A command changes those variables only through the primitives below, and
// reads them (and the rest of the run's state) through the accessors and
// State(), which hands the state out read-only.
//
// Alignment column p (from 1, p = 1 .. N) is character p of the reference
// row and of every row, and label p-1.  The reference row, every row and the
// labels always have the same length N = ColumnCount() after any primitive
// below; a row is a sequence of the sequence grid (index from 0).
//
// Rows are SharedText: copying the three aligned variables (the undo
// snapshot, a checkpoint) shares the characters, and a primitive copies a
// row's characters only when it changes a row that a copy still shares.
// Every primitive marks the alignment unsaved.  Primitives never throw for
// indexes outside the alignment: they change nothing (an empty sequence list
// is normal after every row was removed).  They may throw std::bad_alloc,
// after which the document may be half changed: the command boundary puts
// the checkpoint back (see editor/commands/EditorCommand.h).

#include "sequence/SharedText.h"
#include "sequence/WorkingState.h"

#include <cstdint>
#include <string>
#include <vector>

namespace sequara {

class AlignmentDocument {
public:
    explicit AlignmentDocument(WorkingState& state) : state_(state) {}

    // ---- Reading ----
    std::int32_t RowCount() const { return static_cast<std::int32_t>(state_.AlignedSequences.size()); }
    // N: the length of the reference row (0 without one).
    std::int32_t ColumnCount() const;
    bool HasRow(std::int32_t row) const { return row >= 0 && row < RowCount(); }
    const std::string& ReferenceRow() const;
    const std::string& ReferenceName() const;
    const TCharacterName& Labels() const { return state_.AlignedNumbering; }
    // Row text and name; an empty text for an index outside the rows.
    const std::string& Row(std::int32_t row) const;
    const std::string& Name(std::int32_t row) const;
    // Character of alignment column `column` (from 1); '\0' outside.
    char Character(std::int32_t column, std::int32_t row) const;
    const TAlignedDataSet& Sequences() const { return state_.AlignedSequences; }

    // ---- Changing (each marks the alignment unsaved) ----
    // One character of a row.
    void SetCharacter(std::int32_t column, std::int32_t row, char c);
    // A row's characters to change in place (keep its length: columns are
    // the document's business).  Unshares the row from any snapshot.
    // Precondition: HasRow(row).
    std::string& EditRow(std::int32_t row);
    void SetName(std::int32_t row, std::string name);
    // Inserts one gap column before each given column (1 .. N+1, N+1 meaning
    // after the last), all given as they stand before the call; a column
    // given k times gets k gap columns.  New columns have an empty label and
    // "-" in the reference and every row.  One pass over the cells.
    void InsertGapColumns(std::vector<std::int32_t> columns);
    // Count gap columns starting at column (1 .. N+1); nothing for Count <= 0.
    void InsertGapColumns(std::int32_t count, std::int32_t column);
    // Deletes the given columns (1 .. N, as they stand before the call;
    // repeats and columns outside are ignored) from labels, reference and
    // every row.  One pass over the cells.
    void DeleteColumns(std::vector<std::int32_t> columns);
    // Removes rows top .. bottom (clamped to the rows).
    void RemoveRows(std::int32_t top, std::int32_t bottom);
    // The row at `from` moves to `to`; the rows between move one place
    // towards `from`.  Indexes outside the rows change nothing.
    void MoveRow(std::int32_t from, std::int32_t to);
    // Appends rows below the last one (as they come: the caller gives them
    // the document's length).
    void AppendRows(TAlignedDataSet rows);
    // The label and the reference character of one column (1 .. N).
    void SetLabel(std::int32_t column, TLabel label);
    void SetReferenceCharacter(std::int32_t column, char c);
    // Every label padded with blanks to the header's rows, as the header
    // gives labels back (TLabel::Padded).  Like ReadAlignmentFromGrids, does
    // not mark the alignment unsaved.
    void PadLabels();
    // Replaces the whole alignment (undo, loads).  Then ReadAlignmentFromGrids.
    void Assign(TAlignedDataSet reference, TCharacterName labels, TAlignedDataSet sequences);
    // Brings the aligned working state into the shape the grids give it: one
    // reference row named after the run's reference (ReferenceData[0]), every
    // label cut to the 5 characters a header shows, and the reference row,
    // labels and every row padded to the longest of them with "-" (an empty
    // label), so no character is ever cut off.  Costs O(rows + columns)
    // when nothing needs padding.  Does not mark the alignment unsaved.
    void ReadAlignmentFromGrids();

    // ---- Saved mark ----
    // False when the window is created and after every change; the save
    // command sets it once the temporary alignment is really on disk.
    bool Saved() const { return saved_; }
    void MarkSaved() { saved_ = true; }
    void MarkChanged() { saved_ = false; }

    // The alignment and its saved mark as they stand, and putting them back
    // (the command boundary's checkpoint).  Rows are shared, not copied.
    struct Snapshot {
        TAlignedDataSet Reference;
        TCharacterName Labels;
        TAlignedDataSet Sequences;
        bool Saved = false;
    };
    Snapshot Take() const;
    void Restore(Snapshot snapshot);

    // The run's working state, to read.
    const WorkingState& State() const { return state_; }

private:
    WorkingState& state_;
    bool saved_ = false;
};

}  // namespace sequara
