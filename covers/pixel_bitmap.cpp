#include "covers/pixel_bitmap.h"

#include <cstring>

namespace {

void copyRowsBottomUp(const BgrPixels& picture, uint8_t* bits, int bitsStride) {
    const int rowBytes = picture.width * 3;
    for (int y = 0; y < picture.height; ++y) {
        std::memcpy(bits + static_cast<std::size_t>(picture.height - 1 - y) * bitsStride,
                    picture.rows + static_cast<std::size_t>(y) * picture.stride, rowBytes);
    }
}

}  // namespace

HBITMAP makeDibSection(const BgrPixels& picture) {
    if (!picture.rows || picture.width <= 0 || picture.height <= 0) return nullptr;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = picture.width;
    info.bmiHeader.biHeight = picture.height;  // bottom-up, as LoadImage makes them
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap || !bits) {
        if (bitmap) DeleteObject(bitmap);
        return nullptr;
    }
    copyRowsBottomUp(picture, static_cast<uint8_t*>(bits), (picture.width * 3 + 3) & ~3);
    return bitmap;
}

bool fillDibSection(HBITMAP dib, const BgrPixels& picture) {
    DIBSECTION section{};
    if (!dib || !picture.rows ||
        GetObjectA(dib, sizeof section, &section) != static_cast<int>(sizeof section))
        return false;
    const BITMAP& bitmap = section.dsBm;
    if (!bitmap.bmBits || bitmap.bmBitsPixel != 24 || bitmap.bmWidth != picture.width ||
        bitmap.bmHeight != picture.height)
        return false;
    GdiFlush();  // GDI may still be drawing from the bits
    copyRowsBottomUp(picture, static_cast<uint8_t*>(bitmap.bmBits), bitmap.bmWidthBytes);
    return true;
}
