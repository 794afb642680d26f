// The cover rule on a deterministic corpus of broken images, run as the
// cover workers run it for the wall (thumbnail with cache write, then
// thumbnail from the cache) and for the Contents view. From a few valid
// covers of every format it writes mutants: cut at every 1/16, bits flipped
// in the first 512 bytes, declared sizes of 0, 1, 65535 and 2^31 - 1, a PNG
// named .jpg, a GIF frame of height 0, an empty file, a folder named like a
// cover, a 300 MB sparse cover, and cut, flipped or resized cache files.
// Each must end in a thumbnail of exactly kThumbnailSize or no cover (the
// placeholder), leave no cache file or a whole one, and give Contents a
// picture of kContentsCoverSize or none.
// With the folder of the tagged test data as argument, every broken song of
// it is the one song of an album whose cover is looked for inside it.
// Prints bad_images_total, bad_images_songs, bad_images_crashes and
// bad_images_ms_max; fails on the first crash (named before the process
// ends) or any wrong result.
#include <windows.h>
#include <winioctl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "bench/bench_report.h"
#include "covers/bmp_reader.h"
#include "covers/cover_finder.h"
#include "covers/imaging_factory.h"
#include "tests/covers/test_images.h"
#include "tools/cover_painter.h"
#include "tools/wic_image_writer.h"

namespace {

using Bytes = std::vector<uint8_t>;
using coverhall::tools::ImageFormat;

struct Mutant {
    std::string label;
    std::string fileName;  // in the album folder
    Bytes bytes;
};

struct Cover {
    const char* extension;
    Bytes bytes;
};

const char* g_current = "";  // the mutant being processed, for the crash report
int g_failures = 0;

LONG WINAPI reportCrash(EXCEPTION_POINTERS* exception) {
    std::printf("bad_images: crash 0x%08lx on %s\n",
                exception ? exception->ExceptionRecord->ExceptionCode : 0ul, g_current);
    report("bad_images_crashes", 1, "crashes");
    std::fflush(stdout);
    return EXCEPTION_EXECUTE_HANDLER;
}

void fail(const std::string& label, const char* what) {
    std::fprintf(stderr, "bad_images: %s: %s\n", label.c_str(), what);
    ++g_failures;
}

uint32_t nextRandom(uint32_t& state) {
    state = state * 1103515245u + 12345u;
    return state >> 8;
}

void put16le(Bytes& b, std::size_t o, uint32_t v) {
    b[o] = uint8_t(v);
    b[o + 1] = uint8_t(v >> 8);
}
void put32le(Bytes& b, std::size_t o, uint32_t v) {
    put16le(b, o, v & 0xFFFF);
    put16le(b, o + 2, v >> 16);
}
void put16be(Bytes& b, std::size_t o, uint32_t v) {
    b[o] = uint8_t(v >> 8);
    b[o + 1] = uint8_t(v);
}
void put32be(Bytes& b, std::size_t o, uint32_t v) {
    put16be(b, o, v >> 16);
    put16be(b, o + 2, v & 0xFFFF);
}

// Offset of the first GIF image descriptor, or 0.
std::size_t gifFrame(const Bytes& b) {
    std::size_t pos = 13;
    if (b.size() > 10 && (b[10] & 0x80)) pos += 3u << ((b[10] & 7) + 1);
    while (pos < b.size() && b[pos] == 0x21) {
        pos += 2;
        while (pos < b.size() && b[pos] != 0) pos += b[pos] + 1;
        pos += 1;
    }
    return pos + 9 < b.size() && b[pos] == 0x2C ? pos : 0;
}

// Offset of the JPEG frame header's length field, or 0.
std::size_t jpegFrame(const Bytes& b) {
    std::size_t pos = 2;
    while (pos + 9 < b.size() && b[pos] == 0xFF) {
        const uint8_t marker = b[pos + 1];
        if (marker >= 0xC0 && marker <= 0xC3) return pos + 2;
        pos += 2 + (b[pos + 2] << 8 | b[pos + 3]);
    }
    return 0;
}

// The cover with its declared width or height set to value (16-bit fields
// take the value cut to 16 bits); empty when the format has no such field.
Bytes withDeclaredSize(const Cover& cover, bool height, uint32_t value) {
    Bytes b = cover.bytes;
    const std::string ext = cover.extension;
    const uint32_t short16 = std::min<uint32_t>(value, 0xFFFF);
    if (ext == "png") {
        put32be(b, height ? 20 : 16, value);
    } else if (ext == "bmp") {
        put32le(b, height ? 22 : 18, value);
    } else if (ext == "gif") {
        put16le(b, height ? 8 : 6, short16);
    } else if (const std::size_t sof = jpegFrame(b)) {
        put16be(b, sof + (height ? 3 : 5), short16);
    } else {
        return {};
    }
    return b;
}

void addCutsAndFlips(std::vector<Mutant>& out, const std::string& label, const std::string& name,
                     const Bytes& bytes, uint32_t seed) {
    for (int k = 1; k < 16; ++k) {
        out.push_back({label + " cut " + std::to_string(k) + "/16", name,
                       Bytes(bytes.begin(), bytes.begin() + bytes.size() * k / 16)});
    }
    const std::size_t span = std::min<std::size_t>(512, bytes.size());
    for (int i = 0; i < 24; ++i) {
        Bytes flipped = bytes;
        const uint32_t r = nextRandom(seed);
        flipped[r % span] ^= uint8_t(1u << (r >> 16) % 8);
        if (i % 3 == 2) flipped[nextRandom(seed) % span] ^= uint8_t(1u << nextRandom(seed) % 8);
        out.push_back({label + " flip " + std::to_string(i), name, flipped});
    }
}

std::vector<Mutant> coverMutants(const std::vector<Cover>& covers) {
    std::vector<Mutant> out;
    uint32_t seed = 2026;
    for (std::size_t i = 0; i < covers.size(); ++i) {
        const Cover& cover = covers[i];
        const std::string name = std::string("cover.") + cover.extension;
        const std::string label = std::to_string(i) + "." + cover.extension;
        out.push_back({label + " valid", name, cover.bytes});
        addCutsAndFlips(out, label, name, cover.bytes, seed += 7919);
        for (uint32_t value : {0u, 1u, 65535u, 0x7FFFFFFFu}) {
            for (bool height : {false, true}) {
                Bytes b = withDeclaredSize(cover, height, value);
                if (b.empty()) continue;
                out.push_back({label + (height ? " height " : " width ") + std::to_string(value),
                               name, std::move(b)});
            }
        }
        if (cover.extension == std::string("png")) {
            out.push_back({label + " named .jpg", "cover.jpg", cover.bytes});
        }
        if (const std::size_t frame = gifFrame(cover.bytes)) {
            Bytes flat = cover.bytes;
            put16le(flat, frame + 7, 0);
            out.push_back({label + " frame height 0", name, flat});
        }
    }
    out.push_back({"empty file", "cover.jpg", {}});
    return out;
}

bool writeSparse(const std::string& path, const Bytes& head, LONGLONG size) {
    coverhall::UniqueFile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD written = 0, ignored = 0;
    // Where the file system knows sparse files, say so; elsewhere a file
    // extended past its end is sparse anyway.
    DeviceIoControl(file.get(), FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &ignored, nullptr);
    LARGE_INTEGER end;
    end.QuadPart = size;
    return WriteFile(file.get(), head.data(), DWORD(head.size()), &written, nullptr) &&
           written == head.size() && SetFilePointerEx(file.get(), end, nullptr, FILE_BEGIN) &&
           SetEndOfFile(file.get());
}

class Runner {
  public:
    explicit Runner(const std::string& userCache) : stores_{{}, UserCoverCache(userCache), {}} {}

    // One album folder: name is the cover the settings ask for; the folder
    // is already filled; the album's songs may hold pictures.
    void run(const std::string& label, const std::string& folder, const char* name, bool cacheGiven,
             const std::vector<std::string>& songs = {}) {
        g_current = label.c_str();
        CoverJob job;
        job.key.folder = folder;
        job.key.rule = normalisedRule(NamedThenAny, name, true);
        job.albumTitle = "Album";
        job.songs = songs;
        const std::string cache = folder + "\\Quillet_Small_Cache_Cover.bmp";
        const Bytes cacheBefore = readBytes(cache);
        const double start = nowMs();

        const bool first = shown(label, job, kThumbnailSize);
        if (!cacheGiven) {
            const bool cached = fileExists(cache);
            if (cached && !first) fail(label, "a cache file of a cover that was not shown");
            if (cached && !wholeCache(cache)) fail(label, "a partial cache file");
        } else if (readBytes(cache) != cacheBefore) {
            fail(label, "a current cache file was rewritten");
        }
        const bool second = shown(label, job, kThumbnailSize);
        if (!cacheGiven && first && !second) fail(label, "the cache written is not shown");

        job.work = CoverWork::Contents;
        job.key.picture = CoverPicture::Contents;
        shown(label, job, kContentsCoverSize);
        if (leftoverTemporary(folder)) fail(label, "a temporary cache file was left behind");
        msMax_ = std::max(msMax_, nowMs() - start);
        ++total_;
        g_current = "";
    }

    int total() const { return total_; }
    double msMax() const { return msMax_; }

  private:
    // Runs the job: a picture of exactly edge x edge, or none at all.
    bool shown(const std::string& label, const CoverJob& job, int edge) {
        const CoverResult result = findCover(job, stores_);
        const CoverPixels& pixels = result.pixels;
        if (result.outcome != CoverResult::Outcome::Shown) {
            if (!pixels.empty()) fail(label, "pixels handed over with no cover");
            return false;
        }
        if (pixels.width != edge || pixels.height != edge ||
            pixels.bgr.size() != static_cast<std::size_t>(pixels.stride()) * edge) {
            fail(label, edge == kThumbnailSize ? "a thumbnail of the wrong size"
                                               : "a Contents picture of the wrong size");
        }
        return true;
    }

    static bool wholeCache(const std::string& path) {
        const Bytes bytes = readBytes(path);
        std::vector<uint8_t> rows;
        return readCacheBmp(bytes.data(), bytes.size(), kThumbnailSize, rows);
    }

    static bool leftoverTemporary(const std::string& folder) {
        WIN32_FIND_DATAA entry;
        HANDLE find = FindFirstFileA((folder + "\\*.tmp").c_str(), &entry);
        if (find == INVALID_HANDLE_VALUE) return false;
        FindClose(find);
        return true;
    }

    CoverStores stores_;
    int total_ = 0;
    double msMax_ = 0;
};

std::vector<Cover> validCovers() {
    const struct {
        const char* extension;
        ImageFormat format;
    } formats[] = {{"bmp", ImageFormat::Bmp},
                   {"gif", ImageFormat::Gif},
                   {"jpg", ImageFormat::Jpeg},
                   {"png", ImageFormat::Png}};
    const TempFolder scratch;
    std::vector<Cover> covers;
    uint32_t seed = 40;
    for (const auto& size : {SIZE{120, 90}, SIZE{61, 77}}) {
        for (const auto& format : formats) {
            const std::string path = scratch.file(std::string("c.") + format.extension);
            coverhall::tools::writeImage(coverhall::tools::paintCover(seed++, size.cx, size.cy),
                                         format.format, path);
            covers.push_back({format.extension, readBytes(path)});
        }
    }
    return covers;
}

// Every file of <tagged>\broken\manifest.tsv, copied into an album folder
// of its own; returns how many ran.
template <class NewFolder>
int runBrokenSongs(Runner& runner, const std::string& tagged, NewFolder& newFolder) {
    const std::string broken = tagged + "\\broken\\";
    const Bytes manifest = readBytes(broken + "manifest.tsv");
    std::string text(manifest.begin(), manifest.end());
    int count = 0;
    for (std::size_t at = 0, end; at < text.size(); at = end + 1) {
        end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(at, end - at);
        if (line.empty() || line[0] == '#') continue;
        const std::string name = line.substr(0, line.find('\t'));
        const std::string folder = newFolder();
        const std::string song = folder + "\\" + name;
        if (!CopyFileA((broken + name).c_str(), song.c_str(), FALSE)) {
            fail(name, "cannot copy the broken song");
            continue;
        }
        runner.run("song " + name, folder, "cover.bmp", false, {song});
        ++count;
    }
    return count;
}

}  // namespace

int main(int argc, char** argv) {
    SetUnhandledExceptionFilter(reportCrash);
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    const ImagingScope imaging;
    const std::vector<Cover> covers = validCovers();
    for (const Cover& cover : covers) {
        if (cover.bytes.empty()) {
            std::fprintf(stderr, "bad_images: cannot write the valid %s cover\n", cover.extension);
            return 1;
        }
    }
    const TempFolder root, userCache;
    Runner runner(userCache.path());
    int folders = 0;
    auto newFolder = [&root, &folders]() {
        const std::string folder = root.file("album" + std::to_string(folders++));
        CreateDirectoryA(folder.c_str(), nullptr);
        return folder;
    };

    for (const Mutant& mutant : coverMutants(covers)) {
        const std::string folder = newFolder();
        writeBytes(folder + "\\" + mutant.fileName, mutant.bytes);
        runner.run(mutant.label, folder, mutant.fileName.c_str(), false);
    }
    {
        const std::string folder = newFolder();
        CreateDirectoryA((folder + "\\cover.jpg").c_str(), nullptr);
        runner.run("folder named cover.jpg", folder, "cover.jpg", false);
    }
    {
        const std::string folder = newFolder();
        const Cover& jpeg = covers[2];
        if (!writeSparse(folder + "\\cover.jpg", jpeg.bytes, 300ll * 1024 * 1024)) {
            fail("sparse cover", "cannot write the 300 MB sparse file");
        }
        runner.run("300 MB sparse cover", folder, "cover.jpg", false);
        DeleteFileA((folder + "\\cover.jpg").c_str());
    }

    // Cache files cut or edited while they are current: the cover beside
    // them is older, so the cache is what the thumbnail reads.
    const std::string made = newFolder();
    writeBytes(made + "\\cover.png", covers[3].bytes);
    runner.run("cache source", made, "cover.png", false);
    const Bytes cache = readBytes(made + "\\Quillet_Small_Cache_Cover.bmp");
    std::vector<Mutant> caches;
    addCutsAndFlips(caches, "cache", "Quillet_Small_Cache_Cover.bmp", cache, 77);
    for (uint32_t value : {0u, 1u, 50u, 65535u, 0x7FFFFFFFu}) {
        for (bool height : {false, true}) {
            caches.push_back(
                {std::string("cache ") + (height ? "height " : "width ") + std::to_string(value),
                 "Quillet_Small_Cache_Cover.bmp",
                 withDeclaredSize(Cover{"bmp", cache}, height, value)});
        }
    }
    for (const Mutant& mutant : caches) {
        const std::string folder = newFolder();
        writeBytes(folder + "\\cover.png", covers[3].bytes);
        writeBytes(folder + "\\" + mutant.fileName, mutant.bytes);
        setWriteTime(folder + "\\cover.png", writeTime(folder + "\\" + mutant.fileName) - 10000000);
        runner.run(mutant.label, folder, "cover.png", true);
    }

    // Songs with broken tags, written by real tag writers and then damaged
    // (tools/make_tagged_covers.py): each the one song of its album.
    const int tagged = argc > 1 ? runBrokenSongs(runner, argv[1], newFolder) : 0;
    if (argc > 1 && tagged < 100) fail("broken songs", "fewer than 100 broken songs were found");

    report("bad_images_total", runner.total(), "files");
    report("bad_images_songs", tagged, "files");
    report("bad_images_crashes", 0, "crashes");
    report("bad_images_ms_max", runner.msMax(), "ms");
    if (cache.empty()) fail("cache source", "no cache file was written from a valid cover");
    if (g_failures) std::fprintf(stderr, "bad_images: %d failures\n", g_failures);
    return g_failures ? 1 : 0;
}
