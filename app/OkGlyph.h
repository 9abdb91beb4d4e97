#pragma once
// The green tick shown on OK-kind buttons (the front panel's Continue and the
// OK of small dialogs).

#include <QIcon>

namespace sequara {

QIcon OkGlyph();

}  // namespace sequara
