// Writes the demo romset directory and snapshots that match data/tavrix.ini. Run it in the
// demo working directory: it creates roms/*.zip (complete, partial, missing and damaged sets,
// a parent set, a BIOS set, a disk image in its folder) and a few snap/<romset>/ pictures.
//
// Each member's bytes are "Tavrix demo member <romset>/<name>\n", so its CRC-32 is the
// signature the database lists for it.
#include "fixtures/zip_builder.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using tavrix::test::ZipBuilder;

struct Archive {
    const char* romset;
    std::vector<const char*> members;
    const char* folder = nullptr;  // members stored inside this folder of the archive
};

const std::vector<Archive> kArchives = {
    {"astrolnc", {"al_prg1.bin", "al_prg2.bin", "al_gfx1.bin", "al_snd.bin"}},
    {"astrolnb", {"alb_prg1.bin", "alb_prg2.bin"}},
    {"bforge", {"bf_main.bin", "bf_sub.bin", "bf_pcm.bin"}},  // bf_gfx.bin missing
    {"cobaltr", {"cr_code.bin", "cr_tex1.bin", "cr_tex2.bin"}, "cobaltr"},
    {"vexabios", {"vx_boot.bin", "vx_font.bin"}},
    {"frostc", {"fc_boot.bin"}},
    {"glassh", {"gh_boot.bin"}},  // its disk image is missing
    {"hollowp", {"hp_a.bin", "hp_b.bin", "hp_c.bin"}},
    {"jadec", {"jc_code.bin", "jc_tex.bin"}},
    {"kitep", {"kp_main.bin"}},
    // dunestr and ironmer have no archive at all.
};

void writeBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out) {
        std::fprintf(stderr, "make_demo_data: cannot write %s\n", path.string().c_str());
        std::exit(1);
    }
}

void put16(std::string& out, std::uint16_t v) { ZipBuilder::put16(out, v); }
void put32(std::string& out, std::uint32_t v) { ZipBuilder::put32(out, v); }

// A 320 x 240 24-bit bitmap: a sky gradient in the set's colour with a few bars.
std::string snapshotBitmap(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    const int width = 320, height = 240;
    const int rowBytes = width * 3;  // already a multiple of 4
    std::string bmp;
    bmp += "BM";
    put32(bmp, static_cast<std::uint32_t>(54 + rowBytes * height));
    put32(bmp, 0);
    put32(bmp, 54);
    put32(bmp, 40);
    put32(bmp, width);
    put32(bmp, height);
    put16(bmp, 1);
    put16(bmp, 24);
    put32(bmp, 0);
    put32(bmp, static_cast<std::uint32_t>(rowBytes * height));
    put32(bmp, 2835);
    put32(bmp, 2835);
    put32(bmp, 0);
    put32(bmp, 0);
    for (int y = 0; y < height; ++y) {  // bottom row first
        for (int x = 0; x < width; ++x) {
            const bool bar = (x / 40) % 2 == 0 && y < 60 + (x % 80);
            const int shade = y * 255 / height;
            const auto mix = [&](std::uint8_t c) {
                return static_cast<char>(bar ? 255 - c / 2 : (c * shade) / 255);
            };
            bmp += mix(b);
            bmp += mix(g);
            bmp += mix(r);
        }
    }
    return bmp;
}

}  // namespace

int main() {
    for (const Archive& archive : kArchives) {
        ZipBuilder zip;
        if (archive.folder != nullptr) zip.addFolder(archive.folder);
        for (const char* member : archive.members) {
            const std::string name = archive.folder != nullptr ? std::string(archive.folder) + "/" + member : member;
            zip.addFile(name, std::string("Tavrix demo member ") + archive.romset + "/" + member + "\n");
        }
        zip.setComment("Tavrix demo romset");
        writeBytes(std::filesystem::path("roms") / (std::string(archive.romset) + ".zip"), zip.build());
    }
    // A damaged archive: text where the central directory should be.
    writeBytes("roms/emberkn.zip", "This archive was cut short during a copy.\r\n");
    // The disk image of Frost Circuit lies in a folder named after it.
    writeBytes("roms/frostc/frostc.img", std::string(4096, '\0'));

    writeBytes("snap/astrolnc/kxd3d001.bmp", snapshotBitmap(40, 90, 220));
    writeBytes("snap/hollowp/kxd3d001.bmp", snapshotBitmap(60, 200, 90));
    writeBytes("snap/jadec/kxogl001.bmp", snapshotBitmap(220, 160, 40));
    std::printf("make_demo_data: wrote %zu archives and 3 snapshots\n", kArchives.size() + 1);
    return 0;
}
