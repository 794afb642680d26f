// The header reader decides which files reach a decoder at all, so hostile
// sizes and cut-off headers must be refused here without reading past data.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "covers/image_header.h"

namespace {

void be32(std::vector<uint8_t>& v, uint32_t x) {
    for (int s = 24; s >= 0; s -= 8) v.push_back(uint8_t(x >> s));
}
void le16(std::vector<uint8_t>& v, uint32_t x) {
    v.push_back(uint8_t(x));
    v.push_back(uint8_t(x >> 8));
}
void le32(std::vector<uint8_t>& v, uint32_t x) {
    le16(v, x & 0xFFFF);
    le16(v, x >> 16);
}

std::vector<uint8_t> pngHeader(uint32_t width, uint32_t height) {
    std::vector<uint8_t> v = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    be32(v, 13);
    v.insert(v.end(), {'I', 'H', 'D', 'R'});
    be32(v, width);
    be32(v, height);
    v.insert(v.end(), {8, 2, 0, 0, 0});
    return v;
}

std::vector<uint8_t> bmpHeader(int32_t width, int32_t height) {
    std::vector<uint8_t> v = {'B', 'M'};
    le32(v, 0);
    le32(v, 0);
    le32(v, 54);
    le32(v, 40);
    le32(v, uint32_t(width));
    le32(v, uint32_t(height));
    le16(v, 1);
    le16(v, 24);
    v.resize(54, 0);
    return v;
}

// A GIF with one frame of the given size and no pixel data worth decoding.
std::vector<uint8_t> gif(uint32_t screenW, uint32_t screenH, uint32_t frameW, uint32_t frameH) {
    std::vector<uint8_t> v = {'G', 'I', 'F', '8', '9', 'a'};
    le16(v, screenW);
    le16(v, screenH);
    v.insert(v.end(), {0x80, 0, 0});  // global table of 2 colours
    v.insert(v.end(), {0, 0, 0, 255, 255, 255});
    v.insert(v.end(), {0x21, 0xF9, 4, 0, 0, 0, 0, 0});  // graphic control extension
    v.push_back(0x2C);
    le16(v, 0);
    le16(v, 0);
    le16(v, frameW);
    le16(v, frameH);
    v.push_back(0);
    v.insert(v.end(), {2, 2, 0x4C, 0x01, 0, 0x3B});
    return v;
}

std::vector<uint8_t> jpegHeader(uint32_t width, uint32_t height, bool withApp = true) {
    std::vector<uint8_t> v = {0xFF, 0xD8};
    if (withApp) {
        v.insert(v.end(), {0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0});
    }
    v.insert(v.end(), {0xFF, 0xC0, 0, 11, 8});
    v.push_back(uint8_t(height >> 8));
    v.push_back(uint8_t(height));
    v.push_back(uint8_t(width >> 8));
    v.push_back(uint8_t(width));
    v.insert(v.end(), {1, 1, 0x11, 0});
    return v;
}

ImageHeader read(const std::vector<uint8_t>& bytes, bool expectOk) {
    ImageHeader header;
    EXPECT_EQ(readImageHeader(bytes.data(), bytes.size(), header), expectOk);
    return header;
}

}  // namespace

TEST(ImageHeader, ReadsFormatAndSizeByContent) {
    ImageHeader h = read(pngHeader(400, 300), true);
    EXPECT_EQ(h.format, kFormatPng);
    EXPECT_EQ(h.width, 400u);
    EXPECT_EQ(h.height, 300u);

    h = read(jpegHeader(1400, 1000), true);
    EXPECT_EQ(h.format, kFormatJpg);
    EXPECT_EQ(h.width, 1400u);
    EXPECT_EQ(h.height, 1000u);

    h = read(gif(20, 10, 20, 10), true);
    EXPECT_EQ(h.format, kFormatGif);
    EXPECT_EQ(h.height, 10u);

    // A top-down BMP declares a negative height; its size is the magnitude.
    h = read(bmpHeader(64, -32), true);
    EXPECT_EQ(h.format, kFormatBmp);
    EXPECT_EQ(h.width, 64u);
    EXPECT_EQ(h.height, 32u);
}

TEST(ImageHeader, RefusesDeclaredSizesBeyondTheLimits) {
    read(pngHeader(60000, 60000), false);
    read(pngHeader(kMaxImageSide + 1, 10), false);
    read(pngHeader(kMaxImageSide, kMaxImageSide), false);  // 256 Mpixel
    read(pngHeader(kMaxImageSide, 4096), true);            // exactly 64 Mpixel
    read(pngHeader(0x80000000u, 1), false);
    read(bmpHeader(100, 0x7FFFFFFF), false);
    read(bmpHeader(100, INT32_MIN), false);
    read(bmpHeader(-5, 10), false);
    read(jpegHeader(0, 100), false);  // height given later by DNL: not accepted
}

TEST(ImageHeader, RefusesZeroSizesAndHostileGifFrames) {
    read(gif(20, 0, 20, 0), false);          // a GIF of height 0
    read(gif(20, 10, 60000, 60000), false);  // small screen, huge frame
    read(gif(20, 10, 20, 0), false);
    read(pngHeader(0, 10), false);
    read(bmpHeader(10, 0), false);
}

TEST(ImageHeader, RefusesCutOffOrUnknownData) {
    const std::vector<uint8_t> full[] = {pngHeader(10, 10), bmpHeader(10, 10), jpegHeader(10, 10),
                                         gif(10, 10, 10, 10)};
    for (const auto& bytes : full) {
        // Every prefix short of the size fields is refused, and none is read
        // beyond its end (the sanitizers watch the copies).
        for (std::size_t n = 0; n < 22 && n < bytes.size(); ++n) {
            const std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + n);
            ImageHeader h;
            EXPECT_FALSE(readImageHeader(cut.data(), cut.size(), h)) << n;
        }
    }
    read({}, false);
    read({'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'm', 'a', 'g', 'e'}, false);
    ImageHeader h;
    EXPECT_FALSE(readImageHeader(nullptr, 100, h));
    // A JPEG whose scan starts before any frame header, and one whose
    // segment lengths run off the end.
    read({0xFF, 0xD8, 0xFF, 0xDA, 0, 2}, false);
    read({0xFF, 0xD8, 0xFF, 0xE1, 0xFF, 0xFF, 1, 2, 3}, false);
    read({0xFF, 0xD8, 0xFF, 0xE1, 0, 0}, false);
}

TEST(ImageHeader, FindsTheJpegFrameBehindFillBytesAndMarkersWithoutLength) {
    std::vector<uint8_t> v = {0xFF, 0xD8, 0xFF, 0xFF, 0xFF, 0xD0};
    const std::vector<uint8_t> rest = jpegHeader(33, 44, false);
    v.insert(v.end(), rest.begin() + 2, rest.end());
    const ImageHeader h = read(v, true);
    EXPECT_EQ(h.width, 33u);
    EXPECT_EQ(h.height, 44u);
}

TEST(ImageHeader, TellsHowManyLeadingBytesTheAnswerRestsOn) {
    std::vector<uint8_t> png = pngHeader(40, 30);
    png.insert(png.end(), 100, 0xEE);
    EXPECT_EQ(read(png, true).headerBytes, 24u);  // signature, IHDR length, type, sizes
    const std::vector<uint8_t> bmp = bmpHeader(7, 7);
    EXPECT_EQ(read(bmp, true).headerBytes, 26u);
    // A GIF's frames are all walked; one cut short leaves the answer to its end.
    std::vector<uint8_t> cut = gif(10, 10, 10, 10);
    cut.resize(cut.size() - 3);
    EXPECT_EQ(read(cut, true).headerBytes, cut.size());
    // Refusals say it too: a huge PNG is refused on its first 24 bytes.
    png = pngHeader(60000, 60000);
    png.push_back(0);
    EXPECT_EQ(read(png, false).headerBytes, 24u);
}
