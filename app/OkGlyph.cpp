#include "app/OkGlyph.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace sequara {

namespace {
QPixmap tick(int size, const QColor& color) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    path.moveTo(size * 0.16, size * 0.55);
    path.lineTo(size * 0.40, size * 0.78);
    path.lineTo(size * 0.86, size * 0.22);
    painter.setPen(QPen(color, size * 0.16, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(path);
    return pixmap;
}
}  // namespace

QIcon OkGlyph() {
    QIcon icon;
    for (int size : {16, 24, 32, 48}) {
        icon.addPixmap(tick(size, QColor(0x2E, 0x9E, 0x3A)), QIcon::Normal);
        icon.addPixmap(tick(size, QColor(0xA0, 0xA0, 0xA0)), QIcon::Disabled);
    }
    return icon;
}

}  // namespace sequara
