// Cover costs on a generated set of album folders, each with a 1400 x 1400
// JPEG front cover: the first thumbnail (decode, resample, cache write,
// bitmap, slot replace), the cached thumbnail and the Contents cover; the
// first thumbnail of the same JPEG stored in an MP3's tag instead; and the
// thumbnail request of an album without any cover once it was searched.
// With the folder of the tagged test data as argument, also how many of its
// albums (covers placed as real libraries place them) show the right cover.
// Prints medians per album as "bench <name> <value> <unit>".
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "bench/bench_report.h"
#include "catalogue/album_record.h"
#include "catalogue/song_record.h"
#include "catalogue/view_catalogue.h"
#include "covers/album_cover.h"
#include "covers/cover_image_list_win32.h"
#include "covers/plugin_state.h"
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

// An MP3 of one silent frame whose ID3v2.3 tag holds `picture` as its
// front cover (none when empty).
std::vector<uint8_t> mp3With(const std::vector<uint8_t>& picture) {
    std::vector<uint8_t> frame;
    if (!picture.empty()) {
        const std::string head("\x00image/jpeg\x00\x03\x00", 14);
        frame = {'A', 'P', 'I', 'C'};
        const std::size_t size = head.size() + picture.size();
        for (int shift : {24, 16, 8, 0}) frame.push_back(uint8_t(size >> shift));
        frame.insert(frame.end(), {0, 0});
        frame.insert(frame.end(), head.begin(), head.end());
        frame.insert(frame.end(), picture.begin(), picture.end());
    }
    std::vector<uint8_t> out = {'I', 'D', '3', 3, 0, 0};
    for (int shift : {21, 14, 7, 0}) out.push_back(uint8_t(frame.size() >> shift & 0x7F));
    out.insert(out.end(), frame.begin(), frame.end());
    const uint8_t silence[4] = {0xFF, 0xFB, 0x90, 0x64};
    out.insert(out.end(), silence, silence + 4);
    out.resize(out.size() + 413, 0);
    return out;
}

// Albums made of one song file each, in folders of their own.
struct SongAlbums {
    std::vector<AlbumRecord> albums;
    std::vector<std::unique_ptr<StandaloneSong>> songs;

    void add(const std::string& folder, const std::vector<uint8_t>& mp3) {
        CreateDirectoryA(folder.c_str(), nullptr);
        const std::string file = folder + "\\01 Song.mp3";
        writeBytes(file, mp3);
        songs.push_back(makeSongRecord("A", "T", "Album", 1, 1, "", 2026, file.c_str(), nullptr));
        albums.emplace_back();
        albums.back().folder = folder;
        albums.back().songs.push_back(&songs.back()->record());
    }
};

// Albums of the tagged library (placements.tsv): how many there are and how
// many show the right cover, or rightly none.
void reportTaggedLibrary(const std::string& tagged, HIMAGELIST thumbnails) {
    std::string library = tagged + "/library";
    for (char& c : library) c = c == '/' ? '\\' : c;
    std::ifstream in(library + "\\placements.tsv");
    int total = 0, found = 0;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        std::string folder, expected, title, names, name;
        std::getline(fields, folder, '\t');
        std::getline(fields, expected, '\t');
        std::getline(fields, title, '\t');
        std::getline(fields, names, '\t');
        for (char& c : folder) c = c == '/' ? '\\' : c;
        AlbumRecord album;
        album.folder = library + "\\" + folder;
        album.title = title;
        std::vector<std::unique_ptr<StandaloneSong>> songs;
        std::istringstream files(names);
        while (std::getline(files, name, '|')) {
            const std::string file = library + "\\" + folder + "\\" + name;
            songs.push_back(
                makeSongRecord("A", "T", title.c_str(), 1, 1, "", 2026, file.c_str(), nullptr));
            album.songs.push_back(&songs.back()->record());
        }
        const int shown = loadAlbumCover(&album, "cover.bmp", NamedThenAny, nullptr, thumbnails);
        const bool right =
            expected == "none"
                ? shown == 0
                : shown == 1 && similar(drawnPixel(thumbnails, ThumbnailImage, 50, 50),
                                        std::stoul(expected, nullptr, 16));
        if (!right) std::fprintf(stderr, "covers_bench: wrong cover for %s\n", folder.c_str());
        ++total;
        found += right;
    }
    report("covers_total_tagged", total, "albums");
    report("covers_found_tagged", found, "albums");
}

}  // namespace

int main(int argc, char** argv) {
    const ComApartment apartment;
    g_moduleHandle = GetModuleHandleA(nullptr);
    makePluginState();
    pluginState()->viewCatalogue =
        std::make_unique<ViewCatalogue>(kThumbnailSize, makeCoverImageList);
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
    HIMAGELIST thumbnails = coverImageListOf(viewCatalogue());
    auto thumbnail = [&shown, thumbnails](const AlbumRecord& album) {
        shown += loadAlbumCover(&album, "cover.jpg", NamedThenAny, nullptr, thumbnails);
    };
    // The same JPEG bytes inside an MP3 of an album folder holding no image.
    SongAlbums embedded, bare;
    for (int i = 0; i < kAlbums; ++i) {
        embedded.add(root.file("song" + std::to_string(i)),
                     mp3With(readBytes(albums[i].folder + "\\cover.jpg")));
        bare.add(root.file("bare" + std::to_string(i)), mp3With({}));
    }
    report("cover_first_ms", medianPerAlbum(albums, thumbnail), "ms");
    report("cover_first_embedded_ms", medianPerAlbum(embedded.albums, thumbnail), "ms");
    int placeholders = 0;
    auto placeholder = [&placeholders, thumbnails](const AlbumRecord& album) {
        placeholders += loadAlbumCover(&album, "cover.jpg", NamedThenAny, nullptr, thumbnails);
    };
    for (const AlbumRecord& album : bare.albums) placeholder(album);
    report("cover_placeholder_redraw_ms", medianPerAlbum(bare.albums, placeholder), "ms");
    report("cover_cached_ms", medianPerAlbum(albums, thumbnail), "ms");
    report("cover_contents_ms",
           medianPerAlbum(albums,
                          [&shown, picture](const AlbumRecord& a) {
                              shown +=
                                  loadAlbumCover(&a, "cover.jpg", NamedThenAny, picture, nullptr);
                          }),
           "ms");
    DestroyWindow(picture);
    if (argc > 1) reportTaggedLibrary(argv[1], thumbnails);
    releaseCoverBitmap();
    releasePluginState();
    if (shown != 4 * kAlbums || placeholders != 0) {
        std::fprintf(stderr, "covers_bench: %d of %d covers shown, %d placeholders covered\n",
                     shown, 4 * kAlbums, placeholders);
        return 1;
    }
    return 0;
}
