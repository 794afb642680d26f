// make-image-seeds.exe: writes the fuzz targets' seed images, small real
// files of every format made by our own encoders.
//   make-image-seeds <image_header folder> <cache_bmp folder>
// The outputs are committed under tests/fuzz/seeds/; rerun this after a
// change of the painter or the encoders.
#include "covers/bmp_writer.h"
#include "tools/cover_painter.h"
#include "tools/wic_image_writer.h"

#include <windows.h>
#include <objbase.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using namespace coverhall::tools;

bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written && !bytes.empty();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make-image-seeds <image_header folder> <cache_bmp folder>\n");
        return 2;
    }
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
    const std::string headers = argv[1], caches = argv[2];
    int failures = 0;
    // Odd sizes too, so rows need padding and no side equals another.
    const struct { int width, height; } sizes[] = {{16, 16}, {37, 5}};
    const struct {
        const char* extension;
        ImageFormat format;
    } formats[] = {{"bmp", ImageFormat::Bmp},
                   {"gif", ImageFormat::Gif},
                   {"jpg", ImageFormat::Jpeg},
                   {"png", ImageFormat::Png}};
    uint32_t seed = 1;
    for (const auto& size : sizes) {
        for (const auto& format : formats) {
            const std::string name = headers + "\\cover_" + std::to_string(size.width) + "x" +
                                     std::to_string(size.height) + "." + format.extension;
            if (!writeImage(paintCover(seed++, size.width, size.height), format.format, name)) {
                ++failures;
            }
        }
    }
    // The cache as our writer stores it, and a thumbnail-sized BMP of the
    // system's encoder (another header version).
    const CoverPicture thumbnail = paintCover(seed++, 100, 100);
    failures += !writeFile(caches + "\\cache_ours.bmp",
                           encodeBmp24(BgrPixels{thumbnail.width, thumbnail.height,
                                                 thumbnail.stride, thumbnail.pixels.data()}));
    failures += !writeImage(thumbnail, ImageFormat::Bmp, caches + "\\cache_wic.bmp");
    CoUninitialize();
    if (failures) std::fprintf(stderr, "make-image-seeds: %d files not written\n", failures);
    return failures ? 1 : 0;
}
