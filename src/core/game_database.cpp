#include "core/game_database.h"

#include "core/text.h"

#include <optional>
#include <string_view>

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

namespace {

// The known keys with their lengths, for a switch on the length of a key read from the file.
constexpr std::string_view kGameName = gamekeys::gameName, kYear = gamekeys::year, kBiosName = gamekeys::biosName,
                           kSystemName = gamekeys::systemName, kRomSetName = gamekeys::romSetName,
                           kGameStatus = gamekeys::gameStatus, kVantrelPlugin = gamekeys::vantrelPlugin,
                           kManufacturer = gamekeys::manufacturer, kParentRomSetName = gamekeys::parentRomSetName,
                           kFilePrefix = gamekeys::filePrefix;
static_assert(kGameName.size() == 8 && kYear.size() == 8 && kBiosName.size() == 8);
static_assert(kSystemName.size() == 10 && kRomSetName.size() == 10 && kGameStatus.size() == 10);
static_assert(kVantrelPlugin.size() == 15);
static_assert(kManufacturer.size() == 16 && kParentRomSetName.size() == 16);

// equalsIgnoreCase, inline for the hot loop over a section's keys: equal bytes, or the two
// cases of one letter a to z.
inline bool sameKey(std::string_view key, std::string_view name) {
    if (key.size() != name.size()) return false;
    for (std::size_t i = 0; i < key.size(); ++i) {
        const char a = key[i];
        const char b = name[i];
        if (a == b) continue;
        const char folded = static_cast<char>(a | 0x20);
        if (folded != static_cast<char>(b | 0x20) || folded < 'a' || folded > 'z') return false;
    }
    return true;
}

// The keys of one game section gathered in a single pass. Each key holds the first value the
// section gives it (as a lookup by key would find it); file k holds the value of "Rom-" + k,
// where k is written in plain decimal as the lookup spells it.
struct GameSection {
    std::optional<std::string_view> name, manufacturer, year, systemName, romSetName, parentRomSetName, biosName,
        vantrelPlugin, status;
    void take(std::optional<std::string_view>& slot, std::string_view value) {
        if (!slot) slot = value;
    }

    // The slot of a known key, or null. The names are told apart by length first, so a key
    // is compared with at most three names of its own length.
    std::optional<std::string_view>* slotOf(std::string_view key) {
        switch (key.size()) {
        case 8:
            if (sameKey(key, kGameName)) return &name;
            if (sameKey(key, kYear)) return &year;
            if (sameKey(key, kBiosName)) return &biosName;
            return nullptr;
        case 10:
            if (sameKey(key, kSystemName)) return &systemName;
            if (sameKey(key, kRomSetName)) return &romSetName;
            if (sameKey(key, kGameStatus)) return &status;
            return nullptr;
        case 15:
            return sameKey(key, kVantrelPlugin) ? &vantrelPlugin : nullptr;
        case 16:
            if (sameKey(key, kManufacturer)) return &manufacturer;
            if (sameKey(key, kParentRomSetName)) return &parentRomSetName;
            return nullptr;
        default:
            return nullptr;
        }
    }

    // The number k of a key "Rom-" + k, or 0 when the key is not one.
    static std::size_t fileNumber(std::string_view key) {
        constexpr std::string_view prefix = kFilePrefix;
        if (key.size() <= prefix.size() || key.size() > prefix.size() + 9) return 0;
        if (!sameKey(key.substr(0, prefix.size()), prefix)) return 0;
        const std::string_view digits = key.substr(prefix.size());
        if (digits.front() == '0') return 0;
        std::size_t k = 0;
        for (char c : digits) {
            if (c < '0' || c > '9') return 0;
            k = k * 10 + static_cast<std::size_t>(c - '0');
        }
        return k;
    }

    // One pass over the section. With `fileKeys` the file keys met are gathered there, in
    // order, and `files` holds the run's values by number; both are caller's buffers, cleared
    // first, so that a reader of many games allocates them once.
    static GameSection read(const IniDocument& document, int number,
                            std::vector<std::pair<std::size_t, std::string_view>>* fileKeys,
                            std::vector<std::optional<std::string_view>>* files) {
        GameSection out;
        if (fileKeys) fileKeys->clear();
        document.forEachEntry(gameSectionName(number), [&](std::string_view key, std::string_view value) {
            if (fileKeys) {
                if (const std::size_t k = fileNumber(key)) {
                    fileKeys->emplace_back(k, value);
                    return;
                }
            }
            if (std::optional<std::string_view>* slot = out.slotOf(key)) out.take(*slot, value);
        });
        if (files) {
            // A run of files from Rom-1 can never be longer than the number of file keys met.
            files->assign(fileKeys->size(), std::nullopt);
            for (const auto& [k, value] : *fileKeys)
                if (k <= files->size() && !(*files)[k - 1]) (*files)[k - 1] = value;
        }
        return out;
    }
};

// Assigns into the existing string, keeping its storage.
void assignOr(std::string& target, const std::optional<std::string_view>& value, std::string_view defaultValue) {
    target.assign(value ? *value : defaultValue);
}

int integerOr(const std::optional<std::string_view>& value, int defaultValue) {
    return value ? parseInteger(*value).value_or(defaultValue) : defaultValue;
}

}  // namespace

const GameRecord& GameReader::read(const IniDocument& document, int number) {
    const GameSection section = GameSection::read(document, number, &fileKeys_, &fileValues_);
    GameRecord& game = game_;
    game.number = number;
    assignOr(game.name, section.name, kBlank);
    assignOr(game.manufacturer, section.manufacturer, kBlank);
    assignOr(game.year, section.year, kBlank);
    assignOr(game.systemName, section.systemName, kBlank);
    assignOr(game.romSetName, section.romSetName, kNone);
    assignOr(game.parentRomSetName, section.parentRomSetName, kNone);
    assignOr(game.biosName, section.biosName, kNone);
    game.vantrelPlugin = integerOr(section.vantrelPlugin, 1) != 0;
    game.status = integerOr(section.status, kStatusNeverScanned);
    // Rom-1, Rom-2, ... up to the first missing key or "none"; values without ":" are skipped.
    // The entries of the previous game are overwritten in place and the rest dropped at the end.
    std::size_t count = 0;
    for (const auto& value : fileValues_) {
        if (!value || *value == kNone) break;
        const size_t colon = value->find(':');
        if (colon == std::string_view::npos) continue;
        if (count == game.files.size()) game.files.emplace_back();
        RomFileEntry& file = game.files[count++];
        file.name.assign(value->substr(0, colon));
        file.signature.assign(value->substr(colon + 1));
        for (char& c : file.signature)
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    game.files.resize(count);
    return game;
}

GameRecord readGame(const IniDocument& document, int number) {
    GameReader reader;
    return reader.read(document, number);
}

GameListRows readGameList(const IniDocument& document) {
    GameListRows list;
    std::vector<GameListRow>& rows = list.rows_;
    // The rows first point into the document (or at the defaults); their texts are then copied
    // into one block of the list's own.
    auto textOf = [](const std::optional<std::string_view>& value) { return value ? *value : std::string_view(kBlank); };
    std::size_t textSize = 0;
    GameSection section = GameSection::read(document, 1, nullptr, nullptr);
    for (int number = 1;; ++number) {
        const GameListRow& row =
            rows.emplace_back(GameListRow{number, textOf(section.name), textOf(section.systemName), textOf(section.year),
                                          integerOr(section.status, kStatusNeverScanned)});
        textSize += row.name.size() + row.systemName.size() + row.year.size();
        if (number >= kMaxGameNumber) break;
        // The run ends before the first game without GameName.
        section = GameSection::read(document, number + 1, nullptr, nullptr);
        if (!section.name) break;
    }
    auto texts = std::make_shared<std::string>();
    texts->reserve(textSize);
    for (const GameListRow& row : rows) texts->append(row.name).append(row.systemName).append(row.year);
    std::size_t at = 0;
    auto take = [&](std::string_view& text) {
        text = std::string_view(*texts).substr(at, text.size());
        at += text.size();
    };
    for (GameListRow& row : rows) {
        take(row.name);
        take(row.systemName);
        take(row.year);
    }
    list.texts_ = std::move(texts);
    return list;
}

std::string emulatorOrderKey(int number) {
    const std::string text = decimal(number);
    return number >= 0 && number < 10 ? "0" + text : text;
}

std::string archiveNameOf(const std::string& romSetName) {
    return romSetName == kNone ? std::string() : romSetName + ".zip";
}

}  // namespace tavrix
