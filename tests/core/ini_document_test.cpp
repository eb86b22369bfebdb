#include "core/error.h"
#include "core/ini_document.h"
#include "core/settings.h"
#include "core/text.h"
#include "fixtures/temp_dir.h"
#include "fixtures/write_fault.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace tavrix;
using tavrix::test::readFile;
using tavrix::test::TempDir;
using tavrix::test::writeFile;

TEST(IniDocument, ReadsNamesWithoutRegardToCaseAndTrimsKeysAndValues) {
    const auto doc = IniDocument::parse("[ Tavrix ]\r\n  Use-Sound = 0 \r\nroms-directory=  C:\\roms x \r\n");
    EXPECT_TRUE(doc.sectionExists("tavrix"));
    EXPECT_FALSE(readSetting(doc, settings::useSound));
    EXPECT_EQ(readSetting(doc, settings::romsDirectory), "C:\\roms x");
    EXPECT_EQ(doc.readString("TAVRIX", "missing", "dflt"), "dflt");
}

TEST(IniDocument, IntegersAcceptDecimalAndHexAndFallBackOnAnythingElse) {
    const auto doc = IniDocument::parse(
        "[s]\nneg=-12\nplus=+7\ndollar=$1F\nhex=0x10\nzero=0X0\nyes=yes\nspace=1 2\nempty=\nbig=2147483648\n"
        "hexneg=$FFFFFFFF\n");
    EXPECT_EQ(doc.readInteger("s", "neg", 0), -12);
    EXPECT_EQ(doc.readInteger("s", "plus", 0), 7);
    EXPECT_EQ(doc.readInteger("s", "dollar", 0), 31);
    EXPECT_EQ(doc.readInteger("s", "hex", 0), 16);
    EXPECT_EQ(doc.readInteger("s", "yes", 5), 5);
    EXPECT_EQ(doc.readInteger("s", "space", 5), 5);
    EXPECT_EQ(doc.readInteger("s", "empty", 5), 5);
    EXPECT_EQ(doc.readInteger("s", "big", 5), 5);
    EXPECT_EQ(doc.readInteger("s", "hexneg", 5), -1);
    // Booleans are integers: a non-number keeps the default, 0x0 is false.
    EXPECT_TRUE(doc.readBool("s", "yes", true));
    EXPECT_FALSE(doc.readBool("s", "zero", true));
    EXPECT_TRUE(doc.readBool("s", "neg", false));
}

TEST(IniDocument, StrictConversionRaisesTheExactMessage) {
    EXPECT_EQ(toInteger("44100"), 44100);
    EXPECT_EQ(toInteger("  90"), 90);  // leading blanks are skipped, trailing ones are not
    EXPECT_THROW(toInteger("90 "), Error);
    EXPECT_THROW(toInteger(" "), Error);
    try {
        toInteger("22k");
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "'22k' is not a valid integer value");
    }
}

TEST(IniDocument, WriteBackDropsCommentsKeepsOrderAndRewritesKeysInPlace) {
    const auto source =
        "junk before any section\r\n"
        "; a comment\r\n"
        "[Tavrix]\r\n"
        "; another\r\n"
        "\r\n"
        "Use-Sound=0\r\n"
        "a line without equals\r\n"
        "first-startup=1\r\n"
        "[Game-1]\n"
        "GameName = Star  Hunter \n";
    auto doc = IniDocument::parse(source);
    writeSetting(doc, settings::useSound, true);
    writeSetting(doc, settings::englishVersion, true);
    doc.writeString("new", "k", "v");
    EXPECT_EQ(doc.serialize(),
              "[Tavrix]\r\n"
              "use-sound=1\r\n"
              "a line without equals\r\n"
              "first-startup=1\r\n"
              "english-version=1\r\n"
              "\r\n"
              "[Game-1]\r\n"
              "GameName=Star  Hunter\r\n"
              "\r\n"
              "[new]\r\n"
              "k=v\r\n"
              "\r\n");
}

TEST(IniDocument, LineEndsOfEveryKindAndEmptySections) {
    auto doc = IniDocument::parse("[a]\rx=1\r[b]\n[c]\r\ny=2");
    EXPECT_EQ(doc.readInteger("a", "x", 0), 1);
    EXPECT_TRUE(doc.hasSection("b"));
    EXPECT_FALSE(doc.sectionExists("b"));  // present but empty counts as missing
    EXPECT_EQ(doc.readInteger("c", "y", 0), 2);
    EXPECT_EQ(IniDocument().serialize(), "");
}

TEST(IniDocument, ValuesCannotInjectLines) {
    IniDocument doc;
    doc.writeString("s", "k", "a\r\n[evil]\nb");
    EXPECT_EQ(doc.serialize(), "[s]\r\nk=a[evil]b\r\n\r\n");
}

TEST(IniDocument, BytesThatAreNotUtf8SurviveARoundTrip) {
    const std::string name = "\xBD\xBA\xC5\xB8\xC6\xAE";  // Korean in the legacy code page
    auto doc = IniDocument::parse("[Game-1]\r\nGameName=" + name + "\r\n");
    doc.writeInteger("Game-1", "GameStatus", 2);
    EXPECT_EQ(doc.serialize(), "[Game-1]\r\nGameName=" + name + "\r\nGameStatus=2\r\n\r\n");
    EXPECT_TRUE(isValidUtf8(displayText(name)));
    EXPECT_EQ(displayText("plain"), "plain");
}

TEST(IniDocument, SaveWritesCrLfBytesAndMissingFileLoadsEmpty) {
    TempDir dir;
    auto doc = IniDocument::load("tavrix.ini");
    EXPECT_TRUE(doc.sectionNames().empty());
    writeSetting(doc, settings::firstStartup, false);
    doc.save("tavrix.ini");
    EXPECT_EQ(readFile("tavrix.ini"), "[Tavrix]\r\nfirst-startup=0\r\n\r\n");
    EXPECT_EQ(tavrix::test::countEntries(), 1u);
}

TEST(IniDocument, ReadOnlyTargetKeepsItsContentAndRaisesTheExactMessage) {
    TempDir dir;
    writeFile("tavrix.ini", "[Tavrix]\r\nold=1\r\n\r\n");
    std::filesystem::permissions("tavrix.ini", std::filesystem::perms::owner_read | std::filesystem::perms::group_read |
                                                   std::filesystem::perms::others_read);
    const std::string error = tavrix::test::errorAsUnprivilegedUser([] {
        IniDocument doc;
        doc.writeString("Tavrix", "k", "v");
        doc.save("tavrix.ini");
    });
    EXPECT_EQ(error, "Cannot create file \"tavrix.ini\". " + tavrix::test::kReadOnlyReason);
    EXPECT_EQ(readFile("tavrix.ini"), "[Tavrix]\r\nold=1\r\n\r\n");
    EXPECT_EQ(tavrix::test::countEntries(), 1u);
}

TEST(Settings, DecodingOfSortingRotationAndRenderer) {
    EXPECT_EQ(decodeSortingType(12).choice, 2);
    EXPECT_TRUE(decodeSortingType(12).ascending);
    EXPECT_EQ(decodeSortingType(2).choice, 2);
    EXPECT_FALSE(decodeSortingType(2).ascending);
    EXPECT_EQ(decodeSortingType(256 + 13).choice, 3);  // only the low 8 bits count
    EXPECT_EQ(encodeSortingType(3, true), 13);

    EXPECT_EQ(decodeRotation(2), 2);
    EXPECT_EQ(decodeRotation(180), 2);
    EXPECT_EQ(decodeRotation(270), 3);
    EXPECT_EQ(decodeRotation(45), -1);
    EXPECT_EQ(rotationDegrees(3), 270);

    EXPECT_EQ(decodeRendererKind("renderer-sft.orv"), RendererKind::Software);
    EXPECT_EQ(decodeRendererKind("xxxxxxxxxsftzzz"), RendererKind::Software);
    EXPECT_EQ(decodeRendererKind("renderer-OGL.orv"), std::nullopt);
    EXPECT_EQ(decodeRendererKind("short"), std::nullopt);
    EXPECT_EQ(rendererPluginFileName(RendererKind::OpenGL), "renderer-ogl.orv");

    EXPECT_EQ(decodeSoundEffect(true, true), 2);
    EXPECT_EQ(decodeSoundEffect(true, false), 1);
    EXPECT_EQ(cutoffIndex(16000), std::nullopt);
    EXPECT_EQ(cutoffIndex(11025), 1);
}
