#include "app/language_panel.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {

QPixmap promptPicture() {
    QPixmap picture(182, 11);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QFont font;
    font.setPixelSize(10);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QRect(0, -1, 182, 12), Qt::AlignCenter,
                     QString::fromUtf8(tavrix::languagePanelLayout()["I4"].accessibleName.ko));
    return picture;
}

// The flag of Korea: white field, the red and blue circle, four black trigram bars.
QPixmap koreanFlag() {
    const int w = 30, h = 20;
    QPixmap flag(w, h);
    flag.fill(Qt::white);
    QPainter p(&flag);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(w / 2.0, h / 2.0);
    const double r = 5.0;
    const double angle = std::atan2(2.0, 3.0) * 180.0 / M_PI;  // along the flag's diagonal
    p.translate(centre);
    p.rotate(angle);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xCD, 0x2E, 0x3A));
    p.drawPie(QRectF(-r, -r, 2 * r, 2 * r), 0, 180 * 16);
    p.setBrush(QColor(0x00, 0x47, 0xA0));
    p.drawPie(QRectF(-r, -r, 2 * r, 2 * r), 180 * 16, 180 * 16);
    p.setBrush(QColor(0xCD, 0x2E, 0x3A));
    p.drawEllipse(QRectF(-r, -r / 2, r, r));
    p.setBrush(QColor(0x00, 0x47, 0xA0));
    p.drawEllipse(QRectF(0, -r / 2, r, r));
    p.resetTransform();
    p.setBrush(Qt::black);
    const QPointF corners[4] = {{5, 4}, {25, 16}, {25, 4}, {5, 16}};
    for (const QPointF& c : corners) {
        p.save();
        p.translate(c);
        const bool falling = (c.x() < centre.x()) == (c.y() < centre.y());
        p.rotate(falling ? angle + 90 : -angle + 90);
        for (int bar = -1; bar <= 1; ++bar) p.drawRect(QRectF(-3, bar * 1.4 - 0.5, 6, 0.9));
        p.restore();
    }
    return flag;
}

// The left half shows the United States, the right half the United Kingdom.
QPixmap englishFlag() {
    const int w = 30, h = 20;
    QPixmap flag(w, h);
    flag.fill(Qt::white);
    QPainter p(&flag);
    // United States: thirteen stripes and a blue canton.
    for (int stripe = 0; stripe < 13; stripe += 2)
        p.fillRect(QRectF(0, stripe * h / 13.0, w / 2.0, h / 13.0), QColor(0xB2, 0x22, 0x34));
    p.fillRect(QRectF(0, 0, 8, 7 * h / 13.0), QColor(0x3C, 0x3B, 0x6E));
    p.setPen(Qt::white);
    for (int y = 1; y < 10; y += 3)
        for (int x = 1; x < 8; x += 3) p.drawPoint(x, y);
    // United Kingdom: blue field, white and red saltires, white and red cross.
    const QRectF uk(w / 2.0, 0, w / 2.0, h);
    p.fillRect(uk, QColor(0x01, 0x21, 0x69));
    p.setRenderHint(QPainter::Antialiasing);
    p.setClipRect(uk);
    p.setPen(QPen(Qt::white, 3));
    p.drawLine(uk.topLeft(), uk.bottomRight());
    p.drawLine(uk.bottomLeft(), uk.topRight());
    p.setPen(QPen(QColor(0xC8, 0x10, 0x2E), 1));
    p.drawLine(uk.topLeft(), uk.bottomRight());
    p.drawLine(uk.bottomLeft(), uk.topRight());
    p.fillRect(QRectF(uk.center().x() - 2.5, 0, 5, h), Qt::white);
    p.fillRect(QRectF(uk.left(), uk.center().y() - 2.5, uk.width(), 5), Qt::white);
    p.fillRect(QRectF(uk.center().x() - 1.5, 0, 3, h), QColor(0xC8, 0x10, 0x2E));
    p.fillRect(QRectF(uk.left(), uk.center().y() - 1.5, uk.width(), 3), QColor(0xC8, 0x10, 0x2E));
    return flag;
}

}  // namespace

LanguagePanel::LanguagePanel(tavrix::PageHost& host, tavrix::LanguagePanelModel& model, QWidget* parent)
    : Page(host, tavrix::kLanguagePanel, model, tavrix::languagePanelLayout(), "P2", parent), model(model) {
    setAutoFillBackground(true);
    static_cast<QLabel*>(control("I4"))->setPixmap(promptPicture());
    static_cast<QLabel*>(control("I2"))->setPixmap(koreanFlag());
    static_cast<QLabel*>(control("I3"))->setPixmap(englishFlag());
}

void LanguagePanel::showModel() {
    if (!model.visible) {
        hide();
        return;
    }
    show();
    raise();
}
