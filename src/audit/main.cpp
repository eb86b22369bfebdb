// tavrix-audit [--json] [--write] [DIR]: audits every game of the database in DIR's tavrix.ini
// against its romset directory, without a window. Exit status 0 when every game is complete,
// 1 when some are not, 2 when the audit cannot run. While it runs, and only when standard error
// is a terminal, a line there tells how far it is; it is cleared at the end.
#include "audit/romset_audit.h"
#include "core/error.h"
#include "core/file_io.h"
#include "core/settings.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace fs = std::filesystem;
using namespace tavrix;

namespace {

constexpr int kAllComplete = 0;
constexpr int kSomeNotComplete = 1;
constexpr int kCannotRun = 2;

constexpr const char* kUsage =
    "usage: tavrix-audit [--json] [--write] [DIR]\n"
    "Audits every game of DIR/tavrix.ini (default: the current directory) against its romset\n"
    "directory. --json prints one JSON document; --write stores each game's status in tavrix.ini.\n";

// A failure of the run itself: one line on standard error.
struct RunFailure {
    std::string message;
};

void writeOut(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
}

// "checked N of M games" on one line of the terminal, written over in place; cleared at the end.
void showProgress(int done, int total) {
    static std::size_t width = 0;
    const std::string line = "tavrix-audit: checked " + std::to_string(done) + " of " + std::to_string(total) + " games";
    width = std::max(width, line.size());
    std::fprintf(stderr, "\r%s", line.c_str());
    if (done == total) std::fprintf(stderr, "\r%*s\r", static_cast<int>(width), "");
    std::fflush(stderr);
}

int run(int argc, char** argv) {
    bool json = false;
    bool write = false;
    std::optional<std::string> directory;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--json") json = true;
        else if (argument == "--write") write = true;
        else if (argument == "--help" || argument == "-h") {
            writeOut(kUsage);
            return kAllComplete;
        } else if (argument.size() > 1 && argument[0] == '-') throw RunFailure{"unknown option " + argument};
        else if (directory) throw RunFailure{"more than one directory given (" + *directory + ", " + argument + ")"};
        else directory = argument;
    }

    // The file as the user named it, for messages; the audit itself works inside DIR with the
    // relative names the window uses, so paths resolve and read exactly as they do there.
    const std::string settingsPath = directory ? (fs::path(*directory) / kSettingsFileName).string() : kSettingsFileName;
    if (!fileExists(settingsPath))
        throw RunFailure{cannotOpenFileError(settingsPath, systemErrorText(ENOENT)).what()};
    const std::optional<std::string> content = readWholeFile(settingsPath);
    if (!content) {
        std::error_code ignored;
        const int reason = fs::is_directory(settingsPath, ignored) ? EISDIR : EACCES;
        throw RunFailure{cannotOpenFileError(settingsPath, systemErrorText(reason)).what()};
    }
    auto document = std::make_shared<IniDocument>(IniDocument::parse(*content));
    if (!document->hasSection(kSettingsSection))
        throw RunFailure{"\"" + settingsPath + "\" has no [" + kSettingsSection + "] section"};

    std::error_code failed;
    const fs::path startDirectory = fs::current_path(failed);
    if (directory) fs::current_path(*directory, failed);
    if (failed) throw RunFailure{"cannot enter \"" + directory.value_or(".") + "\": " + failed.message()};

    RomsetScanPass pass(*document, romsetDirectoryOf(*document));
    const bool terminal = ::isatty(::fileno(stderr)) != 0;
    const audit::AuditReport report = audit::auditGames(pass, scannedGameCount(*document), RomsetScanWorkers::kDefaultThreads,
                                                        terminal ? audit::AuditProgress(showProgress) : audit::AuditProgress());

    if (write) {
        if (directory) fs::current_path(startDirectory, failed);
        if (failed) throw RunFailure{"cannot return to \"" + startDirectory.string() + "\": " + failed.message()};
        try {
            audit::writeStatuses(report, *document);
            document->save(settingsPath);
        } catch (const Error& error) {
            throw RunFailure{error.what()};
        }
    }

    writeOut(json ? audit::jsonReport(report) : audit::textReport(report));
    if (std::fflush(stdout) != 0) throw RunFailure{"cannot write the report to standard output"};
    return report.complete == static_cast<int>(report.games.size()) ? kAllComplete : kSomeNotComplete;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return run(argc, argv);
    } catch (const RunFailure& failure) {
        std::fprintf(stderr, "tavrix-audit: %s\n", failure.message.c_str());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tavrix-audit: %s\n", error.what());
    }
    return kCannotRun;
}
