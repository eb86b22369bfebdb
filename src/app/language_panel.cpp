#include "app/language_panel.h"

#include "app/clickable_label.h"
#include "app/main_window.h"
#include "core/ini_document.h"
#include "core/settings.h"

#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRadioButton>

#include <cmath>

namespace {

const char* const kPrompt = "언어를 선택하세요 / Select language";

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
                     QString::fromUtf8(kPrompt));
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

LanguagePanel::LanguagePanel(TF1* owner) : QWidget(owner), form(owner) {
    setObjectName(QStringLiteral("P2"));
    setAutoFillBackground(true);
    CreateWidgets();
    ConnectWidgets();
    hide();
}

void LanguagePanel::CreateWidgets() {
    I4 = new ClickableLabel(this);
    I4->setObjectName(QStringLiteral("I4"));
    I4->setGeometry(243, 154, 182, 11);
    I4->setPixmap(promptPicture());
    I4->setAccessibleName(QString::fromUtf8(kPrompt));

    RB1 = new QRadioButton(this);
    RB1->setObjectName(QStringLiteral("RB1"));
    RB1->setGeometry(257, 178, 17, 17);

    I2 = new ClickableLabel(this);
    I2->setObjectName(QStringLiteral("I2"));
    I2->setGeometry(278, 176, 30, 20);
    I2->setPixmap(koreanFlag());

    RB2 = new QRadioButton(this);
    RB2->setObjectName(QStringLiteral("RB2"));
    RB2->setGeometry(355, 178, 17, 17);

    I3 = new ClickableLabel(this);
    I3->setObjectName(QStringLiteral("I3"));
    I3->setGeometry(376, 176, 30, 20);
    I3->setPixmap(englishFlag());

    // The radio buttons have no caption and the flags are pictures: a screen reader speaks each
    // language by its own name, as the panel comes before any interface language is chosen.
    const QString korean = QString::fromUtf8("한국어");
    const QString english = QStringLiteral("English");
    RB1->setAccessibleName(korean);
    I2->setAccessibleName(korean);
    RB2->setAccessibleName(english);
    I3->setAccessibleName(english);

    // The same word in both languages: the panel is shown before a language is chosen.
    B10 = new QPushButton(QStringLiteral("OK"), this);
    B10->setObjectName(QStringLiteral("B10"));
    B10->setGeometry(288, 216, 89, 25);
    B10->setEnabled(false);
}

void LanguagePanel::ConnectWidgets() {
    // Checking a radio button, by the user or from code, runs the shared click handler.
    connect(RB1, &QRadioButton::toggled, this, [this] { RB1Click(); });
    connect(RB2, &QRadioButton::toggled, this, [this] { RB1Click(); });
    connect(I2, &ClickableLabel::clicked, this, [this] { I2Click(); });
    connect(I3, &ClickableLabel::clicked, this, [this] { I3Click(); });
    connect(B10, &QPushButton::clicked, this, [this] { B10Click(); });
}

void LanguagePanel::RB1Click() {
    if (RB1->isChecked() || RB2->isChecked()) B10->setEnabled(true);
}

void LanguagePanel::I2Click() {
    RB1->setChecked(true);
}

void LanguagePanel::I3Click() {
    RB2->setChecked(true);
}

void LanguagePanel::B10Click() {
    B10->setEnabled(false);
    auto document = tavrix::IniDocument::load(tavrix::kSettingsFileName);
    tavrix::writeSetting(document, tavrix::settings::englishVersion, RB2->isChecked());
    try {
        document.save(tavrix::kSettingsFileName);
    } catch (...) {
        // The choice was not stored: OK stays available for another try once the file can be
        // written, instead of leaving the panel with no way forward.
        B10->setEnabled(true);
        throw;
    }
    form->setLanguageChosen();
    try {
        form->FormShow();
    } catch (...) {
        // The sequence stopped at a step that failed (a stored value it cannot read): the
        // error is reported as at any start, and the window is left as such a start leaves it,
        // with the language chosen and without the panel over it. first-startup stays as the
        // file has it, since the sequence clears it only once every page has been filled.
        hide();
        throw;
    }
}
