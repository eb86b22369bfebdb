// Reads the export and import tables of the cross-built controller.dll.
#ifdef TAVRIX_CONTROLLER_DLL

#include "fixtures/run_command.h"
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>

namespace {

using tavrix::test::runCommand;

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

struct PeSummary {
    std::string magic;
    std::string exportName;
    long ordinalBase = -1;
    long imageBase = -1;
    std::map<long, long> addressByOrdinal;     // export address table: ordinal -> RVA
    std::map<std::string, long> indexByName;  // name pointer table: name -> index
    std::set<std::string> importedDlls;
};

bool startsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

std::string trimmed(std::string s) {
    s.erase(0, s.find_first_not_of(" \t"));
    s.erase(s.find_last_not_of(" \t\r") + 1);
    return s;
}

// The number between the brackets that follow marker, or -1.
long bracketedNumber(const std::string& line, const std::string& marker) {
    const std::size_t at = line.find(marker);
    if (at == std::string::npos) return -1;
    return std::strtol(line.c_str() + at + marker.size(), nullptr, 10);
}

// What matters here of the "objdump -p" listing.
PeSummary readPe(const std::string& dll) {
    PeSummary pe;
    std::istringstream in(runCommand(std::string(TAVRIX_MINGW_OBJDUMP) + " -p " + dll));
    bool inNameTable = false;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string first, second, third;
        words >> first >> second >> third;
        if (line.find("[Ordinal/Name Pointer] Table") != std::string::npos) {
            inNameTable = true;
        } else if (inNameTable) {
            if (first.empty()) inNameTable = false;
            // "[   1] KX_JammaClose": the index in brackets, then the name.
            else pe.indexByName[trimmed(line.substr(line.find(']') + 1))] = bracketedNumber(line, "[");
        } else if (startsWith(line, "Magic")) {
            pe.magic = second;
        } else if (startsWith(line, "ImageBase")) {
            pe.imageBase = std::stol(second, nullptr, 16);
        } else if (startsWith(line, "Name ")) {
            pe.exportName = third;  // "Name <rva> controller.dll"
        } else if (startsWith(line, "Ordinal Base")) {
            pe.ordinalBase = std::stol(third);
        } else if (line.find("Export RVA") != std::string::npos) {
            // "[   0] +base[   2] 1d10 Export RVA"
            const std::size_t close = line.find(']', line.find("+base["));
            pe.addressByOrdinal[bracketedNumber(line, "+base[")] =
                std::strtol(line.c_str() + close + 1, nullptr, 16);
        } else if (first == "DLL" && second == "Name:") {
            pe.importedDlls.insert(lower(third));
        }
    }
    return pe;
}

TEST(WindowsLibrary, ExportTableNamesOrdinalsAndBase) {
    const PeSummary pe = readPe(TAVRIX_CONTROLLER_DLL);
    EXPECT_EQ(pe.magic, "010b");  // PE32: a 32-bit library
    EXPECT_EQ(pe.exportName, "controller.dll");
    EXPECT_EQ(pe.ordinalBase, 2);
    // Exactly ordinals 2, 3 and 4; no ordinal 1.
    ASSERT_EQ(pe.addressByOrdinal.size(), 3u);
    EXPECT_EQ(pe.addressByOrdinal.begin()->first, 2);
    EXPECT_EQ(pe.addressByOrdinal.rbegin()->first, 4);
    // Undecorated names, each on its ordinal (the ordinal table index plus the base).
    ASSERT_EQ(pe.indexByName.size(), 3u);
    const std::map<std::string, long> expected = {
        {"KX_JammaOpen", 2}, {"KX_JammaClose", 3}, {"KX_JammaRead", 4}};
    for (const auto& [exportName, ordinal] : expected) {
        ASSERT_TRUE(pe.indexByName.count(exportName)) << exportName;
        EXPECT_EQ(pe.indexByName.at(exportName) + pe.ordinalBase, ordinal) << exportName;
    }
}

TEST(WindowsLibrary, OpenPopsItsSixteenBytesOfArguments) {
    const PeSummary pe = readPe(TAVRIX_CONTROLLER_DLL);
    ASSERT_TRUE(pe.addressByOrdinal.count(2));
    const long start = pe.imageBase + pe.addressByOrdinal.at(2);
    char range[128];
    std::snprintf(range, sizeof range, " -d --start-address=0x%lx --stop-address=0x%lx ", start, start + 0x80);
    const std::string code = runCommand(std::string(TAVRIX_MINGW_OBJDUMP) + range + TAVRIX_CONTROLLER_DLL);
    const std::size_t ret = code.find("ret ");
    ASSERT_NE(ret, std::string::npos) << code;
    EXPECT_NE(code.substr(ret, code.find('\n', ret) - ret).find("$0x10"), std::string::npos) << code;
}

TEST(WindowsLibrary, ImportsOnlySystemLibraries) {
    const PeSummary pe = readPe(TAVRIX_CONTROLLER_DLL);
    EXPECT_TRUE(pe.importedDlls.count("dinput.dll"));
    EXPECT_TRUE(pe.importedDlls.count("kernel32.dll"));
    const std::set<std::string> system = {"dinput.dll", "kernel32.dll", "msvcrt.dll", "user32.dll",
                                          "ucrtbase.dll", "advapi32.dll", "ole32.dll"};
    for (const std::string& dll : pe.importedDlls) {
        const bool crtApiSet = dll.rfind("api-ms-win-", 0) == 0;
        EXPECT_TRUE(system.count(dll) || crtApiSet) << dll << " is not a system library";
        EXPECT_EQ(dll.find("libgcc"), std::string::npos) << dll;
        EXPECT_EQ(dll.find("libstdc++"), std::string::npos) << dll;
        EXPECT_EQ(dll.find("winpthread"), std::string::npos) << dll;
    }
}

}  // namespace

#endif
