#include "covers/packed_dib.h"

#include <cstring>

namespace {

constexpr std::size_t kFileHeaderBytes = 14;
constexpr uint32_t kRgb = 0, kBitfields = 3, kAlphaBitfields = 6;

uint32_t le16(const uint8_t* p) {
    return p[0] | p[1] << 8;
}
uint32_t le32(const uint8_t* p) {
    return le16(p) | le16(p + 2) << 16;
}
void put32(uint8_t* p, uint32_t value) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(value >> (8 * i));
}

bool isKnownHeaderSize(uint32_t size) {
    // Core, info, the two Adobe extensions, V4 and V5.
    for (uint32_t known : {12u, 40u, 52u, 56u, 108u, 124u}) {
        if (size == known) return true;
    }
    return false;
}

// Bytes between the header and the pixels; false when the header is absurd.
bool tableBytes(const uint8_t* dib, std::size_t size, uint32_t headerSize, uint64_t& out) {
    if (headerSize == 12) {  // core header: 16-bit sizes, 3-byte palette entries
        const uint32_t bits = le16(dib + 10);
        out = bits <= 8 ? 3ull << bits : 0;
        return true;
    }
    if (size < 40) return false;
    const uint32_t bits = le16(dib + 14);
    const uint32_t compression = le32(dib + 16);
    const uint32_t colours = le32(dib + 32);
    uint64_t masks = 0;
    // Only the plain info header keeps its masks outside it.
    if (headerSize == 40 && compression == kBitfields) masks = 12;
    if (headerSize == 40 && compression == kAlphaBitfields) masks = 16;
    const uint64_t entries = colours ? colours : bits <= 8 ? 1ull << bits : 0;
    if (entries > 256 && bits <= 8) return false;
    out = masks + entries * 4;
    return true;
}

// Bytes of the uncompressed pixels the header declares; 0 when compressed,
// whose size the decoder checks.
uint64_t pixelBytes(const uint8_t* dib, uint32_t headerSize) {
    int64_t width, height;
    uint32_t bits, compression = kRgb;
    if (headerSize == 12) {
        width = le16(dib + 4);
        height = le16(dib + 6);
        bits = le16(dib + 10);
    } else {
        width = static_cast<int32_t>(le32(dib + 4));
        height = static_cast<int32_t>(le32(dib + 8));
        bits = le16(dib + 14);
        compression = le32(dib + 16);
    }
    if (compression != kRgb && compression != kBitfields && compression != kAlphaBitfields)
        return 0;
    if (width <= 0 || height == 0 || bits == 0 || bits > 32) return UINT64_MAX;
    if (height < 0) height = -height;
    const uint64_t stride = (static_cast<uint64_t>(width) * bits + 31) / 32 * 4;
    return stride * static_cast<uint64_t>(height);
}

}  // namespace

std::vector<uint8_t> bmpFileOfPackedDib(const uint8_t* dib, std::size_t size) {
    if (!dib || size < 12) return {};
    const uint32_t headerSize = le32(dib);
    if (!isKnownHeaderSize(headerSize) || headerSize > size) return {};
    uint64_t table = 0;
    if (!tableBytes(dib, size, headerSize, table)) return {};
    const uint64_t offset = headerSize + table;
    const uint64_t pixels = pixelBytes(dib, headerSize);
    if (pixels == UINT64_MAX || offset + pixels > size || offset >= size) return {};
    if (size > UINT32_MAX - kFileHeaderBytes) return {};

    std::vector<uint8_t> file(kFileHeaderBytes + size);
    file[0] = 'B';
    file[1] = 'M';
    put32(&file[2], static_cast<uint32_t>(file.size()));
    put32(&file[10], static_cast<uint32_t>(kFileHeaderBytes + offset));
    std::memcpy(&file[kFileHeaderBytes], dib, size);
    return file;
}
