// The committed bitmaps are exactly what the generator makes, and they have
// the sizes, depths and pictures the plug-in relies on.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tools/bitmaps/artwork.h"

namespace {

std::vector<uint8_t> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

const BitmapFile& byId(const std::vector<BitmapFile>& files, int id) {
    for (const BitmapFile& f : files) {
        if (f.id == id) return f;
    }
    static const BitmapFile none{};
    ADD_FAILURE() << "no bitmap " << id;
    return none;
}

uint32_t le32(const std::vector<uint8_t>& v, std::size_t o) {
    return v[o] | v[o + 1] << 8 | v[o + 2] << 16 | uint32_t(v[o + 3]) << 24;
}

// Colour 0xRRGGBB of pixel (x, y) counted from the top of a bottom-up BMP.
uint32_t pixel(const std::vector<uint8_t>& bmp, int x, int y) {
    const int width = int(le32(bmp, 18)), height = int(le32(bmp, 22));
    const int bits = bmp[28] | bmp[29] << 8;
    const uint32_t offset = le32(bmp, 10);
    const int stride = (width * bits + 31) / 32 * 4;
    const uint8_t* row = bmp.data() + offset + std::size_t(height - 1 - y) * stride;
    uint32_t index = 0;
    if (bits == 24) return uint32_t(row[x * 3 + 2]) << 16 | row[x * 3 + 1] << 8 | row[x * 3];
    if (bits == 8) index = row[x];
    if (bits == 4) index = x % 2 ? row[x / 2] & 15 : row[x / 2] >> 4;
    const uint8_t* entry = bmp.data() + 54 + index * 4;
    return uint32_t(entry[2]) << 16 | entry[1] << 8 | entry[0];
}

}  // namespace

TEST(Bitmaps, RegeneratedFilesEqualTheCommittedOnes) {
    const std::string folder = testing::TempDir() + "coverhall_bitmaps";
    std::string command = "mkdir -p '" + folder + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    ASSERT_TRUE(writeAllBitmaps(folder));
    const std::vector<BitmapFile> files = makeAllBitmaps();
    ASSERT_EQ(files.size(), 7u);
    for (const BitmapFile& file : files) {
        const std::vector<uint8_t> committed =
            readFile(std::string(COVERHALL_BITMAPS_DIR) + "/" + file.name);
        EXPECT_FALSE(committed.empty()) << file.name;
        EXPECT_TRUE(readFile(folder + "/" + file.name) == committed)
            << file.name << " differs: run make-bitmaps resources/bitmaps";
    }
}

TEST(Bitmaps, SizesAndDepthsAreTheOnesTheResourcesNeed) {
    const std::vector<BitmapFile> files = makeAllBitmaps();
    const struct {
        int id, width, height, bits;
    } expected[] = {{116, 201, 201, 24}, {136, 100, 100, 8}, {140, 100, 100, 4}, {142, 32, 32, 8},
                    {143, 32, 32, 8},    {129, 607, 88, 8},  {132, 164, 314, 24}};
    for (const auto& e : expected) {
        const std::vector<uint8_t>& bmp = byId(files, e.id).bytes;
        ASSERT_GE(bmp.size(), 54u) << e.id;
        EXPECT_EQ(le32(bmp, 18), uint32_t(e.width)) << e.id;
        EXPECT_EQ(le32(bmp, 22), uint32_t(e.height)) << e.id;
        EXPECT_EQ(bmp[28], e.bits) << e.id;
        EXPECT_EQ(le32(bmp, 2), bmp.size()) << e.id;
    }
    // 140 is a 16-colour bitmap.
    EXPECT_EQ(le32(byId(files, 140).bytes, 46), 16u);
}

TEST(Bitmaps, PicturesKeepTheirTransparentColoursWhereTheyMatter) {
    const std::vector<BitmapFile> files = makeAllBitmaps();
    const std::vector<uint8_t>& mask = byId(files, 136).bytes;
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 100; ++x) ASSERT_EQ(pixel(mask, x, y), 0u) << x << "," << y;
    }

    // The case is surrounded by pure black and holds no pure black itself.
    const std::vector<uint8_t>& noCover = byId(files, 116).bytes;
    for (int i = 0; i < 201; ++i) {
        EXPECT_EQ(pixel(noCover, i, 0), 0u);
        EXPECT_EQ(pixel(noCover, 0, i), 0u);
        EXPECT_EQ(pixel(noCover, i, 200), 0u);
        EXPECT_EQ(pixel(noCover, 200, i), 0u);
    }
    for (int y = 20; y < 182; ++y) {
        for (int x = 20; x < 182; ++x) ASSERT_NE(pixel(noCover, x, y), 0u) << x << "," << y;
    }

    // The frame: 3 red, 1 purple, 1 grey, then a grey and white checker.
    const std::vector<uint8_t>& frame = byId(files, 140).bytes;
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(pixel(frame, i, 50), 0xFF0000u);
        EXPECT_EQ(pixel(frame, 50, 99 - i), 0xFF0000u);
    }
    EXPECT_EQ(pixel(frame, 3, 50), 0x800080u);
    EXPECT_EQ(pixel(frame, 96, 50), 0x800080u);
    EXPECT_EQ(pixel(frame, 4, 50), 0x808080u);
    EXPECT_EQ(pixel(frame, 50, 95), 0x808080u);
    for (int y = 5; y < 95; ++y) {
        for (int x = 5; x < 95; ++x) {
            ASSERT_EQ(pixel(frame, x, y), (x + y) % 2 ? 0xFFFFFFu : 0x808080u);
        }
    }
}
