// The thumbnail cache file's reader and writer on any bytes.
// Read as a cache file: taken at most at one edge, and what is taken is a
// whole picture of that edge that the writer stores and reads back the same.
// Written from fuzzed pixels: read back the same at its edge only, and
// refused when cut anywhere short of its end or when its size is edited.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "covers/bmp_reader.h"
#include "covers/bmp_writer.h"

namespace {

constexpr int kThumbnailEdge = 100;

bool read(const uint8_t* data, std::size_t size, int edge, std::vector<uint8_t>& rows) {
    std::unique_ptr<uint8_t[]> exact(new uint8_t[size]);
    if (size) std::memcpy(exact.get(), data, size);
    return readCacheBmp(exact.get(), size, edge, rows);
}

std::vector<uint8_t> write(int edge, const std::vector<uint8_t>& rows) {
    return encodeBmp24(BgrPixels{edge, edge, cacheRowBytes(edge), rows.data()});
}

// A picture taken at edge: its size, zeroed row padding, and a writer round trip.
void checkTaken(int edge, const std::vector<uint8_t>& rows) {
    const std::size_t stride = cacheRowBytes(edge);
    if (rows.size() != stride * edge) std::abort();
    for (int y = 0; y < edge; ++y) {
        for (std::size_t x = std::size_t(edge) * 3; x < stride; ++x) {
            if (rows[y * stride + x] != 0) std::abort();
        }
    }
    std::vector<uint8_t> again;
    const std::vector<uint8_t> file = write(edge, rows);
    if (!read(file.data(), file.size(), edge, again) || again != rows) std::abort();
}

void checkAsCacheFile(const uint8_t* data, std::size_t size) {
    int declared = kThumbnailEdge;
    if (size >= 22) std::memcpy(&declared, data + 18, 4);
    for (int edge : {kThumbnailEdge, declared}) {
        std::vector<uint8_t> rows;
        if (!read(data, size, edge, rows)) {
            if (!rows.empty()) std::abort();
            continue;
        }
        checkTaken(edge, rows);
        std::vector<uint8_t> other;
        if (edge < 1024 && read(data, size, edge + 1, other)) std::abort();
    }
}

void checkWritten(const uint8_t* data, std::size_t size) {
    if (size < 3) return;
    const int edge = 1 + data[0] % 64;
    const std::size_t stride = cacheRowBytes(edge);
    std::vector<uint8_t> rows(stride * edge, 0);
    for (int y = 0; y < edge; ++y) {
        for (std::size_t x = 0; x < std::size_t(edge) * 3; ++x) {
            rows[y * stride + x] = data[1 + (y * stride + x) % (size - 1)];
        }
    }
    const std::vector<uint8_t> file = write(edge, rows);
    std::vector<uint8_t> back;
    if (file.empty() || !read(file.data(), file.size(), edge, back) || back != rows) std::abort();
    if (read(file.data(), file.size(), edge + 1, back)) std::abort();
    const std::size_t cut = (data[1] | data[2] << 8) % file.size();
    if (read(file.data(), cut, edge, back)) std::abort();
    std::vector<uint8_t> edited = file;
    edited[18 + data[2] % 8] ^= 1u << (data[1] % 8);  // width or height
    if (read(edited.data(), edited.size(), edge, back)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    checkAsCacheFile(data, size);
    checkWritten(data, size);
    return 0;
}
