#include "core/romset_scan_pass.h"

#include "core/settings.h"

#include <algorithm>
#include <utility>

namespace tavrix {

std::string romsetDirectoryOf(const IniDocument& document) {
    return readSetting(document, settings::romsDirectory);
}

int scannedGameCount(const IniDocument& document) {
    return std::max(1, countGames(document));
}

RomsetScanPass::RomsetScanPass(IniDocument& document, std::string romsetDirectory)
    : document_(document), romsetDirectory_(std::move(romsetDirectory)) {}

GameVerification RomsetScanPass::scan(int number) {
    game_ = &reader_.read(document_, number);
    GameVerification verification = verifyGame(*game_, romsetDirectory_, lister_);
    writeGameStatus(document_, number, verification.status());
    return verification;
}

void RomsetScanPass::save(const std::string& fileName) const {
    document_.save(fileName);
}

}  // namespace tavrix
