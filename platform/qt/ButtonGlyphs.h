#pragma once
// The glyphs of kind-based buttons: the green tick of OK buttons (the front
// panel's Continue and the OK of small dialogs), the green circular arrow
// of retry-kind buttons and the red cross of cancel buttons.

#include <QIcon>

namespace sequara {

QIcon OkGlyph();
QIcon RetryGlyph();
QIcon CancelGlyph();

}  // namespace sequara
