#include "tests/covers/test_images.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "win/win_handles.h"

using coverhall::ComPtr;

namespace {

std::wstring wide(const std::string& text) {
    std::wstring out(text.size() + 1, L'\0');
    const int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, out.data(), int(out.size()));
    out.resize(n > 0 ? n - 1 : 0);
    return out;
}

void removeTree(const std::string& folder) {
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = entry.cFileName;
            if (name == "." || name == "..") continue;
            const std::string path = folder + "\\" + name;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                removeTree(path);
            } else {
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(find, &entry));
        FindClose(find);
    }
    SetFileAttributesA(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryA(folder.c_str());
}

}  // namespace

TempFolder::TempFolder() {
    static std::atomic<int> counter{0};
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    char name[64];
    std::snprintf(name, sizeof name, "coverhall_%lu_%d", GetCurrentProcessId(), counter++);
    path_ = std::string(base) + name;
    if (!path_.empty() && path_.back() == '\\') path_.pop_back();
    removeTree(path_);
    CreateDirectoryA(path_.c_str(), nullptr);
}

TempFolder::~TempFolder() {
    removeTree(path_);
}

bool writeImage(const std::string& path, const GUID& container, int width, int height,
                const ColourAt& colour) {
    const UINT stride = UINT(width * 3 + 3) & ~3u;
    std::vector<BYTE> pixels(std::size_t(stride) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const uint32_t c = colour(x, y);
            BYTE* p = &pixels[std::size_t(y) * stride + x * 3];
            p[0] = BYTE(c);
            p[1] = BYTE(c >> 8);
            p[2] = BYTE(c >> 16);
        }
    }
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapEncoder> encoder;
    ComPtr<IWICBitmapFrameEncode> frame;
    ComPtr<IPropertyBag2> options;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IWICImagingFactory, reinterpret_cast<void**>(factory.put()))) ||
        FAILED(factory->CreateStream(stream.put())) ||
        FAILED(stream->InitializeFromFilename(wide(path).c_str(), GENERIC_WRITE)) ||
        FAILED(factory->CreateEncoder(container, nullptr, encoder.put())) ||
        FAILED(encoder->Initialize(stream.get(), WICBitmapEncoderNoCache)) ||
        FAILED(encoder->CreateNewFrame(frame.put(), options.put())) ||
        FAILED(frame->Initialize(options.get())) || FAILED(frame->SetSize(width, height))) {
        return false;
    }
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    if (FAILED(frame->SetPixelFormat(&format)) || format != GUID_WICPixelFormat24bppBGR ||
        FAILED(frame->WritePixels(height, stride, UINT(pixels.size()), pixels.data())) ||
        FAILED(frame->Commit()) || FAILED(encoder->Commit())) {
        return false;
    }
    return true;
}

bool writeSolidImage(const std::string& path, const GUID& container, int width, int height,
                     uint32_t rgb) {
    return writeImage(path, container, width, height, [rgb](int, int) { return rgb; });
}

std::vector<uint8_t> tinyGif(uint16_t width, uint16_t height) {
    const uint8_t w0 = uint8_t(width), w1 = uint8_t(width >> 8);
    const uint8_t h0 = uint8_t(height), h1 = uint8_t(height >> 8);
    // Palette red, black; one frame whose single pixel is colour 0.
    return {'G', 'I',  'F', '8', '9', 'a', w0, w1, h0, h1, 0x80, 0, 0, 0xFF, 0,    0, 0,   0,
            0,   0x2C, 0,   0,   0,   0,   w0, w1, h0, h1, 0,    2, 2, 0x44, 0x01, 0, 0x3B};
}

std::vector<uint8_t> topDownBmp(int width, int height, uint32_t top, uint32_t bottom) {
    const int stride = (width * 3 + 3) & ~3;
    std::vector<uint8_t> v(54 + std::size_t(stride) * height, 0);
    auto put32 = [&v](std::size_t o, uint32_t x) { std::memcpy(&v[o], &x, 4); };
    v[0] = 'B';
    v[1] = 'M';
    put32(2, uint32_t(v.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, uint32_t(width));
    put32(22, uint32_t(-height));
    v[26] = 1;
    v[28] = 24;
    for (int y = 0; y < height; ++y) {  // stored from the top row down
        const uint32_t c = y < height / 2 ? top : bottom;
        for (int x = 0; x < width; ++x) {
            uint8_t* p = &v[54 + std::size_t(y) * stride + x * 3];
            p[0] = uint8_t(c);
            p[1] = uint8_t(c >> 8);
            p[2] = uint8_t(c >> 16);
        }
    }
    return v;
}

bool writeBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

std::vector<uint8_t> readBytes(const std::string& path) {
    std::vector<uint8_t> out;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return out;
    uint8_t buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        out.insert(out.end(), buffer, buffer + n);
    std::fclose(f);
    return out;
}

bool fileExists(const std::string& path) {
    const DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool isDirectory(const std::string& path) {
    const DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

uint64_t writeTime(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
    return uint64_t(data.ftLastWriteTime.dwHighDateTime) << 32 | data.ftLastWriteTime.dwLowDateTime;
}

bool setWriteTime(const std::string& path, uint64_t time) {
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    FILETIME ft{DWORD(time), DWORD(time >> 32)};
    const bool ok = SetFileTime(file, nullptr, nullptr, &ft);
    CloseHandle(file);
    return ok;
}

SIZE bitmapSize(HBITMAP bitmap) {
    BITMAP info{};
    if (!bitmap || !GetObjectA(bitmap, sizeof info, &info)) return SIZE{0, 0};
    return SIZE{info.bmWidth, info.bmHeight};
}

uint32_t bitmapPixel(HBITMAP bitmap, int x, int y) {
    const SIZE size = bitmapSize(bitmap);
    if (x < 0 || y < 0 || x >= size.cx || y >= size.cy) return 0xFFFFFFFF;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size.cx;
    info.bmiHeader.biHeight = -size.cy;  // top-down, row 0 at the top
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    std::vector<uint32_t> pixels(std::size_t(size.cx) * size.cy);
    HDC dc = GetDC(nullptr);
    const int rows = GetDIBits(dc, bitmap, 0, size.cy, pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    if (rows != size.cy) return 0xFFFFFFFF;
    return pixels[std::size_t(y) * size.cx + x] & 0xFFFFFF;
}

uint32_t pixelAt(const CoverPixels& pixels, int x, int y) {
    if (x < 0 || y < 0 || x >= pixels.width || y >= pixels.height) return 0xFFFFFFFF;
    const std::size_t at = std::size_t(y) * pixels.stride() + std::size_t(x) * 3;
    if (at + 3 > pixels.bgr.size()) return 0xFFFFFFFF;
    return uint32_t(pixels.bgr[at + 2]) << 16 | uint32_t(pixels.bgr[at + 1]) << 8 | pixels.bgr[at];
}

uint32_t drawnPixel(HIMAGELIST list, int index, int x, int y, UINT style) {
    int w = 0, h = 0;
    if (!ImageList_GetIconSize(list, &w, &h)) return 0xFFFFFFFF;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP target = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, target);
    auto* pixels = static_cast<uint32_t*>(bits);
    for (int i = 0; i < w * h; ++i) pixels[i] = kGround;
    ImageList_Draw(list, index, dc, 0, 0, style);
    GdiFlush();
    const uint32_t result = pixels[std::size_t(y) * w + x] & 0xFFFFFF;
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(target);
    return result;
}

bool similar(uint32_t a, uint32_t b, int tolerance) {
    for (int shift = 0; shift < 24; shift += 8) {
        const int ca = int(a >> shift & 0xFF), cb = int(b >> shift & 0xFF);
        if (std::abs(ca - cb) > tolerance) return false;
    }
    return true;
}
