#include "covers/bmp_writer.h"

#include <cstddef>

namespace {

constexpr uint32_t kFileHeaderBytes = 14;
constexpr uint32_t kInfoHeaderBytes = 40;
constexpr int32_t kPixelsPerMetre = 2835;  // 72 dpi
constexpr int kMaxSide = 1 << 15;

void put16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}
void put32(std::vector<uint8_t>& out, uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

uint32_t rowBytes(int width, int bitsPerPixel) {
    return (static_cast<uint32_t>(width) * bitsPerPixel + 31) / 32 * 4;
}

std::vector<uint8_t> headers(int width, int height, int bitsPerPixel, uint32_t paletteSize) {
    const uint32_t imageBytes = rowBytes(width, bitsPerPixel) * static_cast<uint32_t>(height);
    const uint32_t offset = kFileHeaderBytes + kInfoHeaderBytes + paletteSize * 4;
    std::vector<uint8_t> out;
    out.reserve(offset + imageBytes);
    out.push_back('B');
    out.push_back('M');
    put32(out, offset + imageBytes);
    put32(out, 0);  // reserved
    put32(out, offset);
    put32(out, kInfoHeaderBytes);
    put32(out, static_cast<uint32_t>(width));
    put32(out, static_cast<uint32_t>(height));  // positive: bottom-up rows
    put16(out, 1);                              // planes
    put16(out, static_cast<uint32_t>(bitsPerPixel));
    put32(out, 0);  // BI_RGB
    put32(out, imageBytes);
    put32(out, kPixelsPerMetre);
    put32(out, kPixelsPerMetre);
    put32(out, paletteSize);
    put32(out, 0);  // all colours important
    return out;
}

bool sizeOk(int width, int height) {
    return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide;
}

}  // namespace

std::vector<uint8_t> encodeBmp24(const BgrPixels& picture) {
    const int w = picture.width, h = picture.height;
    if (!sizeOk(w, h) || !picture.rows || picture.stride < w * 3) return {};
    std::vector<uint8_t> out = headers(w, h, 24, 0);
    const uint32_t padding = rowBytes(w, 24) - static_cast<uint32_t>(w) * 3;
    for (int y = h - 1; y >= 0; --y) {
        const uint8_t* row = picture.rows + static_cast<std::ptrdiff_t>(y) * picture.stride;
        out.insert(out.end(), row, row + static_cast<std::ptrdiff_t>(w) * 3);
        out.insert(out.end(), padding, 0);
    }
    return out;
}

std::vector<uint8_t> encodeIndexedBmp(const IndexedPixels& picture) {
    const int w = picture.width, h = picture.height, bits = picture.bitsPerPixel;
    if (!sizeOk(w, h) || (bits != 4 && bits != 8)) return {};
    const std::size_t colours = picture.palette.size();
    if (colours == 0 || colours > (1u << bits)) return {};
    if (picture.indexes.size() != static_cast<std::size_t>(w) * h) return {};
    for (uint8_t index : picture.indexes) {
        if (index >= colours) return {};
    }
    std::vector<uint8_t> out = headers(w, h, bits, static_cast<uint32_t>(colours));
    for (uint32_t rgb : picture.palette) {
        out.push_back(static_cast<uint8_t>(rgb));        // blue
        out.push_back(static_cast<uint8_t>(rgb >> 8));   // green
        out.push_back(static_cast<uint8_t>(rgb >> 16));  // red
        out.push_back(0);
    }
    const uint32_t stride = rowBytes(w, bits);
    for (int y = h - 1; y >= 0; --y) {
        const uint8_t* row = picture.indexes.data() + static_cast<std::size_t>(y) * w;
        std::vector<uint8_t> packed(stride, 0);
        for (int x = 0; x < w; ++x) {
            if (bits == 8) {
                packed[x] = row[x];
            } else {
                packed[x / 2] |= static_cast<uint8_t>(x % 2 ? row[x] : row[x] << 4);
            }
        }
        out.insert(out.end(), packed.begin(), packed.end());
    }
    return out;
}
