// The Qt window itself: the corruption box that ends it, its fixed size and pages, and every
// control of the layout tables with its place and its captions in both languages.
#include "fixtures/app_fixture.h"
#include "fixtures/window_cases.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

using namespace tavrix;
using namespace tavrix::test;

TEST(Startup, MissingSettingsFileShowsTheCorruptionBoxEndsAndWritesNothing) {
    TempDir dir;
    ReportRecorder recorder;
    auto window = startWindow();
    ASSERT_EQ(recorder.reports.size(), 1);
    EXPECT_EQ(recorder.reports.front(),
              QString::fromUtf8("Файл конфигурации повреждён!\n\rConfiguration file is corrupted!"));
    QTest::qWait(20);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(countEntries(), 0u);
}

TEST(Startup, WindowHasTheFixedClientSizeAndPagesInOrder) {
    TempDir dir;
    writeSettings();
    ReportRecorder recorder;
    auto window = startWindow();
    EXPECT_TRUE(recorder.reports.isEmpty());
    EXPECT_EQ(window->windowTitle(), "Tavrix");
    EXPECT_EQ(window->size(), QSize(652, 399));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
    auto* pages = control<QTabWidget>(*window, "PC1");
    QStringList names;
    for (int i = 0; i < pages->count(); ++i) names << pages->widget(i)->objectName();
    EXPECT_EQ(names, QStringList({"TS1", "TS2", "TS3", "TS6", "TS4", "TS5"}));
    EXPECT_EQ(pages->currentIndex(), 0);
    EXPECT_FALSE(control<QWidget>(*window, "P2")->isVisible());

    // All columns: the list grows with the window, the pages keep to its right edge.
    control<QAbstractButton>(*window, "CB27")->click();
    EXPECT_EQ(window->width(), 802);
    EXPECT_EQ(pages->geometry().x() + 352, 802 - 8);
    EXPECT_EQ(control<QWidget>(*window, "LV0")->width(), 277 + 150);
    EXPECT_EQ(control<QTreeView>(*window, "LV0")->columnWidth(0), 256);
    EXPECT_EQ(control<QTreeView>(*window, "LV0")->columnWidth(1), 110);
    EXPECT_EQ(control<QTreeView>(*window, "LV0")->columnWidth(2), 40);
}

TEST(Startup, EveryTableControlHasItsPlaceAndCaptionsInBothLanguages) {
    for (const bool english : {false, true}) {
        TempDir dir;
        writeSettings(english ? "english-version=1\r\n" : "");
        ReportRecorder recorder;
        auto window = startWindow();
        WindowModel& model = window->model();
        for (int page = 0; page <= kLanguagePanel; ++page) {
            // The texts that the models draw are not the tables' any more.
            QStringList drawn;
            for (const ControlField& field : model.page(page).fields())
                if (field.text != nullptr) drawn << field.control;
            for (const ControlRow& row : tableOf(page).controls) {
                SCOPED_TRACE(std::string(row.name) + (english ? " English" : " Korean"));
                auto* widget = control<QWidget>(*window, row.name);
                ASSERT_NE(widget, nullptr);
                const QString caption = QString::fromUtf8(row.caption.in(english));
                // The panel P2 is placed by the window; the up-down arrows name their own buttons.
                const QRect place(row.place.x, row.place.y, row.place.width, row.place.height);
                EXPECT_TRUE(row.kind == ControlKind::UpDown || widget->objectName() == "P2" || widget->geometry() == place);
                EXPECT_EQ(widget->toolTip(), QString::fromUtf8(row.tip.in(english)));
                EXPECT_TRUE(row.kind == ControlKind::UpDown || row.accessibleName.empty() ||
                            widget->accessibleName() == QString::fromUtf8(row.accessibleName.in(english)));
                if (drawn.contains(row.name) || row.kind == ControlKind::Picture) continue;
                // The caption a label, button or box shows; the items of a list, its first
                // column's header. Items that the Video page's model rebuilds keep the language
                // they were made in.
                QStringList shown, table;
                if (auto* label = qobject_cast<QLabel*>(widget)) shown << label->text(), table << caption;
                if (auto* button = qobject_cast<QAbstractButton*>(widget)) shown << button->text(), table << caption;
                if (auto* group = qobject_cast<QGroupBox*>(widget)) shown << group->title(), table << caption;
                if (auto* list = qobject_cast<QTreeView*>(widget))
                    shown << list->model()->headerData(0, Qt::Horizontal).toString();
                if (auto* list = qobject_cast<QComboBox*>(widget); list != nullptr && !row.liveItems)
                    for (int item = 0; item < list->count(); ++item) shown << list->itemText(item);
                if (row.kind == ControlKind::ListView || (row.kind == ControlKind::ComboBox && !row.liveItems))
                    for (const Caption& item : row.items) table << QString::fromUtf8(item.in(english));
                if (row.kind == ControlKind::ListView) table = table.mid(0, 1);
                EXPECT_EQ(shown, table);
            }
        }
        auto* tabs = control<QTabWidget>(*window, "PC1");
        for (int tab = 0; tab < tabs->count(); ++tab)
            EXPECT_EQ(tabs->tabText(tab), QString::fromUtf8(mainWindowLayout()["PC1"].items[static_cast<std::size_t>(tab)].in(english)));
        EXPECT_EQ(control<QTreeView>(*window, "LV0")->model()->headerData(0, Qt::Horizontal).toString(),
                  QString::fromUtf8(mainWindowLayout()["LV0"].items[0].in(english)));
        EXPECT_TRUE(recorder.reports.isEmpty());
        Language::setEnglish(false);
    }
}
