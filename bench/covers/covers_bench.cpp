// Cover costs on a generated set of album folders, each with a 1400 x 1400
// JPEG front cover: the first thumbnail (decode, resample, cache write,
// bitmap, slot replace), the cached thumbnail and the Contents cover.
// Prints medians per album as "bench <name> <value> <unit>".
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "bench/bench_report.h"
#include "catalogue/album_catalogue.h"
#include "catalogue/album_record.h"
#include "covers/album_cover.h"
#include "covers/cover_image_list_win32.h"
#include "covers/module_objects.h"
#include "tests/covers/test_images.h"
#include "win/com_apartment.h"
#include "win/plugin_globals.h"

namespace {

constexpr int kAlbums = 200;
constexpr int kCoverEdge = 1400;

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

template <class Run>
double medianPerAlbum(const std::vector<AlbumRecord>& albums, Run run) {
    std::vector<double> times;
    for (const AlbumRecord& album : albums) {
        const double start = nowMs();
        run(album);
        times.push_back(nowMs() - start);
    }
    return median(times);
}

}  // namespace

int main() {
    const ComApartment apartment;
    g_moduleHandle = GetModuleHandleA(nullptr);
    g_viewCatalogue = std::make_unique<AlbumCatalogue>(kThumbnailSize, makeCoverImageList);
    const TempFolder root;
    std::vector<AlbumRecord> albums(kAlbums);
    for (int i = 0; i < kAlbums; ++i) {
        albums[i].folder = root.file("album" + std::to_string(i));
        CreateDirectoryA(albums[i].folder.c_str(), nullptr);
        // A picture with detail, so the JPEG is of a realistic size.
        const bool written =
            writeImage(albums[i].folder + "\\cover.jpg", GUID_ContainerFormatJpeg, kCoverEdge,
                       kCoverEdge, [i](int x, int y) {
                           return uint32_t((x * 255 / kCoverEdge) << 16 |
                                           (y * 255 / kCoverEdge) << 8 | ((x ^ y ^ i * 37) & 0xFF));
                       });
        if (!written) {
            std::fprintf(stderr, "covers_bench: cannot write the covers\n");
            return 1;
        }
    }
    HWND picture = CreateWindowExA(0, "STATIC", "", SS_BITMAP | WS_POPUP, 0, 0, 10, 10, nullptr,
                                   nullptr, nullptr, nullptr);
    int shown = 0;
    HIMAGELIST thumbnails = coverImageListOf(g_viewCatalogue.get());
    auto thumbnail = [&shown, thumbnails](const AlbumRecord& album) {
        shown += loadAlbumCover(&album, "cover.jpg", NamedThenAny, nullptr, thumbnails);
    };
    report("cover_first_ms", medianPerAlbum(albums, thumbnail), "ms");
    report("cover_cached_ms", medianPerAlbum(albums, thumbnail), "ms");
    report("cover_contents_ms",
           medianPerAlbum(albums,
                          [&shown, picture](const AlbumRecord& a) {
                              shown +=
                                  loadAlbumCover(&a, "cover.jpg", NamedThenAny, picture, nullptr);
                          }),
           "ms");
    DestroyWindow(picture);
    releaseCoverBitmap();
    g_viewCatalogue.reset();
    if (shown != 3 * kAlbums) {
        std::fprintf(stderr, "covers_bench: only %d of %d covers shown\n", shown, 3 * kAlbums);
        return 1;
    }
    return 0;
}
