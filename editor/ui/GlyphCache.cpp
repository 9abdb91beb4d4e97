#include "editor/ui/GlyphCache.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace sequara {

const QPixmap& GlyphCache::Cell(char c, QRgb background, int width, int height, Placement placement,
                                qreal pixelRatio) {
    const quint64 key = quint64(static_cast<unsigned char>(c)) | (quint64(background & 0xFFFFFFu) << 8) |
                        (quint64(width & 0x3FF) << 32) | (quint64(height & 0xFF) << 42) |
                        (quint64(placement) << 50) | (quint64(pixelRatio * 4) << 52);
    auto it = cells_.find(key);
    if (it != cells_.end()) return *it;
    if (cells_.size() > 8192) cells_.clear();  // colours changed many times
    QPixmap pixmap(int(width * pixelRatio), int(height * pixelRatio));
    pixmap.setDevicePixelRatio(pixelRatio);
    pixmap.fill(QColor::fromRgb(background));
    if (c != ' ' && c != '\0') {
        QPainter p(&pixmap);
        p.setFont(font_);
        p.setPen(Qt::black);
        const QString text(QChar::fromLatin1(c));
        int x = placement == Placement::LeftEdge ? 0 : 2;
        if (placement == Placement::Centred)
            x = std::max(0, (width - QFontMetrics(font_).horizontalAdvance(text)) / 2);
        p.drawText(QRect(x, 2, width - x, height - 2), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
                   text);
    }
    return *cells_.insert(key, pixmap);
}

}  // namespace sequara
