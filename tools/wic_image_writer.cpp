#include "tools/wic_image_writer.h"

#include <windows.h>
#include <wincodec.h>

#include <algorithm>
#include <cctype>
#include <vector>

namespace coverhall::tools {
namespace {

// Releases a COM interface on scope exit.
template <typename T>
class ComPtr {
  public:
    ComPtr() = default;
    ~ComPtr() {
        if (pointer_) pointer_->Release();
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    T* operator->() const { return pointer_; }
    T* get() const { return pointer_; }
    T** out() { return &pointer_; }

  private:
    T* pointer_ = nullptr;
};

std::wstring widen(const std::string& text) {
    int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(length > 0 ? length : 1, L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), length);
    wide.resize(wcslen(wide.c_str()));
    return wide;
}

const GUID& containerOf(ImageFormat format) {
    switch (format) {
        case ImageFormat::Gif:
            return GUID_ContainerFormatGif;
        case ImageFormat::Jpeg:
            return GUID_ContainerFormatJpeg;
        case ImageFormat::Png:
            return GUID_ContainerFormatPng;
        default:
            return GUID_ContainerFormatBmp;
    }
}

// GIF frames are 8-bit: the picture goes through the 6x6x6 web cube.
std::vector<uint8_t> webCubeIndices(const CoverPicture& picture) {
    std::vector<uint8_t> indices(static_cast<size_t>(picture.width) * picture.height);
    for (int y = 0; y < picture.height; ++y) {
        const uint8_t* row = picture.pixels.data() + static_cast<size_t>(y) * picture.stride;
        for (int x = 0; x < picture.width; ++x) {
            int b = (row[x * 3] + 25) / 51, g = (row[x * 3 + 1] + 25) / 51,
                r = (row[x * 3 + 2] + 25) / 51;
            indices[static_cast<size_t>(y) * picture.width + x] =
                static_cast<uint8_t>(r * 36 + g * 6 + b);
        }
    }
    return indices;
}

bool writeFrame(IWICImagingFactory* factory, IWICBitmapFrameEncode* frame,
                const CoverPicture& picture, ImageFormat format) {
    if (FAILED(frame->SetSize(picture.width, picture.height))) return false;
    if (format != ImageFormat::Gif) {
        WICPixelFormatGUID pixelFormat = GUID_WICPixelFormat24bppBGR;
        if (FAILED(frame->SetPixelFormat(&pixelFormat)) ||
            !IsEqualGUID(pixelFormat, GUID_WICPixelFormat24bppBGR)) {
            return false;
        }
        return SUCCEEDED(frame->WritePixels(picture.height, picture.stride,
                                            static_cast<UINT>(picture.pixels.size()),
                                            const_cast<BYTE*>(picture.pixels.data())));
    }
    std::vector<WICColor> colors;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                colors.push_back(0xFF000000u | (r * 51) << 16 | (g * 51) << 8 | (b * 51));
    ComPtr<IWICPalette> palette;
    if (FAILED(factory->CreatePalette(palette.out())) ||
        FAILED(palette->InitializeCustom(colors.data(), static_cast<UINT>(colors.size())))) {
        return false;
    }
    WICPixelFormatGUID pixelFormat = GUID_WICPixelFormat8bppIndexed;
    if (FAILED(frame->SetPixelFormat(&pixelFormat)) ||
        !IsEqualGUID(pixelFormat, GUID_WICPixelFormat8bppIndexed) ||
        FAILED(frame->SetPalette(palette.get()))) {
        return false;
    }
    std::vector<uint8_t> indices = webCubeIndices(picture);
    return SUCCEEDED(frame->WritePixels(picture.height, picture.width,
                                        static_cast<UINT>(indices.size()), indices.data()));
}

bool encodeToFile(const CoverPicture& picture, ImageFormat format, const std::string& path) {
    ComPtr<IWICImagingFactory> factory;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(factory.out())))) {
        return false;
    }
    ComPtr<IWICStream> stream;
    if (FAILED(factory->CreateStream(stream.out())) ||
        FAILED(stream->InitializeFromFilename(widen(path).c_str(), GENERIC_WRITE))) {
        return false;
    }
    ComPtr<IWICBitmapEncoder> encoder;
    ComPtr<IWICBitmapFrameEncode> frame;
    return SUCCEEDED(factory->CreateEncoder(containerOf(format), nullptr, encoder.out())) &&
           SUCCEEDED(encoder->Initialize(stream.get(), WICBitmapEncoderNoCache)) &&
           SUCCEEDED(encoder->CreateNewFrame(frame.out(), nullptr)) &&
           SUCCEEDED(frame->Initialize(nullptr)) &&
           writeFrame(factory.get(), frame.get(), picture, format) && SUCCEEDED(frame->Commit()) &&
           SUCCEEDED(encoder->Commit());
}

}  // namespace

ImageFormat formatForName(const std::string& fileName) {
    size_t dot = fileName.find_last_of('.');
    std::string extension = dot == std::string::npos ? "" : fileName.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == "gif") return ImageFormat::Gif;
    if (extension == "jpg" || extension == "jpeg") return ImageFormat::Jpeg;
    if (extension == "png") return ImageFormat::Png;
    return ImageFormat::Bmp;
}

bool writeImage(const CoverPicture& picture, ImageFormat format, const std::string& path) {
    if (picture.width <= 0 || picture.height <= 0) return false;
    if (encodeToFile(picture, format, path)) return true;
    // No half-written image may stay behind for the cover search to find.
    DeleteFileA(path.c_str());
    return false;
}

}  // namespace coverhall::tools
