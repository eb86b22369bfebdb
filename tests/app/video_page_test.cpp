#include "app/main_window.h"
#include "app/up_down.h"
#include "app/video_page.h"
#include "core/file_io.h"
#include "core/ini_document.h"
#include "fixtures/app_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLibrary>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

using namespace tavrix::test;

namespace {

const char* const kSoftwareFile = "tavrix-renderer-sft.cfg";
const char* const kHardwareFile = "tavrix-renderer.cfg";

// The user picks an item: the selection changes and the list's change handler runs.
void pick(QComboBox* combo, int index) {
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

void clickBox(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

QStringList items(const QComboBox* combo) {
    QStringList result;
    for (int i = 0; i < combo->count(); ++i) result << combo->itemText(i);
    return result;
}

std::string storedKey(const char* key) {
    return tavrix::IniDocument::load("tavrix.ini").readString("Tavrix", key, "<missing>");
}

std::string hardwareFile(const std::vector<std::string>& replaced = {}) {
    std::vector<std::string> lines = {"; Tavrix", "", "XSize=800", "YSize=600", "FullScreen=0", "ColorDepth=32",
                                      "ScanLines=0", "Filtering=0", "Blending=0", "Dithering=0", "ShowFPS=0",
                                      "FrameLimitation=1", "FrameSkipping=0", "FramerateDetection=1",
                                      "FramerateManual=100", "TextureType=3", "TextureCaching=2", "EnableKeys=1",
                                      "FastExcel=0"};
    for (const std::string& line : replaced) {
        const std::string key = line.substr(0, line.find('=') + 1);
        for (std::string& existing : lines)
            if (existing.rfind(key, 0) == 0) existing = line;
    }
    std::string out;
    for (const auto& line : lines) out += line + "\r\n";
    return out;
}

struct VideoWindow {
    std::unique_ptr<TF1> window;
    VideoPage* page;
};

VideoWindow startVideo() {
    VideoWindow result{startWindow(), nullptr};
    result.page = result.window->videoPage;
    result.window->showPage(2);
    return result;
}

}  // namespace

TEST(VideoPage, StartupWithoutFilesSelectsDirect3DAndWritesTheDefaultHardwareFile) {
    TempDir dir;
    writeSettings();
    ReportRecorder recorder;
    auto [window, page] = startVideo();
    EXPECT_TRUE(recorder.reports.isEmpty()) << recorder.reports.join("|").toStdString();
    EXPECT_EQ(page->CB18->currentText(), "Direct3D") << "a section without renderer";
    EXPECT_EQ(readFile(kHardwareFile), hardwareFile());
    EXPECT_FALSE(tavrix::fileExists(kSoftwareFile));
    EXPECT_EQ(storedKey("renderer"), "renderer-d3d.orv");
    EXPECT_EQ(storedKey("rotate-screen"), "0");
    EXPECT_EQ(storedKey("use-slow-geometry"), "0") << "read as its default before the write";
    EXPECT_EQ(page->CB3->currentText(), "800x600");
    EXPECT_TRUE(page->CB2->isChecked());
    EXPECT_FALSE(page->CB2->isEnabled());
    EXPECT_FALSE(page->CB22->isEnabled());
    EXPECT_FALSE(page->B14->isVisible());
    EXPECT_FALSE(page->E2->isEnabled()) << "auto framerate yes";
    EXPECT_TRUE(page->CB9->isEnabled()) << "registry settings off enable dithering";
    EXPECT_EQ(items(page->CB6).size(), 3);
    EXPECT_EQ(items(page->CB10).size(), 3);
}

TEST(VideoPage, ResolutionRuleAndFrameRateRule) {
    TempDir dir;
    writeSettings();
    ReportRecorder recorder;
    auto [window, page] = startVideo();
    clickBox(page->CB4);
    ASSERT_TRUE(page->CB4->isChecked());
    // A selection made by the program runs no handler.
    page->CB3->setCurrentIndex(2);
    EXPECT_TRUE(page->CB4->isEnabled());
    EXPECT_TRUE(page->CB4->isChecked());
    pick(page->CB3, 2);  // 512x240
    EXPECT_FALSE(page->CB4->isChecked());
    EXPECT_FALSE(page->CB4->isEnabled());
    pick(page->CB3, 3);
    EXPECT_TRUE(page->CB4->isEnabled());
    EXPECT_FALSE(page->CB4->isChecked());
    clickBox(page->CB4);
    pick(page->CB3, 6);  // 1024x480
    EXPECT_FALSE(page->CB4->isChecked());

    pick(page->CB13, 0);
    EXPECT_TRUE(page->E2->isEnabled());
    EXPECT_TRUE(page->UD1->isEnabled());
    EXPECT_TRUE(page->L14->isEnabled());
    pick(page->CB13, 1);
    EXPECT_FALSE(page->E2->isEnabled());
    EXPECT_FALSE(page->L14->isEnabled());

    // The dithering rule: user changes of the colour depth only; the check state stays.
    clickBox(page->CB9);
    pick(page->CB5, 1);
    EXPECT_FALSE(page->CB9->isEnabled());
    EXPECT_TRUE(page->CB9->isChecked());
    pick(page->CB5, 0);
    EXPECT_TRUE(page->CB9->isEnabled());
}

TEST(VideoPage, SaveWritesOnlyTheChosenRenderersFileAndTheDegrees) {
    TempDir dir;
    writeSettings();
    ReportRecorder recorder;
    auto [window, page] = startVideo();
    writeFile(kSoftwareFile, "[own]\r\nkeep=1\r\n");
    writeFile(kHardwareFile, "untouched\r\n");
    page->CB8->setCurrentIndex(3);
    page->CB29->setChecked(true);
    QTest::mouseClick(page->B09, Qt::LeftButton);
    EXPECT_EQ(window->PC1->currentIndex(), 0);
    EXPECT_EQ(readFile(kSoftwareFile), "[own]\r\nkeep=1\r\n");
    EXPECT_EQ(readFile(kHardwareFile), hardwareFile());
    EXPECT_EQ(storedKey("renderer"), "renderer-d3d.orv");
    EXPECT_EQ(storedKey("rotate-screen"), "270");
    EXPECT_EQ(storedKey("hide-orvo-console"), "1");
    EXPECT_EQ(storedKey("registry-configuration"), "0");

    writeFile(kHardwareFile, "untouched\r\n");
    pick(page->CB18, 0);
    page->CB2->setChecked(false);
    page->E2->setText("fifty");
    clickBox(page->CB22);
    QTest::mouseClick(page->B09, Qt::LeftButton);
    EXPECT_EQ(readFile(kHardwareFile), "untouched\r\n");
    const auto software = tavrix::IniDocument::load(kSoftwareFile);
    EXPECT_EQ(software.sectionNames(), (std::vector<std::string>{"own", "screen", "framerate", "misc", "fixes"}));
    EXPECT_EQ(software.readString("screen", "NoStretch", ""), "1");
    EXPECT_EQ(software.readString("framerate", "FrameRate", ""), "fifty");
    EXPECT_EQ(storedKey("renderer"), "renderer-sft.orv");
    EXPECT_EQ(storedKey("rotate-screen"), "0") << "Software forces 0°";
    EXPECT_EQ(storedKey("registry-configuration"), "1");
    EXPECT_TRUE(recorder.reports.isEmpty());
}

TEST(VideoPage, CancelRestoresEveryControlFromTheFiles) {
    TempDir dir;
    writeSettings("renderer=renderer-ogl.orv\r\nuse-slow-geometry=0\r\nrotate-screen=90\r\nhide-orvo-console=1\r\n");
    writeFile(kHardwareFile,
              hardwareFile({"XSize=1024", "YSize=600", "FullScreen=1", "ColorDepth=16", "ScanLines=2",
                            "Filtering=3", "Blending=1", "Dithering=1", "ShowFPS=TRUE", "FrameLimitation=0",
                            "FrameSkipping=1", "FramerateDetection=0", "FramerateManual=5x", "TextureType=1",
                            "TextureCaching=3", "EnableKeys=0"}));
    ReportRecorder recorder;
    auto [window, page] = startVideo();
    const auto snapshot = [&] {
        return std::vector<QString>{
            page->CB18->currentText(), page->CB3->currentText(), QString::number(page->CB4->isChecked()),
            page->CB5->currentText(), page->CB6->currentText(), page->CB7->currentText(), page->CB10->currentText(),
            QString::number(page->CB9->isChecked()), QString::number(page->CB28->isChecked()),
            page->CB11->currentText(), QString::number(page->CB12->isChecked()), page->CB13->currentText(),
            page->E2->text(), page->CB14->currentText(), page->CB15->currentText(),
            QString::number(page->CB16->isChecked()), page->CB8->currentText(),
            QString::number(page->CB17->isChecked()), QString::number(page->CB29->isChecked()),
            QString::number(page->E2->isEnabled())};
    };
    const auto loaded = snapshot();
    EXPECT_EQ(loaded, (std::vector<QString>{"OpenGL", "1024x768", "1", "16비트", "밝게", "레벨 3", "예", "1", "1",
                                            "아니요", "1", "아니요", "5x", "4비트", "3 (위험)", "0", "90°", "0", "1",
                                            "1"}));

    pick(page->CB18, 0);
    pick(page->CB3, 0);
    page->CB17->setChecked(true);
    page->CB29->setChecked(false);
    page->E2->setText("1");
    pick(page->CB13, 1);
    QTest::mouseClick(page->B06, Qt::LeftButton);
    EXPECT_EQ(snapshot(), loaded);
    EXPECT_TRUE(recorder.reports.isEmpty());
}

TEST(VideoPage, EnglishListsAndCaptions) {
    TempDir dir;
    writeSettings("english-version=1\r\nrenderer=renderer-d3d.orv\r\n");
    ReportRecorder recorder;
    auto [window, page] = startVideo();
    EXPECT_EQ(items(page->CB6), (QStringList{"none", "black", "bright"}));
    EXPECT_EQ(items(page->CB10), (QStringList{"none", "level 1", "level 2"}));
    pick(page->CB18, 2);
    EXPECT_EQ(items(page->CB10), (QStringList{"none", "yes"}));
    EXPECT_EQ(items(page->CB15), (QStringList{"0", "1", "2", "3 (risky)"}));
    EXPECT_EQ(items(page->CB3).front(), "320x240");
    EXPECT_EQ(page->CB3->count(), 9);
    EXPECT_EQ(page->L50->text(), "3D interface:");
    EXPECT_EQ(page->CB22->text(), "Use registry settings");
    EXPECT_EQ(page->B14->text(), "Advanced registry settings");
    EXPECT_EQ(page->B09->text(), "Save");
    EXPECT_EQ(page->B06->text(), "Cancel");
    Language::setEnglish(false);
}

namespace {
TF1* probedWindow = nullptr;
int probeCalls = 0;
bool enabledDuringCall = true;
void recordWindowState() {
    ++probeCalls;
    enabledDuringCall = probedWindow->isEnabled();
}
}  // namespace

TEST(VideoPage, AdvancedRegistrySettingsCallThePluginWithTheWindowDisabled) {
    TempDir dir;
    writeSettings("renderer=renderer-sft.orv\r\nregistry-configuration=1\r\n");
    std::filesystem::copy_file(FAKE_RENDERER_SFT_PATH, "renderer-sft.orv");
    QLibrary plugin(QDir::current().absoluteFilePath("renderer-sft.orv"));
    ASSERT_TRUE(plugin.load()) << plugin.errorString().toStdString();
    const auto setProbe = reinterpret_cast<void (*)(void (*)())>(plugin.resolve("fakeSetProbe"));
    ASSERT_NE(setProbe, nullptr);
    setProbe(&recordWindowState);

    ReportRecorder recorder;
    auto [window, page] = startVideo();
    probedWindow = window.get();
    probeCalls = 0;
    ASSERT_TRUE(page->B14->isVisible());
    QTest::mouseClick(page->B14, Qt::LeftButton);
    EXPECT_TRUE(recorder.reports.isEmpty()) << recorder.reports.join("|").toStdString();
    EXPECT_EQ(readFile("gpuconfigure-calls.txt"), "GPUconfigure\n");
    EXPECT_EQ(probeCalls, 1);
    EXPECT_FALSE(enabledDuringCall);
    EXPECT_TRUE(window->isEnabled());
    setProbe(nullptr);
}

TEST(VideoPage, AdvancedRegistrySettingsWithoutThePluginReportOnce) {
    TempDir dir;
    writeSettings("renderer=renderer-sft.orv\r\nregistry-configuration=1\r\n");
    ReportRecorder recorder;
    auto [window, page] = startVideo();
    QTest::mouseClick(page->B14, Qt::LeftButton);
    ASSERT_EQ(recorder.reports.size(), 1);
    EXPECT_EQ(recorder.reports.front(),
              "Cannot load the plug-in \"renderer-sft.orv\". No such file or directory.");
    EXPECT_TRUE(window->isEnabled());

    // A file of that name without the entry point.
    std::filesystem::copy_file(FAKE_RENDERER_WITHOUT_ENTRY_PATH, "renderer-sft.orv");
    QTest::mouseClick(page->B14, Qt::LeftButton);
    ASSERT_EQ(recorder.reports.size(), 2);
    EXPECT_EQ(recorder.reports.back(), "The plug-in \"renderer-sft.orv\" has no entry point GPUconfigure.");
    EXPECT_TRUE(window->isEnabled());
    EXPECT_FALSE(tavrix::fileExists("gpuconfigure-calls.txt"));
}

TEST(VideoPage, RegistryFlagCountsOnlyWithSoftwareAndSurvivesTheDefaultsWrite) {
    for (const char* kind : {"d3d", "ogl"}) {
        TempDir dir;
        writeSettings(std::string("renderer=renderer-") + kind + ".orv\r\nregistry-configuration=1\r\n");
        writeFile(kHardwareFile, hardwareFile());
        ReportRecorder recorder;
        auto [window, page] = startVideo();
        EXPECT_FALSE(page->CB22->isChecked()) << kind;
        EXPECT_FALSE(page->B14->isVisible()) << kind;
        EXPECT_TRUE(page->CB3->isEnabled()) << kind;
        EXPECT_FALSE(window->readLaunchInputs(1).useRegistrySettings) << kind;
    }

    // Software without its file: the defaults' write keeps the stored flag.
    TempDir dir;
    writeSettings("renderer=renderer-sft.orv\r\nregistry-configuration=1\r\n");
    ReportRecorder recorder;
    auto [window, page] = startVideo();
    ASSERT_TRUE(std::filesystem::exists(kSoftwareFile));
    EXPECT_EQ(storedKey("registry-configuration"), "1");
    EXPECT_TRUE(page->CB22->isChecked());
    EXPECT_TRUE(window->readLaunchInputs(1).useRegistrySettings);
    EXPECT_TRUE(recorder.reports.isEmpty());
}

TEST(VideoPage, FrameRateNotInUtf8IsKeptByteForByteUntilChanged) {
    TempDir dir;
    writeSettings("renderer=renderer-ogl.orv\r\n");
    const std::string stored = "6\xB0";  // a Western code page degree sign
    writeFile(kHardwareFile, hardwareFile({"FramerateManual=" + stored}));
    ReportRecorder recorder;
    auto [window, page] = startVideo();
    EXPECT_EQ(page->E2->text(), QString::fromUtf8("6\xC2\xB0"));
    QTest::mouseClick(page->B09, Qt::LeftButton);
    EXPECT_EQ(readFile(kHardwareFile), hardwareFile({"FramerateManual=" + stored}));
    page->E2->setText(QStringLiteral("60"));
    QTest::mouseClick(page->B09, Qt::LeftButton);
    EXPECT_EQ(readFile(kHardwareFile), hardwareFile({"FramerateManual=60"}));
    EXPECT_TRUE(recorder.reports.isEmpty());
}
