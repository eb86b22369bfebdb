// Every Save of the window, the first start's bookkeeping, the romset scan and the batch file
// against a write that fails:
// a file size limit below the new content, a folder in the file's place, and a read-only
// folder for an unprivileged user. Each run happens in a child process that builds its own
// window; the parent checks that the report names the file and that every file in the
// working folder is byte for byte what it was, with no temporary file left.
#include "core/emulator_contract.h"
#include "core/hardware_renderer_config.h"
#include "core/ini_document.h"
#include "core/software_renderer_config.h"
#include "core/video_settings.h"
#include "fixtures/app_fixture.h"
#include "fixtures/fresh_controller_file.h"

#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <map>

using namespace tavrix::test;

namespace {

enum class Fault { FileTooLarge, FolderInPlace, ReadOnlyFolder };

const char* reasonOf(Fault fault) {
    switch (fault) {
        case Fault::FileTooLarge: return "File too large";
        case Fault::FolderInPlace: return "Is a directory";
        case Fault::ReadOnlyFolder: return "Permission denied";
    }
    return "";
}

const char* nameOf(Fault fault) {
    switch (fault) {
        case Fault::FileTooLarge: return "FileTooLarge";
        case Fault::FolderInPlace: return "FolderInPlace";
        case Fault::ReadOnlyFolder: return "ReadOnlyFolder";
    }
    return "";
}

// A database large enough that a 1 KB size limit cuts every rewrite of tavrix.ini short.
std::string settingsFile(const std::string& firstStartLines) {
    std::string text = "[Tavrix]\r\n" + firstStartLines +
                       "renderer=renderer-ogl.orv\r\nuse-sound=1\r\nsound-filter-cutoff=2\r\n\r\n";
    for (int n = 1; n <= 60; ++n)
        text += "[Game-" + std::to_string(n) + "]\r\nGameName=Game number " + std::to_string(n) +
                "\r\nSystemName=KX-1\r\nRomSetName=none\r\nGameStatus=4\r\n\r\n";
    return text;
}

// The working folder as the program left it before a start: every file it reads is present,
// so nothing but the Save under test writes.
void writeWorkingFiles(const std::string& firstStartLines) {
    writeFile("tavrix.ini", settingsFile(firstStartLines));
    writeFile(tavrix::emulator::kHardwareRendererConfigFile, tavrix::hardwareRendererConfig(tavrix::VideoSettings{}));
    tavrix::IniDocument software;
    tavrix::storeSoftwareRendererConfig(software, tavrix::VideoSettings{});
    writeFile(tavrix::emulator::kSoftwareRendererConfigFile, software.serialize());
    writeFile("tavrix-controller.cfg", kFreshControllerFile);
}

// Name and bytes of every entry of the working folder ("<dir>" for folders).
std::map<std::string, std::string> folderContent() {
    std::map<std::string, std::string> content;
    for (const auto& entry : std::filesystem::directory_iterator("."))
        content[entry.path().filename().string()] = entry.is_directory() ? "<dir>" : readFile(entry.path());
    return content;
}

void applyFault(Fault fault, rlim_t limit, const std::string& target) {
    if (fault == Fault::FolderInPlace) {
        std::filesystem::remove(target);
        std::filesystem::create_directory(target);
    } else if (fault == Fault::FileTooLarge) {
        rlimit value{limit, limit};
        ::setrlimit(RLIMIT_FSIZE, &value);
    } else if (fault == Fault::ReadOnlyFolder && ::geteuid() == 0) {
        // Root ignores permissions: drop to an unprivileged user, as a user runs the program.
        (void)!::setgid(65534);
        (void)!::setuid(65534);
    }
}

// Runs `run` in a child process and brings back the reports it recorded, one per line. A
// child that does not finish normally gives "<child failed>".
QString reportsInChild(const std::function<QStringList()>& run) {
    int channel[2];
    if (::pipe(channel) != 0) return "<pipe failed>";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        ::alarm(60);
        const QByteArray text = run().join('\n').toUtf8();
        (void)!::write(channel[1], text.constData(), static_cast<size_t>(text.size()));
        ::close(channel[1]);
        ::_exit(0);
    }
    ::close(channel[1]);
    QByteArray text;
    char buffer[512];
    ssize_t got;
    while ((got = ::read(channel[0], buffer, sizeof buffer)) > 0) text.append(buffer, got);
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return "<child failed>";
    return QString::fromUtf8(text);
}

// The window in a forked child is shown without painting: the raster engine hands large fills
// to a thread pool whose threads stayed behind in the parent, and would wait for them forever.
std::unique_ptr<TF1> unpaintedWindow(bool languageChosen = false) {
    auto window = std::make_unique<TF1>();
    window->setUpdatesEnabled(false);
    if (languageChosen) window->model().startup.languageChosen = true;
    return window;
}

void showUnpainted(TF1& window) {
    window.show();
    QApplication::processEvents();
}

// One writer of the window: how it is reached and which file it writes.
struct Writer {
    const char* name;
    std::string target;       // the file whose write fails
    rlim_t sizeLimit;         // below the target's new size, above that of files written before it
    std::string firstStartLines = "first-startup=0\r\nenglish-version=1\r\n";
    // Builds the window and brings it to the moment before the write.
    std::function<std::unique_ptr<TF1>()> open = [] {
        auto window = unpaintedWindow();
        showUnpainted(*window);
        return window;
    };
    std::function<void(TF1&)> prepare = [](TF1&) {};
    std::function<void(TF1&)> write;
    // Files that this writer may rewrite whole before the target's write fails.
    std::vector<std::string> writtenBefore = {};
    int pageAfterFailure = -1;  // the page shown after the failure; -1 when there is none
    bool folderFaultApplies = true;
    bool faultBeforeOpen = false;  // the write happens while the window starts
    std::string targetContent;     // the target's old bytes, when not the usual working file
};

void pickRenderer(TF1& window, int index) {
    window.model().showPage(2);
    auto* list = control<QComboBox>(window, "CB18");
    list->setCurrentIndex(index);
    emit list->activated(index);
}

Writer pageSave(const char* name, std::string target, rlim_t limit, int page,
               std::function<void(TF1&)> prepare, std::function<void(TF1&)> write) {
    Writer writer;
    writer.name = name;
    writer.target = std::move(target);
    writer.sizeLimit = limit;
    writer.prepare = std::move(prepare);
    writer.write = std::move(write);
    writer.pageAfterFailure = page;
    return writer;
}

std::vector<Writer> writers() {
    std::vector<Writer> list;
    list.push_back(pageSave("GeneralSave", "tavrix.ini", 1024, 1, [](TF1& w) { w.model().showPage(1); },
                            [](TF1& w) { QTest::mouseClick(control(w, "B07"), Qt::LeftButton); }));
    list.push_back(pageSave("SoundSave", "tavrix.ini", 1024, 3, [](TF1& w) { w.model().showPage(3); },
                            [](TF1& w) { QTest::mouseClick(control(w, "B11"), Qt::LeftButton); }));
    list.push_back(pageSave("VideoSaveSoftwareFile", tavrix::emulator::kSoftwareRendererConfigFile, 64, 2,
                            [](TF1& w) { pickRenderer(w, 0); },
                            [](TF1& w) { QTest::mouseClick(control(w, "B09"), Qt::LeftButton); }));
    list.push_back(pageSave("VideoSaveHardwareFile", tavrix::emulator::kHardwareRendererConfigFile, 64, 2,
                            [](TF1& w) { pickRenderer(w, 1); },
                            [](TF1& w) { QTest::mouseClick(control(w, "B09"), Qt::LeftButton); }));
    // The renderer file is written whole first; then the settings file fails.
    list.push_back(pageSave("VideoSaveSettings", "tavrix.ini", 1024, 2, [](TF1& w) { pickRenderer(w, 2); },
                            [](TF1& w) { QTest::mouseClick(control(w, "B09"), Qt::LeftButton); }));
    list.back().writtenBefore = {tavrix::emulator::kHardwareRendererConfigFile};
    list.push_back(pageSave("ControlsSave", "tavrix-controller.cfg", 256, 4, [](TF1& w) { w.model().showPage(4); },
                            [](TF1& w) { QTest::mouseClick(control(w, "B04"), Qt::LeftButton); }));

    // First start: the language panel's OK stores the language ...
    list.push_back(pageSave("FirstStartLanguage", "tavrix.ini", 1024, -1,
                            [](TF1& w) { QTest::mouseClick(control(w, "RB2"), Qt::LeftButton); },
                            [](TF1& w) { QTest::mouseClick(control(w, "B10"), Qt::LeftButton); }));
    list.back().firstStartLines = "first-startup=1\r\nenglish-version=0\r\n";
    // ... then the start-up sequence clears the first-start flag (the window is shown only
    // when the fault is in place, so the folder case cannot apply: the start-up check of the
    // settings file would stop it first).
    list.push_back(pageSave("FirstStartFlag", "tavrix.ini", 1024, -1, [](TF1&) {}, [](TF1& w) { showUnpainted(w); }));
    list.back().firstStartLines = "first-startup=1\r\nenglish-version=1\r\n";
    list.back().open = [] { return unpaintedWindow(true); };
    list.back().folderFaultApplies = false;

    // A controller file without its general section is completed with both players' defaults
    // when the Controls page loads at start-up.
    list.push_back(pageSave("ControlsFirstLoad", "tavrix-controller.cfg", 256, -1, [](TF1&) {}, [](TF1&) {}));
    list.back().faultBeforeOpen = true;
    list.back().targetContent = "[player1]\r\nup=k48\r\ncoin=\r\n";

    // The scan writes every game's status in one write at its end: from the General page's
    // rescan button ...
    list.push_back(pageSave("RescanButton", "tavrix.ini", 1024, -1, [](TF1& w) { w.model().showPage(1); },
                            [](TF1& w) { QTest::mouseClick(control(w, "B02"), Qt::LeftButton); }));
    // ... and at start-up when the General page asks for it.
    list.push_back(pageSave("ScanAtStartUp", "tavrix.ini", 1024, -1, [](TF1&) {}, [](TF1&) {}));
    list.back().faultBeforeOpen = true;
    list.back().firstStartLines = "first-startup=0\r\nenglish-version=1\r\nstartup-scan=1\r\n";
    list.back().folderFaultApplies = false;  // the start-up check of the file would stop it first

    // Ctrl+F11 in the game list writes the launch command to the batch file.
    list.push_back(pageSave("BatchFile", "tavrix.bat", 32, -1, [](TF1& w) { control(w, "LV0")->setFocus(); },
                            [](TF1& w) { QTest::keyClick(control(w, "LV0"), Qt::Key_F11, Qt::ControlModifier); }));
    list.back().targetContent = "orvo.exe 1 -old\r\n";
    return list;
}

// Every writer with every fault that reaches it: a read-only folder stops a Save at the first
// file it writes, which its own case covers.
std::vector<std::tuple<int, Fault>> cases() {
    std::vector<std::tuple<int, Fault>> list;
    const auto all = writers();
    for (int i = 0; i < static_cast<int>(all.size()); ++i) {
        list.emplace_back(i, Fault::FileTooLarge);
        if (all[static_cast<std::size_t>(i)].folderFaultApplies) list.emplace_back(i, Fault::FolderInPlace);
        if (all[static_cast<std::size_t>(i)].writtenBefore.empty()) list.emplace_back(i, Fault::ReadOnlyFolder);
    }
    return list;
}

class WriteFaultPages : public ::testing::TestWithParam<std::tuple<int, Fault>> {};

}  // namespace

TEST_P(WriteFaultPages, TheOldFilesStayAndTheReportNamesTheFile) {
    const Writer writer = writers()[static_cast<std::size_t>(std::get<0>(GetParam()))];
    const Fault fault = std::get<1>(GetParam());
    TempDir dir;
    ::chmod(".", 0755);
    writeWorkingFiles(writer.firstStartLines);
    if (!writer.targetContent.empty()) writeFile(writer.target, writer.targetContent);
    if (fault == Fault::ReadOnlyFolder) {
        for (const auto& entry : std::filesystem::directory_iterator(".")) ::chmod(entry.path().c_str(), 0666);
        ::chmod(".", 0555);
    }
    auto before = folderContent();
    // The child puts the folder in place once the window is up, as a start-up would refuse it.
    if (fault == Fault::FolderInPlace) before[writer.target] = "<dir>";

    const QString reports = reportsInChild([&] {
        ReportRecorder recorder;
        if (writer.faultBeforeOpen) applyFault(fault, writer.sizeLimit, writer.target);
        std::unique_ptr<TF1> window = writer.open();
        writer.prepare(*window);
        if (!writer.faultBeforeOpen) {
            if (!recorder.reports.isEmpty()) return QStringList{"before the fault: " + recorder.reports.join('|')};
            applyFault(fault, writer.sizeLimit, writer.target);
        }
        writer.write(*window);
        const int page = window->model().currentPage();
        if (writer.pageAfterFailure >= 0 && page != writer.pageAfterFailure)
            recorder.reports.append("page " + QString::number(page));
        // The language panel stays usable: its OK can be pressed again.
        if (control(*window, "P2")->isVisible() && !control(*window, "B10")->isEnabled())
            recorder.reports.append("OK disabled");
        return recorder.reports;
    });

    EXPECT_EQ(reports.toStdString(),
              "Cannot create file \"" + writer.target + "\". " + reasonOf(fault) + ".");
    auto after = folderContent();
    for (const std::string& name : writer.writtenBefore) {
        // Written whole by the same Save: present, and the file the page reads back.
        ASSERT_TRUE(after.count(name)) << name;
        EXPECT_FALSE(tavrix::readHardwareRendererConfig(after[name]).failed) << name;
        before.erase(name);
        after.erase(name);
    }
    // The same names (no temporary file left) and the same bytes.
    std::vector<std::string> namesBefore, namesAfter;
    for (const auto& [name, bytes] : before) namesBefore.push_back(name);
    for (const auto& [name, bytes] : after) namesAfter.push_back(name);
    ASSERT_EQ(namesAfter, namesBefore);
    for (const auto& [name, bytes] : before) EXPECT_TRUE(after[name] == bytes) << name << " changed";
    if (fault == Fault::FolderInPlace) {
        EXPECT_TRUE(std::filesystem::is_empty(writer.target));
    }
}

INSTANTIATE_TEST_SUITE_P(
    EveryWriter, WriteFaultPages,
    ::testing::ValuesIn(cases()),
    [](const ::testing::TestParamInfo<std::tuple<int, Fault>>& info) {
        return std::string(writers()[static_cast<std::size_t>(std::get<0>(info.param))].name) + "_" +
               nameOf(std::get<1>(info.param));
    });
