// The Video page's button for the software renderer plug-in's own dialog: the plug-in is
// called with the window disabled, and a plug-in that cannot be used is reported once a click.
#include "core/file_io.h"
#include "fixtures/app_fixture.h"

#include <QDir>
#include <QLibrary>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

using namespace tavrix::test;

namespace {

std::unique_ptr<TF1> startVideo() {
    writeSettings("renderer=renderer-sft.orv\r\nregistry-configuration=1\r\n");
    auto window = startWindow();
    window->model().showPage(tavrix::kVideoPage);
    return window;
}

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
    std::filesystem::copy_file(FAKE_RENDERER_SFT_PATH, "renderer-sft.orv");
    QLibrary plugin(QDir::current().absoluteFilePath("renderer-sft.orv"));
    ASSERT_TRUE(plugin.load()) << plugin.errorString().toStdString();
    const auto setProbe = reinterpret_cast<void (*)(void (*)())>(plugin.resolve("fakeSetProbe"));
    ASSERT_NE(setProbe, nullptr);
    setProbe(&recordWindowState);

    ReportRecorder recorder;
    auto window = startVideo();
    probedWindow = window.get();
    probeCalls = 0;
    auto* button = control<QPushButton>(*window, "B14");
    ASSERT_TRUE(button->isVisible());
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_TRUE(recorder.reports.isEmpty()) << recorder.reports.join("|").toStdString();
    EXPECT_EQ(readFile("gpuconfigure-calls.txt"), "GPUconfigure\n");
    EXPECT_EQ(probeCalls, 1);
    EXPECT_FALSE(enabledDuringCall);
    EXPECT_TRUE(window->isEnabled());
    setProbe(nullptr);
}

TEST(VideoPage, AdvancedRegistrySettingsWithoutThePluginReportOnce) {
    TempDir dir;
    ReportRecorder recorder;
    auto window = startVideo();
    auto* button = control<QPushButton>(*window, "B14");
    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_EQ(recorder.reports.size(), 1);
    EXPECT_EQ(recorder.reports.front(), "Cannot load the plug-in \"renderer-sft.orv\". No such file or directory.");
    EXPECT_TRUE(window->isEnabled());

    // A file of that name without the entry point.
    std::filesystem::copy_file(FAKE_RENDERER_WITHOUT_ENTRY_PATH, "renderer-sft.orv");
    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_EQ(recorder.reports.size(), 2);
    EXPECT_EQ(recorder.reports.back(), "The plug-in \"renderer-sft.orv\" has no entry point GPUconfigure.");
    EXPECT_TRUE(window->isEnabled());
    EXPECT_FALSE(tavrix::fileExists("gpuconfigure-calls.txt"));
}
