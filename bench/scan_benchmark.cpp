// The romset scan at the size of a real catalogue. Generates, in a temporary directory, a
// database of 10,000 games and their romset directory (a main archive per game, a third of the
// games with a parent, every game with one of 20 shared BIOS archives, about ten files per
// game, complete, partial and missing sets), then measures in one run:
//   1. start-up of the real window (offscreen) to a filled, sorted game list;
//   2. the full scan through the real window;
//   3. the archive reader alone, listing every distinct archive once (the floor);
//   4. the ratio of 2 to 3 and the peak resident memory;
//   5. the command-line audit (the real tavrix-audit program) over the same directory, as text,
//      as JSON and with --write, against the window's start-up with its scan.
// --scans N runs the scan N times (default 5); --games N generates N games instead of 10,000. With --naive K it also times the plain way over the first K entries: each entry selected
// in turn, so the Game Info page fills itself (database read, archives read) for every game,
// and extrapolates that to the whole list.
#include "app/error_report.h"
#include "app/game_list.h"
#include "app/main_window.h"
#include "app/tavrix_application.h"
#include "core/file_io.h"
#include "core/game_database.h"
#include "core/game_verification.h"
#include "core/ini_document_cache.h"
#include "core/settings.h"
#include "core/romset_archive_reader.h"
#include "fixtures/zip_builder.h"

#include <QTreeWidget>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

int gameCount = 10000;  // --games N changes it (smaller runs for instruction counts)
constexpr int kBiosArchives = 20;
constexpr int kBiosFiles = 3;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Processor time (user and system) used so far by this process or by its waited-for children:
// on a machine shared with other work, the fair measure beside the wall clock.
double cpuMilliseconds(int who) {
    rusage usage{};
    getrusage(who, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0 +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
}

long peakResidentKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string hex8(std::uint32_t value) {
    char text[9];
    std::snprintf(text, sizeof text, "%08X", value);
    return text;
}

std::string romsetOf(int game) {
    char text[16];
    std::snprintf(text, sizeof text, "game%05d", game);
    return text;
}

std::string biosOf(int index) {
    char text[16];
    std::snprintf(text, sizeof text, "bios%02d", index);
    return text;
}

// A title that does not follow the game numbers, so that sorting by name has work to do.
std::string titleOf(int game) {
    static const char* const words[] = {"Thunder", "Dragon", "Street", "Metal", "Cosmic", "Ninja",
                                        "Turbo",   "Galaxy", "Blade",  "Power", "Sonic",  "Hyper"};
    const std::uint32_t h = static_cast<std::uint32_t>(game) * 2654435761u;
    return std::string(words[h % 12]) + " " + words[(h >> 8) % 12] + " " + std::to_string(h % 9973);
}

std::uint32_t ownCrc(int game, int file) {
    return 0x10000000u + static_cast<std::uint32_t>(game) * 16u + static_cast<std::uint32_t>(file);
}
std::uint32_t biosCrc(int bios, int file) {
    return 0xB0000000u + static_cast<std::uint32_t>(bios) * 16u + static_cast<std::uint32_t>(file);
}

struct Generated {
    std::vector<std::string> archives;  // every archive written, native paths
};

// Games 3k+2 have game 3k+1 as parent. Every tenth game's main archive is missing; two in ten
// lack one of their own files; the rest are complete.
Generated generate() {
    Generated out;
    fs::create_directories("roms");
    for (int b = 0; b < kBiosArchives; ++b) {
        tavrix::test::ZipBuilder zip;
        for (int f = 0; f < kBiosFiles; ++f) zip.addFileWithCrc("bios" + std::to_string(f) + ".rom", biosCrc(b, f));
        const std::string path = "roms/" + biosOf(b) + ".zip";
        writeBytes(path, zip.build());
        out.archives.push_back(path);
    }

    std::string ini = "[Tavrix]\r\nroms-directory=.\\roms\r\nsorting-type=11\r\nstartup-scan=0\r\n\r\n";
    for (int game = 1; game <= gameCount; ++game) {
        const bool hasParent = game % 3 == 2;
        const int parent = game - 1;
        const int bios = game % kBiosArchives;
        const int ownFiles = hasParent ? 7 : 8;
        const bool mainMissing = game % 10 == 0;
        const bool partial = game % 10 == 3 || game % 10 == 7;

        ini += "[Game-" + std::to_string(game) + "]\r\n";
        ini += "GameName=" + titleOf(game) + "\r\n";
        ini += "GameManufacturer=Maker " + std::to_string(game % 37) + "\r\n";
        ini += "GameYear=" + std::to_string(1980 + game % 25) + "\r\n";
        ini += "SystemName=Board " + std::to_string(game % 23) + "\r\n";
        ini += "RomSetName=" + romsetOf(game) + "\r\n";
        ini += "ParentRomSetName=" + (hasParent ? romsetOf(parent) : std::string("none")) + "\r\n";
        ini += "BiosName=" + biosOf(bios) + "\r\n";
        ini += "Vantrel-plug-in=1\r\n";
        int k = 1;
        for (int f = 0; f < ownFiles; ++f)
            ini += "Rom-" + std::to_string(k++) + "=file" + std::to_string(f) + ".bin:" + hex8(ownCrc(game, f)) + "\r\n";
        if (hasParent)
            for (int f = 0; f < 2; ++f)
                ini += "Rom-" + std::to_string(k++) + "=parent" + std::to_string(f) + ".bin:" + hex8(ownCrc(parent, f)) + "\r\n";
        ini += "Rom-" + std::to_string(k++) + "=bios0.rom:" + hex8(biosCrc(bios, 0)) + "\r\n\r\n";

        if (mainMissing) continue;
        tavrix::test::ZipBuilder zip;
        for (int f = 0; f < ownFiles; ++f) {
            if (partial && f == 2) continue;
            zip.addFileWithCrc("file" + std::to_string(f) + ".bin", ownCrc(game, f));
        }
        const std::string path = "roms/" + romsetOf(game) + ".zip";
        writeBytes(path, zip.build());
        out.archives.push_back(path);
    }
    writeBytes("tavrix.ini", ini);
    return out;
}

double listEveryArchiveOnce(const std::vector<std::string>& archives, std::size_t& entries) {
    entries = 0;
    const auto start = Clock::now();
    for (const std::string& path : archives) entries += tavrix::listArchiveMembers(path, path).size();
    return millisecondsSince(start);
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    int naiveEntries = 0;
    int scanRuns = 5;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--naive") == 0 && i + 1 < argc) naiveEntries = std::atoi(argv[++i]);
        if (std::strcmp(argv[i], "--scans") == 0 && i + 1 < argc) scanRuns = std::max(1, std::atoi(argv[++i]));
        if (std::strcmp(argv[i], "--games") == 0 && i + 1 < argc) gameCount = std::max(1, std::atoi(argv[++i]));
    }

    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    TavrixApplication app(argc, argv);
    int reports = 0;
    ErrorReport::setSink([&reports](const QString&) { ++reports; });

    char pattern[] = "/tmp/tavrix-bench-XXXXXX";
    const char* directory = mkdtemp(pattern);
    if (directory == nullptr || chdir(directory) != 0) {
        std::perror("temporary directory");
        return 1;
    }
    auto generationStart = Clock::now();
    const Generated data = generate();
    std::printf("generated %d games, %zu archives in %.0f ms (%s)\n", gameCount, data.archives.size(),
                millisecondsSince(generationStart), directory);

    // 1. Start-up to a filled, sorted list.
    const auto startupStart = Clock::now();
    TF1 window;
    window.show();
    const double startup = millisecondsSince(startupStart);
    QApplication::processEvents();
    tavrix::WindowModel& model = window.model();
    auto* list = window.findChild<QTreeWidget*>(QStringLiteral("LV0"));
    std::printf("1. start-up to a sorted list of %d games: %.1f ms\n", list->topLevelItemCount(), startup);

    // 2. The scan through the real window; the first run and the median of five.
    std::vector<double> scans;
    std::vector<double> scanCpus;
    for (int run = 0; run < scanRuns; ++run) {
        const auto start = Clock::now();
        const double cpuStart = cpuMilliseconds(RUSAGE_SELF);
        model.scanRomsets();
        scans.push_back(millisecondsSince(start));
        scanCpus.push_back(cpuMilliseconds(RUSAGE_SELF) - cpuStart);
    }
    const double scan = median(scans);
    const double scanCpu = median(scanCpus);
    std::printf("2. full scan: first %.1f ms, median of %zu %.1f ms (processor %.1f ms); %d playable, %d reports\n",
                scans.front(), scans.size(), scan, scanCpu, model.list.playableCount(), reports);

    // 3. The floor: every distinct archive listed once.
    std::vector<double> floors;
    std::size_t entries = 0;
    for (int run = 0; run < 5; ++run) floors.push_back(listEveryArchiveOnce(data.archives, entries));
    const double floor = median(floors);
    std::printf("3. reader alone, %zu archives, %zu entries: median %.1f ms\n", data.archives.size(), entries, floor);

    // 4. The ratio and the memory.
    std::printf("4. ratio scan/floor: %.2f (target <= 3); peak RSS %.1f MB (target < 150)\n", scan / floor,
                static_cast<double>(peakResidentKilobytes()) / 1024.0);

    // The window's own start-up scan: a second window started with startup-scan on and the
    // parsed file forgotten, as a fresh start of the program would find it.
    double startupScan = 0;
    double startupScanCpu = 0;
    {
        auto document = tavrix::IniDocument::load(tavrix::kSettingsFileName);
        document.writeBool(tavrix::kSettingsSection, tavrix::settings::startupScan.key, true);
        document.save(tavrix::kSettingsFileName);
        tavrix::IniDocumentCache::shared().clear();
        const auto start = Clock::now();
        const double cpuStart = cpuMilliseconds(RUSAGE_SELF);
        TF1 scanning;
        scanning.show();
        startupScan = millisecondsSince(start);
        startupScanCpu = cpuMilliseconds(RUSAGE_SELF) - cpuStart;
        std::printf("   start-up with its scan (startup-scan=1): %.1f ms (processor %.1f ms)\n", startupScan,
                    startupScanCpu);
    }

    // 5. The command-line audit, start to end as a process: parse, verify, report (and write).
    {
        const std::string before = tavrix::readWholeFile(tavrix::kSettingsFileName).value_or("");
        struct Timing {
            double wall;
            double cpu;
        };
        // Wall clock and processor time (the child's, shell included), medians of three runs.
        auto timeAudit = [](const std::string& arguments) {
            std::vector<double> walls, cpus;
            for (int run = 0; run < 3; ++run) {
                const auto start = Clock::now();
                const double cpuStart = cpuMilliseconds(RUSAGE_CHILDREN);
                const int status = std::system(("'" TAVRIX_AUDIT_PATH "' " + arguments + " >/dev/null").c_str());
                walls.push_back(millisecondsSince(start));
                cpus.push_back(cpuMilliseconds(RUSAGE_CHILDREN) - cpuStart);
                if (!WIFEXITED(status) || WEXITSTATUS(status) > 1) std::printf("   audit %s failed\n", arguments.c_str());
            }
            return Timing{median(walls), median(cpus)};
        };
        const Timing text = timeAudit("");
        const Timing json = timeAudit("--json");
        const Timing write = timeAudit("--write");
        const bool same = tavrix::readWholeFile(tavrix::kSettingsFileName).value_or("") == before;
        const double slowest = std::max({text.wall, json.wall, write.wall});
        const double slowestCpu = std::max({text.cpu, json.cpu, write.cpu});
        std::printf("5. tavrix-audit as a program, medians of 3, wall (processor): text %.1f (%.1f) ms, --json %.1f "
                    "(%.1f) ms, --write %.1f (%.1f) ms; --write leaves the bytes the window's scan wrote: %s\n"
                    "   slowest audit / window's start-up with its scan: wall %.2f, processor %.2f (target <= 1); "
                    "/ the scan alone: wall %.2f, processor %.2f\n",
                    text.wall, text.cpu, json.wall, json.cpu, write.wall, write.cpu, same ? "yes" : "NO",
                    slowest / startupScan, slowestCpu / startupScanCpu, slowest / scan, slowestCpu / scanCpu);
    }

    // Where the scan's time goes: its core parts alone, each over every game of the list.
    {
        std::vector<int> numbers;
        for (const tavrix::GameListRow& entry : model.list.entries) numbers.push_back(entry.number);
        auto t = Clock::now();
        auto shared = tavrix::IniDocumentCache::shared().load(tavrix::kSettingsFileName);
        tavrix::IniDocument document = *shared;
        const double copy = millisecondsSince(t);
        t = Clock::now();
        std::vector<tavrix::GameRecord> games;
        games.reserve(numbers.size());
        for (int number : numbers) games.push_back(tavrix::readGame(document, number));
        const double read = millisecondsSince(t);
        t = Clock::now();
        tavrix::CachingArchiveLister lister(tavrix::CachingArchiveLister::StampCheck::once);  // as the scan
        int playable = 0;
        std::vector<int> statuses;
        for (const tavrix::GameRecord& game : games) {
            statuses.push_back(tavrix::verifyGame(game, model.general.romsDirectory(), lister).status());
            playable += statuses.back() == tavrix::kStatusPlayable ? 1 : 0;
        }
        const double verify = millisecondsSince(t);
        t = Clock::now();
        for (std::size_t i = 0; i < numbers.size(); ++i) tavrix::writeGameStatus(document, numbers[i], statuses[i]);
        const double write = millisecondsSince(t);
        t = Clock::now();
        const std::string bytes = document.serialize();
        const double serialize = millisecondsSince(t);
        t = Clock::now();
        auto* view = window.findChild<GameList*>();
        for (std::size_t i = 0; i < numbers.size(); ++i) {
            model.list.setStatus(numbers[i], 4 - static_cast<int>(i % 2) * 2);
            view->showStatus(static_cast<int>(i));
        }
        const double icons = millisecondsSince(t);
        std::printf("   parts: copy %.1f, read games %.1f, verify %.1f (%zu archives read, %d playable), "
                    "write statuses %.1f, serialize %.1f (%zu bytes), change every icon %.1f ms\n",
                    copy, read, verify, lister.readCount(), playable, write, serialize, bytes.size(), icons);
    }

    if (naiveEntries > 0) {
        naiveEntries = std::min(naiveEntries, list->topLevelItemCount());
        const auto start = Clock::now();
        int marked = 0;
        for (int i = 0; i < naiveEntries; ++i) {
            list->setCurrentItem(list->topLevelItem(i));  // fills the Game Info page
            for (bool mark : model.gameInfo.marks()) marked += mark ? 1 : 0;
        }
        const double elapsed = millisecondsSince(start);
        std::printf("naive: page fill per entry for %d entries: %.1f ms (%d marks); %.1f ms per game, "
                    "about %.0f ms for %d games, ratio about %.0f\n",
                    naiveEntries, elapsed, marked, elapsed / naiveEntries, elapsed / naiveEntries * gameCount, gameCount,
                    elapsed / naiveEntries * gameCount / floor);
    }

    window.close();
    std::error_code ignored;
    fs::current_path("/tmp", ignored);
    fs::remove_all(directory, ignored);
    return 0;
}
