// Writes the seed corpora of the fuzz targets, one folder per target under the folder given on
// the command line, from the same builders the tests use: archives from the ZIP builder, the
// example database, renderer files as the Video page writes them, the controller file as the
// first start writes it, and keyboard states for the plug-in.
#include "core/hardware_renderer_config.h"
#include "core/ini_document.h"
#include "core/software_renderer_config.h"
#include "core/video_settings.h"
#include "fixtures/fresh_controller_file.h"
#include "fixtures/zip_builder.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using tavrix::test::ZipBuilder;
using tavrix::test::ZipLayout;
using tavrix::test::ZipMember;

class Corpus {
public:
    Corpus(std::filesystem::path root, const char* target) : folder_(std::move(root) / target) {
        std::filesystem::create_directories(folder_);
    }
    void add(const std::string& name, const std::string& bytes) {
        std::ofstream out(folder_ / name, std::ios::binary | std::ios::trunc);
        out << bytes;
        ++count_;
    }
    int count() const { return count_; }

private:
    std::filesystem::path folder_;
    int count_ = 0;
};

std::string readExample(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void archives(Corpus& corpus) {
    corpus.add("empty.zip", ZipBuilder().build());
    corpus.add("three.zip", ZipBuilder()
                                .addFileWithCrc("prog1.bin", 0x0BADF00D)
                                .addFileWithCrc("gfx/tiles.bin", 1, "")
                                .addFile("README", "hello")
                                .build());
    corpus.add("folders.zip", ZipBuilder().addFolder("sub").addFileWithCrc("sub\\one.bin", 0x11111111).build());
    corpus.add("comment.zip", ZipBuilder().addFileWithCrc("a", 5).setComment(std::string(300, 'c')).build());
    ZipMember utf8;
    utf8.name = "\xEA\xB2\x8C\xEC\x9E\x84.bin";
    utf8.utf8Name = true;
    ZipMember broken;
    broken.name = "a\xFF\xC3.bin";
    broken.utf8Name = true;
    ZipMember oem;
    oem.name = "caf\x82.bin";
    corpus.add("names.zip", ZipBuilder().add(utf8).add(broken).add(oem).build());

    // Zip64: end record, locator and the extra field of every header; a folder named "d/" with
    // no directory attribute; an end record hidden in the comment.
    ZipMember folder;
    folder.name = "d/";
    folder.externalAttributes = 0;
    ZipLayout zip64Layout;
    const std::string zip64 = ZipBuilder()
                                  .setZip64(tavrix::test::Zip64Mode::always)
                                  .addFileWithCrc("a.bin", 1, "0123456789")
                                  .add(folder)
                                  .addFileWithCrc("d/b.bin", 2)
                                  .build(&zip64Layout);
    corpus.add("zip64.zip", zip64);
    std::string shortCount = zip64;
    ZipBuilder::patch32(shortCount, zip64Layout.zip64EndRecordOffset + 24, 2);
    ZipBuilder::patch32(shortCount, zip64Layout.zip64EndRecordOffset + 32, 2);
    corpus.add("zip64-short-count.zip", shortCount);
    corpus.add("forged-end.zip", ZipBuilder().addFileWithCrc("a", 5).setComment(std::string("PK\x05\x06", 4) + std::string(18, '\0') + "more").build());

    // Damaged shapes, so the fuzzer starts next to every check.
    ZipLayout layout;
    const std::string good = ZipBuilder().addFileWithCrc("a.bin", 1, "0123456789").addFileWithCrc("b.bin", 2).build(&layout);
    std::string entries = good;
    ZipBuilder::patch16(entries, layout.endRecordOffset + 8, 65535);
    ZipBuilder::patch16(entries, layout.endRecordOffset + 10, 65535);
    corpus.add("many-entries.zip", entries);
    std::string name = good;
    ZipBuilder::patch16(name, layout.centralDirectoryOffset + 28, 60000);
    corpus.add("long-name.zip", name);
    std::string offset = good;
    ZipBuilder::patch32(offset, layout.endRecordOffset + 16, 0xFFFFFFF0u);
    corpus.add("far-offset.zip", offset);
    ZipMember huge;
    huge.name = "big.bin";
    huge.compressedSizeOverride = 0xFFFFFFFFu;
    corpus.add("sizes.zip", ZipBuilder().add(huge).add(huge).build());

    // Folders by the writer's system: a Unix file with a stray low byte, a Unix folder, MS-DOS
    // and NTFS folders without a slash, another system's low byte, a legacy name ending in 0x5C
    // with data, a name ending in "\" without.
    const auto madeOn = [](std::uint8_t system, std::string name, std::uint32_t attributes, std::string data) {
        ZipMember member;
        member.versionMadeBy = static_cast<std::uint16_t>(system << 8 | 30);
        member.name = std::move(name);
        member.data = std::move(data);
        member.crc = tavrix::test::crc32Of(member.data);
        member.externalAttributes = attributes;
        return member;
    };
    corpus.add("systems.zip", ZipBuilder()
                                  .add(madeOn(3, "d/f.bin", 0100775u << 16 | 0xFF, "x"))
                                  .add(madeOn(3, "d", 040755u << 16, ""))
                                  .add(madeOn(0, "e", 0x10, ""))
                                  .add(madeOn(10, "n", 0x10, ""))
                                  .add(madeOn(7, "m.bin", 0x10, "x"))
                                  .add(madeOn(0, std::string("a/\x95\x5C", 4), 0x20, "x"))
                                  .add(madeOn(0, "sub\\", 0, ""))
                                  .build());

    // End records tried again: a whole archive in the comment, bytes after the archive that hold
    // a record pointing at the local header, data before an archive (and a Zip64 one) with the
    // offsets left as they were, and headers past the count.
    corpus.add("zip-in-comment.zip", ZipBuilder().addFileWithCrc("outer.bin", 8).setComment(ZipBuilder().addFileWithCrc("inner.bin", 9).build()).build());
    std::string fakeEnd("trailing PK\x05\x06", 13);
    fakeEnd += std::string("\0\0\0\0\1\0\1\0\x2E\0\0\0\0\0\0\0\0\0", 18);
    corpus.add("trailing-end-record.zip", good + fakeEnd);
    const std::string stub = "MZ stub " + std::string(100, '\x90');
    corpus.add("data-before.zip", stub + good);
    corpus.add("data-before-zip64.zip", stub + zip64);
    std::string surplus = good;
    ZipBuilder::patch16(surplus, layout.endRecordOffset + 8, 1);
    ZipBuilder::patch16(surplus, layout.endRecordOffset + 10, 1);
    corpus.add("headers-past-count.zip", surplus);
}

std::string generatedDatabase() {
    tavrix::IniDocument document;
    document.writeBool("Tavrix", "first-startup", false);
    for (int n = 1; n <= 40; ++n) {
        const std::string section = "Game-" + std::to_string(n);
        document.writeString(section, "GameName", n % 7 == 0 ? "Name \xB0\xA1\xFF" + std::to_string(n) : "Game " + std::to_string(n));
        document.writeString(section, "SystemName", n % 2 ? "KX-1" : "KX-2");
        document.writeString(section, "RomSetName", n % 5 == 0 ? "none" : "set" + std::to_string(n));
        document.writeString(section, "ParentRomSetName", n > 1 && n % 3 == 0 ? "set1" : "none");
        document.writeInteger(section, "GameStatus", n % 5);
        document.writeString(section, "Vantrel-plug-in", n % 4 ? "1" : "0x0");
        for (int k = 1; k <= n % 4 + 1; ++k)
            document.writeString(section, "Rom-" + std::to_string(k), "f" + std::to_string(k) + ".bin:0badf00" + std::to_string(k));
        if (n % 6 == 0) document.writeString(section, "Rom-9", "disk.chd:DISK");
    }
    return document.serialize();
}

void databases(Corpus& ini, Corpus& games) {
    using namespace std::string_literals;
    const std::string example = readExample(TAVRIX_EXAMPLE_DATABASE);
    const std::string generated = generatedDatabase();
    for (Corpus* corpus : {&ini, &games}) {
        corpus->add("example.ini", example);
        corpus->add("generated.ini", generated);
        corpus->add("comments.ini", "; note\r\n[Tavrix]\r\nUse-Sound=0\r\n  ; another\r\nsorting-type=$C\r\n\r\n[Game-1]\r\nGameName=A\r\n");
        corpus->add("loose.ini", "key before=any section\n[Game-1]\nGameName = X \n\0bytes\n[game-2]\r\ngamename=y\rRom-1=a:b\n"s);
    }
}

void rendererFiles(Corpus& corpus) {
    tavrix::VideoSettings plain;
    tavrix::VideoSettings changed;
    changed.resolution = 8;
    changed.fullScreen = true;
    changed.colorDepth = 0;
    changed.dithering = true;
    changed.ditheringEnabled = true;
    changed.scanLines = 2;
    changed.filtering = 3;
    changed.frameLimit = 0;
    changed.autoFramerate = 0;
    changed.frameRate = "59.94";
    changed.textureType = 1;
    int index = 0;
    for (const tavrix::VideoSettings* settings : {&plain, &changed}) {
        corpus.add("hardware" + std::to_string(index) + ".cfg", tavrix::hardwareRendererConfig(*settings));
        tavrix::IniDocument document;
        tavrix::storeSoftwareRendererConfig(document, *settings);
        corpus.add("software" + std::to_string(index) + ".cfg", document.serialize());
        ++index;
    }
}

void controllerFiles(Corpus& corpus) {
    const std::string fresh = tavrix::test::kFreshControllerFile;
    corpus.add("fresh.cfg", fresh);
    std::string changed = fresh;
    changed.replace(changed.find("useMM=0"), 7, "useMM=1");
    changed.replace(changed.find("coin=k02"), 8, "coin=j2b12");
    corpus.add("changed.cfg", changed);
    corpus.add("player-only.cfg", "[player1]\r\nup=k48\r\ndown=\r\nbtn1=j1left\r\n");
}

// The plug-in target reads four bytes of system type, then one result byte per device call
// and 256 bytes of key state per read.
void keyStates(Corpus& corpus) {
    for (std::int32_t system : {1, 3, 4, 9, 0, 12, -1}) {
        std::string input(reinterpret_cast<const char*>(&system), 4);
        input += std::string(5, '\0');  // every open step succeeds
        for (int read = 0; read < 4; ++read) {
            std::string keys(256, '\0');
            for (int k = 0; k < 6; ++k) keys[static_cast<std::size_t>((read * 37 + k * 11 + system) & 0xFF)] = '\x80';
            input += keys;
            input += static_cast<char>(read == 2 ? 6 : 0);  // one lost input on the third read
        }
        corpus.add("system" + std::to_string(system) + ".bin", input);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_fuzz_seeds CORPUS_DIR\n");
        return 2;
    }
    const std::filesystem::path root = argv[1];
    Corpus zip(root, "zip_central_directory_fuzzer");
    Corpus ini(root, "ini_document_fuzzer");
    Corpus games(root, "game_database_fuzzer");
    Corpus renderer(root, "renderer_config_fuzzer");
    Corpus controller(root, "controller_config_fuzzer");
    Corpus plugin(root, "controller_read_fuzzer");
    archives(zip);
    databases(ini, games);
    rendererFiles(renderer);
    controllerFiles(controller);
    keyStates(plugin);
    for (const Corpus* corpus : {&zip, &ini, &games, &renderer, &controller, &plugin})
        if (corpus->count() == 0) return 1;
    std::printf("seeds written to %s\n", root.c_str());
    return 0;
}
