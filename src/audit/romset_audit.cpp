#include "audit/romset_audit.h"

#include "core/text.h"

#include <nlohmann/json.hpp>

#include <chrono>
#include <unordered_set>
#include <utility>

namespace tavrix::audit {

namespace {

const char* statusWord(int status) {
    switch (status) {
    case kStatusPlayable: return "complete";
    case kStatusFilesMissing: return "incomplete";
    default: return "missing";
    }
}

}  // namespace

AuditReport auditGames(RomsetScanPass& pass, int gameCount, std::size_t threads, const AuditProgress& progress) {
    AuditReport report;
    report.games.resize(static_cast<std::size_t>(gameCount));
    std::vector<int> numbers;
    for (int number = 1; number <= gameCount; ++number) numbers.push_back(number);
    // Each game's lines are made on the thread that verified it; here, in order, only what
    // depends on the games before (the damaged archives, each once) and the counts.
    auto describe = [&](std::size_t position, const GameRecord& game, const GameVerification& verification) {
        AuditedGame& audited = report.games[position];
        audited.number = game.number;
        audited.name = displayText(game.name);
        audited.romset = displayText(game.romSetName);
        audited.status = verification.status();
        audited.files.reserve(game.files.size());
        for (std::size_t row = 0; row < game.files.size(); ++row) {
            const RomFileEntry& file = game.files[row];
            audited.files.push_back(AuditedFile{displayText(file.name), displayText(file.signature), verification.marks[row],
                                                displayText(foundPath(game, pass.romsetDirectory(), verification, row))});
        }
    };
    RomsetScanWorkers workers(pass, std::move(numbers), {threads, {}, describe});
    std::unordered_set<std::string> damagedSeen;
    using Clock = std::chrono::steady_clock;
    auto progressShownAt = Clock::now();
    if (progress) progress(0, gameCount);
    for (int done = 1; done <= gameCount; ++done) {
        const ScannedGame scanned = workers.takeNext();
        const GameVerification& verification = scanned.verification;
        if (verification.error && damagedSeen.insert(verification.failedArchive).second)
            report.damaged.push_back(DamagedArchive{displayText(verification.failedArchive), displayText(*verification.error)});
        switch (report.games[static_cast<std::size_t>(done - 1)].status) {
        case kStatusPlayable: ++report.complete; break;
        case kStatusFilesMissing: ++report.incomplete; break;
        default: ++report.missing; break;
        }
        if (progress && (done == gameCount || Clock::now() - progressShownAt >= std::chrono::milliseconds(100))) {
            progress(done, gameCount);
            progressShownAt = Clock::now();
        }
    }
    return report;
}

void writeStatuses(const AuditReport& report, IniDocument& document) {
    for (const AuditedGame& game : report.games) writeGameStatus(document, game.number, game.status);
}

std::string textReport(const AuditReport& report) {
    std::string out;
    for (const AuditedGame& game : report.games) {
        if (game.status == kStatusPlayable) continue;
        out += std::to_string(game.number) + " " + game.name + ": " + statusWord(game.status);
        const char* separator = "; not found: ";
        for (const AuditedFile& file : game.files) {
            if (file.found) continue;
            out += separator + file.name + " " + file.signature;
            separator = ", ";
        }
        out += '\n';
    }
    for (const DamagedArchive& damaged : report.damaged)
        out += "damaged archive " + damaged.archive + ": " + damaged.message + '\n';
    out += std::to_string(report.complete) + " complete, " + std::to_string(report.incomplete) + " incomplete, " +
           std::to_string(report.missing) + " missing, " + std::to_string(report.damaged.size()) + " damaged archives\n";
    return out;
}

std::string jsonReport(const AuditReport& report) {
    // Written as it goes rather than built as a tree first: a catalogue of ten thousand games
    // has a hundred thousand files, and a tree of them costs several times the audit itself.
    // Every string is quoted and escaped by the library.
    std::string out;
    auto text = [&out](const std::string& value) {
        out += nlohmann::json(value).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    };
    out += "{\"games\":[";
    for (std::size_t g = 0; g < report.games.size(); ++g) {
        const AuditedGame& game = report.games[g];
        out += g == 0 ? "{\"number\":" : ",{\"number\":";
        out += std::to_string(game.number);
        out += ",\"name\":";
        text(game.name);
        out += ",\"romset\":";
        text(game.romset);
        out += ",\"status\":";
        out += std::to_string(game.status);
        out += ",\"files\":[";
        for (std::size_t f = 0; f < game.files.size(); ++f) {
            const AuditedFile& file = game.files[f];
            out += f == 0 ? "{\"name\":" : ",{\"name\":";
            text(file.name);
            out += ",\"signature\":";
            text(file.signature);
            out += file.found ? ",\"found\":true,\"archive\":" : ",\"found\":false,\"archive\":null}";
            if (file.found) {
                text(file.archive);
                out += '}';
            }
        }
        out += "]}";
    }
    out += "],\"errors\":[";
    for (std::size_t e = 0; e < report.damaged.size(); ++e) {
        out += e == 0 ? "{\"archive\":" : ",{\"archive\":";
        text(report.damaged[e].archive);
        out += ",\"message\":";
        text(report.damaged[e].message);
        out += '}';
    }
    out += "],\"summary\":{\"complete\":" + std::to_string(report.complete) +
           ",\"incomplete\":" + std::to_string(report.incomplete) + ",\"missing\":" + std::to_string(report.missing) +
           "}}\n";
    return out;
}

}  // namespace tavrix::audit
