#include "platform/qt/ProgressGauge.h"

#include <QPainter>

#include <algorithm>

namespace sequara {

ProgressGauge::ProgressGauge(QColor fill, QWidget* parent) : QProgressBar(parent), fill_(fill) {
    setAlignment(Qt::AlignCenter);
}

void ProgressGauge::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect frame = rect().adjusted(0, 0, -1, -1);
    const QRect inside = rect().adjusted(1, 1, -1, -1);
    p.fillRect(inside, Qt::white);
    p.setPen(QColor(0x7a, 0x7a, 0x7a));
    p.drawRect(frame);

    const int span = maximum() - minimum();
    const double done = span > 0 ? double(value() - minimum()) / span : 0.0;
    QRect filled = inside;
    filled.setWidth(int(inside.width() * std::clamp(done, 0.0, 1.0) + 0.5));
    p.fillRect(filled, fill_);

    if (!isTextVisible()) return;
    const QString label = text();
    p.setClipRect(filled);
    p.setPen(Qt::white);
    p.drawText(inside, Qt::AlignCenter, label);
    p.setClipRect(QRect(filled.right() + 1, inside.top(), inside.right() - filled.right(), inside.height()));
    p.setPen(Qt::black);
    p.drawText(inside, Qt::AlignCenter, label);
}

}  // namespace sequara
