// The BMP files we write: headers, row order, padding and palettes.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "covers/bmp_writer.h"

namespace {

uint32_t le32(const std::vector<uint8_t>& v, std::size_t o) {
    return v[o] | v[o + 1] << 8 | v[o + 2] << 16 | uint32_t(v[o + 3]) << 24;
}
uint32_t le16(const std::vector<uint8_t>& v, std::size_t o) {
    return v[o] | v[o + 1] << 8;
}

}  // namespace

TEST(BmpWriter, Writes24BitBottomUpRowsPaddedToFourBytes) {
    // 3 x 2: top row blue, bottom row red (BGR bytes), rows 12 bytes apart.
    std::vector<uint8_t> rows(24, 0);
    for (int x = 0; x < 3; ++x) {
        rows[x * 3] = 255;           // top row: blue
        rows[12 + x * 3 + 2] = 255;  // bottom row: red
    }
    const std::vector<uint8_t> bmp = encodeBmp24(BgrPixels{3, 2, 12, rows.data()});
    ASSERT_EQ(bmp.size(), 54u + 2 * 12);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    EXPECT_EQ(le32(bmp, 2), bmp.size());
    EXPECT_EQ(le32(bmp, 10), 54u);
    EXPECT_EQ(le32(bmp, 18), 3u);
    EXPECT_EQ(le32(bmp, 22), 2u);  // positive: bottom-up
    EXPECT_EQ(le16(bmp, 28), 24u);
    EXPECT_EQ(le32(bmp, 34), 24u);
    // The first stored row is the bottom one (red), then its 3 padding bytes.
    EXPECT_EQ(bmp[54 + 2], 255);
    EXPECT_EQ(bmp[54 + 0], 0);
    EXPECT_EQ(bmp[54 + 9], 0);
    EXPECT_EQ(bmp[54 + 12], 255);  // top row, blue
}

TEST(BmpWriter, PacksFourBitPixelsHighNibbleFirst) {
    IndexedPixels p;
    p.width = 3;
    p.height = 1;
    p.bitsPerPixel = 4;
    p.palette = {0x000000, 0xFF0000, 0xFFFFFF};
    p.indexes = {1, 2, 1};
    const std::vector<uint8_t> bmp = encodeIndexedBmp(p);
    ASSERT_EQ(bmp.size(), 54u + 3 * 4 + 4);
    EXPECT_EQ(le32(bmp, 46), 3u);      // colours used
    EXPECT_EQ(bmp[54 + 4 + 2], 0xFF);  // second palette entry: red in the third byte
    EXPECT_EQ(bmp[66], 0x12);
    EXPECT_EQ(bmp[67], 0x10);
}

TEST(BmpWriter, RefusesMalformedPictures) {
    std::vector<uint8_t> rows(12, 0);
    EXPECT_TRUE(encodeBmp24(BgrPixels{0, 1, 12, rows.data()}).empty());
    EXPECT_TRUE(encodeBmp24(BgrPixels{2, -1, 12, rows.data()}).empty());
    EXPECT_TRUE(encodeBmp24(BgrPixels{5, 1, 12, rows.data()}).empty());  // stride too short
    EXPECT_TRUE(encodeBmp24(BgrPixels{2, 1, 12, nullptr}).empty());
    IndexedPixels p;
    p.width = p.height = 2;
    p.bitsPerPixel = 4;
    p.palette = {0, 1};
    p.indexes = {0, 1, 2, 0};  // index beyond the palette
    EXPECT_TRUE(encodeIndexedBmp(p).empty());
    p.indexes = {0, 1, 1};  // too few pixels
    EXPECT_TRUE(encodeIndexedBmp(p).empty());
    p.indexes = {0, 1, 1, 0};
    p.palette.assign(17, 0);  // too many colours for 4 bits
    EXPECT_TRUE(encodeIndexedBmp(p).empty());
    p.bitsPerPixel = 2;
    p.palette = {0, 1};
    EXPECT_TRUE(encodeIndexedBmp(p).empty());
}
