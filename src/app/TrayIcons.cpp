#include "app/TrayIcons.h"

#include <QPainter>
#include <QPixmap>

namespace {

// A note with a tick; the second image lights the tick, so the icon seems to pulse.
QPixmap Draw(bool lit) {
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 60, 120), 1));
    p.setBrush(QColor(250, 250, 235));
    p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 2, 2);
    p.setPen(
        QPen(lit ? QColor(224, 2, 1) : QColor(0, 31, 210), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const QPointF tick[] = {{4, 8.5}, {7, 11.5}, {12, 4.5}};
    p.drawPolyline(tick, 3);
    return pm;
}

} // namespace

QIcon TrayIconImage(int index) {
    return QIcon(Draw(index % kTrayImageCount == 1));
}
