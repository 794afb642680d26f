#include "covers/cover_image.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "covers/area_average.h"
#include "covers/bmp_reader.h"
#include "covers/bmp_writer.h"
#include "covers/file_names.h"
#include "covers/image_header.h"
#include "covers/imaging_factory.h"

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

// IWICBitmapSourceTransform, which the MinGW headers do not declare.
constexpr GUID kIidBitmapSourceTransform = {
    0x3b16811b, 0x6a43, 0x4ec9, {0xb7, 0x13, 0x3d, 0x5a, 0x0c, 0x13, 0xb9, 0x40}};

bool offersScaledDecoding(IWICBitmapFrameDecode* frame) {
    ComPtr<IUnknown> transform;
    return SUCCEEDED(frame->QueryInterface(kIidBitmapSourceTransform,
                                           reinterpret_cast<void**>(transform.put())));
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
    return openDecoder();
}

bool CoverImage::loadBytes(std::vector<uint8_t> bytes) {
    reset();
    if (bytes.empty() || bytes.size() > kMaxImageFileBytes) return false;
    file_ = std::move(bytes);
    return openDecoder();
}

bool CoverImage::openDecoder() {
    ImageHeader header;
    if (!readImageHeader(file_.data(), file_.size(), header)) return false;

    factory_ = imagingFactory();
    if (!factory_ || FAILED(factory_->CreateStream(stream_.put())) ||
        FAILED(stream_->InitializeFromMemory(file_.data(), static_cast<DWORD>(file_.size()))) ||
        !createDecoder(factory_, header.format, decoder_) ||
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
    factory_ = nullptr;
    width_ = height_ = stride_ = 0;
    averageArea_ = false;
    decoded_ = false;
    pixels_.clear();
}

bool CoverImage::resample(int width, int height, bool disableAveraging) {
    if (!frame_ || !withinImageLimits(width > 0 ? width : 0, height > 0 ? height : 0)) {
        return false;
    }
    // A decoder that scales while decoding (JPEG on Windows) shows it by this
    // interface; the system's scaler then asks it for a smaller image. Other
    // decoders hand over the whole image anyway, and the system's averaging
    // scaler is slow on some platforms (Wine), so ours averages those.
    if (!disableAveraging && !offersScaledDecoding(frame_.get())) {
        scaler_.reset();
        averageArea_ = true;
    } else {
        ComPtr<IWICBitmapScaler> scaler;
        if (FAILED(factory_->CreateBitmapScaler(scaler.put()))) return false;
        const UINT w = static_cast<UINT>(width), h = static_cast<UINT>(height);
        bool ready = false;
        if (!disableAveraging) {
            ready =
                SUCCEEDED(scaler->Initialize(frame_.get(), w, h, WICBitmapInterpolationModeFant));
        }
        if (!ready) {
            ready = SUCCEEDED(
                scaler->Initialize(frame_.get(), w, h, WICBitmapInterpolationModeNearestNeighbor));
        }
        if (!ready) return false;
        scaler_ = std::move(scaler);
        averageArea_ = false;
    }
    width_ = width;
    height_ = height;
    decoded_ = false;
    pixels_.clear();
    return true;
}

namespace {

// Reads a source as top-down rows of 24-bit BGR, a band of rows at a time.
class Bgr24Rows {
  public:
    Bgr24Rows(IWICImagingFactory* factory, IWICBitmapSource* source, int width)
        : factory_(factory), source_(source), width_(width) {}

    bool copy(int firstRow, int count, int stride, uint8_t* out) {
        const WICRect band{0, firstRow, width_, count};
        if (!wide_) {
            if ((converter_ || open(GUID_WICPixelFormat24bppBGR)) &&
                SUCCEEDED(converter_->CopyPixels(&band, UINT(stride), UINT(stride) * count, out))) {
                return true;
            }
            // Some converters (Wine's, from paletted GIF frames) reach 24
            // bits only by way of 32.
            wide_ = true;
            if (!open(GUID_WICPixelFormat32bppBGRA)) return false;
        }
        return copyWide(band, stride, out);
    }

  private:
    bool open(REFWICPixelFormatGUID format) {
        converter_.reset();
        if (SUCCEEDED(factory_->CreateFormatConverter(converter_.put())) &&
            SUCCEEDED(converter_->Initialize(source_, format, WICBitmapDitherTypeNone, nullptr, 0.0,
                                             WICBitmapPaletteTypeCustom))) {
            return true;
        }
        converter_.reset();
        return false;
    }
    bool copyWide(const WICRect& band, int stride, uint8_t* out) {
        if (!converter_) return false;
        scratch_.resize(std::size_t(width_) * 4 * band.Height);
        if (FAILED(converter_->CopyPixels(&band, UINT(width_) * 4, UINT(scratch_.size()),
                                          scratch_.data()))) {
            return false;
        }
        for (int y = 0; y < band.Height; ++y) {
            const uint8_t* from = scratch_.data() + std::size_t(y) * width_ * 4;
            uint8_t* to = out + std::size_t(y) * stride;
            for (int x = 0; x < width_; ++x) std::memcpy(to + x * 3, from + x * 4, 3);
        }
        return true;
    }

    IWICImagingFactory* factory_;
    IWICBitmapSource* source_;
    int width_;
    bool wide_ = false;
    ComPtr<IWICFormatConverter> converter_;
    std::vector<uint8_t> scratch_;
};

// Averages the whole frame down (or up) to width x height, reading the frame
// a band of rows at a time.
bool averageFrame(IWICImagingFactory* factory, IWICBitmapFrameDecode* frame, int width, int height,
                  int stride, uint8_t* out) {
    UINT sourceWidth = 0, sourceHeight = 0;
    if (FAILED(frame->GetSize(&sourceWidth, &sourceHeight)) || !sourceWidth || !sourceHeight)
        return false;
    const int w = static_cast<int>(sourceWidth), h = static_cast<int>(sourceHeight);
    AreaAverage average(w, h, width, height);
    Bgr24Rows rows(factory, frame, w);
    // Bands of about 64 KB: a larger block is a mapping of its own, which
    // under Wine costs more to make and free than averaging the image.
    const int bandStride = (w * 3 + 3) & ~3;
    const int bandRows = std::max(1, std::min(h, (1 << 16) / bandStride));
    std::vector<uint8_t> band(std::size_t(bandStride) * bandRows);
    for (int y = 0; y < h; y += bandRows) {
        const int count = std::min(bandRows, h - y);
        if (!rows.copy(y, count, bandStride, band.data())) return false;
        average.addRows(y, count, band.data(), bandStride);
    }
    average.write(out, stride);
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
        const bool copied =
            averageArea_
                ? averageFrame(factory_, frame_.get(), width_, height_, stride_, pixels_.data())
                : Bgr24Rows(factory_, source, width_).copy(0, height_, stride_, pixels_.data());
        if (!copied) {
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
