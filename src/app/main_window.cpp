#include "app/main_window.h"

#include "app/controls_page.h"
#include "app/error_report.h"
#include "app/game_info_page.h"
#include "app/game_list.h"
#include "app/language_panel.h"
#include "app/video_page.h"
#include "core/emulator_contract.h"
#include "core/virtual_keys.h"
#include "platform/joystickex.h"
#include "platform/renderer_plugin.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <QTreeView>
#include <QUrl>

using namespace tavrix;

namespace {

TF1::FolderChooser folderChooser;
TF1::UrlOpener urlOpener;

// While a scan runs: Esc pressed anywhere in the window stops it. Nothing else sees that Esc.
class EscapeStopsScan : public QObject {
public:
    EscapeStopsScan(TF1& window, WindowModel& model) : QObject(&window), window(window), model(model) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->key() != Qt::Key_Escape ||
            !watched->isWidgetType())
            return false;
        auto* widget = static_cast<QWidget*>(watched);
        return (widget == &window || window.isAncestorOf(widget)) && model.stopScan();
    }

private:
    TF1& window;
    WindowModel& model;
};

// A control's place in the window at the narrow width.
QRect placeOf(const char* name) {
    const tavrix::Rect place = mainWindowLayout()[name].place;
    return QRect(place.x, place.y, place.width, place.height);
}

}  // namespace

void TF1::setFolderChooser(FolderChooser chooser) {
    folderChooser = std::move(chooser);
}

void TF1::setUrlOpener(UrlOpener opener) {
    urlOpener = std::move(opener);
}

TF1::TF1(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("F1"));
    setWindowTitle(QStringLiteral("Tavrix"));
    // Fixed border: system menu and minimize, no maximize; the user cannot resize.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(kClientWidth, kClientHeight);
    CreateWidgets();
    ConnectWidgets();
    // Every key press of the application passes here first; those of this window's controls
    // go to the window model.
    qApp->installEventFilter(this);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect desktop = screen->availableGeometry();
        move(desktop.center() - QPoint(kClientWidth / 2, kClientHeight / 2));
    }
}

TF1::~TF1() {
    qApp->removeEventFilter(this);
}

void TF1::CreateWidgets() {
    // The list's columns are the game list's business; the window only places the list.
    LV0 = new QTreeView(this);
    LV0->setObjectName(QStringLiteral("LV0"));
    LV0->setGeometry(placeOf("LV0"));
    gameList = new GameList(model_, LV0, this);

    PC1 = new QTabWidget(this);
    PC1->setObjectName(QStringLiteral("PC1"));
    PC1->setGeometry(placeOf("PC1"));
    PC1->setUsesScrollButtons(false);
    // Six tabs share 352 pixels: keep their padding tight so every caption shows whole.
    PC1->setStyleSheet(QStringLiteral("QTabBar::tab { padding: 3px 4px 3px 4px; }"));
    pages[kGameInfoPage] = gameInfoPage = new GameInfoPage(model_, model_.gameInfo, this);
    pages[kGeneralPage] = new Page(model_, kGeneralPage, model_.general, generalPageLayout(), "TS2", this);
    pages[kVideoPage] = new VideoPage(model_, model_.video, this);
    pages[kSoundPage] = new Page(model_, kSoundPage, model_.sound, soundPageLayout(), "TS6", this);
    pages[kControlsPage] = controlsPage = new ControlsPage(model_, model_.controls, this);
    pages[kAboutPage] = new Page(model_, kAboutPage, model_.page(kAboutPage), aboutPageLayout(), "TS5", this);
    const std::vector<Caption>& tabCaptions = mainWindowLayout()["PC1"].items;
    for (int index = 0; index < kPageCount; ++index) {
        PC1->addTab(pages[static_cast<std::size_t>(index)], QString());
        book.tab(PC1, index, tabCaptions.at(static_cast<std::size_t>(index)));
    }
    pages[kLanguagePanel] = new LanguagePanel(model_, model_.startup.panel, this);
    pages[kLanguagePanel]->setGeometry(0, 0, kClientWidth, kClientHeight);
    pages[kLanguagePanel]->hide();

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
    }
}

void TF1::ConnectWidgets() {
    for (TJoystickex* joystick : {J1, J2}) {
        const int number = joystick == J1 ? 1 : 2;
        joystick->JoyMove = [this, number](TJoystickex*, int x, int y, uint16_t buttons, bool) {
            model_.J1JoyMove(number, x, y, buttons);
        };
        joystick->JoyRemoved = [this](TJoystickex*) { model_.J1JoyRemoved(); };
    }
    // The user's pick of a tab (the program's own switches report back the same way).
    connect(PC1, &QTabWidget::currentChanged, this, [this](int index) { model_.pageShown(index); });
    setEmulatorLauncher(makeSystemEmulatorLauncher());
}

void TF1::setEmulatorLauncher(std::unique_ptr<EmulatorLauncher> launcher) {
    emulatorLauncher = std::move(launcher);
    connect(emulatorLauncher.get(), &EmulatorLauncher::ended, this, [this] { model_.emulatorEnded(); });
}

void TF1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Only the first show starts the program; hiding and showing around an emulator run does not.
    if (shownBefore) return;
    shownBefore = true;
    // Once the window is on the screen, so that a scan at start-up shows its progress in it.
    QMetaObject::invokeMethod(this, [this] { model_.FormShow(); }, Qt::QueuedConnection);
}

void TF1::closeEvent(QCloseEvent* event) {
    if (!model_.closeRequested()) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

void TF1::showPage(int index) {
    PC1->setCurrentIndex(index);
}

void TF1::drawPage(int page) {
    pages[static_cast<std::size_t>(page)]->drawModel();
    // Nothing under the language panel takes the focus while it shows.
    if (page == kLanguagePanel) {
        LV0->setVisible(!model_.startup.panel.visible);
        PC1->setVisible(!model_.startup.panel.visible);
    }
}

bool TF1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return QWidget::eventFilter(watched, event);
    auto* widget = static_cast<QWidget*>(watched);
    if (widget->window() != this) return false;
    // The control is the nearest widget named by the tables (the tab bar of PC1 is PC1's).
    std::string control;
    for (QWidget* named = widget; named != nullptr && named != this; named = named->parentWidget()) {
        const QString name = named->objectName();
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_"))) continue;
        control = name.toStdString();
        break;
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers held = key->modifiers();
    return model_.keyDown(control, windowsVirtualKey(key->key(), held.testFlag(Qt::KeypadModifier)),
                          {held.testFlag(Qt::ControlModifier), held.testFlag(Qt::ShiftModifier),
                           held.testFlag(Qt::AltModifier)});
}

void TF1::setCaption(const std::string& text) {
    setWindowTitle(QString::fromUtf8(text.c_str()));
}

void TF1::setEnglishFlag(bool english) {
    Language::setEnglish(english);
}

void TF1::applyEnglishCaptions() {
    book.applyEnglish();
    gameList->applyEnglishCaptions();
    for (Page* page : pages) page->applyEnglishCaptions();
}

void TF1::setClientWidth(int width) {
    const int growth = width - kClientWidth;
    setFixedSize(width, kClientHeight);
    LV0->setGeometry(placeOf("LV0").adjusted(0, 0, growth, 0));
    PC1->setGeometry(placeOf("PC1").translated(growth, 0));
    pages[kLanguagePanel]->setGeometry(0, 0, width, kClientHeight);
}

void TF1::reportCorruptedSettings(const char* text) {
    ErrorReport::showError(QString::fromUtf8(text));
    QTimer::singleShot(0, this, [this] { close(); });
}

void TF1::reportError(const std::string& text) {
    ErrorReport::report(QString::fromUtf8(text.c_str()));
}

std::string TF1::chooseFolder(const std::string& prompt) {
    // Only file-system folders. Nothing is preselected: the dialog starts at the user's home,
    // not in the working directory that an empty start folder would give.
    const QString text = QString::fromUtf8(prompt.c_str());
    const QString startFolder = QDir::homePath();
    if (folderChooser) return folderChooser(text, startFolder).toStdString();
    return QFileDialog::getExistingDirectory(this, text, startFolder,
                                             QFileDialog::ShowDirsOnly | QFileDialog::DontResolveSymlinks)
        .toStdString();
}

void TF1::openWebPage(const char* address) {
    const QUrl page(QString::fromLatin1(address));
    if (urlOpener)
        urlOpener(page);
    else
        QDesktopServices::openUrl(page);
}

void TF1::runRendererDialog() {
    if (!rendererDialog)
        rendererDialog = std::make_unique<platform::SoftwareRendererDialog>(
            QString::fromLatin1(emulator::kSoftwareRendererPlugin));
    // The plug-in's dialog runs on this thread; the window takes no input meanwhile and is
    // enabled again however the call ends.
    setEnabled(false);
    struct EnableAgain {
        TF1* window;
        ~EnableAgain() { window->setEnabled(true); }
    } enableAgain{this};
    rendererDialog->run();
}

bool TF1::loadPicture(const std::string& path) {
    return gameInfoPage->loadPicture(path);
}

void TF1::captureStarted() {
    // Without a joystick on a port the capture fails; keys still work.
    J1->StartCapture();
    J2->StartCapture();
    controlsPage->focusKeyReceiver();
}

void TF1::focus(std::string_view control) {
    if (auto* widget = findChild<QWidget*>(QString::fromLatin1(control.data(), static_cast<qsizetype>(control.size()))))
        widget->setFocus(Qt::OtherFocusReason);
}

void TF1::showEntries() {
    gameList->showEntries();
}

void TF1::showOrder() {
    gameList->showOrder();
}

void TF1::showHeaderImages() {
    gameList->showHeaderImages();
}

void TF1::showColumns() {
    gameList->showColumns();
}

void TF1::showStatus(int position) {
    gameList->showStatus(position);
}

void TF1::selectQuietly(int position) {
    gameList->selectQuietly(position);
}

int TF1::selectedGame() const {
    return gameList->selectedNumber();
}

void TF1::focusGameList() {
    LV0->setFocus();
}

// The window stays enabled while a scan runs: it repaints, moves and takes Esc.
void TF1::lockControls(bool locked) {
    if (locked) {
        focusBeforeScan = QApplication::focusWidget();
        if (escapeStopsScan == nullptr) escapeStopsScan = new EscapeStopsScan(*this, model_);
        qApp->installEventFilter(escapeStopsScan);
    } else {
        qApp->removeEventFilter(escapeStopsScan);
    }
    for (const char* name : kLockedDuringScan) control(name)->setEnabled(!locked);
    if (!locked && focusBeforeScan && focusBeforeScan->isEnabled()) focusBeforeScan->setFocus();
}

QWidget* TF1::control(const char* name) {
    auto* found = findChild<QWidget*>(QString::fromLatin1(name));
    if (found == nullptr) throw std::logic_error(std::string("no control ") + name);
    return found;
}

void TF1::showScanProgress(int, int total) {
    // The caption shows how far the scan is; the window handles what has come meanwhile.
    if (total > 0) QCoreApplication::processEvents();
}

bool TF1::awaitScanResults() {
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return true;
}

void TF1::wakeScan() {
    // Any event ends the wait; this one does nothing else.
    QMetaObject::invokeMethod(this, [] {}, Qt::QueuedConnection);
}

void TF1::closeWindow() {
    QTimer::singleShot(0, this, [this] { close(); });
}

// The window is out of the way while the emulator runs and takes no input; the joysticks
// stay quiet, as the emulator has them now. The event loop goes on, so the hidden window
// still answers the desktop; the launcher reports the emulator's end.
void TF1::hideWindow() {
    hide();
    setEnabled(false);
    for (TJoystickex* joystick : {J1, J2}) joystick->pauseReports();
}

void TF1::startEmulator(const std::string& commandLine, bool hideConsole) {
    emulatorLauncher->start(commandLine, hideConsole);
}

void TF1::showWindow() {
    for (TJoystickex* joystick : {J1, J2}) joystick->resumeReports();
    setEnabled(true);
    show();
}
