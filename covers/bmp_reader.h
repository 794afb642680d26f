// Reads a thumbnail cache file back. Only a complete, uncompressed 24- or
// 32-bit BMP of exactly the expected edge is taken, so a truncated or edited
// cache can never be shown as a thumbnail of another size. Platform-free.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// A cache file larger than this is not a thumbnail and is not read.
constexpr std::size_t kMaxCacheFileBytes = 1024 * 1024;

// Bytes per row of the pixels readCacheBmp gives: 24-bit rows padded to 4.
constexpr int cacheRowBytes(int edge) {
    return (edge * 3 + 3) & ~3;
}

// The picture of a cache file of edge x edge pixels as top-down rows of blue,
// green, red bytes, cacheRowBytes(edge) apart, padding zeroed. False (and
// rows empty) for anything else: another size or depth, compression, a
// header or pixel array cut short.
bool readCacheBmp(const uint8_t* data, std::size_t size, int edge, std::vector<uint8_t>& rows);
