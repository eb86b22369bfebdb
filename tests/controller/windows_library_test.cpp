// Reads the export and import tables of the cross-built controller.dll.
#ifdef TAVRIX_CONTROLLER_DLL

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <map>
#include <memory>
#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace {

std::string runCommand(const std::string& command) {
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::string out;
    if (!pipe) return out;
    char buffer[4096];
    while (size_t n = fread(buffer, 1, sizeof buffer, pipe.get())) out.append(buffer, n);
    return out;
}

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

PeSummary readPe(const std::string& dll) {
    PeSummary pe;
    std::istringstream in(runCommand(std::string(TAVRIX_MINGW_OBJDUMP) + " -p " + dll));
    const std::regex magic(R"(^Magic\s+(\w+))");
    const std::regex imageBase(R"(^ImageBase\s+([0-9a-fA-F]+))");
    const std::regex name(R"(^Name\s+[0-9a-fA-F]+\s+(\S+))");
    const std::regex base(R"(^Ordinal Base\s+(\d+))");
    const std::regex address(R"(^\s*\[\s*\d+\]\s*\+base\[\s*(\d+)\]\s+([0-9a-fA-F]+)\s+Export RVA)");
    const std::regex namePointer(R"(^\s*\[\s*(\d+)\]\s+(\S+)\s*$)");
    const std::regex import(R"(^\s*DLL Name:\s+(\S+))");
    bool inNameTable = false;
    std::string line;
    std::smatch m;
    while (std::getline(in, line)) {
        if (line.find("[Ordinal/Name Pointer] Table") != std::string::npos) {
            inNameTable = true;
            continue;
        }
        if (inNameTable && line.find_first_not_of(" \t\r") == std::string::npos) inNameTable = false;
        if (std::regex_search(line, m, magic)) pe.magic = m[1];
        else if (std::regex_search(line, m, imageBase)) pe.imageBase = std::stol(m[1], nullptr, 16);
        else if (std::regex_search(line, m, name)) pe.exportName = m[1];
        else if (std::regex_search(line, m, base)) pe.ordinalBase = std::stol(m[1]);
        else if (std::regex_search(line, m, address)) pe.addressByOrdinal[std::stol(m[1])] = std::stol(m[2], nullptr, 16);
        else if (inNameTable && std::regex_search(line, m, namePointer)) pe.indexByName[m[2]] = std::stol(m[1]);
        else if (std::regex_search(line, m, import)) pe.importedDlls.insert(lower(m[1]));
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
