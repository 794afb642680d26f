#include "covers/bmp_reader.h"

#include <cstring>

namespace {

constexpr std::size_t kFileHeaderBytes = 14;
constexpr uint32_t kMinInfoBytes = 40;  // BITMAPINFOHEADER; later versions extend it
constexpr int kMaxEdge = 1024;

uint32_t le16(const uint8_t* p) {
    return p[0] | p[1] << 8;
}
uint32_t le32(const uint8_t* p) {
    return le16(p) | le16(p + 2) << 16;
}

}  // namespace

bool readCacheBmp(const uint8_t* data, std::size_t size, int edge, std::vector<uint8_t>& rows) {
    rows.clear();
    if (!data || edge < 1 || edge > kMaxEdge) return false;
    if (size < kFileHeaderBytes + kMinInfoBytes || data[0] != 'B' || data[1] != 'M') return false;
    const uint32_t pixelOffset = le32(data + 10);
    const uint32_t infoBytes = le32(data + 14);
    if (infoBytes < kMinInfoBytes || infoBytes > size - kFileHeaderBytes) return false;
    const int32_t width = static_cast<int32_t>(le32(data + 18));
    const int32_t height = static_cast<int32_t>(le32(data + 22));
    const uint32_t planes = le16(data + 26), bits = le16(data + 28);
    const uint32_t compression = le32(data + 30);
    // A negative height stores the rows top-down.
    if (width != edge || (height != edge && height != -edge)) return false;
    if (planes != 1 || (bits != 24 && bits != 32) || compression != 0) return false;

    const std::size_t pixelBytes = bits / 8;
    const std::size_t fileRowBytes = (static_cast<std::size_t>(edge) * bits + 31) / 32 * 4;
    if (pixelOffset < kFileHeaderBytes + infoBytes || pixelOffset > size ||
        (size - pixelOffset) / fileRowBytes < static_cast<std::size_t>(edge)) {
        return false;
    }
    const std::size_t stride = static_cast<std::size_t>(cacheRowBytes(edge));
    rows.assign(stride * edge, 0);
    for (int y = 0; y < edge; ++y) {
        const int fileRow = height > 0 ? edge - 1 - y : y;
        const uint8_t* from = data + pixelOffset + fileRow * fileRowBytes;
        uint8_t* to = rows.data() + y * stride;
        for (int x = 0; x < edge; ++x) std::memcpy(to + x * 3, from + x * pixelBytes, 3);
    }
    return true;
}
