#include "app/image_list.h"

#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int kSize = 16;

// A chip: a rounded body with legs on both sides, in the status colour.
QPixmap chip(const QColor& colour) {
    QPixmap picture(kSize, kSize);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(60, 60, 60), 1));
    for (int y = 4; y <= 11; y += 3) {
        p.drawLine(QPointF(1, y + 0.5), QPointF(4, y + 0.5));
        p.drawLine(QPointF(12, y + 0.5), QPointF(15, y + 0.5));
    }
    p.setPen(QPen(colour.darker(160), 1));
    p.setBrush(colour);
    p.drawRoundedRect(QRectF(3.5, 2.5, 9, 11), 2, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(colour.lighter(150));
    p.drawEllipse(QRectF(5, 4, 2.5, 2.5));
    return picture;
}

// A sort arrow on the left and four bars on the right.
QPixmap arrow(bool ascending) {
    QPixmap picture(kSize, kSize);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink(40, 40, 40);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawRect(QRectF(3, 3, 1.5, 10));
    QPainterPath head;
    if (ascending) {  // up arrow
        head.moveTo(3.75, 1);
        head.lineTo(0.5, 5);
        head.lineTo(7, 5);
    } else {  // down arrow
        head.moveTo(3.75, 15);
        head.lineTo(0.5, 11);
        head.lineTo(7, 11);
    }
    head.closeSubpath();
    p.drawPath(head);
    for (int bar = 0; bar < 4; ++bar) {
        // Ascending: bars lengthen downwards; descending: they shorten downwards.
        const int length = ascending ? 2 + bar * 2 : 8 - bar * 2;
        p.drawRect(QRectF(8, 2 + bar * 3.5, length, 2));
    }
    return picture;
}

}  // namespace

ImageList::ImageList() {
    images_ = {chip(QColor(220, 30, 30)), chip(QColor(240, 200, 20)), chip(QColor(30, 170, 50)), arrow(false),
               arrow(true)};
    for (const QPixmap& picture : images_) icons_.push_back(QIcon(picture));
}

QPixmap ImageList::image(int index) const {
    return index >= 0 && index < count() ? images_[index] : QPixmap();
}

QIcon ImageList::icon(int index) const {
    return index >= 0 && index < count() ? icons_[index] : QIcon();
}
