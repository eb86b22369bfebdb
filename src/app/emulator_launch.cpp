// The main window's hand-over to the emulator: the game list's launch events, the inputs read
// from the pages' controls, the batch file, the start, and the window's return when the
// emulator ends. The event loop goes on while the emulator runs, so the hidden window still
// answers the desktop; it takes no input and starts nothing in that time.
#include "app/main_window.h"

#include "app/error_report.h"
#include "app/game_list.h"
#include "app/general_page.h"
#include "app/sound_page.h"
#include "app/video_page.h"
#include "core/error.h"
#include "platform/joystickex.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QRadioButton>
#include <QTreeWidget>

using namespace tavrix;

namespace {

// The game list's keys: Enter and Ctrl+F11 go to the window's handlers instead of the list.
class GameListKeys : public QObject {
public:
    explicit GameListKeys(TF1* form) : QObject(form), form(form) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
        auto* key = static_cast<QKeyEvent*>(event);
        // Enter types character 13 only on its own or with Shift: with Ctrl it types a line
        // feed (10), and with Alt no character at all, so neither launches.
        const bool isEnter = (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
                             !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        const bool isF11 = key->key() == Qt::Key_F11;
        if (!isEnter && !isF11) return false;
        // Errors end the handler and go to the general report.
        const int code = key->key();
        const Qt::KeyboardModifiers modifiers = key->modifiers();
        ErrorReport::guard([&] {
            if (isF11) form->LV0KeyDown(code, modifiers);
            if (isEnter) form->LV0KeyPress('\r');
        });
        return true;
    }

private:
    TF1* form;
};

template <typename Control>
Control* findControl(const QWidget* window, const char* name) {
    auto* control = window->findChild<Control*>(QString::fromLatin1(name));
    if (control == nullptr) throw Error(std::string("The window has no control ") + name);
    return control;
}

bool isChecked(const QWidget* window, const char* name) {
    return findControl<QAbstractButton>(window, name)->isChecked();
}

int selectedIndex(const QWidget* window, const char* name) {
    return findControl<QComboBox>(window, name)->currentIndex();
}

// The radio group's selected item: the position of the checked button among its buttons.
int selectedRadioItem(const QWidget* window, const char* name) {
    const auto buttons = findControl<QGroupBox>(window, name)->findChildren<QRadioButton*>();
    for (int i = 0; i < buttons.size(); ++i)
        if (buttons[i]->isChecked()) return i;
    return 0;
}

// The game number that the game list keeps with each entry.
int gameNumberOf(const QTreeWidgetItem* item) {
    return item->data(0, GameList::kNumberRole).toInt();
}

}  // namespace

void TF1::connectLaunchEvents() {
    setEmulatorLauncher(makeSystemEmulatorLauncher());
    LV0->installEventFilter(new GameListKeys(this));
    connect(LV0, &QAbstractItemView::doubleClicked, this,
            [this] { ErrorReport::guard([this] { LV0DblClick(); }); });
}

void TF1::setEmulatorLauncher(std::unique_ptr<EmulatorLauncher> launcher) {
    emulatorLauncher = std::move(launcher);
    connect(emulatorLauncher.get(), &EmulatorLauncher::ended, this, [this] { endEmulatorRun(); });
}

bool TF1::emulatorRunning() const {
    return emulatorLauncher != nullptr && emulatorLauncher->isRunning();
}

void TF1::LV0DblClick() {
    launchSelectedGame();
}

void TF1::LV0KeyPress(char key) {
    if (key == '\r') LV0DblClick();
}

void TF1::LV0KeyDown(int key, Qt::KeyboardModifiers shift) {
    // Ctrl with F11 and no other modifier; the keypad flag says nothing about the user's intent.
    const Qt::KeyboardModifiers modifiers = shift & ~Qt::KeypadModifier;
    if (key != Qt::Key_F11 || modifiers != Qt::ControlModifier) return;
    // Set before the selection is looked at: a request made with nothing selected stays
    // pending and turns the next launch into a batch write.
    batchRequested = true;
    LV0DblClick();
}

LaunchInputs TF1::readLaunchInputs(int gameNumber) const {
    LaunchInputs in;
    in.gameNumber = gameNumber;
    in.soundOn = isChecked(this, "CB1");
    in.filterOn = isChecked(this, "CB19");
    in.cutoffIndex = selectedIndex(this, "CB20");
    in.soundEffect = selectedRadioItem(this, "RG1");
    in.multiplier = soundPage->multiplier();
    in.slowGeometry = isChecked(this, "CB17");
    in.renderer = videoPage->settings().renderer;  // the kind the 3D interface list shows
    in.useRegistrySettings = isChecked(this, "CB22");
    in.rotationIndex = selectedIndex(this, "CB8");
    in.hideConsole = isChecked(this, "CB29");
    in.vantrelPlugin = isChecked(this, "CB21");
    // The path box as it stands, with the stored bytes while it shows the loaded path.
    in.romPath = generalPage->romsDirectory();
    return in;
}

void TF1::launchSelectedGame() {
    if (emulatorRunning()) return;  // one emulator at a time
    const QList<QTreeWidgetItem*> selected = LV0->selectedItems();
    if (selected.isEmpty()) return;
    const LaunchInputs inputs = readLaunchInputs(gameNumberOf(selected.first()));
    const std::string commandLine = buildLaunchCommand(inputs);

    if (batchRequested) {
        // Cleared whether or not the file can be written; a failure is reported.
        batchRequested = false;
        writeBatchFile(commandLine);
        return;
    }

    // The window is out of the way while the emulator runs and takes no input; the joysticks
    // stay quiet, as the emulator has them now. All comes back when the emulator ends, or at
    // once when it cannot be started.
    hide();
    setEnabled(false);
    for (TJoystickex* joystick : {J1, J2}) joystick->pauseReports();
    try {
        emulatorLauncher->start(commandLine, inputs.hideConsole);
    } catch (...) {
        endEmulatorRun();
        throw;
    }
}

void TF1::endEmulatorRun() {
    for (TJoystickex* joystick : {J1, J2}) joystick->resumeReports();
    setEnabled(true);
    show();
}
