// The Qt window itself: the corruption box that ends it, its fixed size and pages, and every
// control of the layout tables with its place and its captions in both languages.
#include "fixtures/app_fixture.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

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
    EXPECT_EQ(control<QTreeWidget>(*window, "LV0")->columnWidth(1), 110);
    EXPECT_EQ(control<QTreeWidget>(*window, "LV0")->columnWidth(2), 40);
}

TEST(Startup, EveryTableControlHasItsPlaceAndCaptionsInBothLanguages) {
    for (const bool english : {false, true}) {
        TempDir dir;
        writeSettings(english ? "english-version=1\r\n" : "");
        ReportRecorder recorder;
        auto window = startWindow();
        WindowModel& model = window->model();
        const FormLayout* tables[] = {&gameInfoPageLayout(), &generalPageLayout(), &videoPageLayout(),
                                      &soundPageLayout(),    &controlsPageLayout(), &aboutPageLayout(),
                                      &languagePanelLayout()};
        for (int page = 0; page <= kLanguagePanel; ++page) {
            // The texts that the models draw are not the tables' any more.
            QStringList drawn;
            for (const ControlField& field : model.page(page).fields())
                if (field.text != nullptr) drawn << field.control;
            for (const ControlRow& row : tables[page]->controls) {
                SCOPED_TRACE(std::string(row.name) + (english ? " English" : " Korean"));
                auto* widget = control<QWidget>(*window, row.name);
                ASSERT_NE(widget, nullptr);
                const QString caption = QString::fromUtf8(row.caption.in(english));
                if (row.kind != ControlKind::UpDown && widget->objectName() != "P2")
                    EXPECT_EQ(widget->geometry(), QRect(row.place.x, row.place.y, row.place.width, row.place.height));
                EXPECT_EQ(widget->toolTip(), QString::fromUtf8(row.tip.in(english)));
                if (row.kind != ControlKind::UpDown && !row.accessibleName.empty())
                    EXPECT_EQ(widget->accessibleName(), QString::fromUtf8(row.accessibleName.in(english)));
                if (drawn.contains(row.name) || row.kind == ControlKind::Picture) continue;
                if (auto* label = qobject_cast<QLabel*>(widget)) EXPECT_EQ(label->text(), caption);
                if (auto* button = qobject_cast<QAbstractButton*>(widget)) EXPECT_EQ(button->text(), caption);
                if (auto* group = qobject_cast<QGroupBox*>(widget)) EXPECT_EQ(group->title(), caption);
                if (auto* list = qobject_cast<QTreeWidget*>(widget))
                    EXPECT_EQ(list->headerItem()->text(0), QString::fromUtf8(row.items[0].in(english)));
                // Items that the Video page's model rebuilds keep the language they were made in.
                if (auto* list = qobject_cast<QComboBox*>(widget); list != nullptr && !row.liveItems) {
                    ASSERT_EQ(list->count(), static_cast<int>(row.items.size()));
                    for (int item = 0; item < list->count(); ++item)
                        EXPECT_EQ(list->itemText(item), QString::fromUtf8(row.items[static_cast<std::size_t>(item)].in(english)));
                }
            }
        }
        auto* tabs = control<QTabWidget>(*window, "PC1");
        for (int tab = 0; tab < tabs->count(); ++tab)
            EXPECT_EQ(tabs->tabText(tab), QString::fromUtf8(mainWindowLayout()["PC1"].items[static_cast<std::size_t>(tab)].in(english)));
        EXPECT_EQ(control<QTreeWidget>(*window, "LV0")->headerItem()->text(0),
                  QString::fromUtf8(mainWindowLayout()["LV0"].items[0].in(english)));
        EXPECT_TRUE(recorder.reports.isEmpty());
        Language::setEnglish(false);
    }
}
