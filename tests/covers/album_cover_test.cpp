// The cover rules as the workers run them: the three modes and their passes,
// the cache file and its times, both pictures, the work kinds, and bad
// folders and files ending in no cover.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "covers/cover_image.h"
#include "covers/cover_search.h"
#include "covers/file_names.h"
#include "tests/covers/debug_output_probe.h"
#include "tests/covers/file_call_probe.h"
#include "tests/covers/finder_test.h"

namespace {

constexpr uint32_t kRed = 0xE02020, kBlue = 0x2040D0, kGreen = 0x20C040, kYellow = 0xE0D020;
const char kCache[] = "Quillet_Small_Cache_Cover.bmp";
using Outcome = CoverResult::Outcome;

class AlbumCoverTest : public FinderTest {
  protected:
    std::string file(const std::string& name) const { return folder_.file(name); }
    std::string cache() const { return file(kCache); }
    void image(const std::string& name, uint32_t colour,
               const GUID& format = GUID_ContainerFormatPng, int w = 64, int h = 64) {
        ASSERT_TRUE(writeSolidImage(file(name), format, w, h, colour)) << name;
    }
    const CoverResult& run(CoverWork work, int mode, const char* name) {
        return find(work, album_, normalisedRule(mode, name, true));
    }
    bool thumbnail(int mode, const char* name = "cover.jpg") {
        run(CoverWork::Visible, mode, name);
        return shown();
    }
    bool contents(int mode, const char* name = "cover.jpg") {
        run(CoverWork::Contents, mode, name);
        return shown();
    }
    uint32_t slotColour() const { return centreColour(); }
    // Colour of the cache file itself.
    uint32_t cacheColour() const {
        CoverImage decoded;
        if (!decoded.load(cache().c_str(), 1)) return 0xFFFFFFFF;
        return pixelAt(decoded.takePixels(), 50, 50);
    }

    TempFolder folder_;
    std::string album_ = folder_.path();
};

}  // namespace

TEST_F(AlbumCoverTest, AnyImageTakesTheBestRankedImageAndWritesTheCache) {
    // The back is the larger file and may list first: the front still wins.
    image("back.png", kBlue, GUID_ContainerFormatPng, 200, 200);
    image("front.jpg", kRed, GUID_ContainerFormatJpeg);
    image("notes.txt.tif", kGreen);
    ASSERT_TRUE(thumbnail(AnyImage));
    EXPECT_TRUE(similar(slotColour(), kRed));
    ASSERT_TRUE(fileExists(cache()));
    EXPECT_TRUE(similar(cacheColour(), kRed));
    EXPECT_EQ(last_.pixels.width, 100);
    EXPECT_EQ(last_.pixels.height, 100);
}

TEST_F(AlbumCoverTest, AVisibleCoversCacheWaitsAndIsNotWrittenOnceItsSourceOrItsCacheChanged) {
    LaterCacheWrites later;
    later_ = &later;
    image("folder.jpg", kRed, GUID_ContainerFormatJpeg);
    ASSERT_TRUE(thumbnail(AnyImage));
    EXPECT_FALSE(fileExists(cache()));
    later.writeAll(stores_->userCache);
    EXPECT_TRUE(similar(cacheColour(), kRed));

    // Replaced between the decode and the write: a cache newer than the
    // new picture would hide it.
    ASSERT_TRUE(DeleteFileA(cache().c_str()));
    ASSERT_TRUE(thumbnail(AnyImage));
    image("folder.jpg", kBlue, GUID_ContainerFormatJpeg, 80, 80);
    later.writeAll(stores_->userCache);
    EXPECT_FALSE(fileExists(cache()));

    // A rebuild's cache, written meanwhile under another rule, stays.
    image("cover.png", kGreen);
    ASSERT_TRUE(thumbnail(NamedImage, "folder.jpg"));
    later_ = nullptr;
    run(CoverWork::Rebuild, NamedImage, "cover.png");
    later.writeAll(stores_->userCache);
    EXPECT_TRUE(similar(cacheColour(), kGreen));
}

TEST_F(AlbumCoverTest, ExtensionsAreFoundWhateverTheirCaseOrLength) {
    for (const char* name : {"COVER.JPG", "cover.jpeg", "front.jpe", "Folder.JFIF"}) {
        image(name, kRed, GUID_ContainerFormatJpeg);
        ASSERT_TRUE(thumbnail(AnyImage)) << name;
        EXPECT_TRUE(similar(slotColour(), kRed)) << name;
        ASSERT_TRUE(thumbnail(NamedImage, name)) << name;
        DeleteFileA(file(name).c_str());
        DeleteFileA(cache().c_str());
    }
}

TEST_F(AlbumCoverTest, ACacheOnlyFolderShowsTheCacheInEveryMode) {
    image("made.png", kYellow, GUID_ContainerFormatPng, 100, 100);
    {
        CoverImage made;
        ASSERT_TRUE(made.load(file("made.png").c_str(), kFormatPng));
        ASSERT_TRUE(made.save(cache().c_str()));
    }
    ASSERT_TRUE(DeleteFileA(file("made.png").c_str()));
    for (int mode : {AnyImage, NamedImage, NamedThenAny}) {
        ASSERT_TRUE(thumbnail(mode)) << mode;
        EXPECT_EQ(slotColour(), kYellow) << mode;
    }
    // Mode 1 needs a supported extension before it looks at anything.
    EXPECT_FALSE(thumbnail(NamedImage, "cover"));
    // The Contents picture finds the cache through the search and scales it up.
    ASSERT_TRUE(contents(AnyImage));
    EXPECT_EQ(last_.pixels.width, 200);
    EXPECT_EQ(pixelAt(last_.pixels, 100, 100), kYellow);
    ASSERT_TRUE(contents(NamedThenAny));
    // ... but not by name alone: the named file is missing.
    EXPECT_FALSE(contents(NamedImage));
    EXPECT_TRUE(last_.pixels.empty());
}

TEST_F(AlbumCoverTest, EqualTimesKeepTheCacheAndANewerImageReplacesIt) {
    image("cover.png", kRed);
    ASSERT_TRUE(thumbnail(NamedImage, "cover.png"));
    ASSERT_EQ(cacheColour(), kRed);
    // The image changes but keeps the cache's time: the cache stays current.
    image("cover.png", kBlue);
    const uint64_t cacheTime = writeTime(cache());
    ASSERT_TRUE(setWriteTime(file("cover.png"), cacheTime));
    ASSERT_TRUE(thumbnail(NamedImage, "cover.png"));
    EXPECT_EQ(slotColour(), kRed);
    EXPECT_EQ(writeTime(cache()), cacheTime);
    // One tick newer: decoded again and the cache rewritten.
    ASSERT_TRUE(setWriteTime(file("cover.png"), cacheTime + 1));
    ASSERT_TRUE(thumbnail(NamedImage, "cover.png"));
    EXPECT_EQ(slotColour(), kBlue);
    EXPECT_EQ(cacheColour(), kBlue);
    // An older image leaves the cache alone too, and so does a missing one.
    ASSERT_TRUE(setWriteTime(file("cover.png"), 1000));
    image("other.png", kGreen);
    ASSERT_TRUE(setWriteTime(file("other.png"), 1000));
    ASSERT_TRUE(thumbnail(NamedImage, "other.png"));
    EXPECT_EQ(slotColour(), kBlue);
    ASSERT_TRUE(thumbnail(NamedImage, "gone.png"));
    EXPECT_EQ(slotColour(), kBlue);
    // The Contents picture always decodes the image itself.
    ASSERT_TRUE(contents(NamedImage, "other.png"));
    EXPECT_EQ(slotColour(), kGreen);
}

TEST_F(AlbumCoverTest, CoversAreStretchedToExactSquares) {
    image("wide.png", kGreen, GUID_ContainerFormatPng, 400, 300);
    ASSERT_TRUE(thumbnail(NamedImage, "wide.png"));
    EXPECT_EQ(last_.pixels.width, 100);
    EXPECT_EQ(last_.pixels.height, 100);
    ASSERT_TRUE(contents(NamedImage, "wide.png"));
    EXPECT_EQ(last_.pixels.width, 200);
    EXPECT_EQ(last_.pixels.height, 200);

    DeleteFileA(cache().c_str());
    image("small.png", kRed, GUID_ContainerFormatPng, 16, 12);
    ASSERT_TRUE(thumbnail(NamedImage, "small.png"));
    EXPECT_EQ(last_.pixels.width, 100);
    EXPECT_EQ(pixelAt(last_.pixels, 99, 99), kRed);
    EXPECT_EQ(readBytes(cache()).size(), 54u + 300u * 100u);
}

TEST_F(AlbumCoverTest, NamedThenAnyFallsBackToTheSearchOnlyWhenTheNameFails) {
    image("scan.png", kBlue);
    for (const char* name : {"", "cover", "cover.jpeg", "cover.png"}) {
        EXPECT_FALSE(thumbnail(NamedImage, name)) << name;
        ASSERT_TRUE(thumbnail(NamedThenAny, name)) << name;
        EXPECT_EQ(slotColour(), kBlue) << name;
        DeleteFileA(cache().c_str());
    }
    EXPECT_TRUE(thumbnail(NamedThenAny, nullptr));
    // Values outside 0..2 count as NamedThenAny.
    DeleteFileA(cache().c_str());
    EXPECT_TRUE(thumbnail(7, "cover.png"));
    DeleteFileA(cache().c_str());
    EXPECT_TRUE(thumbnail(-1, "cover.png"));
}

TEST_F(AlbumCoverTest, APictureSubfolderIsSearchedWhenTheFolderHoldsNoImage) {
    ASSERT_TRUE(CreateDirectoryA(file("Scans").c_str(), nullptr));
    image("Scans\\back.png", kBlue, GUID_ContainerFormatPng, 200, 200);
    image("Scans\\front.png", kGreen);
    ASSERT_TRUE(thumbnail(AnyImage));
    EXPECT_EQ(slotColour(), kGreen);
    ASSERT_TRUE(thumbnail(NamedImage, "Scans\\back.png"));
    DeleteFileA(cache().c_str());
    // An image of the folder itself goes first, whatever its rank.
    image("scan001.png", kRed);
    ASSERT_TRUE(thumbnail(AnyImage));
    EXPECT_EQ(slotColour(), kRed);
}

TEST_F(AlbumCoverTest, AnUnwritableCacheStillShowsTheCoverSilently) {
    // Wine running as root ignores read-only folders, so the cache path is
    // blocked by a folder of the cache's name instead.
    ASSERT_TRUE(CreateDirectoryA(cache().c_str(), nullptr));
    image("cover.png", kRed);
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(thumbnail(NamedImage, "cover.png"));
        EXPECT_EQ(slotColour(), kRed);
    }
    EXPECT_TRUE(isDirectory(cache()));
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA(file("*.tmp").c_str(), &entry);
    EXPECT_EQ(find, INVALID_HANDLE_VALUE) << "left behind: " << entry.cFileName;
    if (find != INVALID_HANDLE_VALUE) FindClose(find);
}

TEST_F(AlbumCoverTest, TheContentsPictureNeverWritesTheCache) {
    EXPECT_FALSE(contents(NamedThenAny));
    EXPECT_TRUE(last_.pixels.empty());
    image("cover.png", kRed);
    ASSERT_TRUE(contents(NamedImage, "cover.png"));
    EXPECT_FALSE(fileExists(cache()));
}

TEST_F(AlbumCoverTest, PngNamedJpgAndTopDownBmpShowAsAUserExpects) {
    image("cover.jpg", kGreen, GUID_ContainerFormatPng);
    ASSERT_TRUE(thumbnail(NamedImage, "cover.jpg"));
    EXPECT_EQ(slotColour(), kGreen);
    ASSERT_TRUE(writeBytes(file("flip.bmp"), topDownBmp(40, 40, kRed, kBlue)));
    ASSERT_TRUE(contents(NamedImage, "flip.bmp"));
    EXPECT_EQ(pixelAt(last_.pixels, 100, 10), kRed);
    EXPECT_EQ(pixelAt(last_.pixels, 100, 190), kBlue);
    DeleteFileA(cache().c_str());
    ASSERT_TRUE(thumbnail(NamedImage, "flip.bmp"));
    EXPECT_EQ(pixelAt(last_.pixels, 50, 5), kRed);
    EXPECT_EQ(pixelAt(last_.pixels, 50, 95), kBlue);
}

TEST_F(AlbumCoverTest, BadFilesEndInNoCoverWithoutACache) {
    image("good.jpg", kRed, GUID_ContainerFormatJpeg);
    image("good.png", kRed);
    std::vector<uint8_t> jpeg = readBytes(file("good.jpg")), png = readBytes(file("good.png"));
    DeleteFileA(file("good.jpg").c_str());
    DeleteFileA(file("good.png").c_str());
    jpeg.resize(200);
    png.resize(60);
    const std::vector<uint8_t> huge = {0x89, 'P', 'N',  'G',  '\r', '\n', 0x1A, '\n', 0,    0,
                                       0,    13,  'I',  'H',  'D',  'R',  0,    0,    0xEA, 0x60,
                                       0,    0,   0xEA, 0x60, 8,    2,    0,    0,    0};
    std::vector<uint8_t> tall = topDownBmp(4, 4, kRed, kRed);
    const int32_t height = 0x40000000;
    std::memcpy(&tall[22], &height, 4);
    std::vector<uint8_t> noise(3000);
    uint32_t seed = 99;
    for (uint8_t& b : noise) b = uint8_t((seed = seed * 1103515245 + 12345) >> 16);
    const struct {
        const char* name;
        std::vector<uint8_t> bytes;
    } bad[] = {{"zero.jpg", {}},           {"cut.jpg", jpeg},  {"cut.png", png},
               {"noise.png", noise},       {"huge.png", huge}, {"tall.bmp", tall},
               {"flat.gif", tinyGif(1, 0)}};
    for (const auto& b : bad) {
        ASSERT_TRUE(writeBytes(file(b.name), b.bytes));
        // A truncated file may still decode to something on some platforms;
        // what matters is no crash, no cache of a failure, and a picture of
        // its exact size or none.
        if (!thumbnail(NamedImage, b.name)) {
            EXPECT_FALSE(fileExists(cache())) << b.name;
            EXPECT_TRUE(last_.pixels.empty()) << b.name;
        }
        if (contents(NamedImage, b.name)) {
            EXPECT_EQ(last_.pixels.width, 200) << b.name;
        } else {
            EXPECT_TRUE(last_.pixels.empty()) << b.name;
        }
        DeleteFileA(cache().c_str());
    }
    for (const char* refused : {"zero.jpg", "noise.png", "huge.png", "tall.bmp", "flat.gif"}) {
        EXPECT_FALSE(thumbnail(NamedImage, refused)) << refused;
        EXPECT_FALSE(contents(NamedImage, refused)) << refused;
    }
    EXPECT_FALSE(fileExists(cache()));
}

TEST_F(AlbumCoverTest, ABrokenCurrentCacheIsKeptUntilTheImageIsNewer) {
    image("cover.png", kGreen);
    ASSERT_TRUE(writeBytes(cache(), std::vector<uint8_t>(500, 'x')));
    const uint64_t cacheTime = writeTime(cache());
    ASSERT_TRUE(setWriteTime(file("cover.png"), cacheTime - 10000000));
    EXPECT_FALSE(thumbnail(NamedImage, "cover.png"));
    EXPECT_FALSE(thumbnail(NamedThenAny, "cover.png"));
    EXPECT_EQ(readBytes(cache()), std::vector<uint8_t>(500, 'x'));
    ASSERT_TRUE(setWriteTime(file("cover.png"), cacheTime + 10000000));
    ASSERT_TRUE(thumbnail(NamedImage, "cover.png"));
    EXPECT_EQ(cacheColour(), kGreen);
}

TEST_F(AlbumCoverTest, OnlyAWholeCurrentCacheOfTheSlotSizeIsAThumbnail) {
    image("cover.png", kGreen);
    // As the bad-image run found: an edited cache of another size was shown
    // at that size, and one cut short showed whatever the decoder made of it.
    ASSERT_TRUE(writeSolidImage(cache(), GUID_ContainerFormatBmp, 50, 100, kRed));
    const std::vector<uint8_t> whole = [] {
        TempFolder other;
        EXPECT_TRUE(writeSolidImage(other.file("c.bmp"), GUID_ContainerFormatBmp, 100, 100, kRed));
        return readBytes(other.file("c.bmp"));
    }();
    for (const std::vector<uint8_t>& bytes :
         {readBytes(cache()), std::vector<uint8_t>(whole.begin(), whole.end() - 1)}) {
        ASSERT_TRUE(writeBytes(cache(), bytes));
        ASSERT_TRUE(setWriteTime(file("cover.png"), writeTime(cache()) - 10000000));
        EXPECT_FALSE(thumbnail(NamedThenAny, "cover.png"));
        EXPECT_EQ(readBytes(cache()), bytes);  // kept while current
    }
    ASSERT_TRUE(writeBytes(cache(), whole));
    ASSERT_TRUE(setWriteTime(file("cover.png"), writeTime(cache()) - 10000000));
    ASSERT_TRUE(thumbnail(NamedThenAny, "cover.png"));
    EXPECT_EQ(last_.pixels.width, 100);
    EXPECT_EQ(slotColour(), kRed);
}

TEST_F(AlbumCoverTest, LongAndUnlistableFoldersGiveNoCover) {
    // Folder plus name beyond 259 characters: skipped, nothing written.
    album_ = folder_.path() + "\\" + std::string(300 - folder_.path().size(), 'L');
    for (int mode : {AnyImage, NamedImage, NamedThenAny}) {
        EXPECT_FALSE(thumbnail(mode));
        EXPECT_FALSE(contents(mode));
    }
    album_ = std::string(100000, 'x');
    EXPECT_FALSE(thumbnail(AnyImage));
    // A folder whose cache path just fails to fit while the cover's fits.
    album_ = std::string(259 - 1 - 9, 'y');
    EXPECT_FALSE(thumbnail(NamedImage, "cover.png"));
    // A folder that cannot be listed: missing, or a file.
    album_ = file("missing");
    EXPECT_FALSE(thumbnail(AnyImage));
    image("plain.png", kRed);
    album_ = file("plain.png");
    EXPECT_FALSE(thumbnail(AnyImage));
    CoverSearch search;
    for (const std::string& folder : {album_, std::string(400, 'z'), std::string()}) {
        findCoverImage(folder.c_str(), "", "", search);
        EXPECT_EQ(search.image, "");
    }
    findCoverImage(nullptr, "", "", search);
    EXPECT_EQ(search.image, "");
}

TEST_F(AlbumCoverTest, ABrokenCoverIsTracedOnceWithItsFileAndCode) {
    const std::string broken = file("folder.jpg");
    ASSERT_TRUE(writeBytes(broken, {0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F'}));
    DebugOutputProbe probe;
    EXPECT_FALSE(thumbnail(AnyImage));
    // Searched and decoded again: the failure is already told.
    stores_->missing.forget(album_);
    EXPECT_FALSE(thumbnail(AnyImage));
    EXPECT_FALSE(contents(AnyImage));
    ASSERT_EQ(probe.lines().size(), 1u);
    EXPECT_EQ(probe.lines()[0], "Coverhall: cannot decode \"" + broken + "\": 0x88982F61\n");
}

TEST_F(AlbumCoverTest, ACheckAnswersUnchangedUntilASourceIsNewerThanTheCache) {
    // In mode 2 a missing named file shows the cache without a search; the
    // check makes that search, so a folder.jpg copied in is not hidden.
    const struct {
        const char* what;
        int mode;
        const char* name;
        const char* replaced;  // written after the cache, one second newer
        bool checkedWhenShown;
        Outcome outcome;
    } cases[] = {
        {"named file current", NamedImage, "cover.png", nullptr, true, Outcome::Unchanged},
        {"named file replaced", NamedImage, "cover.png", "cover.png", true, Outcome::Shown},
        {"named file absent, cache current", NamedThenAny, "gone.png", nullptr, false,
         Outcome::Unchanged},
        {"named file absent, folder.jpg newer", NamedThenAny, "gone.png", "folder.jpg", false,
         Outcome::Shown},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        album_ = folder.path();
        ASSERT_TRUE(writeSolidImage(folder.file("cover.png"), GUID_ContainerFormatPng, 8, 8, kRed));
        ASSERT_TRUE(thumbnail(NamedThenAny, "cover.png")) << c.what;
        if (std::strcmp(c.name, "cover.png") != 0) DeleteFileA(folder.file("cover.png").c_str());
        // What the wall shows before the replacement: the cache, flagged
        // for a check where no source was compared.
        ASSERT_TRUE(thumbnail(c.mode, c.name)) << c.what;
        EXPECT_EQ(last_.checked, c.checkedWhenShown) << c.what;
        if (c.replaced) {
            const std::string path = folder.file(c.replaced);
            ASSERT_TRUE(writeSolidImage(path, GUID_ContainerFormatPng, 8, 8, kBlue)) << c.what;
            ASSERT_TRUE(setWriteTime(path, writeTime(folder.file(kCache)) + 10000000));
        }
        run(CoverWork::Check, c.mode, c.name);
        EXPECT_EQ(last_.outcome, c.outcome) << c.what;
        if (c.outcome == Outcome::Shown) {
            EXPECT_EQ(slotColour(), kBlue) << c.what;
        } else {
            EXPECT_TRUE(last_.pixels.empty()) << c.what;
        }
    }
}

TEST_F(AlbumCoverTest, PrepareWritesTheCacheAndHandsOverOnlyWhatNoCacheTook) {
    image("cover.png", kRed);
    run(CoverWork::Prepare, NamedImage, "cover.png");
    EXPECT_EQ(last_.outcome, Outcome::Prepared);
    EXPECT_TRUE(last_.pixels.empty());
    EXPECT_EQ(cacheColour(), kRed);
    // A current cache is known, not read.
    {
        FileCallProbe probe;
        run(CoverWork::Prepare, NamedImage, "cover.png");
        EXPECT_EQ(last_.outcome, Outcome::Prepared);
        EXPECT_EQ(probe.opens(), 0);
    }
    // Neither the folder nor the per-user cache takes the file: the thumbnail
    // goes to the window, or it would be decoded at every request.
    ASSERT_TRUE(DeleteFileA(cache().c_str()));
    ASSERT_TRUE(CreateDirectoryA(cache().c_str(), nullptr));
    remakeStores(file("cover.png"));
    run(CoverWork::Prepare, NamedImage, "cover.png");
    EXPECT_EQ(last_.outcome, Outcome::Shown);
    EXPECT_EQ(slotColour(), kRed);
}

TEST_F(AlbumCoverTest, ARebuildDecodesTheSourceEvenWhereTheCacheOrTheMemorySaysOtherwise) {
    EXPECT_FALSE(thumbnail(NamedThenAny, "cover.png"));
    // Written without a change of what the memory watches, the folder's time.
    const uint64_t folderTime = writeTime(album_);
    image("cover.png", kRed);
    ASSERT_TRUE(setWriteTime(album_, folderTime));
    EXPECT_FALSE(thumbnail(NamedThenAny, "cover.png"));
    ASSERT_EQ(run(CoverWork::Rebuild, NamedThenAny, "cover.png").outcome, Outcome::Shown);
    EXPECT_EQ(slotColour(), kRed);
    // Replaced within the cache's second: only a rebuild sees it.
    image("cover.png", kBlue);
    ASSERT_TRUE(setWriteTime(file("cover.png"), writeTime(cache())));
    ASSERT_TRUE(thumbnail(NamedThenAny, "cover.png"));
    EXPECT_EQ(slotColour(), kRed);
    ASSERT_EQ(run(CoverWork::Rebuild, NamedThenAny, "cover.png").outcome, Outcome::Shown);
    EXPECT_EQ(slotColour(), kBlue);
    EXPECT_EQ(cacheColour(), kBlue);
    // With no source left, the cache is the only picture: it stays and shows.
    ASSERT_TRUE(DeleteFileA(file("cover.png").c_str()));
    ASSERT_EQ(run(CoverWork::Rebuild, NamedThenAny, "cover.png").outcome, Outcome::Shown);
    EXPECT_EQ(slotColour(), kBlue);
    EXPECT_TRUE(fileExists(cache()));
}
