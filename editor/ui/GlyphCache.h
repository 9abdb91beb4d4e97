#pragma once
// Pre-rendered cells: one pixmap per (character, background colour, kind of
// cell), drawn once and blitted on every repaint of a large grid.

#include <QFont>
#include <QHash>
#include <QPixmap>

namespace sequara {

class GlyphCache {
public:
    // How the character sits in the cell: at its left edge, 2 pixels in,
    // or centred (so that a "." or an "I" is clearly inside its column).
    enum class Placement : quint8 { LeftEdge = 0, Inset = 1, Centred = 2 };

    explicit GlyphCache(const QFont& font) : font_(font) {}
    const QFont& font() const { return font_; }
    // A width x height cell filled with background, the character written
    // 2 pixels below its top, placed as asked.
    const QPixmap& Cell(char c, QRgb background, int width, int height, Placement placement, qreal pixelRatio);
    void Clear() { cells_.clear(); }

private:
    QFont font_;
    QHash<quint64, QPixmap> cells_;
};

}  // namespace sequara
