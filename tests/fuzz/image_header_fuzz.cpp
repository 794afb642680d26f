// readImageHeader and withinImageLimits on any bytes. Nothing past the data
// is read (it is copied to a buffer of exactly its size), a true answer
// names a format and a size within the limits, and the answer rests on the
// header alone: cut after headerBytes, or with every byte past them changed,
// the data gets the same answer.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "covers/image_header.h"

namespace {

bool read(const uint8_t* data, std::size_t size, ImageHeader& header) {
    std::unique_ptr<uint8_t[]> exact(new uint8_t[size]);
    if (size) std::memcpy(exact.get(), data, size);
    return readImageHeader(exact.get(), size, header);
}

void expectSameAnswer(bool ok, const ImageHeader& a, bool otherOk, const ImageHeader& b) {
    if (ok != otherOk) std::abort();
    if (ok && (a.format != b.format || a.width != b.width || a.height != b.height)) std::abort();
}

// The limits as stated: both sides 1..kMaxImageSide and the product, taken
// without overflow, at most kMaxImagePixels.
void checkLimits(uint64_t width, uint64_t height) {
    const bool within = withinImageLimits(width, height);
    const bool expected = width >= 1 && height >= 1 && width <= kMaxImageSide &&
                          height <= kMaxImageSide &&
                          static_cast<unsigned __int128>(width) * height <= kMaxImagePixels;
    if (within != expected || within != withinImageLimits(height, width)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    ImageHeader header;
    const bool ok = read(data, size, header);
    if (header.headerBytes > size) std::abort();
    if (ok) {
        if (header.format < kFormatBmp || header.format > kFormatPng) std::abort();
        if (!withinImageLimits(header.width, header.height)) std::abort();
    }

    ImageHeader cut;
    const bool cutOk = read(data, header.headerBytes, cut);
    expectSameAnswer(ok, header, cutOk, cut);

    std::unique_ptr<uint8_t[]> changed(new uint8_t[size + 1]);
    if (size) std::memcpy(changed.get(), data, size);
    for (std::size_t i = header.headerBytes; i < size; ++i) changed[i] ^= 0xA5;
    ImageHeader other;
    expectSameAnswer(ok, header, read(changed.get(), size, other), other);

    uint64_t sides[2] = {0, 0};
    std::memcpy(sides, data, size < sizeof sides ? size : sizeof sides);
    checkLimits(sides[0], sides[1]);
    checkLimits(sides[0] & 0xFFFFFFFF, sides[0] >> 32);
    return 0;
}
