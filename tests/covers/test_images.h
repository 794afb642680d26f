// Images, folders and pixels for the cover tests under Wine: every picture
// is made here with the Windows Imaging Component's encoders.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <wincodec.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "covers/cover_job.h"

// A fresh folder under the temporary folder, removed with all its contents.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "\\" + name; }

  private:
    std::string path_;
};

using ColourAt = std::function<uint32_t(int x, int y)>;  // 0xRRGGBB

// Encodes a width x height picture into path with the given container
// (GUID_ContainerFormatPng, ...Jpeg, ...Bmp). False when WIC refuses.
bool writeImage(const std::string& path, const GUID& container, int width, int height,
                const ColourAt& colour);
bool writeSolidImage(const std::string& path, const GUID& container, int width, int height,
                     uint32_t rgb);
// A 1 x 1 red GIF, or one whose screen and frame are declared height x width.
std::vector<uint8_t> tinyGif(uint16_t width = 1, uint16_t height = 1);
// A 24-bit BMP stored top-down (negative height): top half top, bottom half bottom.
std::vector<uint8_t> topDownBmp(int width, int height, uint32_t top, uint32_t bottom);

bool writeBytes(const std::string& path, const std::vector<uint8_t>& bytes);
std::vector<uint8_t> readBytes(const std::string& path);
bool fileExists(const std::string& path);
bool isDirectory(const std::string& path);

uint64_t writeTime(const std::string& path);
bool setWriteTime(const std::string& path, uint64_t time);

// Size and pixels (0xRRGGBB, (0, 0) top-left) of a bitmap.
SIZE bitmapSize(HBITMAP bitmap);
uint32_t bitmapPixel(HBITMAP bitmap, int x, int y);
// A pixel (0xRRGGBB) of a cover engine picture; 0xFFFFFFFF outside it.
uint32_t pixelAt(const CoverPixels& pixels, int x, int y);
// Image index of the list drawn normally over a magenta ground, at (x, y).
uint32_t drawnPixel(HIMAGELIST list, int index, int x, int y, UINT style = ILD_NORMAL);
constexpr uint32_t kGround = 0xFF00FF;

// Whether two colours differ by at most tolerance in every channel (JPEG).
bool similar(uint32_t a, uint32_t b, int tolerance = 16);
