#pragma once
// The motif search of the find dialog: one Find on the sequence grid's cell
// texts, from the dialog's current position.

#include "editor/commands/EditorCommand.h"

#include <cstdint>
#include <string>

namespace sequara {

inline constexpr const char* kEnterMotifMessage = "Please enter a search motif first";
inline constexpr const char* kRestartSearchQuestion = "Motif not found. Should the search be started from beginning?";
inline constexpr const char* kRestartSearchCaption = "Information";

// Where the next search starts: X the sequence-grid column (from 1), Y the
// sequence row counted from 1.
struct SearchPosition {
    std::int32_t X = 1;
    std::int32_t Y = 1;
    bool operator==(const SearchPosition&) const = default;
};

enum class FindOutcome { EmptyMotif, Found, NotFound };

// The sequence grid's cell texts of one row, columns 1 to N: the characters,
// and "." in the mismatch view wherever the run's character rules accept the
// character against its column's reference character.
void ShownRowCells(const EditorContext& ctx, std::int32_t row, std::string& out);

// An empty motif shows kEnterMotifMessage (EmptyMotif).  Otherwise the first
// occurrence from position (see FindMotif in editor/MotifSearch.h) moves the
// reference grid's cursor past and then above the occurrence and the
// sequence grid's cursor to its row and first cell, scrolling both to show
// it, and becomes the position (Found).  Without one the user is asked
// whether to search again from the beginning: Yes searches from (1, 1),
// asking again when that finds nothing too; No leaves everything as it was
// (NotFound).  No undo snapshot; the alignment does not change.
// Cost: O(rows x columns) per scan.
FindOutcome BtnFindClick(EditorContext& ctx, const std::string& Motif, SearchPosition& position);

}  // namespace sequara
