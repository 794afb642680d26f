// Reads the declared format and size of an image file from its first bytes,
// without decoding pixels, so that hostile sizes are refused before any
// decoder allocates for them. Platform-free.
#pragma once

#include <cstddef>
#include <cstdint>

#include "covers/file_names.h"

// Largest image we decode: 16384 pixels on a side and 64 Mpixel in all.
constexpr uint32_t kMaxImageSide = 16384;
constexpr uint64_t kMaxImagePixels = 64ull * 1024 * 1024;
// Largest image file read into memory.
constexpr std::size_t kMaxImageFileBytes = 64u * 1024 * 1024;

struct ImageHeader {
    ImageFormat format = kFormatNone;  // by content, not by name
    uint32_t width = 0;
    uint32_t height = 0;
    // How many leading bytes the answer rests on, whether true or false: no
    // byte past them was looked at (the whole size when the end of the data
    // decided the answer).
    std::size_t headerBytes = 0;
};

// The format and size declared by the file's content. False when it is none
// of BMP, GIF, JPEG and PNG, or its header is cut short or declares a size of
// 0 or beyond the limits (for a GIF: its screen or any of its frames).
bool readImageHeader(const uint8_t* data, std::size_t size, ImageHeader& out);

bool withinImageLimits(uint64_t width, uint64_t height);
