#include "core/game_database.h"

#include "core/text.h"

namespace tavrix {

namespace {
constexpr const char* kBlank = " ";
}

std::string gameSectionName(int number) {
    return "Game-" + decimal(number);
}

bool gameExists(const IniDocument& document, int number) {
    // A present key can never read as the default " ", since values are trimmed.
    return document.readString(gameSectionName(number), gamekeys::gameName, kBlank) != kBlank;
}

int countGames(const IniDocument& document) {
    int count = 0;
    while (count < kMaxGameNumber && gameExists(document, count + 1)) ++count;
    return count;
}

std::vector<RomFileEntry> readGameFiles(const IniDocument& document, int number) {
    const std::string section = gameSectionName(number);
    std::vector<RomFileEntry> files;
    for (long long k = 1;; ++k) {
        const std::string value = document.readString(section, gamekeys::filePrefix + decimal(k), kNone);
        if (value == kNone) break;
        const size_t colon = value.find(':');
        if (colon == std::string::npos) continue;
        files.push_back(RomFileEntry{value.substr(0, colon), toUpperAscii(value.substr(colon + 1))});
    }
    return files;
}

int readGameStatus(const IniDocument& document, int number) {
    return document.readInteger(gameSectionName(number), gamekeys::gameStatus, kStatusNeverScanned);
}

void writeGameStatus(IniDocument& document, int number, int status) {
    document.writeInteger(gameSectionName(number), gamekeys::gameStatus, status);
}

GameRecord readGame(const IniDocument& document, int number) {
    const std::string section = gameSectionName(number);
    GameRecord game;
    game.number = number;
    game.name = document.readString(section, gamekeys::gameName, kBlank);
    game.manufacturer = document.readString(section, gamekeys::manufacturer, kBlank);
    game.year = document.readString(section, gamekeys::year, kBlank);
    game.systemName = document.readString(section, gamekeys::systemName, kBlank);
    game.romSetName = document.readString(section, gamekeys::romSetName, kNone);
    game.parentRomSetName = document.readString(section, gamekeys::parentRomSetName, kNone);
    game.biosName = document.readString(section, gamekeys::biosName, kNone);
    game.vantrelPlugin = document.readBool(section, gamekeys::vantrelPlugin, true);
    game.status = readGameStatus(document, number);
    game.files = readGameFiles(document, number);
    return game;
}

std::vector<GameListRow> readGameList(const IniDocument& document) {
    std::vector<GameListRow> rows;
    for (int number = 1;; ++number) {
        const std::string section = gameSectionName(number);
        rows.push_back(GameListRow{number, document.readString(section, gamekeys::gameName, kBlank),
                                   document.readString(section, gamekeys::systemName, kBlank),
                                   document.readString(section, gamekeys::year, kBlank),
                                   readGameStatus(document, number)});
        if (number >= kMaxGameNumber || !gameExists(document, number + 1)) break;
    }
    return rows;
}

std::string emulatorOrderKey(int number) {
    const std::string text = decimal(number);
    return number >= 0 && number < 10 ? "0" + text : text;
}

std::string archiveNameOf(const std::string& romSetName) {
    return romSetName == kNone ? std::string() : romSetName + ".zip";
}

}  // namespace tavrix
