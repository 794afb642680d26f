// Covers where real libraries keep them: ranked image files, picture
// subfolders, a disc folder's parent, a disc set's first disc and pictures inside songs written by
// real tag writers (tools/make_tagged_covers.py); the per-user cache of
// read-only folders; and albums without cover that cost no search twice.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/covers/file_call_probe.h"
#include "tests/covers/finder_test.h"

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

class TaggedCoversTest : public FinderTest {
  protected:
    // A copy of a placement's album folder in a folder of the test's own.
    Placement copied(const std::string& placement) {
        for (const Placement& p : placements()) {
            if (p.folder != kLibrary + "\\" + placement) continue;
            Placement copy = p;
            copy.folder = scratch_.file("album");
            copyTree(p.folder, copy.folder);
            for (std::string& song : copy.songs) song = copy.folder + song.substr(p.folder.size());
            return copy;
        }
        ADD_FAILURE() << "no placement " << placement;
        return Placement{scratch_.path(), "none", "", {}};
    }

    bool thumbnail(const Placement& a, bool songPictures = true, int mode = NamedThenAny) {
        find(CoverWork::Visible, a.folder, normalisedRule(mode, "cover.bmp", songPictures), a.title,
             firstSongs(a));
        return shown();
    }
    bool contents(const Placement& a) {
        find(CoverWork::Contents, a.folder, normalisedRule(NamedThenAny, "cover.bmp", true),
             a.title, firstSongs(a));
        return shown();
    }
    // As many as the engine hands a job: a picture in a fourth song is not looked for.
    static std::vector<std::string> firstSongs(const Placement& a) {
        return {a.songs.begin(), a.songs.begin() + std::min<std::size_t>(a.songs.size(), 3)};
    }

    TempFolder scratch_;
};

}  // namespace

TEST_F(TaggedCoversTest, EveryPlacementShowsItsOwnCover) {
    const std::vector<Placement> all = placements();
    ASSERT_GE(all.size(), 20u);
    for (const Placement& p : all) {
        SCOPED_TRACE(p.folder);
        if (p.expected == "none") {
            EXPECT_FALSE(thumbnail(p));
            EXPECT_FALSE(contents(p));
            continue;
        }
        const uint32_t colour = std::stoul(p.expected, nullptr, 16);
        ASSERT_TRUE(thumbnail(p));
        EXPECT_TRUE(similar(centreColour(), colour)) << std::hex << centreColour();
        ASSERT_TRUE(contents(p));
        EXPECT_TRUE(similar(centreColour(), colour)) << std::hex << centreColour();
    }
}

TEST_F(TaggedCoversTest, ASongPicturesThumbnailIsCachedAndReusedUntilASongChanges) {
    const Placement a = copied("mp3-id3v24");
    // Mode 0 searches on every request, so it checks the songs' times too;
    // mode 2 takes the cache while its named file is missing.
    ASSERT_TRUE(thumbnail(a, true, AnyImage));
    const uint32_t colour = centreColour();
    const std::string cache = a.folder + "\\Quillet_Small_Cache_Cover.bmp";
    ASSERT_TRUE(fileExists(cache));
    for (int mode : {AnyImage, NamedThenAny}) {
        FileCallProbe probe;
        ASSERT_TRUE(thumbnail(a, true, mode));
        EXPECT_EQ(probe.opens(), 1) << mode;  // the cache file, no song
        EXPECT_EQ(centreColour(), colour);
    }
    // A retagged song is newer than the cache: its tags are read again.
    const uint64_t cacheTime = writeTime(cache);
    ASSERT_TRUE(setWriteTime(a.songs[1], cacheTime + 10000000));
    FileCallProbe probe;
    ASSERT_TRUE(thumbnail(a, true, AnyImage));
    EXPECT_GE(probe.opens(), 2);
    EXPECT_GT(writeTime(cache), cacheTime);
}

TEST_F(TaggedCoversTest, OffNoSongFileIsOpened) {
    const Placement a = copied("mp3-id3v24");
    FileCallProbe probe;
    EXPECT_FALSE(thumbnail(a, false));
    EXPECT_EQ(probe.opens(), 0);
}

TEST_F(TaggedCoversTest, AReadOnlyFolderKeepsItsThumbnailInThePerUserCache) {
    const Placement a = copied("flac");
    // Wine as root writes anywhere: a folder standing where the cache file
    // would go makes the write fail as a read-only folder would.
    const std::string beside = a.folder + "\\Quillet_Small_Cache_Cover.bmp";
    ASSERT_TRUE(CreateDirectoryA(beside.c_str(), nullptr));
    ASSERT_TRUE(thumbnail(a));
    const uint32_t colour = centreColour();
    const std::string user = stores_->userCache.pathOf(a.folder);
    char name[32];
    std::snprintf(name, sizeof name, "\\%016llx.bmp",
                  static_cast<unsigned long long>(coverCacheKey(a.folder)));
    EXPECT_EQ(user, userCache_.path() + name);
    ASSERT_TRUE(fileExists(user));
    {
        FileCallProbe probe;
        ASSERT_TRUE(thumbnail(a));
        EXPECT_EQ(probe.opens(), 1);  // the per-user cache, no song
    }
    EXPECT_EQ(centreColour(), colour);
    // Nothing else was written beside the album.
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((a.folder + "\\*.tmp").c_str(), &entry);
    EXPECT_EQ(find, INVALID_HANDLE_VALUE);
    if (find != INVALID_HANDLE_VALUE) FindClose(find);
}

TEST_F(TaggedCoversTest, ThePerUserCacheKeepsItsNewestFiles) {
    EXPECT_EQ(coverCacheKey("C:\\Music\\Album"), 0xcd96694a4ef5bb68ull);
    EXPECT_EQ(coverCacheKey("c:\\music\\album"), coverCacheKey("C:\\MUSIC\\ALBUM"));
    remakeStores(userCache_.path(), 3);
    std::vector<std::string> made;
    for (int i = 0; i < 5; ++i) {
        const std::string folder = scratch_.file("ro" + std::to_string(i));
        CreateDirectoryA(folder.c_str(), nullptr);
        CreateDirectoryA((folder + "\\Quillet_Small_Cache_Cover.bmp").c_str(), nullptr);
        ASSERT_TRUE(
            writeSolidImage(folder + "\\cover.png", GUID_ContainerFormatPng, 8, 8, 0xE02020));
        ASSERT_TRUE(thumbnail(Placement{folder, "", "", {}}));
        made.push_back(stores_->userCache.pathOf(folder));
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
    const Placement a{parent + "\\CD1", "none", "No Cover", songs};
    ASSERT_FALSE(thumbnail(a));
    for (int i = 0; i < 2; ++i) {
        FileCallProbe probe;
        EXPECT_FALSE(thumbnail(a));
        EXPECT_EQ(probe.opens(), 0);
        EXPECT_EQ(probe.listings(), 0);
        EXPECT_EQ(probe.attributeQueries(), 3);  // CD1, Set and Set\Scans
    }
    // Another setting looks again, and is remembered in its turn.
    for (int listings : {1, 0}) {
        FileCallProbe probe;
        EXPECT_FALSE(thumbnail(a, false));
        EXPECT_EQ(probe.listings() > 0, listings > 0);
    }
    // A cover copied into the parent's Scans folder is found.
    ASSERT_TRUE(
        writeSolidImage(parent + "\\Scans\\front.png", GUID_ContainerFormatPng, 8, 8, 0x2060E0));
    ASSERT_TRUE(thumbnail(a, false));
    EXPECT_EQ(centreColour(), 0x2060E0u);
}

TEST_F(TaggedCoversTest, ADiscSetsCoverComesFromItsFolderThenItsFirstDisc) {
    // The set's folder holds CD1 and CD2; the album's first song lies in CD1.
    const std::string parent = scratch_.file("Set");
    CreateDirectoryA(parent.c_str(), nullptr);
    for (const char* disc : {"CD1", "CD2"}) copyTree(kLibrary + "\\no-cover", parent + "\\" + disc);
    const Placement set{parent, "", "No Cover", {parent + "\\CD1\\01 Song.mp3"}};
    ASSERT_TRUE(
        writeSolidImage(parent + "\\CD2\\cover.png", GUID_ContainerFormatPng, 8, 8, 0x40A0E0));
    EXPECT_FALSE(thumbnail(set, false));  // only the first disc is searched
    ASSERT_TRUE(
        writeSolidImage(parent + "\\CD1\\front.png", GUID_ContainerFormatPng, 8, 8, 0xE0A040));
    ASSERT_TRUE(thumbnail(set, false));
    EXPECT_EQ(centreColour(), 0xE0A040u);
    // The cache lies in the set's folder, none in its discs.
    EXPECT_NE(GetFileAttributesA((parent + "\\Quillet_Small_Cache_Cover.bmp").c_str()),
              INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesA((parent + "\\CD1\\Quillet_Small_Cache_Cover.bmp").c_str()),
              INVALID_FILE_ATTRIBUTES);
}

TEST_F(TaggedCoversTest, ABrokenCoverIsRememberedUntilItsFileChanges) {
    const struct {
        const char* what;
        const char* file;  // in the album folder
        bool song;
    } cases[] = {
        {"broken image", "folder.jpg", false},
        {"broken picture in a song", "mp3v24-picture-garbage.mp3", true},
    };
    for (const auto& c : cases) {
        const std::string folder = scratch_.file(c.what);
        ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
        const std::string path = folder + "\\" + c.file;
        if (c.song) {
            const std::string broken = windowsPath(COVERHALL_TAGGED_DIR "/broken/") + c.file;
            ASSERT_TRUE(CopyFileA(broken.c_str(), path.c_str(), FALSE)) << c.what;
        } else {
            ASSERT_TRUE(writeBytes(path, {0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F'}));
        }
        const Placement a{folder, "none", "Broken",
                          c.song ? std::vector<std::string>{path} : std::vector<std::string>{}};
        EXPECT_FALSE(thumbnail(a)) << c.what;
        {
            FileCallProbe probe;
            EXPECT_FALSE(thumbnail(a)) << c.what;
            EXPECT_EQ(probe.opens(), 0) << c.what;
            EXPECT_EQ(probe.listings(), 0) << c.what;
            EXPECT_EQ(probe.attributeQueries(), 2) << c.what;  // the folder and the file
        }
        ASSERT_TRUE(setWriteTime(path, writeTime(path) + 10000000));
        FileCallProbe probe;
        EXPECT_FALSE(thumbnail(a)) << c.what;
        EXPECT_GE(probe.opens(), 1) << c.what;
    }
}
