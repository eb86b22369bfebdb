#include "app/captions.h"
#include "app/clickable_label.h"
#include "app/language_panel.h"
#include "app/sound_page.h"
#include "fixtures/app_fixture.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTreeWidget>
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

TEST(Startup, ASecondRunThatFailsReportsOnceAndLeavesTheWindowUsable) {
    TempDir dir;
    writeFile("tavrix.ini",
              "[Tavrix]\r\nfirst-startup=1\r\nsound-filter-cutoff=abc\r\n\r\n[Game-1]\r\nGameName=A\r\n\r\n");
    ReportRecorder recorder;
    auto window = startWindow();
    auto* panel = window->findChild<LanguagePanel*>("P2");
    QTest::mouseClick(panel->I3, Qt::LeftButton);
    QTest::mouseClick(panel->B10, Qt::LeftButton);
    EXPECT_EQ(recorder.reports, QStringList{"'abc' is not a valid integer value."});
    // As a normal start with the same value: the list filled, the Sound page shown, no panel.
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(window->LV0->topLevelItemCount(), 1);
    EXPECT_EQ(window->PC1->currentIndex(), 3);
    EXPECT_EQ(window->PC1->tabText(0), "Game Info");
    // The sequence stopped before it clears first-startup: the file keeps it with the language.
    const std::string stored = readFile("tavrix.ini");
    EXPECT_NE(stored.find("first-startup=1\r\n"), std::string::npos);
    EXPECT_NE(stored.find("english-version=1\r\n"), std::string::npos);

    // The window takes input: the Sound page's Save stores a cutoff in place of the bad value,
    // and the next start, after the language, completes and clears first-startup.
    QTest::mouseClick(window->soundPage->B11, Qt::LeftButton);
    EXPECT_EQ(window->PC1->currentIndex(), 0);
    auto next = startWindow();
    auto* nextPanel = next->findChild<LanguagePanel*>("P2");
    ASSERT_TRUE(nextPanel->isVisible());
    QTest::mouseClick(nextPanel->I3, Qt::LeftButton);
    QTest::mouseClick(nextPanel->B10, Qt::LeftButton);
    EXPECT_EQ(recorder.reports.size(), 1);
    EXPECT_FALSE(nextPanel->isVisible());
    EXPECT_NE(readFile("tavrix.ini").find("first-startup=0\r\n"), std::string::npos);
    Language::setEnglish(false);
}
