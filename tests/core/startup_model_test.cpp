// The start-up sequence and the language panel without a window: which steps run for which
// settings file, what the sequence writes, and how the panel's OK behaves.
#include "core/error.h"
#include "core/ini_document_cache.h"
#include "core/startup_model.h"
#include "fixtures/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

using namespace tavrix;
using namespace tavrix::test;

namespace {

// A front end that writes down each step it is asked for, and fails at one when told to.
class StepLog : public StartupSteps {
public:
    std::string log;
    bool scanChecked = false;        // the General page's start-up scan box after its reload
    std::string failAt;              // a step that throws, as a reload of a bad value does
    const LanguagePanelModel* panel = nullptr;

    void clearBatchRequest() override { note("batch"); }
    void reportCorruptedSettings(const char* text) override { note(std::string("box:") + text); }
    void showLanguagePanel(bool shown) override {
        // The model has its state ready when it asks the front end to show it.
        EXPECT_EQ(panel->visible, shown);
        note(shown ? "panel" : "nopanel");
    }
    void setEnglishFlag(bool english) override { note(english ? "flag1" : "flag0"); }
    void applyEnglishCaptions() override { note("english"); }
    void fillGameList() override { note("fill"); }
    void reloadGeneralPage() override { note("general"); }
    void sortGameList() override { note("sort"); }
    void reloadSoundPage() override { note("sound"); }
    void reloadVideoPage() override { note("video"); }
    bool startupScanChecked() const override { return scanChecked; }
    void scanRomsets() override { note("scan"); }
    void selectFirstGame() override { note("first"); }
    void reloadControlsPage(bool english) override { note(english ? "controls1" : "controls0"); }
    void showFirstPage() override { note("page0"); }
    void focusGameList() override { note("focus"); }

private:
    void note(const std::string& step) {
        log += (log.empty() ? "" : " ") + step;
        if (step == failAt) throw Error("'abc' is not a valid integer value");
    }
};

const std::string kBox = "batch box:Файл конфигурации повреждён!\n\rConfiguration file is corrupted!";
const std::string kReloads = "fill general sort sound video";
const std::string kEnd = "page0 nopanel focus";

}  // namespace

TEST(StartupModel, SettingsFileDecidesTheSteps) {
    const struct {
        const char* file;  // nullptr: no settings file at all
        bool languageChosen;
        bool scanChecked;
        std::string steps;
        const char* fileAfter;  // nullptr: unchanged
    } cases[] = {
        {nullptr, false, false, kBox, nullptr},
        {"[Game-1]\r\nGameName=X\r\n", false, false, kBox, nullptr},
        {"[Tavrix]\r\n", false, false, "batch flag0 " + kReloads + " first controls0 " + kEnd, nullptr},
        {"[tavrix]\r\nEnglish-Version=1\r\n", false, false,
         "batch flag1 english " + kReloads + " first controls1 " + kEnd, nullptr},
        // Not a number: the default, no first start.
        {"[Tavrix]\r\nfirst-startup=yes\r\n", false, true,
         "batch flag0 " + kReloads + " scan first controls0 " + kEnd, nullptr},
        {"[Tavrix]\r\nfirst-startup=1\r\n", false, true, "batch panel", nullptr},
        // After the language: the flag cleared, then a scan, also after the start-up scan.
        {"[Tavrix]\r\nfirst-startup=1\r\nenglish-version=1\r\n", true, true,
         "batch flag1 english " + kReloads + " scan scan first controls1 " + kEnd,
         "[Tavrix]\r\nfirst-startup=0\r\nenglish-version=1\r\n\r\n"},
        {"[Tavrix]\r\nfirst-startup=1\r\n", true, false,
         "batch flag0 " + kReloads + " scan first controls0 " + kEnd, "[Tavrix]\r\nfirst-startup=0\r\n\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file ? c.file : "no file");
        TempDir dir;
        IniDocumentCache::shared().clear();
        if (c.file) writeFile("tavrix.ini", c.file);
        StartupModel model;
        model.languageChosen = c.languageChosen;
        StepLog steps;
        steps.panel = &model.panel;
        steps.scanChecked = c.scanChecked;
        model.FormShow(steps);
        EXPECT_EQ(steps.log, c.steps);
        EXPECT_EQ(model.panel.visible, c.steps == "batch panel");
        if (c.file) {
            EXPECT_EQ(readFile("tavrix.ini"), c.fileAfter ? c.fileAfter : c.file);
        } else {
            EXPECT_FALSE(std::filesystem::exists("tavrix.ini"));
        }
    }
}

TEST(StartupModel, LanguagePanelOkStoresTheChoiceAndRunsTheSequenceAgain) {
    TempDir dir;
    IniDocumentCache::shared().clear();
    writeFile("tavrix.ini", "[Tavrix]\r\nfirst-startup=1\r\n");
    StartupModel model;
    StepLog steps;
    steps.panel = &model.panel;
    model.FormShow(steps);
    LanguagePanelModel& panel = model.panel;
    panel.RB1Click();
    EXPECT_FALSE(panel.okEnabled) << "nothing checked yet";
    // A flag checks its radio button and unchecks the other one.
    panel.I2Click();
    panel.I3Click();
    EXPECT_TRUE(panel.englishChecked && !panel.koreanChecked && panel.okEnabled);

    // The file cannot be written: nothing runs and OK can be pressed again.
    std::filesystem::rename("tavrix.ini", "kept.ini");
    std::filesystem::create_directory("tavrix.ini");
    steps.log.clear();
    try {
        model.B10Click(steps);
        ADD_FAILURE() << "no error";
    } catch (const Error& error) {
        EXPECT_EQ(std::string(error.what()).rfind("Cannot create file \"tavrix.ini\". ", 0), 0u) << error.what();
    }
    EXPECT_EQ(steps.log, "");
    EXPECT_TRUE(panel.okEnabled && panel.visible && !model.languageChosen);

    // A reload that fails ends the sequence there: the panel goes, first-startup stays.
    std::filesystem::remove("tavrix.ini");
    std::filesystem::rename("kept.ini", "tavrix.ini");
    steps.failAt = "sound";
    EXPECT_THROW(model.B10Click(steps), Error);
    EXPECT_EQ(steps.log, "batch flag1 english fill general sort sound nopanel");
    EXPECT_TRUE(!panel.visible && !panel.okEnabled && model.languageChosen && model.english);
    EXPECT_EQ(readFile("tavrix.ini"), "[Tavrix]\r\nfirst-startup=1\r\nenglish-version=1\r\n\r\n");
}
