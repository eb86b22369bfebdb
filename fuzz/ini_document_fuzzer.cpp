// Any bytes as an INI file: parsing, every read, a write and the round trip must hold up.
#include "core/ini_document.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    auto document = tavrix::IniDocument::parse(bytes);
    for (const std::string& section : document.sectionNames()) {
        for (const std::string& key : document.keys(section)) {
            (void)document.readString(section, key, "");
            (void)document.readInteger(section, key, 0);
        }
    }
    document.writeString("Tavrix", "first-startup", "0");
    const std::string once = document.serialize();
    // What the document writes, it reads back to the same document.
    if (tavrix::IniDocument::parse(once).serialize() != once) std::abort();
    return 0;
}
