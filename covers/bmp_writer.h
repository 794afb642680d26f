// Windows BMP files, written byte for byte the same on every platform: the
// thumbnail cache (24 bits) and the plug-in's own bitmap resources (4, 8 and
// 24 bits). Platform-free.
#pragma once

#include <cstdint>
#include <vector>

// A 24-bit picture as rows of blue, green, red bytes from the top row down;
// rows are stride bytes apart.
struct BgrPixels {
    int width = 0;
    int height = 0;
    int stride = 0;
    const uint8_t* rows = nullptr;
};

// A paletted picture: one palette index per pixel, rows from the top down,
// width bytes per row. Palette entries are 0xRRGGBB.
struct IndexedPixels {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 8;  // 4 or 8
    std::vector<uint32_t> palette;
    std::vector<uint8_t> indexes;
};

// Bottom-up BMP with a 40-byte info header and no compression. Empty when
// the picture is malformed (sizes, palette, pixel count).
std::vector<uint8_t> encodeBmp24(const BgrPixels& picture);
std::vector<uint8_t> encodeIndexedBmp(const IndexedPixels& picture);
