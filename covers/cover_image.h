// One image on its way from a file to the screen: decoded through the
// Windows Imaging Component, resampled to an exact size, written as a 24-bit
// BMP or made into a DIB section. Its WIC objects come from the shared
// factory of the calling thread (imaging_factory.h); each failure is traced with the file it
// concerns (win/debug_trace.h).
#pragma once

#include <windows.h>
#include <wincodec.h>

#include <cstdint>
#include <string>
#include <vector>

#include "covers/cover_job.h"
#include "win/win_handles.h"

class CoverImage {
  public:
    CoverImage() = default;
    CoverImage(const CoverImage&) = delete;
    CoverImage& operator=(const CoverImage&) = delete;

    // Opens the file for decoding. format (1 BMP, 2 GIF, 3 JPG, 4 PNG) says
    // that the name is an image we accept; the content picks the decoder, so
    // a PNG named .jpg decodes. False for a missing, unreadable, malformed or
    // oversized file; the image is then empty.
    bool load(const char* path, int format);

    // The same for an image held in memory (a picture from a song's tags),
    // decoded where it lies: no temporary file. source names it in traces.
    bool loadBytes(std::vector<uint8_t> bytes, const char* source);

    // Opens a thumbnail cache file: only a complete BMP of exactly
    // edge x edge pixels is taken (see readCacheBmp), never resampled.
    bool loadCache(const char* path, int edge);

    // Makes the image exactly width x height. Nearest neighbour when averaging
    // is disabled; otherwise each pixel is the mean of the area it covers.
    // The system's scaler sits directly on the decoded frame, so a decoder
    // that can scale while decoding (JPEG on Windows) does so.
    bool resample(int width, int height, bool disableAveraging);

    // The image as the bytes of a 24-bit BMP file; empty when there is none.
    std::vector<uint8_t> bmpFile();

    // Writes bmpFile to path. The file appears complete or not at all: it is
    // written beside the target and then moved over it.
    bool save(const char* path);

    // The image's pixels, moved out of it; empty when there is none.
    CoverPixels takePixels();

    // A bottom-up 24-bit DIB section of the image, owned by the caller; null
    // when there is no image or the platform refuses.
    HBITMAP makeBitmap();

    int width() const { return width_; }
    int height() const { return height_; }

  private:
    void reset();
    bool openDecoder();  // over file_
    bool decodePixels();

    IWICImagingFactory* factory_ = nullptr;  // the thread's, borrowed
    std::string source_;                     // the file, for traces
    std::vector<uint8_t> file_;              // the stream reads from here
    coverhall::ComPtr<IWICStream> stream_;
    coverhall::ComPtr<IWICBitmapDecoder> decoder_;
    coverhall::ComPtr<IWICBitmapFrameDecode> frame_;
    coverhall::ComPtr<IWICBitmapScaler> scaler_;
    int width_ = 0;
    int height_ = 0;
    bool averageArea_ = false;  // resampled by AreaAverage, not the scaler
    bool decoded_ = false;
    std::vector<uint8_t> pixels_;  // top-down BGR rows of stride_ bytes
    int stride_ = 0;
};
