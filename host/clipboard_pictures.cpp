#include "host/clipboard_pictures.h"

#include <cstring>

namespace coverhall::host {

std::vector<uint8_t> packedDib(int width, int height, const uint8_t* rows, int stride) {
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    const int dibStride = (width * 3 + 3) & ~3;
    std::vector<uint8_t> dib(sizeof header + static_cast<size_t>(dibStride) * height);
    std::memcpy(dib.data(), &header, sizeof header);
    for (int y = 0; y < height; ++y)
        std::memcpy(dib.data() + sizeof header + static_cast<size_t>(height - 1 - y) * dibStride,
                    rows + static_cast<size_t>(y) * stride, static_cast<size_t>(width) * 3);
    return dib;
}

std::vector<uint8_t> solidDib(int edge, uint32_t rgb) {
    const int stride = edge * 3;
    std::vector<uint8_t> rows(static_cast<size_t>(stride) * edge);
    for (size_t i = 0; i < rows.size(); i += 3) {
        rows[i] = rgb & 0xFF;
        rows[i + 1] = (rgb >> 8) & 0xFF;
        rows[i + 2] = (rgb >> 16) & 0xFF;
    }
    return packedDib(edge, edge, rows.data(), stride);
}

bool putOnClipboard(HWND owner, UINT format, const std::vector<uint8_t>& bytes) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!memory) return false;
    std::memcpy(GlobalLock(memory), bytes.data(), bytes.size());
    GlobalUnlock(memory);
    if (!OpenClipboard(owner)) {
        GlobalFree(memory);
        return false;
    }
    EmptyClipboard();
    // Taken, the memory is the clipboard's.
    const bool taken = SetClipboardData(format, memory) != nullptr;
    CloseClipboard();
    if (!taken) GlobalFree(memory);
    return taken;
}

}  // namespace coverhall::host
