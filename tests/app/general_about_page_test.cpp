#include "app/about_page.h"
#include "app/game_list.h"
#include "app/general_page.h"
#include "core/ini_document.h"
#include "fixtures/app_fixture.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace tavrix::test;

namespace {

// Restores the real folder dialog and URL handler after a test replaced them.
struct ReplacedServices {
    ~ReplacedServices() {
        GeneralPage::setFolderChooser({});
        AboutPage::setUrlOpener({});
        Language::setEnglish(false);
    }
};

}  // namespace

TEST(GeneralPage, ReloadDefaultsAndPathBox) {
    TempDir dir;
    writeSettings();
    ReportRecorder recorder;
    ReplacedServices services;
    auto window = startWindow();
    const std::string afterStart = readFile("tavrix.ini");
    GeneralPage* page = window->generalPage;
    EXPECT_EQ(page->E1->text(), ".\\roms");
    EXPECT_EQ(window->ZF.baseDir(), ".\\roms");
    EXPECT_FALSE(page->CB24->isChecked());
    EXPECT_FALSE(page->CB26->isChecked());
    EXPECT_FALSE(page->CB27->isChecked());
    EXPECT_EQ(page->sortChoice(), -1);
    ASSERT_NE(window->findChild<QPushButton*>("B02"), nullptr);
    EXPECT_TRUE(page->B02->isVisibleTo(page));
    EXPECT_TRUE(page->B02->isEnabled());

    QTest::keyClicks(page->E1, "X");
    EXPECT_EQ(window->ZF.baseDir(), ".\\romsX");

    // The folder dialog: Korean prompt; cancel keeps the path, a choice replaces it unsaved.
    // It starts at the user's home, with no folder of the working directory preselected.
    QString prompt;
    QString startFolder;
    GeneralPage::setFolderChooser([&](const QString& p, const QString& start) {
        prompt = p;
        startFolder = start;
        return QString();
    });
    QTest::mouseClick(page->B01, Qt::LeftButton);
    EXPECT_EQ(prompt, QString::fromUtf8("롬 경로 선택:"));
    EXPECT_EQ(startFolder, QDir::homePath());
    EXPECT_NE(startFolder, QDir::currentPath());
    EXPECT_EQ(page->E1->text(), ".\\romsX");
    GeneralPage::setFolderChooser([](const QString&, const QString&) { return QStringLiteral("/data/romsets"); });
    QTest::mouseClick(page->B01, Qt::LeftButton);
    EXPECT_EQ(page->E1->text(), "/data/romsets");
    EXPECT_EQ(window->ZF.baseDir(), "/data/romsets");
    EXPECT_EQ(readFile("tavrix.ini"), afterStart);

    // Cancel reloads from the file and stays on the page.
    window->showPage(1);
    QTest::mouseClick(page->B05, Qt::LeftButton);
    EXPECT_EQ(page->E1->text(), ".\\roms");
    EXPECT_EQ(window->PC1->currentIndex(), 1);
    EXPECT_TRUE(recorder.reports.isEmpty());
}

TEST(GeneralPage, SaveWritesTheKeysInOrderAndShowsGameInfo) {
    TempDir dir;
    writeFile("tavrix.ini", "[Tavrix]\r\nuse-sound=0\r\n\r\n[Game-1]\r\nGameName=A\r\n\r\n");
    ReportRecorder recorder;
    ReplacedServices services;
    auto window = startWindow();
    GeneralPage* page = window->generalPage;
    page->E1->setText("D:\\romsets\\");
    page->CB24->setChecked(true);
    page->CB27->setChecked(true);
    page->RG2Items[1]->setChecked(true);
    window->showPage(1);
    QTest::mouseClick(page->B07, Qt::LeftButton);
    EXPECT_EQ(readFile("tavrix.ini"),
              "[Tavrix]\r\nuse-sound=0\r\n"
              // The Video page's reload wrote its defaults at start-up, for want of a renderer file.
              "renderer=renderer-d3d.orv\r\nuse-slow-geometry=0\r\nrotate-screen=0\r\nhide-orvo-console=0\r\n"
              "registry-configuration=0\r\n"
              "roms-directory=D:\\romsets\\\r\nstartup-scan=1\r\nshow-full-romset=0\r\n"
              "show-all-columns=1\r\nsorting-type=1\r\n\r\n[Game-1]\r\nGameName=A\r\n\r\n");
    EXPECT_EQ(window->PC1->currentIndex(), 0);

    // The saved options come back at the next start.
    auto second = startWindow();
    EXPECT_TRUE(second->generalPage->CB24->isChecked());
    EXPECT_TRUE(second->generalPage->CB27->isChecked());
    EXPECT_EQ(second->LV0->columnCount(), 3);
    EXPECT_EQ(second->width(), 802);
    EXPECT_TRUE(second->generalPage->RG2Items[1]->isChecked());
    EXPECT_FALSE(second->gameList->ascending());
    EXPECT_TRUE(recorder.reports.isEmpty());
}

TEST(GeneralPage, RomsDirectoryNotInUtf8IsShownDecodedAndKeptByteForByte) {
    TempDir dir;
    const std::string stored = "D:\\\xB7\xD2" "\\sets";  // Korean code page bytes
    writeSettings("roms-directory=" + stored + "\r\n");
    ReportRecorder recorder;
    auto window = startWindow();
    GeneralPage* page = window->generalPage;
    EXPECT_NE(page->E1->text().toStdString(), stored);
    EXPECT_FALSE(page->E1->text().contains(QChar(0xFFFD)));
    EXPECT_EQ(window->ZF.baseDir(), stored);
    EXPECT_EQ(window->readLaunchInputs(1).romPath, stored);
    QTest::mouseClick(page->B07, Qt::LeftButton);
    EXPECT_NE(readFile("tavrix.ini").find("roms-directory=" + stored + "\r\n"), std::string::npos);

    // Once the user changes the path, it is stored as typed.
    const QString typed = page->E1->text() + "X";
    page->E1->setText(typed);
    QTest::mouseClick(page->B07, Qt::LeftButton);
    EXPECT_NE(readFile("tavrix.ini").find("roms-directory=" + typed.toStdString() + "\r\n"), std::string::npos);
    EXPECT_TRUE(recorder.reports.isEmpty());
}

TEST(GeneralPage, SaveStoresTheSortingTheListShows) {
    // Stored before the start, and what Save then writes: the shown order, never a value
    // outside 0 to 3 and 10 to 13. Without an RG2 item the list is sorted by title.
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", "1"}, {"sorting-type=4\r\n", "1"}, {"sorting-type=14\r\n", "11"},
        {"sorting-type=-5\r\n", "1"}, {"sorting-type=13\r\n", "13"}, {"sorting-type=2\r\n", "2"},
        {"sorting-type=10\r\n", "10"}};
    for (const auto& [stored, written] : cases) {
        TempDir dir;
        writeSettings(stored);
        ReportRecorder recorder;
        auto window = startWindow();
        const bool ascending = window->gameList->ascending();
        QTest::mouseClick(window->generalPage->B07, Qt::LeftButton);
        EXPECT_EQ(tavrix::IniDocument::load("tavrix.ini").readString("Tavrix", "sorting-type", ""), written)
            << stored;
        auto next = startWindow();
        EXPECT_EQ(next->gameList->sortColumn(), window->gameList->sortColumn()) << stored;
        EXPECT_EQ(next->gameList->ascending(), ascending) << stored;
    }
}

TEST(GeneralPage, SaveIntoAReadOnlyFileFailsAndStaysOnThePage) {
    TempDir dir;
    writeSettings();
    ReportRecorder recorder;
    auto window = startWindow();
    std::filesystem::remove("tavrix.ini");
    std::filesystem::create_directory("tavrix.ini");  // a folder in the file's place
    window->showPage(1);
    QTest::mouseClick(window->generalPage->B07, Qt::LeftButton);
    ASSERT_EQ(recorder.reports.size(), 1);
    EXPECT_TRUE(recorder.reports.front().startsWith("Cannot create file \"tavrix.ini\". "));
    EXPECT_EQ(window->PC1->currentIndex(), 1);
}

TEST(AboutPage, TitleVersionCreditsAndButtons) {
    TempDir dir;
    writeSettings("english-version=1\r\n");
    ReportRecorder recorder;
    ReplacedServices services;
    auto window = startWindow();
    AboutPage* page = window->aboutPage;
    EXPECT_EQ(page->L77->text(), "Tavrix");
    EXPECT_EQ(page->L78->text(), "version 1.0.1.0");
    EXPECT_EQ(page->B13->text(), "Tavrix Web Site");
    int credits = 0;
    for (const char* name : {"L79", "L80", "L81", "L82", "L83", "L84", "L85", "L86", "L87", "L88", "L93"}) {
        auto* label = page->findChild<QLabel*>(name);
        ASSERT_NE(label, nullptr) << name;
        EXPECT_FALSE(label->text().isEmpty()) << name;
        // English after the switch: only ASCII letters remain.
        EXPECT_EQ(label->text().toLatin1(), label->text().toUtf8()) << name;
        ++credits;
    }
    EXPECT_EQ(credits, 11);

    QList<QUrl> opened;
    AboutPage::setUrlOpener([&](const QUrl& url) { opened << url; });
    window->showPage(5);
    QTest::mouseClick(page->B13, Qt::LeftButton);
    Language::setEnglish(false);
    page->B13Click();
    EXPECT_EQ(opened, QList<QUrl>({AboutPage::kEnglishWebPage, AboutPage::kKoreanWebPage}));
    EXPECT_EQ(window->PC1->currentIndex(), 5);
    QTest::mouseClick(page->B08, Qt::LeftButton);
    EXPECT_EQ(window->PC1->currentIndex(), 0);
}

TEST(AboutPage, KoreanIsTheBuiltInSet) {
    TempDir dir;
    writeSettings();
    ReportRecorder recorder;
    auto window = startWindow();
    EXPECT_EQ(window->aboutPage->L77->text(), "Tavrix");
    EXPECT_NE(window->aboutPage->L78->text(), "version 1.0.1.0");
    EXPECT_TRUE(window->aboutPage->L78->text().endsWith("1.0.1.0"));
    EXPECT_EQ(window->generalPage->CB26->text(), QString::fromUtf8(" 실행 가능한 게임만 표시 (롬셋 완비)"));
    EXPECT_EQ(window->findChild<QWidget*>("GB1")->property("title").toString(), QString::fromUtf8(" 롬셋 "));
}
