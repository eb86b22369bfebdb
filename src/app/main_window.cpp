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
#include "core/ini_document.h"
#include "core/ini_document_cache.h"
#include "core/settings.h"
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
// The window's list and pages, left/top/width/height at the narrow width.
const QRect kListGeometry(8, 10, 277, 381);
const QRect kPagesGeometry(292, 10, 352, 382);

// The box of the start-up check: a Russian line, a line feed, a carriage return, then English.
const char* const kCorruptedSettingsText =
    "Файл конфигурации повреждён!\n\rConfiguration file is corrupted!";
}  // namespace

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
    LV0 = new QTreeWidget(this);
    LV0->setObjectName(QStringLiteral("LV0"));
    LV0->setGeometry(kListGeometry);

    PC1 = new QTabWidget(this);
    PC1->setObjectName(QStringLiteral("PC1"));
    PC1->setGeometry(kPagesGeometry);
    PC1->setUsesScrollButtons(false);
    // Six tabs share 352 pixels: keep their padding tight so every caption shows whole.
    PC1->setStyleSheet(QStringLiteral("QTabBar::tab { padding: 3px 5px 3px 5px; }"));
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
    book.tab(PC1, 0, {"게임 정보", "Game Info"});
    book.tab(PC1, 1, {"일반 설정", "General Settings"});
    book.tab(PC1, 2, {"비디오", "Video"});
    book.tab(PC1, 3, {"사운드", "Sound"});
    book.tab(PC1, 4, {"조작", "Controls"});
    book.tab(PC1, 5, {"정보", "About"});

    gameList = new GameList(this, LV0);

    P2 = new LanguagePanel(this);
    P2->setGeometry(0, 0, kClientWidth, kClientHeight);

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
    LV0->setGeometry(kListGeometry.adjusted(0, 0, growth, 0));
    PC1->setGeometry(kPagesGeometry.translated(growth, 0));
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
    // 1. No batch file is pending at start.
    batchRequested = false;

    // 2. The settings file must hold its section. Without it the program ends right after the
    //    box, before anything could write a file that would hide the damage at the next start.
    const auto cachedSettings = IniDocumentCache::shared().load(kSettingsFileName);
    const IniDocument& settingsFile = *cachedSettings;
    if (!settingsFile.hasSection(kSettingsSection)) {
        ErrorReport::showError(QString::fromUtf8(kCorruptedSettingsText));
        QTimer::singleShot(0, this, [this] { close(); });
        return;
    }

    // 3. First start: only the language panel, until the user confirms a language.
    if (!languageChosen && readSetting(settingsFile, settings::firstStartup)) {
        P2->show();
        P2->raise();
        return;
    }

    // 4. The interface language, fixed for the rest of the run.
    Language::setEnglish(readSetting(settingsFile, settings::englishVersion));
    if (Language::english()) applyEnglishCaptions();

    // 5. Fill the game list from the game database.
    gameList->fill();
    // 6. Reload the General Settings page.
    generalPage->B05Click();
    // 7. Sort the game list and mark the sort column.
    gameList->sort();
    gameList->markSortColumn();
    // 8. Reload the Sound page. It shows itself; step 13 switches back.
    soundPage->B12Click();
    // 9. Reload the Video page from the settings file and the renderer files.
    videoPage->ReadVideoSettings();
    // 10. Scan the romset directory when the General page asks for it at start-up.
    if (generalPage->CB24->isChecked()) scanRomsets();

    // 11. The first start is over: clear the flag. The file is read afresh, since the steps
    //     before may have written it.
    if (readSetting(*IniDocumentCache::shared().load(kSettingsFileName), settings::firstStartup)) {
        auto current = IniDocumentCache::shared().loadForChange(kSettingsFileName);
        writeSetting(current, settings::firstStartup, false);
        current.save(kSettingsFileName);
        IniDocumentCache::shared().remember(kSettingsFileName, std::move(current));
        // Then scan the romset directory, also when step 10 has scanned already.
        scanRomsets();
    }

    // 12. Select the first game of the list.
    gameList->selectFirst();
    // 13. Build the input name tables and reload the Controls page.
    controlsPage->buildInputNames(Language::english());
    controlsPage->LoadControllerConfig();
    showPage(0);
    P2->hide();
    LV0->setFocus();
}
