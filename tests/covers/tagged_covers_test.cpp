// Covers where real libraries keep them: ranked image files, picture
// subfolders, a disc folder's parent and pictures inside songs written by
// real tag writers (tools/make_tagged_covers.py); the per-user cache of
// read-only folders; and albums without cover that cost no search twice.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "catalogue/album_record.h"
#include "catalogue/song_record.h"
#include "catalogue/view_catalogue.h"
#include "covers/album_cover.h"
#include "covers/cover_image_list_win32.h"
#include "covers/plugin_state.h"
#include "covers/user_cover_cache.h"
#include "tests/covers/file_call_probe.h"
#include "tests/covers/test_images.h"
#include "win/com_apartment.h"
#include "win/plugin_globals.h"

namespace {

std::string windowsPath(std::string path) {
    for (char& c : path) c = c == '/' ? '\\' : c;
    return path;
}

const std::string kLibrary = windowsPath(COVERHALL_TAGGED_DIR "/library");

struct Placement {
    std::string folder;    // full path
    std::string expected;  // RRGGBB or "none"
    std::string title;
    std::vector<std::string> songs;  // full paths
};

std::vector<Placement> placements() {
    std::ifstream in(kLibrary + "\\placements.tsv");
    std::vector<Placement> out;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        Placement p;
        std::string folder, songs, song;
        std::getline(fields, folder, '\t');
        std::getline(fields, p.expected, '\t');
        std::getline(fields, p.title, '\t');
        std::getline(fields, songs, '\t');
        p.folder = kLibrary + "\\" + windowsPath(folder);
        std::istringstream names(songs);
        while (std::getline(names, song, '|')) p.songs.push_back(p.folder + "\\" + song);
        out.push_back(std::move(p));
    }
    return out;
}

void copyTree(const std::string& from, const std::string& to) {
    CreateDirectoryA(to.c_str(), nullptr);
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((from + "\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = entry.cFileName;
        // The cover under test decides afresh: no cache of an earlier run.
        if (name == "." || name == ".." || name == "Quillet_Small_Cache_Cover.bmp") continue;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            copyTree(from + "\\" + name, to + "\\" + name);
        } else {
            CopyFileA((from + "\\" + name).c_str(), (to + "\\" + name).c_str(), FALSE);
        }
    } while (FindNextFileA(find, &entry));
    FindClose(find);
}

class TaggedCoversTest : public testing::Test {
  protected:
    void SetUp() override {
        g_moduleHandle = GetModuleHandleA(nullptr);
        makePluginState();
        pluginState()->viewCatalogue =
            std::make_unique<ViewCatalogue>(kThumbnailSize, makeCoverImageList);
        setUserCoverCacheForTests(userCache_.path(), kMaxUserCoverCacheFiles);
        picture_ = CreateWindowExA(0, "STATIC", "", SS_BITMAP | WS_POPUP, 0, 0, 10, 10, nullptr,
                                   nullptr, nullptr, nullptr);
    }
    void TearDown() override {
        DestroyWindow(picture_);
        releaseCoverBitmap();
        setUserCoverCacheForTests("", kMaxUserCoverCacheFiles);
        releasePluginState();
    }

    // The album of a placement's folder, its songs in track order.
    AlbumRecord& album(const std::string& folder, const std::string& title,
                       const std::vector<std::string>& songs) {
        auto record = std::make_unique<AlbumRecord>();
        record->folder = folder;
        titles_.push_back(std::make_unique<std::string>(title));
        record->title = *titles_.back();
        for (const std::string& file : songs) {
            songs_.push_back(makeSongRecord("Coverhall Tests", "Song", title.c_str(), 1, 1, "",
                                            2026, file.c_str(), nullptr));
            record->songs.push_back(&songs_.back()->record());
        }
        albums_.push_back(std::move(record));
        return *albums_.back();
    }
    // A copy of a placement's album folder (and its parent for disc folders)
    // in a folder of the test's own.
    AlbumRecord& copied(const std::string& placement) {
        for (const Placement& p : placements()) {
            if (p.folder != kLibrary + "\\" + placement) continue;
            copyTree(p.folder, scratch_.file("album"));
            std::vector<std::string> songs;
            for (const std::string& song : p.songs)
                songs.push_back(scratch_.file("album") + song.substr(p.folder.size()));
            return album(scratch_.file("album"), p.title, songs);
        }
        ADD_FAILURE() << "no placement " << placement;
        return album(scratch_.path(), "", {});
    }

    int thumbnail(const AlbumRecord& a, bool songPictures = true, int mode = NamedThenAny) {
        return loadAlbumCover(&a, "cover.bmp", mode, nullptr, list(), songPictures);
    }
    int contents(const AlbumRecord& a) {
        return loadAlbumCover(&a, "cover.bmp", NamedThenAny, picture_, nullptr);
    }
    HIMAGELIST list() const { return coverImageListOf(viewCatalogue()); }
    uint32_t slotColour() const { return drawnPixel(list(), ThumbnailImage, 50, 50); }
    uint32_t pictureColour() const {
        return bitmapPixel(
            reinterpret_cast<HBITMAP>(SendMessageA(picture_, STM_GETIMAGE, IMAGE_BITMAP, 0)), 100,
            100);
    }

    ComApartment apartment_;
    TempFolder scratch_, userCache_;
    HWND picture_ = nullptr;
    std::vector<std::unique_ptr<StandaloneSong>> songs_;
    std::vector<std::unique_ptr<std::string>> titles_;
    std::vector<std::unique_ptr<AlbumRecord>> albums_;
};

}  // namespace

TEST_F(TaggedCoversTest, EveryPlacementShowsItsOwnCover) {
    const std::vector<Placement> all = placements();
    ASSERT_GE(all.size(), 20u);
    for (const Placement& p : all) {
        SCOPED_TRACE(p.folder);
        const AlbumRecord& a = album(p.folder, p.title, p.songs);
        if (p.expected == "none") {
            EXPECT_EQ(thumbnail(a), 0);
            EXPECT_EQ(contents(a), 0);
            continue;
        }
        const uint32_t colour = std::stoul(p.expected, nullptr, 16);
        ASSERT_EQ(thumbnail(a), 1);
        EXPECT_TRUE(similar(slotColour(), colour)) << std::hex << slotColour();
        ASSERT_EQ(contents(a), 1);
        EXPECT_TRUE(similar(pictureColour(), colour)) << std::hex << pictureColour();
    }
}

TEST_F(TaggedCoversTest, ASongPicturesThumbnailIsCachedAndReusedUntilASongChanges) {
    const AlbumRecord& a = copied("mp3-id3v24");
    // Mode 0 searches on every request, so it checks the songs' times too;
    // mode 2 takes the cache while its named file is missing.
    ASSERT_EQ(thumbnail(a, true, AnyImage), 1);
    const uint32_t colour = slotColour();
    const std::string cache = a.folder.c_str() + std::string("\\Quillet_Small_Cache_Cover.bmp");
    ASSERT_TRUE(fileExists(cache));
    for (int mode : {AnyImage, NamedThenAny}) {
        FileCallProbe probe;
        ASSERT_EQ(thumbnail(a, true, mode), 1);
        EXPECT_EQ(probe.opens(), 1) << mode;  // the cache file, no song
        EXPECT_EQ(slotColour(), colour);
    }
    // A retagged song is newer than the cache: its tags are read again.
    const uint64_t cacheTime = writeTime(cache);
    ASSERT_TRUE(setWriteTime(a.songs[1]->fileName.c_str(), cacheTime + 10000000));
    FileCallProbe probe;
    ASSERT_EQ(thumbnail(a, true, AnyImage), 1);
    EXPECT_GE(probe.opens(), 2);
    EXPECT_GT(writeTime(cache), cacheTime);
}

TEST_F(TaggedCoversTest, OffNoSongFileIsOpened) {
    const AlbumRecord& a = copied("mp3-id3v24");
    FileCallProbe probe;
    EXPECT_EQ(thumbnail(a, false), 0);
    EXPECT_EQ(probe.opens(), 0);
}

TEST_F(TaggedCoversTest, AReadOnlyFolderKeepsItsThumbnailInThePerUserCache) {
    const AlbumRecord& a = copied("flac");
    // Wine as root writes anywhere: a folder standing where the cache file
    // would go makes the write fail as a read-only folder would.
    const std::string beside = a.folder.c_str() + std::string("\\Quillet_Small_Cache_Cover.bmp");
    ASSERT_TRUE(CreateDirectoryA(beside.c_str(), nullptr));
    ASSERT_EQ(thumbnail(a), 1);
    const uint32_t colour = slotColour();
    const std::string user = userCoverCachePath(a.folder);
    EXPECT_EQ(
        user.substr(user.size() - 21), "\\" + [&] {
            char hex[17];
            snprintf(hex, sizeof hex, "%016llx", (unsigned long long)coverCacheKey(a.folder));
            return std::string(hex);
        }() + ".bmp");
    ASSERT_TRUE(fileExists(user));
    {
        FileCallProbe probe;
        ASSERT_EQ(thumbnail(a), 1);
        EXPECT_EQ(probe.opens(), 1);  // the per-user cache, no song
    }
    EXPECT_EQ(slotColour(), colour);
    // Nothing else was written beside the album.
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((a.folder.c_str() + std::string("\\*.tmp")).c_str(), &entry);
    EXPECT_EQ(find, INVALID_HANDLE_VALUE);
    if (find != INVALID_HANDLE_VALUE) FindClose(find);
}

TEST_F(TaggedCoversTest, ThePerUserCacheKeepsItsNewestFiles) {
    EXPECT_EQ(coverCacheKey("C:\\Music\\Album"), 0xcd96694a4ef5bb68ull);
    EXPECT_EQ(coverCacheKey("c:\\music\\album"), coverCacheKey("C:\\MUSIC\\ALBUM"));
    setUserCoverCacheForTests(userCache_.path(), 3);
    std::vector<std::string> made;
    for (int i = 0; i < 5; ++i) {
        const std::string folder = scratch_.file("ro" + std::to_string(i));
        CreateDirectoryA(folder.c_str(), nullptr);
        CreateDirectoryA((folder + "\\Quillet_Small_Cache_Cover.bmp").c_str(), nullptr);
        ASSERT_TRUE(
            writeSolidImage(folder + "\\cover.png", GUID_ContainerFormatPng, 8, 8, 0xE02020));
        ASSERT_EQ(thumbnail(album(folder, "", {})), 1);
        made.push_back(userCoverCachePath(folder));
        // Distinct times a minute apart, oldest first, whatever the clock's step.
        setWriteTime(made.back(), writeTime(made.back()) - (5 - i) * 600000000ull);
    }
    for (int i = 0; i < 5; ++i) EXPECT_EQ(fileExists(made[i]), i >= 2) << i;
}

TEST_F(TaggedCoversTest, AnAlbumWithoutCoverCostsOneQueryPerSearchedFolderUntilOneChanges) {
    // A disc folder whose parent has a picture subfolder, all without image.
    const std::string parent = scratch_.file("Set");
    CreateDirectoryA(parent.c_str(), nullptr);
    CreateDirectoryA((parent + "\\Scans").c_str(), nullptr);
    copyTree(kLibrary + "\\no-cover", parent + "\\CD1");
    std::vector<std::string> songs;
    for (const char* song : {"01 Song.mp3", "02 Song.mp3", "03 Song.mp3"})
        songs.push_back(parent + "\\CD1\\" + song);
    const AlbumRecord& a = album(parent + "\\CD1", "No Cover", songs);
    ASSERT_EQ(thumbnail(a), 0);
    for (int i = 0; i < 2; ++i) {
        FileCallProbe probe;
        EXPECT_EQ(thumbnail(a), 0);
        EXPECT_EQ(probe.opens(), 0);
        EXPECT_EQ(probe.listings(), 0);
        EXPECT_EQ(probe.attributeQueries(), 3);  // CD1, Set and Set\Scans
    }
    // Another setting looks again, and is remembered in its turn.
    for (int listings : {1, 0}) {
        FileCallProbe probe;
        EXPECT_EQ(thumbnail(a, false), 0);
        EXPECT_EQ(probe.listings() > 0, listings > 0);
    }
    // A cover copied into the parent's Scans folder is found.
    ASSERT_TRUE(
        writeSolidImage(parent + "\\Scans\\front.png", GUID_ContainerFormatPng, 8, 8, 0x2060E0));
    ASSERT_EQ(thumbnail(a, false), 1);
    EXPECT_EQ(slotColour(), 0x2060E0u);
}
