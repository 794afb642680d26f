#include "covers/image_encoder.h"

#include <wincodec.h>

#include <new>
#include <utility>

#include "covers/imaging_factory.h"
#include "win/debug_trace.h"
#include "win/win_handles.h"

using coverhall::ComPtr;

namespace {

const GUID* containerOf(ImageFormat format) {
    switch (format) {
        case kFormatBmp:
            return &GUID_ContainerFormatBmp;
        case kFormatGif:
            return &GUID_ContainerFormatGif;
        case kFormatJpg:
            return &GUID_ContainerFormatJpeg;
        case kFormatPng:
            return &GUID_ContainerFormatPng;
        default:
            return nullptr;
    }
}

HRESULT setJpegQuality(IPropertyBag2* options) {
    PROPBAG2 option{};
    option.pstrName = const_cast<LPOLESTR>(L"ImageQuality");
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_R4;
    value.fltVal = kJpegQuality;
    return options->Write(1, &option, &value);
}

// GIF holds 256 colours: a palette made from the picture, with error
// diffusion, loses the least of a photograph.
HRESULT indexedForGif(IWICImagingFactory* factory, IWICBitmapSource* picture,
                      IWICBitmapFrameEncode* frame, ComPtr<IWICFormatConverter>& out) {
    ComPtr<IWICPalette> palette;
    ComPtr<IWICFormatConverter> converter;
    HRESULT result = factory->CreatePalette(palette.put());
    if (SUCCEEDED(result)) result = palette->InitializeFromBitmap(picture, 256, FALSE);
    if (SUCCEEDED(result)) result = factory->CreateFormatConverter(converter.put());
    if (SUCCEEDED(result)) {
        result = converter->Initialize(picture, GUID_WICPixelFormat8bppIndexed,
                                       WICBitmapDitherTypeErrorDiffusion, palette.get(), 0.0,
                                       WICBitmapPaletteTypeCustom);
    }
    if (SUCCEEDED(result)) result = frame->SetPalette(palette.get());
    if (SUCCEEDED(result)) out = std::move(converter);
    return result;
}

HRESULT encode(IWICImagingFactory* factory, const CoverPixels& picture, ImageFormat format,
               IStream* into) {
    const GUID* container = containerOf(format);
    if (!container) return E_INVALIDARG;
    const UINT width = UINT(picture.width), height = UINT(picture.height);
    const UINT stride = UINT(picture.stride());
    ComPtr<IWICBitmap> bitmap;
    ComPtr<IWICBitmapEncoder> encoder;
    ComPtr<IWICBitmapFrameEncode> frame;
    ComPtr<IPropertyBag2> options;
    HRESULT result = factory->CreateBitmapFromMemory(
        width, height, GUID_WICPixelFormat24bppBGR, stride, UINT(picture.bgr.size()),
        const_cast<BYTE*>(picture.bgr.data()), bitmap.put());
    if (SUCCEEDED(result)) result = factory->CreateEncoder(*container, nullptr, encoder.put());
    if (SUCCEEDED(result)) result = encoder->Initialize(into, WICBitmapEncoderNoCache);
    if (SUCCEEDED(result)) result = encoder->CreateNewFrame(frame.put(), options.put());
    if (SUCCEEDED(result) && format == kFormatJpg) result = setJpegQuality(options.get());
    if (SUCCEEDED(result)) result = frame->Initialize(options.get());
    if (SUCCEEDED(result)) result = frame->SetSize(width, height);
    ComPtr<IWICFormatConverter> indexed;
    if (SUCCEEDED(result) && format == kFormatGif)
        result = indexedForGif(factory, bitmap.get(), frame.get(), indexed);
    IWICBitmapSource* source = indexed ? static_cast<IWICBitmapSource*>(indexed.get())
                                       : static_cast<IWICBitmapSource*>(bitmap.get());
    WICPixelFormatGUID pixelFormat =
        format == kFormatGif ? GUID_WICPixelFormat8bppIndexed : GUID_WICPixelFormat24bppBGR;
    if (SUCCEEDED(result)) result = frame->SetPixelFormat(&pixelFormat);
    // WriteSource converts to whatever format the encoder settled on.
    if (SUCCEEDED(result)) result = frame->WriteSource(source, nullptr);
    if (SUCCEEDED(result)) result = frame->Commit();
    if (SUCCEEDED(result)) result = encoder->Commit();
    return result;
}

// The bytes written to a memory stream.
HRESULT bytesOf(IStream* stream, std::vector<uint8_t>& out) {
    ULARGE_INTEGER end{};
    HRESULT result = stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_END, &end);
    if (SUCCEEDED(result) && (end.QuadPart == 0 || end.QuadPart > 0x7fffffff)) result = E_FAIL;
    if (SUCCEEDED(result)) result = stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr);
    if (FAILED(result)) return result;
    out.resize(static_cast<std::size_t>(end.QuadPart));
    ULONG read = 0;
    result = stream->Read(out.data(), ULONG(out.size()), &read);
    if (SUCCEEDED(result) && read != out.size()) result = E_FAIL;
    if (FAILED(result)) out.clear();
    return result;
}

}  // namespace

std::vector<uint8_t> encodeImage(const CoverPixels& picture, ImageFormat format) {
    std::vector<uint8_t> bytes;
    IWICImagingFactory* factory = imagingFactory();
    HRESULT result = factory ? S_OK : WINCODEC_ERR_NOTINITIALIZED;
    if (picture.empty() ||
        picture.bgr.size() < std::size_t(picture.stride()) * std::size_t(picture.height)) {
        result = E_INVALIDARG;
    }
    try {
        ComPtr<IStream> memory;
        if (SUCCEEDED(result)) result = CreateStreamOnHGlobal(nullptr, TRUE, memory.put());
        if (SUCCEEDED(result)) result = encode(factory, picture, format, memory.get());
        if (SUCCEEDED(result)) result = bytesOf(memory.get(), bytes);
    } catch (const std::bad_alloc&) {
        result = E_OUTOFMEMORY;
    }
    if (FAILED(result)) {
        coverhall::traceFailure("cannot encode a picture", nullptr, result);
        bytes.clear();
    }
    return bytes;
}
