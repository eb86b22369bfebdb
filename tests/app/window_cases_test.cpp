// The shared table of user actions on the Qt window: real clicks, picks, keys and texts on its
// widgets, which must leave the window showing what the window model alone decides.
#include "app/game_list.h"
#include "app/up_down.h"
#include "fixtures/app_fixture.h"
#include "fixtures/key_paths.h"
#include "fixtures/window_cases.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <QTreeView>
#include <QTimer>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace tavrix;
using namespace tavrix::test;

namespace {

// The toolkit's key for a Windows virtual key of the cases.
Qt::Key qtKeyOf(int virtualKey, bool shift) {
    switch (virtualKey) {
    case key::kTab: return shift ? Qt::Key_Backtab : Qt::Key_Tab;
    case key::kReturn: return Qt::Key_Return;
    case key::kAlt: return Qt::Key_Alt;
    case key::kSpace: return Qt::Key_Space;
    case key::kPageUp: return Qt::Key_PageUp;
    case key::kPageDown: return Qt::Key_PageDown;
    case key::kLeft: return Qt::Key_Left;
    case key::kUp: return Qt::Key_Up;
    case key::kRight: return Qt::Key_Right;
    case key::kDown: return Qt::Key_Down;
    default: break;
    }
    // Letters and function keys.
    return static_cast<Qt::Key>(virtualKey >= 0x70 ? Qt::Key_F1 + virtualKey - 0x70 : virtualKey);
}

Qt::KeyboardModifiers qtModifiersOf(std::string_view text) {
    const KeyModifiers held = modifiersOf(text);
    return (held.ctrl ? Qt::ControlModifier : Qt::NoModifier) | (held.shift ? Qt::ShiftModifier : Qt::NoModifier) |
           (held.alt ? Qt::AltModifier : Qt::NoModifier);
}

// A click where a user's would land: on the topmost control at that place of the page.
void clickAt(QWidget* page, QPoint place) {
    QWidget* target = page->childAt(place);
    if (target == nullptr) target = page;
    QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(page, place));
}

// The check box of a row of a report list.
QPoint markOf(QTreeWidget* list, int row) {
    QStyleOptionViewItem option;
    option.initFrom(list);
    option.rect = list->visualItemRect(list->topLevelItem(row));
    option.features |= QStyleOptionViewItem::HasCheckIndicator;
    return list->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, list).center();
}

// Records the command lines; the emulator ends at once.
class RecordingLauncher : public EmulatorLauncher {
public:
    explicit RecordingLauncher(std::vector<std::string>& lines) : lines(lines) {}
    void start(const std::string& commandLine, bool) override {
        lines.push_back(commandLine);
        emit ended();
    }
    bool isRunning() const override { return false; }

private:
    std::vector<std::string>& lines;
};

class QtWindow : public WindowUnderTest {
public:
    QtWindow() : window(std::make_unique<TF1>()) {
        window->setEmulatorLauncher(std::make_unique<RecordingLauncher>(lines));
        list = control<QTreeView>(*window, "LV0");
        ErrorReport::setSink([this](const QString& text) {
            recorder.reports.append(text);
            boxOpened();
        });
        window->show();
        QApplication::processEvents();
    }

    WindowModel& model() override { return window->model(); }

    // A handler's error reaches the general report, as from the event loop.
    void perform(const Action& action) override {
        ErrorReport::guard([&] { act(action); });
    }

    void act(const Action& action) {
        QWidget* widget = action.control[0] != '\0' ? control<QWidget>(*window, action.control) : nullptr;
        switch (action.kind) {
        case Action::Click: {
            ASSERT_TRUE(widget->isEnabled()) << action.control;
            const ControlKind kind = rowOf(action.control).kind;
            const char* const pages[] = {"TS1", "TS2", "TS3", "TS6", "TS4", "TS5", "P2"};
            QWidget* page = control<QWidget>(*window, pages[pageOf(action.control)]);
            if (qobject_cast<QAbstractButton*>(widget))
                QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(6, widget->height() / 2));  // on its box
            else if (kind == ControlKind::ListView)  // on a row's mark
                QTest::mouseClick(static_cast<QTreeWidget*>(widget)->viewport(), Qt::LeftButton, {},
                                  markOf(static_cast<QTreeWidget*>(widget), action.value));
            else if (qobject_cast<QGroupBox*>(widget))  // between its lines
                clickAt(page, widget->mapTo(page, QPoint(5, 40)));
            else if (kind == ControlKind::Group)  // a panel's margin
                clickAt(page, widget->mapTo(page, QPoint(2, 2)));
            else if (kind == ControlKind::ClickLabel || kind == ControlKind::Picture)
                clickAt(page, widget->mapTo(page, QPoint(2, 2)));
            else
                QTest::mouseClick(widget, Qt::LeftButton);
            break;
        }
        case Action::Pick: {
            auto* box = static_cast<QComboBox*>(widget);
            box->setCurrentIndex(action.value);
            emit box->activated(action.value);
            break;
        }
        case Action::Type: static_cast<QLineEdit*>(widget)->setText(QString::fromUtf8(action.text)); break;
        case Action::Step: static_cast<UpDown*>(widget)->step(action.value); break;
        case Action::DoubleClick: QTest::mouseDClick(widget, Qt::LeftButton); break;
        case Action::Key: QTest::keyClick(widget, qtKeyOf(action.value, false)); break;
        case Action::Press: {
            QWidget* focused = widget != nullptr ? widget : window.get();
            focused->setFocus(Qt::MouseFocusReason);
            QTest::keyClick(focused, qtKeyOf(action.value, modifiersOf(action.text).shift), qtModifiersOf(action.text));
            break;
        }
        case Action::Tab: control<QTabWidget>(*window, "PC1")->setCurrentIndex(action.value); break;
        case Action::Select:
            for (int row = 0; row < list->model()->rowCount(); ++row)
                if (GameList::numberOf(list->model()->index(row, 0)) == action.value)
                    list->setCurrentIndex(list->model()->index(row, 0));
            break;
        case Action::Header: {
            QHeaderView* header = list->header();
            const int x = header->sectionViewportPosition(action.value) + header->sectionSize(action.value) / 2;
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
            break;
        }
        case Action::Launch: {
            const QPoint centre = list->visualRect(list->selectionModel()->selectedRows().front()).center();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
            break;
        }
        case Action::BatchKey: QTest::keyClick(list, Qt::Key_F11, Qt::ControlModifier); break;
        case Action::Escape: escape(action.value); break;
        }
    }

    void pressEscape() override {
        QWidget* focus = window->focusWidget();
        QTest::keyClick(focus != nullptr ? focus : window.get(), Qt::Key_Escape);
    }
    void runEvents() override { QApplication::processEvents(); }

    std::string shown(const ControlField& field) override {
        QWidget* widget = control<QWidget>(*window, field.control);
        if (field.checked != nullptr) return static_cast<QAbstractButton*>(widget)->isChecked() ? "1" : "0";
        if (auto* box = qobject_cast<QComboBox*>(widget)) return std::to_string(box->currentIndex());
        if (field.selection != nullptr)
            return std::to_string(control<QButtonGroup>(*window, (std::string(field.control) + "Group").c_str())->checkedId());
        if (auto* edit = qobject_cast<QLineEdit*>(widget)) return edit->text().toStdString();
        if (auto* group = qobject_cast<QGroupBox*>(widget)) return group->title().toStdString();
        return static_cast<QLabel*>(widget)->text().toStdString();
    }
    bool enabled(const char* name) override { return control<QWidget>(*window, name)->isEnabled(); }
    std::string view() override {
        std::string out = "list";
        const QAbstractItemModel& entries = *list->model();
        for (int row = 0; row < entries.rowCount(); ++row) {
            const QModelIndex entry = entries.index(row, 0);
            out += " " + std::to_string(GameList::numberOf(entry)) + ":" + std::to_string(GameList::statusOf(entry));
        }
        const auto selected = list->selectionModel()->selectedRows();
        out += ", selected " + std::to_string(selected.isEmpty() ? 0 : GameList::numberOf(selected.front())) +
               ", columns " + std::to_string(list->header()->count());
        for (int column = 0; column < list->header()->count(); ++column)
            out += " " + std::to_string(entries.headerData(column, Qt::Horizontal, GameList::kHeaderImageRole).toInt());
        return out + ", width " + std::to_string(window->width()) + ", " + gameInfoView();
    }
    // The picture panel P1 (which holds the picture) against the romset group and the file list.
    std::string gameInfoView() {
        auto* page = control<QWidget>(*window, "TS1");
        QWidget* panel = control<QWidget>(*window, "P1");
        const auto shown = [&](const char* name) { return control<QWidget>(*window, name)->isVisibleTo(page); };
        const auto behindPanel = [&](const char* name) {
            return page->children().indexOf(control<QWidget>(*window, name)) < page->children().indexOf(panel);
        };
        bool romsetShown = true, romsetCovered = true;
        for (const char* name : {"GB1", "LV1"}) {
            romsetShown = romsetShown && shown(name);
            romsetCovered = romsetCovered && (!shown(name) || behindPanel(name));
        }
        if (shown("P1") && shown("I1") && romsetCovered) return "snapshot";
        return !shown("P1") && romsetShown ? "files" : "both";
    }
    std::string fileRows() override {
        std::string out;
        for (const char* name : {"LV1", "LV2"}) {
            auto* rows = control<QTreeWidget>(*window, name);
            for (int row = 0; row < rows->topLevelItemCount(); ++row) {
                const QTreeWidgetItem* item = rows->topLevelItem(row);
                out += (item->text(0) + " " + item->text(1)).toStdString() +
                       (name[2] == '1' && item->checkState(0) == Qt::Checked ? " [x]\n" : "\n");
            }
        }
        return out;
    }
    std::string listItems(const char* name) override {
        std::string out;
        auto* list = control<QComboBox>(*window, name);
        for (int item = 0; item < list->count(); ++item) out += list->itemText(item).toStdString() + ";";
        return out;
    }
    int currentPage() override { return control<QTabWidget>(*window, "PC1")->currentIndex(); }
    std::string caption() override { return window->windowTitle().toStdString(); }
    std::vector<std::string> errors() override {
        std::vector<std::string> texts;
        for (const QString& report : recorder.reports) texts.push_back(report.toStdString());
        return texts;
    }
    std::vector<std::string> started() override { return lines; }

private:
    ReportRecorder recorder;
    std::vector<std::string> lines;
    std::unique_ptr<TF1> window;
    QTreeView* list = nullptr;
};

}  // namespace

TEST(QtWindow, EveryActionOfTheSharedTableLeavesWhatTheModelDecides) {
    for (const WindowCase& c : windowCases()) {
        expectTheModelsResult(c, [] { return std::make_unique<QtWindow>(); });
        Language::setEnglish(false);
    }
}

namespace {

// The control with the focus: the nearest widget the tables (or the window) name.
std::string focusedControl() {
    for (QWidget* widget = QApplication::focusWidget(); widget != nullptr; widget = widget->parentWidget())
        if (!widget->objectName().isEmpty() && !widget->objectName().startsWith(QLatin1String("qt_")))
            return widget->objectName().toStdString();
    return "none";
}

}  // namespace

TEST(QtWindow, KeyboardPathsPutTheFocusWhereTheSharedTableSays) {
    // Real error boxes, each closed as soon as it waits for the user.
    QTimer closer;
    closer.setInterval(0);
    QObject::connect(&closer, &QTimer::timeout, [] {
        if (QWidget* box = QApplication::activeModalWidget()) box->close();
    });
    closer.start();
    for (const KeyPath& path : keyPaths()) {
        SCOPED_TRACE(path.name);
        TempDir dir;
        path.prepare();
        TF1 window;
        window.show();
        QApplication::setActiveWindow(&window);
        QApplication::processEvents();
        for (const KeyStep& step : path.steps) {
            SCOPED_TRACE(std::string(step.focusFirst) + " " + std::to_string(step.key) + " " + step.modifiers);
            if (*step.focusFirst != '\0') control<QWidget>(window, step.focusFirst)->setFocus(Qt::MouseFocusReason);
            QWidget* focused = QApplication::focusWidget() != nullptr ? QApplication::focusWidget() : &window;
            QTest::keyClick(focused, qtKeyOf(step.key, modifiersOf(step.modifiers).shift), qtModifiersOf(step.modifiers));
            // The window is active again once a box has closed, as a window manager makes it.
            if (QApplication::activeWindow() == nullptr) QApplication::setActiveWindow(&window);
            EXPECT_EQ(focusedControl(), step.focus);
            EXPECT_EQ(control<QTabWidget>(window, "PC1")->currentIndex(), step.page);
        }
    }
    Language::setEnglish(false);
}
