#include "covers/cover_image.h"

#include <cstring>
#include <new>

#include "covers/bmp_reader.h"
#include "covers/bmp_writer.h"
#include "covers/file_names.h"
#include "covers/image_header.h"

using coverhall::ComPtr;
using coverhall::UniqueFile;

namespace {

struct Codec {
    const GUID* container;
    const CLSID* decoder;
};

Codec codecOf(ImageFormat format) {
    switch (format) {
        case kFormatBmp:
            return {&GUID_ContainerFormatBmp, &CLSID_WICBmpDecoder};
        case kFormatGif:
            return {&GUID_ContainerFormatGif, &CLSID_WICGifDecoder};
        case kFormatJpg:
            return {&GUID_ContainerFormatJpeg, &CLSID_WICJpegDecoder};
        case kFormatPng:
            return {&GUID_ContainerFormatPng, &CLSID_WICPngDecoder};
        default:
            return {nullptr, nullptr};
    }
}

// The system's own decoder of the format, created directly: asking the
// factory by container searches every installed codec, which costs more
// than decoding a cached thumbnail.
bool createDecoder(IWICImagingFactory* factory, ImageFormat format,
                   ComPtr<IWICBitmapDecoder>& decoder) {
    const Codec codec = codecOf(format);
    if (!codec.container) return false;
    return SUCCEEDED(CoCreateInstance(*codec.decoder, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_IWICBitmapDecoder,
                                      reinterpret_cast<void**>(decoder.put()))) ||
           SUCCEEDED(factory->CreateDecoder(*codec.container, nullptr, decoder.put()));
}

bool readWholeFile(const char* path, std::size_t maxBytes, std::vector<uint8_t>& out) {
    UniqueFile file(CreateFileA(path, GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) return false;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart <= 0 ||
        static_cast<unsigned long long>(size.QuadPart) > maxBytes) {
        return false;
    }
    out.resize(static_cast<std::size_t>(size.QuadPart));
    std::size_t done = 0;
    while (done < out.size()) {
        DWORD read = 0;
        if (!ReadFile(file.get(), out.data() + done, static_cast<DWORD>(out.size() - done), &read,
                      nullptr) ||
            read == 0) {
            return false;
        }
        done += read;
    }
    return true;
}

bool writeWholeFile(const char* path, const std::vector<uint8_t>& bytes) {
    UniqueFile file(CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD written = 0;
    return WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                     nullptr) &&
           written == bytes.size();
}

}  // namespace

bool CoverImage::load(const char* path, int format) {
    reset();
    if (!path || !codecOf(static_cast<ImageFormat>(format)).container) return false;
    try {
        if (!readWholeFile(path, kMaxImageFileBytes, file_)) return false;
    } catch (const std::bad_alloc&) {
        return false;
    }
    ImageHeader header;
    if (!readImageHeader(file_.data(), file_.size(), header)) return false;

    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IWICImagingFactory,
                                reinterpret_cast<void**>(factory_.put()))) ||
        FAILED(factory_->CreateStream(stream_.put())) ||
        FAILED(stream_->InitializeFromMemory(file_.data(), static_cast<DWORD>(file_.size()))) ||
        !createDecoder(factory_.get(), header.format, decoder_) ||
        FAILED(decoder_->Initialize(stream_.get(), WICDecodeMetadataCacheOnDemand)) ||
        FAILED(decoder_->GetFrame(0, frame_.put()))) {
        reset();
        return false;
    }
    UINT width = 0, height = 0;
    if (FAILED(frame_->GetSize(&width, &height)) || !withinImageLimits(width, height)) {
        reset();
        return false;
    }
    width_ = static_cast<int>(width);
    height_ = static_cast<int>(height);
    return true;
}

bool CoverImage::loadCache(const char* path, int edge) {
    reset();
    if (!path) return false;
    try {
        std::vector<uint8_t> bytes;
        if (!readWholeFile(path, kMaxCacheFileBytes, bytes) ||
            !readCacheBmp(bytes.data(), bytes.size(), edge, pixels_)) {
            return false;
        }
    } catch (const std::bad_alloc&) {
        reset();
        return false;
    }
    width_ = height_ = edge;
    stride_ = cacheRowBytes(edge);
    decoded_ = true;
    return true;
}

void CoverImage::reset() {
    // The stream reads from file_, so it goes first.
    scaler_.reset();
    frame_.reset();
    decoder_.reset();
    stream_.reset();
    file_.clear();
    factory_.reset();
    width_ = height_ = stride_ = 0;
    decoded_ = false;
    pixels_.clear();
}

bool CoverImage::resample(int width, int height, bool disableAveraging) {
    if (!frame_ || !withinImageLimits(width > 0 ? width : 0, height > 0 ? height : 0)) {
        return false;
    }
    ComPtr<IWICBitmapScaler> scaler;
    if (FAILED(factory_->CreateBitmapScaler(scaler.put()))) return false;
    const UINT w = static_cast<UINT>(width), h = static_cast<UINT>(height);
    bool ready = false;
    if (!disableAveraging) {
        ready = SUCCEEDED(scaler->Initialize(frame_.get(), w, h, WICBitmapInterpolationModeFant));
    }
    if (!ready) {
        ready = SUCCEEDED(
            scaler->Initialize(frame_.get(), w, h, WICBitmapInterpolationModeNearestNeighbor));
    }
    if (!ready) return false;
    scaler_ = std::move(scaler);
    width_ = width;
    height_ = height;
    decoded_ = false;
    pixels_.clear();
    return true;
}

namespace {

// Pixels of source as top-down rows of 24-bit BGR, stride bytes apart.
bool copyAs24Bit(IWICImagingFactory* factory, IWICBitmapSource* source, int width, int height,
                 int stride, uint8_t* out) {
    ComPtr<IWICFormatConverter> converter;
    if (SUCCEEDED(factory->CreateFormatConverter(converter.put())) &&
        SUCCEEDED(converter->Initialize(source, GUID_WICPixelFormat24bppBGR,
                                        WICBitmapDitherTypeNone, nullptr, 0.0,
                                        WICBitmapPaletteTypeCustom)) &&
        SUCCEEDED(converter->CopyPixels(nullptr, UINT(stride), UINT(stride) * height, out))) {
        return true;
    }
    // Some converters (Wine's, from paletted GIF frames) reach 24 bits only
    // by way of 32.
    std::vector<uint8_t> wide(std::size_t(width) * 4 * height);
    if (FAILED(factory->CreateFormatConverter(converter.put())) ||
        FAILED(converter->Initialize(source, GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone,
                                     nullptr, 0.0, WICBitmapPaletteTypeCustom)) ||
        FAILED(converter->CopyPixels(nullptr, UINT(width) * 4, UINT(wide.size()), wide.data()))) {
        return false;
    }
    for (int y = 0; y < height; ++y) {
        const uint8_t* from = wide.data() + std::size_t(y) * width * 4;
        uint8_t* to = out + std::size_t(y) * stride;
        for (int x = 0; x < width; ++x) std::memcpy(to + x * 3, from + x * 4, 3);
    }
    return true;
}

}  // namespace

bool CoverImage::decodePixels() {
    if (decoded_) return true;
    if (!frame_) return false;
    IWICBitmapSource* source = scaler_ ? static_cast<IWICBitmapSource*>(scaler_.get())
                                       : static_cast<IWICBitmapSource*>(frame_.get());
    stride_ = (width_ * 3 + 3) & ~3;
    try {
        pixels_.assign(static_cast<std::size_t>(stride_) * height_, 0);
        if (!copyAs24Bit(factory_.get(), source, width_, height_, stride_, pixels_.data())) {
            pixels_.clear();
            return false;
        }
    } catch (const std::bad_alloc&) {
        pixels_.clear();
        return false;
    }
    decoded_ = true;
    return true;
}

bool CoverImage::save(const char* path) {
    if (!path || !decodePixels()) return false;
    std::vector<uint8_t> bytes;
    try {
        bytes = encodeBmp24(BgrPixels{width_, height_, stride_, pixels_.data()});
    } catch (const std::bad_alloc&) {
        return false;
    }
    if (bytes.empty()) return false;

    // The temporary file goes into the target's folder, so the move is a
    // rename; its name is shorter than the target's, so it fits wherever the
    // target's does.
    char folder[kCoverPathSize];
    const char* slash = std::strrchr(path, '\\');
    const std::size_t folderLength = slash ? static_cast<std::size_t>(slash - path) : 0;
    if (folderLength >= sizeof folder) return false;
    if (slash) {
        std::memcpy(folder, path, folderLength);
        folder[folderLength] = '\0';
    } else {
        std::strcpy(folder, ".");
    }
    char temporary[MAX_PATH];
    if (!GetTempFileNameA(folder, "qsc", 0, temporary)) return false;
    if (writeWholeFile(temporary, bytes) &&
        MoveFileExA(temporary, path, MOVEFILE_REPLACE_EXISTING)) {
        return true;
    }
    DeleteFileA(temporary);
    return false;
}

HBITMAP CoverImage::makeBitmap() {
    if (!decodePixels()) return nullptr;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = height_;  // bottom-up, as LoadImage makes them
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap || !bits) {
        if (bitmap) DeleteObject(bitmap);
        return nullptr;
    }
    auto* target = static_cast<uint8_t*>(bits);
    for (int y = 0; y < height_; ++y) {
        std::memcpy(target + static_cast<std::size_t>(height_ - 1 - y) * stride_,
                    pixels_.data() + static_cast<std::size_t>(y) * stride_, stride_);
    }
    return bitmap;
}
