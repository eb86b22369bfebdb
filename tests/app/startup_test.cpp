#include "app/captions.h"
#include "app/clickable_label.h"
#include "app/language_panel.h"
#include "fixtures/app_fixture.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

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

TEST(Startup, FileWithoutTheSettingsSectionCountsAsCorrupted) {
    TempDir dir;
    writeFile("tavrix.ini", "[Game-1]\r\nGameName=X\r\n\r\n");
    ReportRecorder recorder;
    auto window = startWindow();
    EXPECT_EQ(recorder.reports.size(), 1);
    EXPECT_EQ(readFile("tavrix.ini"), "[Game-1]\r\nGameName=X\r\n\r\n");
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
    auto* pages = window->findChild<QTabWidget*>("PC1");
    ASSERT_NE(pages, nullptr);
    QStringList names;
    for (int i = 0; i < pages->count(); ++i) names << pages->widget(i)->objectName();
    EXPECT_EQ(names, QStringList({"TS1", "TS2", "TS3", "TS6", "TS4", "TS5"}));
    EXPECT_EQ(pages->currentIndex(), 0);
    EXPECT_FALSE(window->findChild<QWidget*>("P2")->isVisible());
    // Without english-version the built-in Korean captions stay.
    EXPECT_EQ(pages->tabText(0), QString::fromUtf8("게임 정보"));

    window->setClientWidth(TF1::kWideClientWidth);
    EXPECT_EQ(window->width(), 802);
    EXPECT_EQ(window->findChild<QWidget*>("PC1")->geometry().x() + 352, 802 - 8);
    EXPECT_EQ(window->findChild<QWidget*>("LV0")->width(), 277 + 150);
}

TEST(Startup, FirstStartShowsOnlyTheLanguagePanelUntilAFlagIsChosen) {
    TempDir dir;
    writeSettings("first-startup=1\r\n");
    ReportRecorder recorder;
    auto window = startWindow();
    auto* panel = window->findChild<LanguagePanel*>("P2");
    ASSERT_TRUE(panel->isVisible());
    EXPECT_FALSE(panel->B10->isEnabled());
    EXPECT_EQ(readFile("tavrix.ini"), "[Tavrix]\r\nfirst-startup=1\r\n");

    // A click on the right-hand flag checks English and enables OK.
    QTest::mouseClick(panel->I3, Qt::LeftButton);
    EXPECT_TRUE(panel->RB2->isChecked());
    EXPECT_TRUE(panel->B10->isEnabled());

    QTest::mouseClick(panel->B10, Qt::LeftButton);
    EXPECT_TRUE(recorder.reports.isEmpty()) << recorder.reports.join("|").toStdString();
    EXPECT_FALSE(panel->isVisible());
    const std::string saved = readFile("tavrix.ini");
    EXPECT_NE(saved.find("first-startup=0\r\n"), std::string::npos);
    EXPECT_NE(saved.find("english-version=1\r\n"), std::string::npos);
    EXPECT_TRUE(Language::english());

    auto* pages = window->findChild<QTabWidget*>("PC1");
    QStringList captions;
    for (int i = 0; i < pages->count(); ++i) captions << pages->tabText(i);
    EXPECT_EQ(captions, QStringList({"Game Info", "General Settings", "Video", "Sound", "Controls", "About"}));
    Language::setEnglish(false);
}

TEST(Startup, ChoosingKoreanWritesEnglishVersionZero) {
    TempDir dir;
    writeSettings("first-startup=1\r\n");
    ReportRecorder recorder;
    auto window = startWindow();
    auto* panel = window->findChild<LanguagePanel*>("P2");
    QTest::mouseClick(panel->I2, Qt::LeftButton);
    EXPECT_TRUE(panel->RB1->isChecked());
    QTest::mouseClick(panel->B10, Qt::LeftButton);
    EXPECT_NE(readFile("tavrix.ini").find("english-version=0\r\n"), std::string::npos);
    EXPECT_FALSE(Language::english());
}
