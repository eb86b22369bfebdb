#pragma once
// The game database: the sections Game-1, Game-2, ... of tavrix.ini. Every key has a default,
// so a missing file or section reads as a game made of defaults. The front end writes only
// GameStatus.
#include "core/ini_document.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tavrix {

// GameStatus values; the game list shows the icon with the same index.
inline constexpr int kStatusNoneFound = 0;
inline constexpr int kStatusFilesMissing = 1;
inline constexpr int kStatusPlayable = 2;
inline constexpr int kStatusNeverScanned = 4;

// Game numbers are held as signed 16-bit integers by the emulator; the database never runs
// past this number.
inline constexpr int kMaxGameNumber = 32767;

// The literal that marks "no romset" and the end of the file entries.
inline constexpr const char* kNone = "none";

namespace gamekeys {
inline constexpr const char* gameName = "GameName";
inline constexpr const char* manufacturer = "GameManufacturer";
inline constexpr const char* year = "GameYear";
inline constexpr const char* systemName = "SystemName";
inline constexpr const char* romSetName = "RomSetName";
inline constexpr const char* parentRomSetName = "ParentRomSetName";
inline constexpr const char* biosName = "BiosName";
inline constexpr const char* vantrelPlugin = "Vantrel-plug-in";
inline constexpr const char* gameStatus = "GameStatus";
inline constexpr const char* filePrefix = "Rom-";
}  // namespace gamekeys

// One file of a game's romsets: the name shown and the signature (CRC-32 as 8 hexadecimal
// digits, upper case, or a text containing "DISK" for a disk image kept as a plain file).
struct RomFileEntry {
    std::string name;
    std::string signature;
    bool operator==(const RomFileEntry&) const = default;
};

struct GameRecord {
    int number = 0;
    std::string name = " ";
    std::string manufacturer = " ";
    std::string year = " ";
    std::string systemName = " ";
    std::string romSetName = kNone;
    std::string parentRomSetName = kNone;
    std::string biosName = kNone;
    bool vantrelPlugin = true;
    int status = kStatusNeverScanned;
    std::vector<RomFileEntry> files;
};

// What the game list shows of a game. The texts are the file's bytes, held in the text block
// of the rows the entry belongs to (GameListRows), not in strings of their own.
struct GameListRow {
    int number = 0;
    std::string_view name;
    std::string_view systemName;
    std::string_view year;
    int status = kStatusNeverScanned;
};

// The game list's rows and one block holding every text they show, so that a list of tens of
// thousands of games costs no allocation per game. Copies share the block (it never changes),
// so an entry's texts stay valid while any list made from the same read lives.
class GameListRows {
public:
    using iterator = std::vector<GameListRow>::iterator;
    using const_iterator = std::vector<GameListRow>::const_iterator;

    std::size_t size() const { return rows_.size(); }
    bool empty() const { return rows_.empty(); }
    GameListRow& operator[](std::size_t i) { return rows_[i]; }
    const GameListRow& operator[](std::size_t i) const { return rows_[i]; }
    GameListRow& front() { return rows_.front(); }
    const GameListRow& front() const { return rows_.front(); }
    iterator begin() { return rows_.begin(); }
    iterator end() { return rows_.end(); }
    const_iterator begin() const { return rows_.begin(); }
    const_iterator end() const { return rows_.end(); }

    // The same rows in another order (or fewer of them), over the same texts.
    void assign(std::vector<GameListRow> rows) { rows_ = std::move(rows); }
    // Drops the rows for which `drop` holds, keeping the order of the others.
    template <class Predicate>
    void eraseIf(Predicate drop) {
        std::erase_if(rows_, drop);
    }

private:
    friend GameListRows readGameList(const IniDocument& document);
    std::shared_ptr<const std::string> texts_;
    std::vector<GameListRow> rows_;
};

// "Game-" + N.
std::string gameSectionName(int number);

// True when game N has a GameName key, i.e. belongs to the database.
bool gameExists(const IniDocument& document, int number);

// The number of games: the run Game-1, Game-2, ... up to the first without GameName.
int countGames(const IniDocument& document);

// All keys of game N with their defaults.
GameRecord readGame(const IniDocument& document, int number);

// readGame for many games in turn: the record returned is the reader's own, overwritten by the
// next read, so its strings and file list keep their storage from game to game.
class GameReader {
public:
    const GameRecord& read(const IniDocument& document, int number);
    // The record of the last read.
    const GameRecord& game() const { return game_; }

private:
    GameRecord game_;
    std::vector<std::pair<std::size_t, std::string_view>> fileKeys_;   // scratch of one read
    std::vector<std::optional<std::string_view>> fileValues_;         // scratch of one read
};

// Rom-1, Rom-2, ... until a value "none" (the default of a missing key); each value split at
// its first ":" with the signature upper-cased; values without ":" are skipped.
std::vector<RomFileEntry> readGameFiles(const IniDocument& document, int number);

// GameStatus with default 4.
int readGameStatus(const IniDocument& document, int number);
void writeGameStatus(IniDocument& document, int number, int status);

// The list's rows for games 1 to the end of the database. Game 1 is always present, even in
// an empty database, as the list always shows at least one entry.
GameListRows readGameList(const IniDocument& document);

// The emulator-order key: the number in decimal, with a leading "0" below 10.
std::string emulatorOrderKey(int number);

// The archive name of a romset ("name.zip"), or empty for "none".
std::string archiveNameOf(const std::string& romSetName);

}  // namespace tavrix
