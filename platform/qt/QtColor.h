#pragma once
// The program's colours (0x00BBGGRR, blue in the high byte) as Qt colours and
// back.

#include <QColor>

#include <cstdint>

namespace sequara {

inline QColor ToQColor(std::uint32_t color) {
    return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

inline std::uint32_t FromQColor(const QColor& color) {
    return std::uint32_t(color.red()) | (std::uint32_t(color.green()) << 8) | (std::uint32_t(color.blue()) << 16);
}

}  // namespace sequara
