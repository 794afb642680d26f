// Cover costs on a generated set of album folders, each with a 1400 x 1400
// JPEG front cover, as a cover worker runs them: the first thumbnail
// (decode, resample, cache write, pixels), the cached thumbnail and the
// Contents cover; the first thumbnail of the same JPEG stored in an MP3's
// tag instead; and the thumbnail request of an album without any cover once
// it was searched.
// With the folder of the tagged test data as argument, also how many of its
// albums (covers placed as real libraries place them) show the right cover.
// Prints medians per album as "bench <name> <value> <unit>".
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "bench/bench_report.h"
#include "covers/cover_finder.h"
#include "covers/imaging_factory.h"
#include "tests/covers/test_images.h"

namespace {

constexpr int kAlbums = 200;
constexpr int kCoverEdge = 1400;

// An album as a job carries it.
struct Album {
    std::string folder;
    std::string title;
    std::vector<std::string> songs;
};

// Whether the job's picture was found, as a worker finds it.
bool findsCover(CoverStores& stores, CoverWork work, const Album& album, const char* name,
                uint32_t* centre = nullptr) {
    CoverJob job;
    job.work = work;
    job.key.folder = album.folder;
    job.key.rule = normalisedRule(NamedThenAny, name, true);
    job.key.picture =
        work == CoverWork::Contents ? CoverPicture::Contents : CoverPicture::Thumbnail;
    job.albumTitle = album.title;
    job.songs = album.songs;
    const CoverResult result = findCover(job, stores);
    if (centre) *centre = pixelAt(result.pixels, result.pixels.width / 2, result.pixels.height / 2);
    return result.outcome == CoverResult::Outcome::Shown;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

template <class Run>
double medianPerAlbum(const std::vector<Album>& albums, Run run) {
    std::vector<double> times;
    for (const Album& album : albums) {
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
    std::vector<Album> albums;

    void add(const std::string& folder, const std::vector<uint8_t>& mp3) {
        CreateDirectoryA(folder.c_str(), nullptr);
        const std::string file = folder + "\\01 Song.mp3";
        writeBytes(file, mp3);
        albums.push_back(Album{folder, "Album", {file}});
    }
};

// Albums of the tagged library (placements.tsv): how many there are and how
// many show the right cover, or rightly none.
void reportTaggedLibrary(const std::string& tagged, CoverStores& stores) {
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
        Album album{library + "\\" + folder, title, {}};
        std::istringstream files(names);
        // As many as the engine hands a job.
        while (std::getline(files, name, '|') && album.songs.size() < 3)
            album.songs.push_back(library + "\\" + folder + "\\" + name);
        uint32_t centre = 0;
        const bool shown = findsCover(stores, CoverWork::Visible, album, "cover.bmp", &centre);
        const bool right = expected == "none"
                               ? !shown
                               : shown && similar(centre, std::stoul(expected, nullptr, 16));
        if (!right) std::fprintf(stderr, "covers_bench: wrong cover for %s\n", folder.c_str());
        ++total;
        found += right;
    }
    report("covers_total_tagged", total, "albums");
    report("covers_found_tagged", found, "albums");
}

}  // namespace

int main(int argc, char** argv) {
    const ImagingScope imaging;
    const TempFolder root, userCache;
    CoverStores stores{{}, UserCoverCache(userCache.path()), {}};
    std::vector<Album> albums(kAlbums);
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
    int shown = 0;
    auto thumbnail = [&shown, &stores](const Album& album) {
        shown += findsCover(stores, CoverWork::Visible, album, "cover.jpg");
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
    auto placeholder = [&placeholders, &stores](const Album& album) {
        placeholders += findsCover(stores, CoverWork::Visible, album, "cover.jpg");
    };
    for (const Album& album : bare.albums) placeholder(album);
    report("cover_placeholder_redraw_ms", medianPerAlbum(bare.albums, placeholder), "ms");
    report("cover_cached_ms", medianPerAlbum(albums, thumbnail), "ms");
    report("cover_contents_ms",
           medianPerAlbum(albums,
                          [&shown, &stores](const Album& album) {
                              shown += findsCover(stores, CoverWork::Contents, album, "cover.jpg");
                          }),
           "ms");
    if (argc > 1) reportTaggedLibrary(argv[1], stores);
    if (shown != 4 * kAlbums || placeholders != 0) {
        std::fprintf(stderr, "covers_bench: %d of %d covers shown, %d placeholders covered\n",
                     shown, 4 * kAlbums, placeholders);
        return 1;
    }
    return 0;
}
