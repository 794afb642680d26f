#include "host/window_capture.h"

#include "win/win_handles.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace coverhall::host {
namespace {

struct FileCloser {
    void operator()(FILE* file) const { fclose(file); }
};

BOOL CALLBACK collectPopup(HWND window, LPARAM popups) {
    if (IsWindowVisible(window) && (GetWindowLongPtrA(window, GWL_STYLE) & WS_POPUP))
        reinterpret_cast<std::vector<HWND>*>(popups)->push_back(window);
    return TRUE;
}

// The shown popups of the window's thread (an open menu), the lowest first.
std::vector<HWND> popupsOf(HWND window) {
    std::vector<HWND> popups;
    EnumThreadWindows(GetWindowThreadProcessId(window, nullptr), collectPopup,
                      reinterpret_cast<LPARAM>(&popups));
    std::reverse(popups.begin(), popups.end());
    return popups;
}

bool capture(HWND window, const std::string& bmpPath, bool withPopups) {
    if (!IsWindow(window)) return false;
    RECT rect{};
    GetWindowRect(window, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) return false;

    // Bring every child up to date before the pixels are read.
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    WindowDc source(window, true);
    if (!source.get()) return false;
    MemoryDc memory(source.get());
    UniqueBitmap bitmap(CreateCompatibleBitmap(source.get(), width, height));
    if (!memory.get() || !bitmap) return false;
    HGDIOBJ old = SelectObject(memory.get(), bitmap.get());
    BitBlt(memory.get(), 0, 0, width, height, source.get(), 0, 0, SRCCOPY);
    for (HWND popup : withPopups ? popupsOf(window) : std::vector<HWND>{}) {
        RECT over{};
        GetWindowRect(popup, &over);
        WindowDc popupDc(popup, true);
        BitBlt(memory.get(), over.left - rect.left, over.top - rect.top, over.right - over.left,
               over.bottom - over.top, popupDc.get(), 0, 0, SRCCOPY);
    }
    SelectObject(memory.get(), old);

    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;  // bottom-up, as BMP files store it
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    std::vector<unsigned char> pixels(static_cast<size_t>(stride) * height);
    if (!GetDIBits(memory.get(), bitmap.get(), 0, height, pixels.data(),
                   reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS)) {
        return false;
    }

    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    info.biSizeImage = static_cast<DWORD>(pixels.size());
    std::unique_ptr<FILE, FileCloser> out(fopen(bmpPath.c_str(), "wb"));
    if (!out) return false;
    bool written = fwrite(&file, sizeof file, 1, out.get()) == 1 &&
                   fwrite(&info, sizeof info, 1, out.get()) == 1 &&
                   fwrite(pixels.data(), 1, pixels.size(), out.get()) == pixels.size();
    return fclose(out.release()) == 0 && written;
}

}  // namespace

bool captureWindow(HWND window, const std::string& bmpPath) {
    return capture(window, bmpPath, false);
}

bool captureWithPopups(HWND window, const std::string& bmpPath) {
    return capture(window, bmpPath, true);
}

}  // namespace coverhall::host
