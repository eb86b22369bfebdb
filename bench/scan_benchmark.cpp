// The romset scan at the emulator's ceiling of 32,767 games. Generates, in a temporary
// directory, a database and its romset directory (a main archive per game, a third of the games
// with a parent, every game with one of 20 shared BIOS archives, about ten files per game,
// complete, partial and missing sets), then measures in one run:
//   1. the real tavrix program, started offscreen as a user would in that directory: start-up
//      without a scan (to the last file start-up writes, tavrix-controller.cfg) with its
//      resident memory then; start-up with its scan and the write of tavrix.ini, warm and
//      cold, with the peak resident memory;
//   2. the archive reader's own serial floor: every distinct archive listed once on one thread,
//      warm and cold, and the ratios of 1 to it;
//   3. the core alone, without a window, in a child process each: the database and the sorted
//      game list (time, memory), and the scan on 0, 1, 2, 4 and 8 worker threads;
//   4. the command-line audit (the real tavrix-audit program), warm and cold.
// Cold means the page cache dropped before each run: through /proc/sys/vm/drop_caches when it
// can be written (as root), otherwise with posix_fadvise on every archive and on tavrix.ini.
// The programs are measured from outside, so any build of them can be compared:
//   scan_benchmark [--games N] [--runs N] [--fadvise] [--keep] [--generate] [--program PATH] [--audit PATH]
// --keep leaves the generated directory in place; --generate only makes it (for a profiler).
#include "core/controller_config.h"
#include "core/game_list_model.h"
#include "core/ini_document.h"
#include "core/ini_document_cache.h"
#include "core/romset_archive_reader.h"
#include "core/romset_scan_model.h"
#include "core/settings.h"
#include "fixtures/zip_builder.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/inotify.h>
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
#include <functional>
#include <optional>
#include <string>
#include <vector>

extern char** environ;

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

int gameCount = 32767;
int runs = 3;
bool forceFadvise = false;
std::string programPath = TAVRIX_PROGRAM_PATH;
std::string auditPath = TAVRIX_AUDIT_PATH;
constexpr int kBiosArchives = 20;
constexpr int kBiosFiles = 3;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

double mib(long kilobytes) {
    return static_cast<double>(kilobytes) / 1024.0;
}

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
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

// Games 3k+2 have game 3k+1 as parent. Every tenth game's main archive is missing; two in ten
// lack one of their own files; the rest are complete. Returns every archive written.
std::vector<std::string> generate() {
    std::vector<std::string> archives;
    fs::create_directories("roms");
    for (int b = 0; b < kBiosArchives; ++b) {
        tavrix::test::ZipBuilder zip;
        for (int f = 0; f < kBiosFiles; ++f) zip.addFileWithCrc("bios" + std::to_string(f) + ".rom", biosCrc(b, f));
        const std::string path = "roms/" + biosOf(b) + ".zip";
        writeBytes(path, zip.build());
        archives.push_back(path);
    }

    std::string ini =
        "[Tavrix]\r\nfirst-startup=0\r\nenglish-version=1\r\nroms-directory=.\\roms\r\nsorting-type=11\r\n"
        "startup-scan=0\r\n\r\n";
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
        archives.push_back(path);
    }
    writeBytes(tavrix::kSettingsFileName, ini);
    return archives;
}

// The page cache dropped for the files a scan reads.
bool dropCaches(const std::vector<std::string>& archives) {
    ::sync();
    if (!forceFadvise) {
        if (FILE* drop = std::fopen("/proc/sys/vm/drop_caches", "w")) {
            const bool dropped = std::fputs("1\n", drop) >= 0;
            if (std::fclose(drop) == 0 && dropped) return true;
        }
    }
    auto evict = [](const std::string& path) {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) return;
        ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
        ::close(fd);
    };
    for (const std::string& path : archives) evict(path);
    evict(tavrix::kSettingsFileName);
    return false;
}

std::vector<std::string> archivesFound;  // for dropCaches

void setStartupScan(bool on) {
    auto document = tavrix::IniDocument::load(tavrix::kSettingsFileName);
    document.writeBool(tavrix::kSettingsSection, tavrix::settings::startupScan.key, on);
    document.save(tavrix::kSettingsFileName);
}

// One line of /proc/<pid>/status in kilobytes ("VmRSS", "VmHWM"), or -1.
long statusKilobytes(pid_t pid, const char* field) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    const std::string prefix = std::string(field) + ":";
    while (std::getline(in, line))
        if (line.compare(0, prefix.size(), prefix) == 0) return std::atol(line.c_str() + prefix.size());
    return -1;
}

pid_t spawn(const std::vector<std::string>& arguments, bool quiet) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (quiet) {
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    }
    std::vector<char*> argv;
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

struct ProgramRun {
    bool ok = false;
    double seconds = 0;
    long residentKb = 0;  // VmRSS when start-up had ended
    long peakKb = 0;      // VmHWM then
};

// The window's program started in the current directory: the time until it has written
// tavrix-controller.cfg with `expected` content (the last file its start-up writes; removed
// first), its memory then. The program is then ended.
ProgramRun runProgram(const std::string& expected) {
    ProgramRun run;
    fs::remove(tavrix::kControllerConfigFileName);
    const int watch = ::inotify_init1(IN_CLOEXEC);
    ::inotify_add_watch(watch, ".", IN_CLOSE_WRITE | IN_MOVED_TO);
    const auto start = Clock::now();
    const pid_t pid = spawn({programPath}, true);
    if (pid < 0) {
        ::close(watch);
        return run;
    }
    for (;;) {
        pollfd wait{watch, POLLIN, 0};
        const int remaining = 120000 - static_cast<int>(secondsSince(start) * 1000);
        if (remaining <= 0 || ::poll(&wait, 1, remaining) <= 0) break;
        alignas(inotify_event) char buffer[4096];
        const ssize_t got = ::read(watch, buffer, sizeof buffer);
        bool seen = false;
        for (ssize_t at = 0; at < got;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            if (event->len > 0 && std::strcmp(event->name, tavrix::kControllerConfigFileName) == 0) seen = true;
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        }
        if (seen && (expected.empty() || readBytes(tavrix::kControllerConfigFileName) == expected)) {
            run.seconds = secondsSince(start);
            run.residentKb = statusKilobytes(pid, "VmRSS");
            run.peakKb = statusKilobytes(pid, "VmHWM");
            run.ok = true;
            break;
        }
    }
    ::close(watch);
    if (expected.empty() && run.ok) {
        // The first run: let it settle so that everything it writes once is written.
        usleep(1500 * 1000);
    }
    ::kill(pid, SIGTERM);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return run;
}

struct Measured {
    double seconds = 0;
    double residentMib = 0;
    double peakMib = 0;
    int failures = 0;
};

Measured measureProgram(const std::string& expected, bool cold) {
    std::vector<double> times, resident, peak;
    Measured out;
    for (int i = 0; i < runs; ++i) {
        if (cold) dropCaches(archivesFound);
        const ProgramRun run = runProgram(expected);
        if (!run.ok) {
            ++out.failures;
            continue;
        }
        times.push_back(run.seconds);
        resident.push_back(mib(run.residentKb));
        peak.push_back(mib(run.peakKb));
    }
    out.seconds = median(times);
    out.residentMib = median(resident);
    out.peakMib = median(peak);
    return out;
}

double readerFloor(bool cold) {
    std::vector<double> times;
    std::size_t entries = 0;
    for (int i = 0; i < runs; ++i) {
        if (cold) dropCaches(archivesFound);
        entries = 0;
        const auto start = Clock::now();
        for (const std::string& path : archivesFound) entries += tavrix::listArchiveMembers(path, path).size();
        times.push_back(secondsSince(start));
    }
    return median(times);
}

// A scan with nothing to show: the core's own cost.
struct HeadlessSteps : tavrix::ScanSteps {
    std::vector<int> numbers;
    bool playableFilterChecked() const override { return false; }
    void setPlayableFilter(bool) override {}
    void enableRescan(bool) override {}
    void setCaption(const tavrix::Caption&) override {}
    std::string romsetDirectory() const override { return ".\\roms"; }
    std::vector<int> entries() const override { return numbers; }
    void showLastGame(int, const tavrix::GameRecord&, tavrix::RomsetScanPass&, const tavrix::GameVerification&) override {}
    void reportError(const std::string&) override {}
    void setStatus(int, int, int) override {}
    void setCountLine(int, int) override {}
};

// The core's start-up (the database parsed, the game list filled and sorted) and, after it,
// one scan on `threads` workers, in this process: seconds and resident MiB of each, the peak.
std::vector<double> measureCore(std::size_t threads, bool scan, bool cold) {
    const long before = statusKilobytes(::getpid(), "VmRSS");
    auto start = Clock::now();
    tavrix::GameListModel list;
    list.fill();
    list.RG2Click(1);
    list.sort();
    const double startup = secondsSince(start);
    const long afterStartup = statusKilobytes(::getpid(), "VmRSS");
    double scanSeconds = 0;
    if (scan) {
        HeadlessSteps steps;
        for (const tavrix::GameListRow& row : list.entries) steps.numbers.push_back(row.number);
        if (cold) dropCaches(archivesFound);
        start = Clock::now();
        tavrix::RomsetScanModel(threads).run(steps);
        scanSeconds = secondsSince(start);
    }
    return {startup, mib(afterStartup - before), scanSeconds, mib(statusKilobytes(::getpid(), "VmHWM") - before),
            mib(before)};
}

// measureCore in a fresh process (this program again), so that its memory is its own.
std::vector<double> coreAlone(std::size_t threads, bool scan, bool cold) {
    const std::string command = "'" + fs::read_symlink("/proc/self/exe").string() + "' --core " +
                                std::to_string(threads) + " " + (scan ? "1" : "0") + " " + (cold ? "1" : "0") +
                                (forceFadvise ? " --fadvise" : "");
    std::vector<double> values;
    if (FILE* child = ::popen(command.c_str(), "r")) {
        double value = 0;
        while (std::fscanf(child, "%lf", &value) == 1) values.push_back(value);
        ::pclose(child);
    }
    return values;
}

struct AuditMeasured {
    double seconds = 0;
    double peakMib = 0;
};

AuditMeasured measureAudit(bool cold) {
    std::vector<double> times, peaks;
    for (int i = 0; i < runs; ++i) {
        if (cold) dropCaches(archivesFound);
        const auto start = Clock::now();
        const pid_t pid = spawn({auditPath}, true);
        int status = 0;
        rusage usage{};
        if (pid < 0 || ::wait4(pid, &status, 0, &usage) != pid) continue;
        times.push_back(secondsSince(start));
        peaks.push_back(mib(usage.ru_maxrss));
    }
    return {median(times), median(peaks)};
}

}  // namespace

int main(int argc, char** argv) {
    // The core alone, in the current directory: scan_benchmark --core THREADS SCAN COLD.
    if (argc >= 5 && std::strcmp(argv[1], "--core") == 0) {
        forceFadvise = argc > 5;
        if (std::atoi(argv[4]) != 0)
            for (const auto& entry : fs::directory_iterator("roms")) archivesFound.push_back(entry.path().string());
        for (double value : measureCore(static_cast<std::size_t>(std::atoi(argv[2])), std::atoi(argv[3]) != 0,
                                        std::atoi(argv[4]) != 0))
            std::printf("%.6f\n", value);
        return 0;
    }
    bool keep = false;
    bool generateOnly = false;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const bool hasValue = i + 1 < argc;
        if (argument == "--games" && hasValue) gameCount = std::clamp(std::atoi(argv[++i]), 1, 32767);
        else if (argument == "--runs" && hasValue) runs = std::max(1, std::atoi(argv[++i]));
        else if (argument == "--program" && hasValue) programPath = fs::absolute(argv[++i]).string();
        else if (argument == "--audit" && hasValue) auditPath = fs::absolute(argv[++i]).string();
        else if (argument == "--fadvise") forceFadvise = true;
        else if (argument == "--keep") keep = true;
        else if (argument == "--generate") generateOnly = keep = true;
        else {
            std::fprintf(stderr, "usage: scan_benchmark [--games N] [--runs N] [--fadvise] [--keep] [--generate] "
                                 "[--program PATH] [--audit PATH]\n");
            return 2;
        }
    }
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);

    char pattern[] = "/tmp/tavrix-bench-XXXXXX";
    const char* directory = mkdtemp(pattern);
    if (directory == nullptr || chdir(directory) != 0) {
        std::perror("temporary directory");
        return 1;
    }
    const auto generationStart = Clock::now();
    archivesFound = generate();
    std::printf("generated %d games, %zu archives, tavrix.ini of %.1f MB in %.1f s (%s)\n", gameCount,
                archivesFound.size(), static_cast<double>(fs::file_size(tavrix::kSettingsFileName)) / 1e6,
                secondsSince(generationStart), directory);
    if (generateOnly) return 0;
    const bool canDrop = [] {
        FILE* drop = forceFadvise ? nullptr : std::fopen("/proc/sys/vm/drop_caches", "w");
        if (drop != nullptr) std::fclose(drop);
        return drop != nullptr;
    }();
    std::printf("cold runs: %s; medians of %d runs\n",
                canDrop ? "page cache dropped (/proc/sys/vm/drop_caches)" : "posix_fadvise(DONTNEED) on every archive",
                runs);
    std::printf("program: %s\naudit:   %s\n", programPath.c_str(), auditPath.c_str());

    // A first start writes what a first start writes (the renderer file, tavrix-controller.cfg);
    // the runs after it start as on any later day, and wait for the controller file as it is.
    const ProgramRun first = runProgram("");
    const std::string controllerFile = readBytes(tavrix::kControllerConfigFileName);
    if (!first.ok || controllerFile.empty()) {
        std::printf("the program did not start: no %s within two minutes\n", tavrix::kControllerConfigFileName);
        return 1;
    }

    // 1. The program.
    const Measured startup = measureProgram(controllerFile, false);
    setStartupScan(true);
    const Measured warm = measureProgram(controllerFile, false);
    const Measured cold = measureProgram(controllerFile, true);
    setStartupScan(false);
    std::printf("1. tavrix, start-up without a scan: %.3f s, %.0f MiB resident (targets <= 0.15 s, <= 120 MiB)\n",
                startup.seconds, startup.residentMib);
    std::printf("   start-up + scan + write: warm %.3f s, cold %.3f s; peak %.0f MiB warm, %.0f MiB cold (target <= 150)\n",
                warm.seconds, cold.seconds, warm.peakMib, cold.peakMib);
    if (startup.failures + warm.failures + cold.failures > 0)
        std::printf("   runs that did not end: %d\n", startup.failures + warm.failures + cold.failures);

    // 2. The reader's floor and the ratios.
    const double floorWarm = readerFloor(false);
    const double floorCold = readerFloor(true);
    std::printf("2. reader's serial floor, %zu archives once on one thread: warm %.3f s, cold %.3f s\n",
                archivesFound.size(), floorWarm, floorCold);
    std::printf("   ratio start-up + scan + write / floor: warm %.2f, cold %.2f (targets <= 0.75)\n",
                warm.seconds / floorWarm, cold.seconds / floorCold);

    // 3. The core alone.
    const std::vector<double> core = coreAlone(0, false, false);
    if (core.size() == 5)
        std::printf("3. core alone: database + sorted list %.3f s, +%.1f MiB resident (over %.1f MiB of the process)\n",
                    core[0], core[1], core[4]);
    for (const std::size_t threads : {0, 1, 2, 4, 8}) {
        const std::vector<double> w = coreAlone(threads, true, false);
        const std::vector<double> c = coreAlone(threads, true, true);
        if (w.size() == 5 && c.size() == 5)
            std::printf("   scan on %zu worker threads%s: warm %.3f s (%.2f of the floor), cold %.3f s (%.2f), "
                        "peak +%.1f MiB\n",
                        threads, threads == tavrix::RomsetScanWorkers::kDefaultThreads ? " (the default)" : "", w[2],
                        w[2] / floorWarm, c[2], c[2] / floorCold, w[3]);
    }

    // 4. The audit.
    const AuditMeasured auditWarm = measureAudit(false);
    const AuditMeasured auditCold = measureAudit(true);
    std::printf("4. tavrix-audit: warm %.3f s (%.2f of the floor), cold %.3f s (%.2f); peak %.0f MiB\n", auditWarm.seconds,
                auditWarm.seconds / floorWarm, auditCold.seconds, auditCold.seconds / floorCold, auditWarm.peakMib);

    std::error_code ignored;
    fs::current_path("/tmp", ignored);
    if (!keep) fs::remove_all(directory, ignored);
    return 0;
}
