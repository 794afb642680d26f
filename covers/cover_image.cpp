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
#include "covers/pixel_bitmap.h"
#include "win/debug_trace.h"
#include "win/whole_file.h"

using coverhall::ComPtr;
using coverhall::lastErrorResult;
using coverhall::readWholeFile;

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
HRESULT createDecoder(IWICImagingFactory* factory, ImageFormat format,
                      ComPtr<IWICBitmapDecoder>& decoder) {
    const Codec codec = codecOf(format);
    if (!codec.container) return WINCODEC_ERR_UNKNOWNIMAGEFORMAT;
    if (SUCCEEDED(CoCreateInstance(*codec.decoder, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_IWICBitmapDecoder,
                                   reinterpret_cast<void**>(decoder.put())))) {
        return S_OK;
    }
    return factory->CreateDecoder(*codec.container, nullptr, decoder.put());
}

// IWICBitmapSourceTransform, which the MinGW headers do not declare.
constexpr GUID kIidBitmapSourceTransform = {
    0x3b16811b, 0x6a43, 0x4ec9, {0xb7, 0x13, 0x3d, 0x5a, 0x0c, 0x13, 0xb9, 0x40}};

bool offersScaledDecoding(IWICBitmapFrameDecode* frame) {
    ComPtr<IUnknown> transform;
    return SUCCEEDED(frame->QueryInterface(kIidBitmapSourceTransform,
                                           reinterpret_cast<void**>(transform.put())));
}

// A failure swallowed here, traced once for the file it concerns.
bool fail(const char* failure, const char* path, HRESULT result) {
    coverhall::traceFailure(failure, path, result);
    return false;
}

}  // namespace

bool CoverImage::load(const char* path, int format) {
    reset();
    if (!path || !codecOf(static_cast<ImageFormat>(format)).container) return false;
    source_ = path;
    HRESULT result;
    try {
        result = readWholeFile(path, kMaxImageFileBytes, file_);
    } catch (const std::bad_alloc&) {
        result = E_OUTOFMEMORY;
    }
    return SUCCEEDED(result) ? openDecoder() : fail("cannot read", path, result);
}

bool CoverImage::loadBytes(std::vector<uint8_t> bytes, const char* source) {
    reset();
    source_ = source ? source : "";
    if (bytes.empty()) return false;
    if (bytes.size() > kMaxImageFileBytes)
        return fail("cannot decode", source, HRESULT_FROM_WIN32(ERROR_FILE_TOO_LARGE));
    file_ = std::move(bytes);
    return openDecoder();
}

bool CoverImage::openDecoder() {
    ImageHeader header;
    if (!readImageHeader(file_.data(), file_.size(), header))
        return fail("cannot decode", source_.c_str(), WINCODEC_ERR_BADHEADER);

    factory_ = imagingFactory();
    HRESULT result = factory_ ? S_OK : WINCODEC_ERR_NOTINITIALIZED;
    if (SUCCEEDED(result)) result = factory_->CreateStream(stream_.put());
    if (SUCCEEDED(result))
        result = stream_->InitializeFromMemory(file_.data(), static_cast<DWORD>(file_.size()));
    if (SUCCEEDED(result)) result = createDecoder(factory_, header.format, decoder_);
    if (SUCCEEDED(result))
        result = decoder_->Initialize(stream_.get(), WICDecodeMetadataCacheOnDemand);
    if (SUCCEEDED(result)) result = decoder_->GetFrame(0, frame_.put());
    UINT width = 0, height = 0;
    if (SUCCEEDED(result)) result = frame_->GetSize(&width, &height);
    if (SUCCEEDED(result) && !withinImageLimits(width, height))
        result = WINCODEC_ERR_IMAGESIZEOUTOFRANGE;
    if (FAILED(result)) {
        reset();
        return fail("cannot decode", source_.c_str(), result);
    }
    width_ = static_cast<int>(width);
    height_ = static_cast<int>(height);
    return true;
}

bool CoverImage::loadCache(const char* path, int edge) {
    reset();
    if (!path) return false;
    source_ = path;
    HRESULT result;
    try {
        std::vector<uint8_t> bytes;
        result = readWholeFile(path, kMaxCacheFileBytes, bytes);
        // Only a whole thumbnail of the slot's size is taken.
        if (SUCCEEDED(result) && !readCacheBmp(bytes.data(), bytes.size(), edge, pixels_))
            result = WINCODEC_ERR_BADIMAGE;
    } catch (const std::bad_alloc&) {
        result = E_OUTOFMEMORY;
    }
    if (FAILED(result)) {
        reset();
        return fail("cannot use the thumbnail cache", path, result);
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
        HRESULT result = factory_->CreateBitmapScaler(scaler.put());
        if (FAILED(result)) return fail("cannot resample", source_.c_str(), result);
        const UINT w = static_cast<UINT>(width), h = static_cast<UINT>(height);
        result = E_FAIL;
        if (!disableAveraging)
            result = scaler->Initialize(frame_.get(), w, h, WICBitmapInterpolationModeFant);
        if (FAILED(result)) {
            result =
                scaler->Initialize(frame_.get(), w, h, WICBitmapInterpolationModeNearestNeighbor);
        }
        if (FAILED(result)) return fail("cannot resample", source_.c_str(), result);
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

    HRESULT copy(int firstRow, int count, int stride, uint8_t* out) {
        const WICRect band{0, firstRow, width_, count};
        if (!wide_) {
            HRESULT result = converter_ ? S_OK : open(GUID_WICPixelFormat24bppBGR);
            if (SUCCEEDED(result))
                result = converter_->CopyPixels(&band, UINT(stride), UINT(stride) * count, out);
            if (SUCCEEDED(result)) return S_OK;
            // Some converters (Wine's, from paletted GIF frames) reach 24
            // bits only by way of 32.
            wide_ = true;
            result = open(GUID_WICPixelFormat32bppBGRA);
            if (FAILED(result)) return result;
        }
        return copyWide(band, stride, out);
    }

  private:
    HRESULT open(REFWICPixelFormatGUID format) {
        converter_.reset();
        HRESULT result = factory_->CreateFormatConverter(converter_.put());
        if (SUCCEEDED(result)) {
            result = converter_->Initialize(source_, format, WICBitmapDitherTypeNone, nullptr, 0.0,
                                            WICBitmapPaletteTypeCustom);
        }
        if (FAILED(result)) converter_.reset();
        return result;
    }
    HRESULT copyWide(const WICRect& band, int stride, uint8_t* out) {
        if (!converter_) return WINCODEC_ERR_NOTINITIALIZED;
        scratch_.resize(std::size_t(width_) * 4 * band.Height);
        const HRESULT result =
            converter_->CopyPixels(&band, UINT(width_) * 4, UINT(scratch_.size()), scratch_.data());
        if (FAILED(result)) return result;
        for (int y = 0; y < band.Height; ++y) {
            const uint8_t* from = scratch_.data() + std::size_t(y) * width_ * 4;
            uint8_t* to = out + std::size_t(y) * stride;
            for (int x = 0; x < width_; ++x) std::memcpy(to + x * 3, from + x * 4, 3);
        }
        return S_OK;
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
HRESULT averageFrame(IWICImagingFactory* factory, IWICBitmapFrameDecode* frame, int width,
                     int height, int stride, uint8_t* out) {
    UINT sourceWidth = 0, sourceHeight = 0;
    const HRESULT sized = frame->GetSize(&sourceWidth, &sourceHeight);
    if (FAILED(sized)) return sized;
    if (!sourceWidth || !sourceHeight) return WINCODEC_ERR_IMAGESIZEOUTOFRANGE;
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
        const HRESULT result = rows.copy(y, count, bandStride, band.data());
        if (FAILED(result)) return result;
        average.addRows(y, count, band.data(), bandStride);
    }
    average.write(out, stride);
    return S_OK;
}

}  // namespace

bool CoverImage::decodePixels() {
    if (decoded_) return true;
    if (!frame_) return false;
    IWICBitmapSource* source = scaler_ ? static_cast<IWICBitmapSource*>(scaler_.get())
                                       : static_cast<IWICBitmapSource*>(frame_.get());
    stride_ = (width_ * 3 + 3) & ~3;
    HRESULT result;
    try {
        pixels_.assign(static_cast<std::size_t>(stride_) * height_, 0);
        result =
            averageArea_
                ? averageFrame(factory_, frame_.get(), width_, height_, stride_, pixels_.data())
                : Bgr24Rows(factory_, source, width_).copy(0, height_, stride_, pixels_.data());
    } catch (const std::bad_alloc&) {
        result = E_OUTOFMEMORY;
    }
    if (FAILED(result)) {
        pixels_.clear();
        return fail("cannot decode", source_.c_str(), result);
    }
    decoded_ = true;
    return true;
}

std::vector<uint8_t> CoverImage::bmpFile() {
    if (!decodePixels()) return {};
    try {
        std::vector<uint8_t> bytes =
            encodeBmp24(BgrPixels{width_, height_, stride_, pixels_.data()});
        if (bytes.empty()) fail("cannot encode", source_.c_str(), E_INVALIDARG);
        return bytes;
    } catch (const std::bad_alloc&) {
        fail("cannot encode", source_.c_str(), E_OUTOFMEMORY);
        return {};
    }
}

bool CoverImage::save(const char* path) {
    if (!path) return false;
    const std::vector<uint8_t> bytes = bmpFile();
    if (bytes.empty()) return false;
    const HRESULT result = coverhall::replaceWholeFile(path, bytes);
    return SUCCEEDED(result) || fail("cannot write", path, result);
}

CoverPixels CoverImage::takePixels() {
    CoverPixels taken;
    if (!decodePixels()) return taken;
    taken.width = width_;
    taken.height = height_;
    taken.bgr = std::move(pixels_);
    reset();
    return taken;
}

HBITMAP CoverImage::makeBitmap() {
    if (!decodePixels()) return nullptr;
    HBITMAP bitmap = makeDibSection(BgrPixels{width_, height_, stride_, pixels_.data()});
    if (!bitmap) fail("cannot make a bitmap of", source_.c_str(), lastErrorResult());
    return bitmap;
}
