#include "covers/image_header.h"

#include <algorithm>
#include <cstring>

namespace {

class Bytes {
  public:
    Bytes(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    // Every read is guarded by has(), so the reach it records bounds the
    // bytes the answer depends on.
    bool has(std::size_t offset, std::size_t count) const {
        if (offset <= size_ && count <= size_ - offset) {
            reach_ = std::max(reach_, offset + count);
            return true;
        }
        reach_ = size_;
        return false;
    }
    std::size_t reach() const { return reach_; }
    uint8_t at(std::size_t offset) const { return data_[offset]; }
    uint32_t le16(std::size_t o) const { return data_[o] | data_[o + 1] << 8; }
    uint32_t be16(std::size_t o) const { return data_[o] << 8 | data_[o + 1]; }
    uint32_t le32(std::size_t o) const {
        return le16(o) | static_cast<uint32_t>(le16(o + 2)) << 16;
    }
    uint32_t be32(std::size_t o) const {
        return static_cast<uint32_t>(be16(o)) << 16 | be16(o + 2);
    }
    bool startsWith(const char* magic, std::size_t length) const {
        return has(0, length) && std::memcmp(data_, magic, length) == 0;
    }

  private:
    const uint8_t* data_;
    std::size_t size_;
    mutable std::size_t reach_ = 0;
};

bool readPng(const Bytes& b, ImageHeader& out) {
    // Signature, then the IHDR chunk: length, type, width, height (big endian).
    if (!b.has(0, 24)) return false;
    if (b.be32(8) != 13 || b.at(12) != 'I' || b.at(13) != 'H' || b.at(14) != 'D' ||
        b.at(15) != 'R') {
        return false;
    }
    out.width = b.be32(16);
    out.height = b.be32(20);
    return true;
}

bool readBmp(const Bytes& b, ImageHeader& out) {
    if (!b.has(0, 18)) return false;
    const uint32_t infoSize = b.le32(14);
    if (infoSize == 12) {  // the old OS/2 header with 16-bit sizes
        if (!b.has(18, 4)) return false;
        out.width = b.le16(18);
        out.height = b.le16(20);
        return true;
    }
    if (infoSize < 40 || !b.has(18, 8)) return false;
    const int32_t width = static_cast<int32_t>(b.le32(18));
    const int32_t height = static_cast<int32_t>(b.le32(22));
    // A negative height marks rows stored top-down; its size is the magnitude.
    if (width <= 0 || height == 0 || height == INT32_MIN) return false;
    out.width = static_cast<uint32_t>(width);
    out.height = static_cast<uint32_t>(height < 0 ? -height : height);
    return true;
}

// Skips a run of GIF data sub-blocks; false when the file ends inside them.
bool skipSubBlocks(const Bytes& b, std::size_t& pos) {
    while (b.has(pos, 1)) {
        const uint8_t length = b.at(pos);
        pos += 1;
        if (length == 0) return true;
        pos += length;
    }
    return false;
}

bool readGif(const Bytes& b, ImageHeader& out) {
    if (!b.has(0, 13)) return false;
    out.width = b.le16(6);
    out.height = b.le16(8);
    if (!withinImageLimits(out.width, out.height)) return false;
    std::size_t pos = 13;
    if (b.at(10) & 0x80) pos += 3u << ((b.at(10) & 7) + 1);
    // Decoders may allocate every frame at its own size, so every frame
    // descriptor is checked; a file cut short is left to the decoder.
    bool sawFrame = false;
    while (b.has(pos, 1)) {
        const uint8_t block = b.at(pos);
        if (block == 0x3B) break;  // trailer
        if (block == 0x21) {       // extension: label, then sub-blocks
            pos += 2;
            if (!skipSubBlocks(b, pos)) break;
        } else if (block == 0x2C) {  // image descriptor
            if (!b.has(pos, 10)) break;
            if (!withinImageLimits(b.le16(pos + 5), b.le16(pos + 7))) return false;
            sawFrame = true;
            const uint8_t flags = b.at(pos + 9);
            pos += 10;
            if (flags & 0x80) pos += 3u << ((flags & 7) + 1);
            pos += 1;  // LZW minimum code size
            if (!skipSubBlocks(b, pos)) break;
        } else {
            return false;
        }
    }
    return sawFrame;
}

bool isJpegFrameMarker(uint8_t marker) {
    // SOF0..SOF15 except DHT (C4), JPG (C8) and DAC (CC).
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

bool readJpeg(const Bytes& b, ImageHeader& out) {
    std::size_t pos = 2;
    while (b.has(pos, 2)) {
        if (b.at(pos) != 0xFF) return false;
        const uint8_t marker = b.at(pos + 1);
        if (marker == 0xFF) {  // fill byte
            pos += 1;
            continue;
        }
        pos += 2;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) continue;  // no length
        if (marker == 0xD9 || marker == 0xDA) return false;  // end or scan before any frame
        if (!b.has(pos, 2)) return false;
        const uint32_t length = b.be16(pos);
        if (length < 2) return false;
        if (isJpegFrameMarker(marker)) {
            if (length < 7 || !b.has(pos, 7)) return false;
            out.height = b.be16(pos + 3);
            out.width = b.be16(pos + 5);
            return true;
        }
        pos += length;
    }
    return false;
}

}  // namespace

bool withinImageLimits(uint64_t width, uint64_t height) {
    return width >= 1 && height >= 1 && width <= kMaxImageSide && height <= kMaxImageSide &&
           width * height <= kMaxImagePixels;
}

bool readImageHeader(const uint8_t* data, std::size_t size, ImageHeader& out) {
    out = ImageHeader{};
    if (!data) return false;
    const Bytes b(data, size);
    ImageHeader header;
    bool read = false;
    if (b.startsWith("\x89PNG\r\n\x1a\n", 8)) {
        header.format = kFormatPng;
        read = readPng(b, header);
    } else if (b.startsWith("GIF87a", 6) || b.startsWith("GIF89a", 6)) {
        header.format = kFormatGif;
        read = readGif(b, header);
    } else if (b.startsWith("\xFF\xD8\xFF", 3)) {
        header.format = kFormatJpg;
        read = readJpeg(b, header);
    } else if (b.startsWith("BM", 2)) {
        header.format = kFormatBmp;
        read = readBmp(b, header);
    }
    if (!read || !withinImageLimits(header.width, header.height)) {
        out.headerBytes = b.reach();
        return false;
    }
    out = header;
    out.headerBytes = b.reach();
    return true;
}
