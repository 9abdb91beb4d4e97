#include "platform/qt/ButtonGlyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

namespace sequara {

namespace {
using Drawing = std::function<void(QPainter&, int size, const QColor&)>;

QIcon glyph(const Drawing& draw, const QColor& normal = QColor(0x2E, 0x9E, 0x3A)) {
    QIcon icon;
    for (int size : {16, 24, 32, 48}) {
        for (auto [mode, color] : {std::pair{QIcon::Normal, normal},
                                   std::pair{QIcon::Disabled, QColor(0xA0, 0xA0, 0xA0)}}) {
            QPixmap pixmap(size, size);
            pixmap.fill(Qt::transparent);
            QPainter painter(&pixmap);
            painter.setRenderHint(QPainter::Antialiasing);
            draw(painter, size, color);
            painter.end();
            icon.addPixmap(pixmap, mode);
        }
    }
    return icon;
}
}  // namespace

QIcon OkGlyph() {
    return glyph([](QPainter& painter, int size, const QColor& color) {
        QPainterPath path;
        path.moveTo(size * 0.16, size * 0.55);
        path.lineTo(size * 0.40, size * 0.78);
        path.lineTo(size * 0.86, size * 0.22);
        painter.setPen(QPen(color, size * 0.16, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPath(path);
    });
}

QIcon RetryGlyph() {
    return glyph([](QPainter& painter, int size, const QColor& color) {
        // Three quarters of a circle, open at the top right, with an arrow head.
        const QRectF ring(size * 0.18, size * 0.18, size * 0.64, size * 0.64);
        painter.setPen(QPen(color, size * 0.13, Qt::SolidLine, Qt::FlatCap));
        painter.drawArc(ring, 60 * 16, 270 * 16);
        QPainterPath head;
        head.moveTo(size * 0.56, size * 0.02);
        head.lineTo(size * 0.92, size * 0.20);
        head.lineTo(size * 0.58, size * 0.40);
        head.closeSubpath();
        painter.setPen(Qt::NoPen);
        painter.setBrush(color);
        painter.drawPath(head);
    });
}

QIcon CancelGlyph() {
    return glyph(
        [](QPainter& painter, int size, const QColor& color) {
            painter.setPen(QPen(color, size * 0.15, Qt::SolidLine, Qt::RoundCap));
            painter.drawLine(QPointF(size * 0.25, size * 0.25), QPointF(size * 0.75, size * 0.75));
            painter.drawLine(QPointF(size * 0.75, size * 0.25), QPointF(size * 0.25, size * 0.75));
        },
        QColor(0xC8, 0x28, 0x28));
}

}  // namespace sequara
