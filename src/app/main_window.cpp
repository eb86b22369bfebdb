#include "app/main_window.h"

#include "app/about_page.h"
#include "app/controls_page.h"
#include "app/error_report.h"
#include "app/game_info_page.h"
#include "app/game_list.h"
#include "app/general_page.h"
#include "app/language_panel.h"
#include "app/romset_scan.h"
#include "app/sound_page.h"
#include "app/video_page.h"
#include "platform/joystickex.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>

using namespace tavrix;

namespace {
// A control's place in the window at the narrow width.
QRect placeOf(const char* name) {
    const tavrix::Rect place = mainWindowLayout()[name].place;
    return QRect(place.x, place.y, place.width, place.height);
}
}  // namespace

// Each step of the start-up sequence on this window's controls.
class TF1::Steps : public StartupSteps {
public:
    explicit Steps(TF1& window) : w(window) {}

    void clearBatchRequest() override { w.batchRequested = false; }
    void reportCorruptedSettings(const char* text) override {
        ErrorReport::showError(QString::fromUtf8(text));
        QTimer::singleShot(0, &w, [window = &w] { window->close(); });
    }
    void showLanguagePanel(bool) override { w.P2->showState(); }
    void setEnglishFlag(bool english) override { Language::setEnglish(english); }
    void applyEnglishCaptions() override { w.applyEnglishCaptions(); }
    void fillGameList() override { w.gameList->fill(); }
    void reloadGeneralPage() override { w.generalPage->B05Click(); }
    void sortGameList() override {
        w.gameList->sort();
        w.gameList->markSortColumn();
    }
    void reloadSoundPage() override { w.soundPage->B12Click(); }
    void reloadVideoPage() override { w.videoPage->ReadVideoSettings(); }
    bool startupScanChecked() const override { return w.generalPage->CB24->isChecked(); }
    void scanRomsets() override { w.scanRomsets(); }
    void selectFirstGame() override { w.gameList->selectFirst(); }
    void reloadControlsPage(bool english) override {
        w.controlsPage->buildInputNames(english);
        w.controlsPage->LoadControllerConfig();
    }
    void showFirstPage() override { w.showPage(0); }
    void focusGameList() override { w.LV0->setFocus(); }

private:
    TF1& w;
};

TF1::TF1(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("F1"));
    setWindowTitle(QStringLiteral("Tavrix"));
    // Fixed border: system menu and minimize, no maximize; the user cannot resize.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(kClientWidth, kClientHeight);
    CreateWidgets();
    ConnectWidgets();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect desktop = screen->availableGeometry();
        move(desktop.center() - QPoint(kClientWidth / 2, kClientHeight / 2));
    }
}

TF1::~TF1() = default;

void TF1::CreateWidgets() {
    // The list's columns are the game list's business; the window only places the list.
    LV0 = new QTreeWidget(this);
    LV0->setObjectName(QStringLiteral("LV0"));
    LV0->setGeometry(placeOf("LV0"));

    PC1 = new QTabWidget(this);
    PC1->setObjectName(QStringLiteral("PC1"));
    PC1->setGeometry(placeOf("PC1"));
    PC1->setUsesScrollButtons(false);
    // Six tabs share 352 pixels: keep their padding tight so every caption shows whole.
    PC1->setStyleSheet(QStringLiteral("QTabBar::tab { padding: 3px 4px 3px 4px; }"));
    gameInfoPage = new GameInfoPage(this);
    generalPage = new GeneralPage(this);
    videoPage = new VideoPage(this);
    soundPage = new SoundPage(this);
    controlsPage = new ControlsPage(this);
    aboutPage = new AboutPage(this);
    PC1->addTab(gameInfoPage, QString());
    PC1->addTab(generalPage, QString());
    PC1->addTab(videoPage, QString());
    PC1->addTab(soundPage, QString());
    PC1->addTab(controlsPage, QString());
    PC1->addTab(aboutPage, QString());
    const std::vector<Caption>& tabCaptions = mainWindowLayout()["PC1"].items;
    for (int index = 0; index < PC1->count(); ++index) book.tab(PC1, index, tabCaptions.at(index));

    gameList = new GameList(this, LV0);

    P2 = new LanguagePanel(this, startup.panel);

    // The joysticks report every 100 ms once capturing, scaled to 0, 1, 2 with 1 the centre.
    const auto joysticks = systemJoystickSource();
    J1 = new TJoystickex(joysticks, this);
    J2 = new TJoystickex(joysticks, this);
    J1->setObjectName(QStringLiteral("J1"));
    J2->setObjectName(QStringLiteral("J2"));
    for (TJoystickex* joystick : {J1, J2}) {
        joystick->setGamePort(joystick == J1 ? TGamePort::Gameport1 : TGamePort::Gameport2);
        joystick->setPolling(true);
        joystick->setInterval(100);
        joystick->setEventThreshold(0.1);
        joystick->setScaled(true);
        joystick->setXScaledBy(2);
        joystick->setYScaledBy(2);
        joystick->setZScaledBy(2);
        joystick->setCalAutoSave(false);
        joystick->setCalAutoLoad(false);
        joystick->JoyMove = [this](TJoystickex* sender, int x, int y, uint16_t buttons, bool calibrating) {
            controlsPage->J1JoyMove(sender, x, y, buttons, calibrating);
        };
        joystick->JoyRemoved = [this](TJoystickex* sender) { controlsPage->J1JoyRemoved(sender); };
    }
}

void TF1::ConnectWidgets() {
    connectLaunchEvents();
}

void TF1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Only the first show starts the program; hiding and showing around an emulator run does not.
    if (shownBefore) return;
    shownBefore = true;
    FormShow();
}

void TF1::showPage(int index) {
    PC1->setCurrentIndex(index);
}

void TF1::scanRomsets() {
    RomsetScan(*this).run();
}

void TF1::setClientWidth(int width) {
    const int growth = width - kClientWidth;
    setFixedSize(width, kClientHeight);
    LV0->setGeometry(placeOf("LV0").adjusted(0, 0, growth, 0));
    PC1->setGeometry(placeOf("PC1").translated(growth, 0));
    P2->setGeometry(0, 0, width, kClientHeight);
}

void TF1::applyEnglishCaptions() {
    book.applyEnglish();
    gameList->applyEnglishCaptions();
    for (Page* page : std::initializer_list<Page*>{gameInfoPage, generalPage, videoPage, soundPage,
                                                   controlsPage, aboutPage})
        page->applyEnglishCaptions();
}

void TF1::FormShow() {
    Steps steps(*this);
    startup.FormShow(steps);
}

void TF1::confirmLanguage() {
    Steps steps(*this);
    startup.B10Click(steps);
}
