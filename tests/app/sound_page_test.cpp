#include "app/sound_page.h"
#include "app/up_down.h"
#include "core/file_io.h"
#include "core/ini_document.h"
#include "fixtures/app_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <algorithm>

using namespace tavrix::test;

namespace {

std::string storedKey(const char* key) {
    return tavrix::IniDocument::load("tavrix.ini").readString("Tavrix", key, "<missing>");
}

}  // namespace

TEST(SoundPage, ReloadShowsDefaultsAndSaveWritesTheSixKeysThenShowsGameInfo) {
    TempDir dir;
    writeSettings("sound-filter-cutoff=16000\r\nsound-stereo-exciter=1\r\nsound-surround-lite-enable=1\r\n");
    ReportRecorder recorder;
    auto window = startWindow();
    SoundPage* page = window->soundPage;
    EXPECT_TRUE(page->CB1->isChecked()) << "a missing use-sound shows sound enabled";
    EXPECT_EQ(page->CB20->currentIndex(), 2) << "16000 leaves the built-in 22050 Hz";
    EXPECT_EQ(page->RG1ItemIndex(), 2) << "lite surround wins over the exciter";
    EXPECT_EQ(page->E3->text(), "40");

    page->CB20->setCurrentIndex(1);
    page->E3->setText("text, not a number");
    window->showPage(3);
    QTest::mouseClick(page->B11, Qt::LeftButton);
    EXPECT_EQ(window->PC1->currentIndex(), 0);
    EXPECT_EQ(storedKey("use-sound"), "1");
    EXPECT_EQ(storedKey("sound-filter-enable"), "0");
    EXPECT_EQ(storedKey("sound-filter-cutoff"), "11025");
    EXPECT_EQ(storedKey("sound-stereo-exciter"), "0");
    EXPECT_EQ(storedKey("sound-surround-lite-enable"), "1");
    EXPECT_EQ(storedKey("sound-surround-lite-multiplier"), "text, not a number");
    // The keys follow the ones already there, in the order of the page.
    const auto keys = tavrix::IniDocument::load("tavrix.ini").keys("Tavrix");
    const auto at = [&](const std::string& key) { return std::find(keys.begin(), keys.end(), key) - keys.begin(); };
    EXPECT_LT(at("use-sound"), at("sound-filter-enable"));
    EXPECT_LT(at("sound-filter-enable"), at("sound-surround-lite-multiplier"));
    EXPECT_TRUE(recorder.reports.isEmpty());
}

TEST(SoundPage, CutoffThatIsNoNumberStopsTheReloadWithTheConversionMessage) {
    TempDir dir;
    writeSettings("sound-filter-cutoff=22050\r\nsound-surround-lite-enable=1\r\n");
    ReportRecorder recorder;
    auto window = startWindow();
    SoundPage* page = window->soundPage;
    ASSERT_EQ(page->RG1ItemIndex(), 2);
    page->E3->setText("12");

    writeSettings("use-sound=1\r\nsound-filter-enable=1\r\nsound-filter-cutoff=22k\r\n"
                  "sound-stereo-exciter=1\r\nsound-surround-lite-multiplier=9\r\n");
    page->CB19->setChecked(false);
    QTest::mouseClick(page->B12, Qt::LeftButton);
    ASSERT_EQ(recorder.reports, QStringList{"'22k' is not a valid integer value."});
    EXPECT_TRUE(page->CB19->isChecked()) << "read before the failure";
    EXPECT_EQ(page->RG1ItemIndex(), 2) << "the effect stays";
    EXPECT_EQ(page->E3->text(), "12") << "the multiplier stays";
    EXPECT_EQ(window->PC1->currentIndex(), 3);
}

TEST(SoundPage, BadCutoffAtStartupEndsTheSequenceBeforeTheVideoPage) {
    TempDir dir;
    writeSettings("sound-filter-cutoff=fast\r\n");
    ReportRecorder recorder;
    auto window = startWindow();
    EXPECT_EQ(recorder.reports, QStringList{"'fast' is not a valid integer value."});
    EXPECT_FALSE(tavrix::fileExists("tavrix-renderer.cfg")) << "the Video page was not reloaded";
    EXPECT_EQ(window->PC1->currentIndex(), 3) << "the sequence ended on the Sound page";
}

TEST(SoundPage, CaptionsInBothLanguages) {
    TempDir dir;
    writeSettings();
    ReportRecorder recorder;
    auto korean = startWindow();
    SoundPage* page = korean->soundPage;
    EXPECT_EQ(page->CB1->text(), QString::fromUtf8(" 사운드 에뮬레이션 사용"));
    EXPECT_FALSE(page->L92->text().isEmpty());
    EXPECT_EQ(page->B11->text(), QString::fromUtf8("저장"));
    korean.reset();

    writeSettings("english-version=1\r\n");
    auto english = startWindow();
    page = english->soundPage;
    EXPECT_EQ(page->GB4->title(), " Sound ");
    EXPECT_EQ(page->RG1->title(), " Additional Sound Effects ");
    EXPECT_EQ(page->RG1Items[0]->text(), " None");
    EXPECT_EQ(page->RG1Items[2]->text(), QString::fromUtf8(" Lite-Surround \u2122"));
    EXPECT_EQ(page->L89->text(), "In order to switch between the game snapshot to romset");
    EXPECT_TRUE(page->L92->text().isEmpty());
    EXPECT_EQ(page->CB20->itemText(0), "8000 Hz");
    EXPECT_EQ(page->B11->text(), "Save");
    EXPECT_EQ(page->B12->text(), "Cancel");
    Language::setEnglish(false);
}

TEST(UpDown, StepsTheNumberInTheBoxWithinItsRange) {
    QWidget parent;
    auto* box = new QLineEdit(&parent);
    UpDown upDown(box, &parent);
    upDown.setRange(0, 99);
    upDown.setPosition(40);
    EXPECT_EQ(box->text(), "40");

    QTest::mouseClick(upDown.upButton(), Qt::LeftButton);
    EXPECT_EQ(box->text(), "41");
    box->setText("99");
    upDown.step(1);
    EXPECT_EQ(box->text(), "99");
    EXPECT_EQ(upDown.position(), 99);
    box->setText("0");
    QTest::mouseClick(upDown.downButton(), Qt::LeftButton);
    EXPECT_EQ(box->text(), "0");

    // Typed text is never checked; a step from it starts at the last position.
    box->setText("abc");
    EXPECT_EQ(box->text(), "abc");
    upDown.step(-1);
    EXPECT_EQ(box->text(), "0");
    box->setText("500");
    upDown.step(-1);
    EXPECT_EQ(box->text(), "98") << "an out-of-range number is first brought into range";

    QTest::keyClick(box, Qt::Key_Up);
    EXPECT_EQ(box->text(), "99");
    upDown.setRange(0, 1000);
    upDown.setPosition(2000);
    EXPECT_EQ(box->text(), "1000");
}

TEST(SoundPage, MultiplierNotInUtf8IsKeptByteForByteUntilChanged) {
    TempDir dir;
    const std::string stored = "4\xB0";  // a Western code page degree sign
    writeSettings("sound-surround-lite-multiplier=" + stored + "\r\n");
    ReportRecorder recorder;
    auto window = startWindow();
    SoundPage* page = window->soundPage;
    EXPECT_EQ(page->E3->text(), QString::fromUtf8("4\xC2\xB0"));
    EXPECT_EQ(window->readLaunchInputs(1).multiplier, stored);
    QTest::mouseClick(page->B11, Qt::LeftButton);
    EXPECT_EQ(storedKey("sound-surround-lite-multiplier"), stored);
    page->E3->setText(QStringLiteral("50"));
    QTest::mouseClick(page->B11, Qt::LeftButton);
    EXPECT_EQ(storedKey("sound-surround-lite-multiplier"), "50");
    EXPECT_TRUE(recorder.reports.isEmpty());
}
