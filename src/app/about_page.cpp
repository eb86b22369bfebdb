#include "app/about_page.h"

#include "app/main_window.h"

#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>

namespace {

AboutPage::UrlOpener urlOpener;

QLabel* centredLabel(QWidget* parent, const char* name, const QRect& geometry) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

}  // namespace

const QUrl AboutPage::kEnglishWebPage(QStringLiteral("https://tavrix.example.org/en/"));
const QUrl AboutPage::kKoreanWebPage(QStringLiteral("https://tavrix.example.org/ko/"));

void AboutPage::setUrlOpener(UrlOpener opener) {
    urlOpener = std::move(opener);
}

AboutPage::AboutPage(TF1* owner) : Page(owner, "TS5") {
    CreateWidgets();
    ConnectWidgets();
}

void AboutPage::CreateWidgets() {
    L77 = centredLabel(this, "L77", QRect(8, 8, 328, 30));
    QFont title = L77->font();
    title.setBold(true);
    title.setPixelSize(22);
    L77->setFont(title);
    L77->setStyleSheet(QStringLiteral("color: navy;"));
    L77->setText(QStringLiteral("Tavrix"));

    L78 = centredLabel(this, "L78", QRect(8, 40, 328, 16));
    book.text(L78, {"버전 1.0.1.0", "version 1.0.1.0"});

    // Credits: the front end, then the emulator and its plug-ins, then information and support.
    struct Credit {
        QLabel** label;
        const char* name;
        Tr text;
    };
    const Credit credits[] = {
        {&L79, "L79", {"프런트엔드: Tavrix 개발팀", "Front end: the Tavrix team"}},
        {&L80, "L80", {"한국어 번역: Tavrix 개발팀", "Korean translation: the Tavrix team"}},
        {&L81, "L81", {"에뮬레이터: Orvo 프로젝트", "Emulator: the Orvo project"}},
        {&L82, "L82", {"소프트웨어 렌더러: Orvo 프로젝트", "Software renderer: the Orvo project"}},
        {&L83, "L83", {"Direct3D / OpenGL 렌더러: Orvo 프로젝트", "Direct3D / OpenGL renderers: the Orvo project"}},
        {&L84, "L84", {"사운드 플러그인: Orvo 프로젝트", "Sound plug-in: the Orvo project"}},
        {&L85, "L85", {"Vantrel 컨트롤러 플러그인: Vantrel", "Vantrel controller plug-in: Vantrel"}},
        {&L86, "L86", {"JAMMA 키보드 플러그인: Tavrix 개발팀", "JAMMA keyboard plug-in: the Tavrix team"}},
        {&L87, "L87", {"게임 정보: 아케이드 보존 커뮤니티", "Game information: the arcade preservation community"}},
        {&L88, "L88", {"테스트와 지원: 이 프로그램을 사용해 주시고\n버그를 알려 주시고 아이디어를 나눠 주신\n모든 분께 감사드립니다",
                       "Testing and support: thanks to everyone\nwho used this program, reported bugs\nand shared ideas"}},
        {&L93, "L93", {"이 프로그램은 무료이며 어떠한 보증도 없습니다", "This program is free and comes with no warranty"}},
    };
    int top = 66;
    for (const Credit& credit : credits) {
        const bool threeLines = credit.label == &L88;
        *credit.label = centredLabel(this, credit.name, QRect(8, top, 328, threeLines ? 42 : 16));
        (*credit.label)->setWordWrap(false);
        book.text(*credit.label, credit.text);
        top += threeLines ? 44 : 18;
    }

    B08 = new QPushButton(this);
    B08->setObjectName("B08");
    B08->setGeometry(40, 320, 100, 25);
    // The same caption in both languages.
    book.text(B08, {"OK"});

    B13 = new QPushButton(this);
    B13->setObjectName("B13");
    B13->setGeometry(150, 320, 150, 25);
    book.text(B13, {"Tavrix 웹 사이트", "Tavrix Web Site"});
}

void AboutPage::ConnectWidgets() {
    connect(B08, &QPushButton::clicked, this, [this] { B08Click(); });
    connect(B13, &QPushButton::clicked, this, [this] { B13Click(); });
}

void AboutPage::B08Click() {
    form->showPage(0);
}

void AboutPage::B13Click() {
    const QUrl& page = Language::english() ? kEnglishWebPage : kKoreanWebPage;
    // The result is not checked: a desktop without a browser is not an error of ours.
    if (urlOpener) urlOpener(page);
    else QDesktopServices::openUrl(page);
}
