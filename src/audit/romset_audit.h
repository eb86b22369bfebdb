#pragma once
// The romset audit of every game in the database, and its two reports: lines for a person and
// one JSON document for scripts. Every game goes through the same scan pass as the window's
// scan, so the statuses (and, when written, the bytes of tavrix.ini) are the scan's.
#include "core/romset_scan_pass.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace tavrix::audit {

// Texts are decoded for display as the window shows them (UTF-8; legacy bytes converted).
struct AuditedFile {
    std::string name;
    std::string signature;
    bool found = false;
    std::string archive;  // where it was found, as the window joins paths; empty when not found
};

struct AuditedGame {
    int number = 0;
    std::string name;
    std::string romset;
    int status = kStatusNoneFound;
    std::vector<AuditedFile> files;
};

struct DamagedArchive {
    std::string archive;
    std::string message;
};

struct AuditReport {
    std::vector<AuditedGame> games;
    std::vector<DamagedArchive> damaged;  // each archive once, in the order first met
    int complete = 0;
    int incomplete = 0;
    int missing = 0;
};

// Scans games 1 to `gameCount` in database order through `pass`, on `threads` worker threads,
// and gathers the report. `progress`, when given, is told how many games are done of how many,
// from time to time and once at the end.
using AuditProgress = std::function<void(int done, int total)>;
AuditReport auditGames(RomsetScanPass& pass, int gameCount, std::size_t threads = RomsetScanWorkers::kDefaultThreads,
                       const AuditProgress& progress = {});

// Stores each audited game's status in `document`, as the window's scan does.
void writeStatuses(const AuditReport& report, IniDocument& document);

// One line per game that is not complete, one per damaged archive, and the summary line.
std::string textReport(const AuditReport& report);

// {"games": [...], "errors": [...], "summary": {...}}, one line ending in a line feed.
std::string jsonReport(const AuditReport& report);

}  // namespace tavrix::audit
