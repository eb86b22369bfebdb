#include "app/app_icon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

QImage appIconImage(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);

    // A cabinet-blue tile.
    QLinearGradient tile(0, 0, 0, 64);
    tile.setColorAt(0, QColor(0x2B, 0x3F, 0x9E));
    tile.setColorAt(1, QColor(0x10, 0x18, 0x4A));
    p.setPen(Qt::NoPen);
    p.setBrush(tile);
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);

    // A joystick: base, shaft and red ball top.
    p.setBrush(QColor(0x20, 0x20, 0x28));
    p.drawEllipse(QRectF(10, 42, 24, 10));
    p.setBrush(QColor(0xC8, 0xC8, 0xD0));
    p.drawRoundedRect(QRectF(20, 22, 4, 24), 2, 2);
    QRadialGradient ball(QPointF(19, 17), 10);
    ball.setColorAt(0, QColor(0xFF, 0x8A, 0x80));
    ball.setColorAt(1, QColor(0xC6, 0x16, 0x1C));
    p.setBrush(ball);
    p.drawEllipse(QRectF(12, 10, 20, 20));

    // Two arcade buttons.
    p.setBrush(QColor(0xFF, 0xD2, 0x3A));
    p.drawEllipse(QRectF(38, 26, 12, 12));
    p.setBrush(QColor(0x3A, 0xD2, 0x6A));
    p.drawEllipse(QRectF(44, 40, 12, 12));
    return image;
}

QIcon appIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) icon.addPixmap(QPixmap::fromImage(appIconImage(size)));
    return icon;
}
