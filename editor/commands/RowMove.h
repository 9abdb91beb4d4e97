#pragma once
// Row drag in the sequence grid.

#include "editor/commands/EditorCommand.h"

#include <cstdint>

namespace sequara {

// The user dragged the row at FromIndex to ToIndex: that sequence moves
// there, the ones between move one place towards FromIndex; no character
// changes (the mismatch view's "." is drawn, never stored).  No undo
// snapshot.  The highlighted row keeps its grid row.  Indexes outside the
// rows change nothing.
void AlignedSequencesGridRowMoved(EditorContext& ctx, std::int32_t FromIndex, std::int32_t ToIndex);

}  // namespace sequara
