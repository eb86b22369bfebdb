// Files that nobody would write by hand but anyone may hand us.
#include "core/ini_document.h"

#include <gtest/gtest.h>

#include <chrono>

using namespace tavrix;

TEST(HostileIni, AMillionLinesAndATenMegabyteLineParseAndRoundTrip) {
    std::string content = "[Tavrix]\r\n";
    content.reserve(20'000'000);
    for (int i = 0; i < 1'000'000; ++i) content += "k" + std::to_string(i) + "=" + std::to_string(i) + "\n";
    content += "long=" + std::string(10'000'000, 'x') + "\n";
    const auto start = std::chrono::steady_clock::now();
    auto document = IniDocument::parse(content);
    EXPECT_EQ(document.readInteger("Tavrix", "k999999", -1), 999999);
    EXPECT_EQ(document.readString("Tavrix", "long", "").size(), 10'000'000u);
    document.writeBool("Tavrix", "first-startup", false);
    const std::string written = document.serialize();
    EXPECT_EQ(IniDocument::parse(written).serialize(), written);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
}

TEST(HostileIni, NulBytesAndBinaryStayBytesAndNeverBreakTheStructure) {
    using namespace std::string_literals;
    const std::string content = "[Game-1]\r\nGameName=A\0B\xFF\xFE\r\n[Ga\0me-2]\r\nx=1\r\n"s;
    auto document = IniDocument::parse(content);
    EXPECT_EQ(document.readString("Game-1", "GameName", ""), "A\0B\xFF\xFE"s);
    document.writeInteger("Game-1", "GameStatus", 0);
    const std::string written = document.serialize();
    EXPECT_NE(written.find("GameName=A\0B\xFF\xFE\r\nGameStatus=0\r\n"s), std::string::npos);
    EXPECT_EQ(IniDocument::parse(written).readInteger("Ga\0me-2"s, "x", 0), 1);
}

TEST(HostileIni, FortyThousandSectionsAreLookedUpWithoutQuadraticWork) {
    std::string content = "[Tavrix]\r\n";
    for (int i = 1; i <= 40'000; ++i) content += "[Game-" + std::to_string(i) + "]\r\nGameName=G" + std::to_string(i) + "\r\n";
    const auto start = std::chrono::steady_clock::now();
    auto document = IniDocument::parse(content);
    for (int i = 1; i <= 40'000; ++i) document.writeInteger("game-" + std::to_string(i), "GameStatus", i % 3);
    EXPECT_EQ(document.readInteger("Game-40000", "GameStatus", -1), 40'000 % 3);
    EXPECT_EQ(document.readString("GAME-17", "GameName", ""), "G17");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}
