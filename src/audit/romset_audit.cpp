#include "audit/romset_audit.h"

#include "core/text.h"

#include <nlohmann/json.hpp>

#include <unordered_set>

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

AuditReport auditGames(RomsetScanPass& pass, int gameCount) {
    AuditReport report;
    report.games.reserve(static_cast<std::size_t>(gameCount));
    std::unordered_set<std::string> damagedSeen;
    for (int number = 1; number <= gameCount; ++number) {
        const GameVerification verification = pass.scan(number);
        const GameRecord& game = pass.game();
        AuditedGame& audited = report.games.emplace_back();
        audited.number = number;
        audited.name = displayText(game.name);
        audited.romset = displayText(game.romSetName);
        audited.status = verification.status();
        audited.files.reserve(game.files.size());
        for (std::size_t row = 0; row < game.files.size(); ++row) {
            const RomFileEntry& file = game.files[row];
            audited.files.push_back(AuditedFile{displayText(file.name), displayText(file.signature), verification.marks[row],
                                                displayText(foundPath(game, pass.romsetDirectory(), verification, row))});
        }
        if (verification.error && damagedSeen.insert(verification.failedArchive).second)
            report.damaged.push_back(DamagedArchive{displayText(verification.failedArchive), displayText(*verification.error)});
        switch (audited.status) {
        case kStatusPlayable: ++report.complete; break;
        case kStatusFilesMissing: ++report.incomplete; break;
        default: ++report.missing; break;
        }
    }
    return report;
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
    using nlohmann::ordered_json;
    ordered_json games = ordered_json::array();
    for (const AuditedGame& game : report.games) {
        ordered_json files = ordered_json::array();
        for (const AuditedFile& file : game.files) {
            ordered_json entry = {{"name", file.name}, {"signature", file.signature}, {"found", file.found}};
            entry["archive"] = file.found ? ordered_json(file.archive) : ordered_json(nullptr);
            files.push_back(std::move(entry));
        }
        games.push_back(ordered_json{{"number", game.number},
                                     {"name", game.name},
                                     {"romset", game.romset},
                                     {"status", game.status},
                                     {"files", std::move(files)}});
    }
    ordered_json errors = ordered_json::array();
    for (const DamagedArchive& damaged : report.damaged)
        errors.push_back(ordered_json{{"archive", damaged.archive}, {"message", damaged.message}});
    const ordered_json document = {
        {"games", std::move(games)},
        {"errors", std::move(errors)},
        {"summary", {{"complete", report.complete}, {"incomplete", report.incomplete}, {"missing", report.missing}}}};
    // Every text is valid UTF-8 already (displayText); replacing stays a guard, never a throw.
    return document.dump(-1, ' ', false, ordered_json::error_handler_t::replace) + '\n';
}

}  // namespace tavrix::audit
