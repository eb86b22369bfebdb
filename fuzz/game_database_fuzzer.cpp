// Any bytes as the game database: the list, each game and its files must read without fault,
// what is shown must be valid UTF-8, and writing one game's status and reading the file back
// must change that status and nothing else a game shows.
#include "core/game_database.h"
#include "core/ini_document.h"
#include "core/text.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using namespace tavrix;

// The games whose every key is compared after the write-back; the list is compared whole.
constexpr int kGamesCompared = 64;

bool sameGame(const GameRecord& a, const GameRecord& b) {
    return a.number == b.number && a.name == b.name && a.manufacturer == b.manufacturer && a.year == b.year &&
           a.systemName == b.systemName && a.romSetName == b.romSetName &&
           a.parentRomSetName == b.parentRomSetName && a.biosName == b.biosName &&
           a.vantrelPlugin == b.vantrelPlugin && a.files == b.files;
}

void check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    auto document = IniDocument::parse(bytes);

    const int count = countGames(document);
    check(count >= 0 && count <= kMaxGameNumber);
    const auto rows = readGameList(document);
    // Game 1 is always listed, and when it is missing from the file the list goes on as long
    // as the games after it do; it never stops before the end of the database.
    check(!rows.empty() && static_cast<int>(rows.size()) >= count && rows.size() <= kMaxGameNumber);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        check(rows[i].number == static_cast<int>(i) + 1);
        check(isValidUtf8(displayText(rows[i].name)));
        check(isValidUtf8(displayText(rows[i].systemName)));
    }
    const int compared = count < kGamesCompared ? count : kGamesCompared;
    std::vector<GameRecord> before;
    for (int number = 1; number <= compared; ++number) {
        GameRecord game = readGame(document, number);
        // The record read in one go holds what a lookup of each key finds.
        const std::string section = gameSectionName(number);
        check(game.name == document.readString(section, gamekeys::gameName, " "));
        check(game.manufacturer == document.readString(section, gamekeys::manufacturer, " "));
        check(game.year == document.readString(section, gamekeys::year, " "));
        check(game.systemName == document.readString(section, gamekeys::systemName, " "));
        check(game.romSetName == document.readString(section, gamekeys::romSetName, kNone));
        check(game.parentRomSetName == document.readString(section, gamekeys::parentRomSetName, kNone));
        check(game.biosName == document.readString(section, gamekeys::biosName, kNone));
        check(game.vantrelPlugin == document.readBool(section, gamekeys::vantrelPlugin, true));
        check(game.status == readGameStatus(document, number));
        check(game.files == readGameFiles(document, number));
        check(rows[static_cast<std::size_t>(number - 1)].name == game.name);
        check(rows[static_cast<std::size_t>(number - 1)].systemName == game.systemName);
        check(rows[static_cast<std::size_t>(number - 1)].year == game.year);
        check(rows[static_cast<std::size_t>(number - 1)].status == game.status);
        for (const RomFileEntry& file : game.files) {
            check(isValidUtf8(displayText(file.name)));
            for (char c : file.signature) check(c < 'a' || c > 'z');
        }
        check(archiveNameOf(game.romSetName).empty() == (game.romSetName == kNone));
        before.push_back(std::move(game));
    }

    // The scan writes one status; the file read back must hold the same games.
    const int target = size == 0 ? 1 : 1 + data[0] % static_cast<int>(rows.size());
    const int status = size < 2 ? kStatusPlayable : data[1] % 5;
    writeGameStatus(document, target, status);
    const auto reread = IniDocument::parse(document.serialize());
    check(readGameStatus(reread, target) == status);
    check(countGames(reread) == count);
    const auto rowsAfter = readGameList(reread);
    check(rowsAfter.size() == rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        check(rowsAfter[i].name == rows[i].name && rowsAfter[i].systemName == rows[i].systemName &&
              rowsAfter[i].year == rows[i].year);
        if (rows[i].number != target) check(rowsAfter[i].status == rows[i].status);
    }
    for (int number = 1; number <= compared; ++number) check(sameGame(readGame(reread, number), before[number - 1]));
    return 0;
}
