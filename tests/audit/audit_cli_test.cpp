#include "core/ini_document.h"
#include "fixtures/romset_cases.h"
#include "fixtures/run_audit.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using namespace tavrix::test;
using nlohmann::ordered_json;

namespace {

std::vector<int> fileStatuses(int games) {
    const auto document = tavrix::IniDocument::load("tavrix.ini");
    std::vector<int> out;
    for (int n = 1; n <= games; ++n) out.push_back(document.readInteger("Game-" + std::to_string(n), "GameStatus", -1));
    return out;
}

std::vector<std::string> keysOf(const ordered_json& object) {
    std::vector<std::string> keys;
    for (const auto& item : object.items()) keys.push_back(item.key());
    return keys;
}

}  // namespace

TEST(Audit, JsonReportsStatusesFilesAndDamagedArchivesAndWritesNothing) {
    TempDir dir;
    writeExtendedCases();
    const std::string before = readFile("tavrix.ini");
    const std::size_t entries = countEntries();

    const AuditRun run = runAudit({"--json"});
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_EQ(run.err, "");
    ASSERT_TRUE(ordered_json::accept(run.out)) << run.out;
    const ordered_json report = ordered_json::parse(run.out);
    EXPECT_EQ(keysOf(report), (std::vector<std::string>{"games", "errors", "summary"}));

    const ordered_json& games = report["games"];
    ASSERT_EQ(games.size(), kExtendedCaseStatuses.size());
    std::vector<int> statuses;
    for (std::size_t i = 0; i < games.size(); ++i) {
        EXPECT_EQ(keysOf(games[i]), (std::vector<std::string>{"number", "name", "romset", "status", "files"}));
        EXPECT_EQ(games[i]["number"], i + 1);
        for (const ordered_json& file : games[i]["files"]) {
            EXPECT_EQ(keysOf(file), (std::vector<std::string>{"name", "signature", "found", "archive"}));
            EXPECT_EQ(file["archive"].is_null(), !file["found"].get<bool>());
        }
        statuses.push_back(games[i]["status"].get<int>());
    }
    EXPECT_EQ(statuses, kExtendedCaseStatuses);
    EXPECT_EQ(std::vector<int>(statuses.begin(), statuses.begin() + 4), kCaseStatuses);

    // Where each file was found: main first, then parent, then BIOS; the image's own path.
    EXPECT_EQ(games[0]["romset"], "full");
    EXPECT_EQ(games[0]["files"][0]["archive"], ".\\roms\\full.zip");
    EXPECT_EQ(games[0]["files"][2]["archive"], ".\\roms\\bios.zip");
    EXPECT_EQ(games[1]["files"][1]["archive"], ".\\roms\\full.zip");
    EXPECT_EQ(games[2]["files"][0], ordered_json::parse(R"({"name": "f0.bin", "signature": "00000010",
                                                            "found": false, "archive": null})"));
    EXPECT_EQ(games[2]["files"][1]["archive"], ".\\roms\\part.zip");
    EXPECT_EQ(games[6]["name"], "\xEA\xB0\x80");  // decoded for display
    EXPECT_EQ(games[6]["files"][0], ordered_json::parse(R"({"name": "disc.chd", "signature": "DISK",
                                                            "found": true, "archive": ".\\roms\\disc.chd"})"));
    EXPECT_FALSE(games[6]["files"][1]["found"].get<bool>());

    // The damaged archive once, though two games use it.
    EXPECT_EQ(report["errors"], ordered_json::parse(R"([{"archive": ".\\roms\\broken.zip",
        "message": "ZF: Archive is damaged. Open failed - Native error: 00048"}])"));
    EXPECT_EQ(report["summary"], ordered_json::parse(R"({"complete": 3, "incomplete": 3, "missing": 1})"));

    EXPECT_EQ(readFile("tavrix.ini"), before);
    EXPECT_EQ(countEntries(), entries);
}

TEST(Audit, TextListsGamesNotCompleteWithMissingFilesDamagedArchivesAndSummary) {
    TempDir dir;
    writeExtendedCases();
    // Standard error a pipe, then a terminal: only a terminal is told how far the audit is, on
    // one line written over and cleared at the end; the report is the same.
    for (const bool terminal : {false, true}) {
        const AuditRun run = runAudit({}, -1, terminal);
        EXPECT_EQ(run.exitStatus, 1);
        if (terminal) {
            EXPECT_TRUE(run.err.starts_with("\rtavrix-audit: checked 0 of 7 games")) << run.err;
            EXPECT_NE(run.err.find("\rtavrix-audit: checked 7 of 7 games\r"), std::string::npos) << run.err;
            EXPECT_TRUE(run.err.ends_with("\r" + std::string(34, ' ') + "\r")) << run.err;
        } else {
            EXPECT_EQ(run.err, "");
        }
        EXPECT_EQ(run.out,
                  "3 Partial: incomplete; not found: f0.bin 00000010, f2.bin 00000012\n"
                  "4 Nothing: missing; not found: f0.bin 00000020, f1.bin 00000021\n"
                  "5 Shared A: incomplete; not found: f1.bin 00000031\n"
                  "7 \xEA\xB0\x80: incomplete; not found: absent.chd DISK\n"
                  "damaged archive .\\roms\\broken.zip: ZF: Archive is damaged. Open failed - Native error: 00048\n"
                  "3 complete, 3 incomplete, 1 missing, 1 damaged archives\n");
    }
}

TEST(Audit, WriteStoresEachStatusAndAllCompleteExitsZero) {
    TempDir dir;
    std::filesystem::create_directory("work");
    std::filesystem::current_path("work");
    writeExtendedCases("roms-directory=roms\r\n");
    std::filesystem::current_path("..");

    // DIR names the working directory; its roms-directory resolves inside it.
    AuditRun run = runAudit({"--write", "work"});
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_NE(run.out.find("damaged archive roms\\broken.zip: "), std::string::npos) << run.out;
    std::filesystem::current_path("work");
    EXPECT_EQ(fileStatuses(7), kExtendedCaseStatuses);

    // Only complete games left: exit 0. A title with a quote and a backslash comes back intact.
    RomsetCase quoted = kCases[0];
    quoted.name = "Say \"hi\" \\ again";
    writeDatabase({quoted, kCases[1]});
    run = runAudit({"--write"});
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.out, "2 complete, 0 incomplete, 0 missing, 0 damaged archives\n");
    EXPECT_EQ(fileStatuses(2), (std::vector<int>{2, 2}));
    run = runAudit({"--json"});
    EXPECT_EQ(run.exitStatus, 0);
    ASSERT_TRUE(ordered_json::accept(run.out)) << run.out;
    EXPECT_EQ(ordered_json::parse(run.out)["games"][0]["name"], quoted.name);
}

TEST(Audit, RunFailuresExitTwoWithOneLineNamingTheFile) {
    struct Case {
        const char* what;
        std::string settings;  // tavrix.ini content; empty: no file; "/": a directory in its place
        std::vector<std::string> arguments;
        long fileSizeLimit;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"no file", "", {"work"}, -1, "tavrix-audit: Cannot open file \"work/tavrix.ini\". No such file or directory\n"},
        {"no section", "[Game-1]\r\nGameName=A\r\n", {"work"}, -1,
         "tavrix-audit: \"work/tavrix.ini\" has no [Tavrix] section\n"},
        {"unreadable", "/", {"--json", "work"}, -1, "tavrix-audit: Cannot open file \"work/tavrix.ini\". Is a directory\n"},
        {"failed write", "[Tavrix]\r\n[Game-1]\r\nGameName=A\r\n", {"--write", "work"}, 0,
         "tavrix-audit: Cannot create file \"work/tavrix.ini\". File too large\n"},
        {"unknown option", "[Tavrix]\r\n", {"--jsn", "work"}, -1, "tavrix-audit: unknown option --jsn\n"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        std::filesystem::create_directory("work");
        if (c.settings == "/") std::filesystem::create_directory("work/tavrix.ini");
        else if (!c.settings.empty()) writeFile("work/tavrix.ini", c.settings);
        const AuditRun run = runAudit(c.arguments, c.fileSizeLimit);
        EXPECT_EQ(run.exitStatus, 2) << c.what;
        EXPECT_EQ(run.err, c.message) << c.what;
        EXPECT_EQ(run.out, "") << c.what;
        if (c.settings.size() > 1) {
            EXPECT_EQ(readFile("work/tavrix.ini"), c.settings) << c.what;
        }
    }
}
