// Reading the thumbnail cache back: only a whole BMP of the slot's edge is
// taken, in either row order, and nothing else, however it was cut or edited.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "covers/bmp_reader.h"
#include "covers/bmp_writer.h"

namespace {

// An edge x edge picture whose rows differ: row y is (y, 2y, 255 - y) as BGR.
std::vector<uint8_t> rowsOf(int edge) {
    const int stride = cacheRowBytes(edge);
    std::vector<uint8_t> rows(std::size_t(stride) * edge, 0);
    for (int y = 0; y < edge; ++y) {
        for (int x = 0; x < edge; ++x) {
            uint8_t* p = &rows[std::size_t(y) * stride + x * 3];
            p[0] = uint8_t(y);
            p[1] = uint8_t(2 * y + x);
            p[2] = uint8_t(255 - y);
        }
    }
    return rows;
}

std::vector<uint8_t> cacheFile(int edge) {
    const std::vector<uint8_t> rows = rowsOf(edge);
    return encodeBmp24(BgrPixels{edge, edge, cacheRowBytes(edge), rows.data()});
}

void put32(std::vector<uint8_t>& v, std::size_t offset, uint32_t value) {
    std::memcpy(&v[offset], &value, 4);
}

bool read(const std::vector<uint8_t>& file, int edge = 100) {
    std::vector<uint8_t> rows;
    const bool ok = readCacheBmp(file.data(), file.size(), edge, rows);
    EXPECT_EQ(rows.empty(), !ok);
    return ok;
}

}  // namespace

TEST(BmpReader, ReadsWhatTheCacheWriterStoresInEitherRowOrderAndAt32Bits) {
    std::vector<uint8_t> rows;
    const std::vector<uint8_t> file = cacheFile(100);
    ASSERT_TRUE(readCacheBmp(file.data(), file.size(), 100, rows));
    EXPECT_EQ(rows, rowsOf(100));

    // The same picture stored top-down (negative height) reads the same.
    std::vector<uint8_t> topDown(file.begin(), file.begin() + 54);
    put32(topDown, 22, uint32_t(-100));
    const int stride = cacheRowBytes(100);
    for (int y = 0; y < 100; ++y) {
        const auto row = file.begin() + 54 + (99 - y) * stride;
        topDown.insert(topDown.end(), row, row + stride);
    }
    ASSERT_TRUE(readCacheBmp(topDown.data(), topDown.size(), 100, rows));
    EXPECT_EQ(rows, rowsOf(100));

    // 32 bits, blue green red and an unused byte, a larger info header and
    // bytes after the pixels.
    const std::vector<uint8_t> expected = rowsOf(3);
    std::vector<uint8_t> wide = {'B', 'M'};
    wide.resize(14 + 108, 0);
    put32(wide, 10, 14 + 108);
    put32(wide, 14, 108);
    put32(wide, 18, 3);
    put32(wide, 22, 3);
    wide[26] = 1;
    wide[28] = 32;
    for (int y = 2; y >= 0; --y) {
        for (int x = 0; x < 3; ++x) {
            const uint8_t* p = &expected[std::size_t(y) * cacheRowBytes(3) + x * 3];
            wide.insert(wide.end(), {p[0], p[1], p[2], 0xEE});
        }
    }
    wide.insert(wide.end(), 7, 0x55);
    ASSERT_TRUE(readCacheBmp(wide.data(), wide.size(), 3, rows));
    EXPECT_EQ(rows, expected);
}

TEST(BmpReader, RefusesAnyOtherSizeAndEveryCutShortOfThePixels) {
    EXPECT_FALSE(read(cacheFile(99)));
    EXPECT_FALSE(read(cacheFile(101)));
    EXPECT_FALSE(read(cacheFile(100), 99));
    std::vector<uint8_t> file = cacheFile(100);
    for (std::size_t cut = 0; cut < file.size(); cut += file.size() / 16) {
        EXPECT_FALSE(read(std::vector<uint8_t>(file.begin(), file.begin() + cut))) << cut;
    }
    EXPECT_FALSE(read(std::vector<uint8_t>(file.begin(), file.end() - 1)));

    // Edited headers: width, height, a pixel offset past the end or into the
    // headers, an info size beyond the file.
    for (const auto& edit : {std::pair<std::size_t, uint32_t>{18, 50},
                             {22, 100 | 0x80000000u},
                             {22, 0},
                             {10, uint32_t(file.size())},
                             {10, 20},
                             {14, 0xFFFFFFF0u}}) {
        std::vector<uint8_t> edited = file;
        put32(edited, edit.first, edit.second);
        EXPECT_FALSE(read(edited)) << edit.first << " " << edit.second;
    }
    std::vector<uint8_t> rows;
    EXPECT_FALSE(readCacheBmp(nullptr, 100, 100, rows));
    EXPECT_FALSE(readCacheBmp(file.data(), file.size(), 0, rows));
}

TEST(BmpReader, RefusesOtherDepthsAndCompression) {
    IndexedPixels paletted;
    paletted.width = paletted.height = 100;
    paletted.palette = {0x000000, 0xFFFFFF};
    paletted.indexes.assign(100 * 100, 1);
    EXPECT_FALSE(read(encodeIndexedBmp(paletted)));
    std::vector<uint8_t> file = cacheFile(100);
    put32(file, 30, 1);  // run-length encoded
    EXPECT_FALSE(read(file));
    file = cacheFile(100);
    file[28] = 16;
    EXPECT_FALSE(read(file));
    file = cacheFile(100);
    file[26] = 2;  // planes
    EXPECT_FALSE(read(file));
}
