// The shared table of user actions on the Qt window: real clicks, picks, keys and texts on its
// widgets, which must leave the window showing what the window model alone decides.
#include "app/game_list.h"
#include "app/up_down.h"
#include "fixtures/app_fixture.h"
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
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace tavrix;
using namespace tavrix::test;

namespace {

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
        case Action::Click:
            ASSERT_TRUE(widget->isEnabled()) << action.control;
            if (qobject_cast<QAbstractButton*>(widget))
                QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(6, widget->height() / 2));  // on its box
            else if (qobject_cast<QGroupBox*>(widget))
                QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(5, 40));  // between its lines
            else
                QTest::mouseClick(widget, Qt::LeftButton);
            break;
        case Action::Pick: {
            auto* box = static_cast<QComboBox*>(widget);
            box->setCurrentIndex(action.value);
            emit box->activated(action.value);
            break;
        }
        case Action::Type: static_cast<QLineEdit*>(widget)->setText(QString::fromUtf8(action.text)); break;
        case Action::Step: static_cast<UpDown*>(widget)->step(action.value); break;
        case Action::DoubleClick: QTest::mouseDClick(widget, Qt::LeftButton); break;
        case Action::Key: {
            // Letters and function keys: the toolkit's key for the Windows one.
            const int key = action.value >= 0x70 ? Qt::Key_F1 + action.value - 0x70 : action.value;
            QTest::keyClick(widget, static_cast<Qt::Key>(key));
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
        return out + ", width " + std::to_string(window->width()) + ", snapshot in front " +
               std::to_string(control<QWidget>(*window, "P1")->isVisibleTo(control<QWidget>(*window, "TS1")));
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
