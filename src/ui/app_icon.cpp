#include "ui/app_icon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace clv::ui {

namespace {

// Drawn rather than loaded, so the icon needs no image plug-in; the installed
// SVG for the desktop shows the same picture.
QPixmap DrawIcon(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2e, 0x5e, 0x8c));
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 10, 10);
    QPainterPath ground;
    ground.moveTo(6, 46);
    ground.lineTo(22, 46);
    ground.lineTo(40, 24);
    ground.lineTo(58, 24);
    ground.lineTo(58, 58);
    ground.lineTo(6, 58);
    ground.closeSubpath();
    p.setBrush(QColor(0xc8, 0xa0, 0x5a));
    p.drawPath(ground);
    QPen arc(QColor(0xd0, 0x30, 0x30), 3.5);
    arc.setCapStyle(Qt::RoundCap);
    p.setPen(arc);
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(14, 0, 40, 50), 200 * 16, 150 * 16);
    return pixmap;
}

} // namespace

QIcon AppIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128})
        icon.addPixmap(DrawIcon(size));
    return icon;
}

} // namespace clv::ui
