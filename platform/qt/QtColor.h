#pragma once
// The program's colours (0x00BBGGRR, blue in the high byte) as Qt colours and
// back.  A settings file may also hold a system colour: a negative number
// whose low byte is the index of a window-system colour (top byte 0xFF, or
// 0x80 in files of older versions).  Those are drawn in the matching colour
// of the application's palette, and anything else with a top byte set in
// white, so that text on it stays readable.

#include <QColor>
#include <QGuiApplication>
#include <QPalette>

#include <cstdint>

namespace sequara {

inline QColor SystemColorToQColor(std::uint32_t color) {
    const std::uint32_t top = color >> 24;
    const std::uint32_t index = color & 0x00FFFFFF;
    if (top != 0xFF && top != 0x80) return QColor(Qt::white);
    const QPalette palette = QGuiApplication::palette();
    switch (index) {
        case 0: case 15: return palette.color(QPalette::Button);           // scroll bar, button face
        case 1: case 12: case 16: case 28: return palette.color(QPalette::Mid);  // desktop, workspace, shadows
        case 2: case 13: case 27: case 29: return palette.color(QPalette::Highlight);
        case 3: return palette.color(QPalette::Midlight);                  // inactive caption
        case 4: case 10: case 11: case 30: return palette.color(QPalette::Window);  // menus, borders
        case 5: return palette.color(QPalette::Base);                      // window background
        case 6: case 7: case 8: return palette.color(QPalette::WindowText);
        case 9: case 14: return palette.color(QPalette::HighlightedText);
        case 17: return palette.color(QPalette::Disabled, QPalette::WindowText);  // grey text
        case 18: return palette.color(QPalette::ButtonText);
        case 19: return palette.color(QPalette::Text);
        case 20: return palette.color(QPalette::Light);
        case 21: return palette.color(QPalette::Shadow);
        case 22: return palette.color(QPalette::Midlight);
        case 23: return palette.color(QPalette::ToolTipText);
        case 24: return palette.color(QPalette::ToolTipBase);
        case 26: return palette.color(QPalette::Link);
        default: return QColor(Qt::white);
    }
}

inline QColor ToQColor(std::uint32_t color) {
    if (color & 0xFF000000u) return SystemColorToQColor(color);
    return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

inline std::uint32_t FromQColor(const QColor& color) {
    return std::uint32_t(color.red()) | (std::uint32_t(color.green()) << 8) | (std::uint32_t(color.blue()) << 16);
}

}  // namespace sequara
