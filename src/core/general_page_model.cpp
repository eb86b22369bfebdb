#include "core/general_page_model.h"

#include "core/ini_document.h"
#include "core/ini_document_cache.h"
#include "core/romset_scan_pass.h"
#include "core/settings.h"

namespace tavrix {

ControlFields GeneralPageModel::fields() {
    return {{"E1", nullptr, nullptr, &pathText},     {"CB24", &startupScan},
            {"CB26", &showFullRomset},               {"CB27", &showAllColumns},
            {"RG2", nullptr, &sortChoice},           {"L16", nullptr, nullptr, &countLine}};
}

bool GeneralPageModel::B01Click(const std::string& chosenFolder) {
    if (chosenFolder.empty()) return false;
    pathText = chosenFolder;
    return true;
}

void GeneralPageModel::B07Click(int listSortChoice, bool listAscending) const {
    auto document = IniDocument::load(kSettingsFileName);
    writeSetting(document, settings::romsDirectory, romsDirectory());
    writeSetting(document, settings::startupScan, startupScan);
    writeSetting(document, settings::showFullRomset, showFullRomset);
    writeSetting(document, settings::showAllColumns, showAllColumns);
    document.writeInteger(kSettingsSection, settings::sortingType, encodeSortingType(listSortChoice, listAscending));
    document.save(kSettingsFileName);
}

void GeneralPageModel::B05Click() {
    const auto cached = IniDocumentCache::shared().load(kSettingsFileName);
    const IniDocument& document = *cached;
    storedRomsDirectory = KeptText(romsetDirectoryOf(document));
    pathText = storedRomsDirectory.shown();
    startupScan = readSetting(document, settings::startupScan);
    showFullRomset = readSetting(document, settings::showFullRomset);
    showAllColumns = readSetting(document, settings::showAllColumns);
    const SortingType sorting =
        decodeSortingType(document.readInteger(kSettingsSection, settings::sortingType, sortChoice));
    // A choice outside the group leaves it as it is.
    if (sorting.choice >= 0 && sorting.choice < 4) sortChoice = sorting.choice;
    ascending = sorting.ascending;
}

}  // namespace tavrix
