// The cover rules: the three modes and their passes, the cache file and its
// times, both consumers, and bad folders and files ending in the placeholder.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "catalogue/album_record.h"
#include "catalogue/view_catalogue.h"
#include "covers/album_cover.h"
#include "covers/cover_image.h"
#include "covers/cover_image_list_win32.h"
#include "covers/cover_search.h"
#include "covers/imaging_factory.h"
#include "covers/plugin_state.h"
#include "covers/user_cover_cache.h"
#include "tests/covers/com_call_probe.h"
#include "tests/covers/debug_output_probe.h"
#include "tests/covers/test_images.h"
#include "win/com_apartment.h"
#include "win/plugin_globals.h"

namespace {

constexpr uint32_t kRed = 0xE02020, kBlue = 0x2040D0, kGreen = 0x20C040, kYellow = 0xE0D020;
const char kCache[] = "Quillet_Small_Cache_Cover.bmp";

class AlbumCoverTest : public testing::Test {
  protected:
    void SetUp() override {
        g_moduleHandle = GetModuleHandleA(nullptr);
        makePluginState();
        pluginState()->viewCatalogue =
            std::make_unique<ViewCatalogue>(kThumbnailSize, makeCoverImageList);
        album_.folder = folder_.path();
        picture_ = CreateWindowExA(0, "STATIC", "", SS_BITMAP | WS_POPUP, 0, 0, 10, 10, nullptr,
                                   nullptr, nullptr, nullptr);
        ASSERT_NE(picture_, nullptr);
    }
    void TearDown() override {
        DestroyWindow(picture_);
        releaseCoverBitmap();
        releasePluginState();
    }

    std::string file(const std::string& name) const { return folder_.file(name); }
    std::string cache() const { return file(kCache); }
    void image(const std::string& name, uint32_t colour,
               const GUID& format = GUID_ContainerFormatPng, int w = 64, int h = 64) {
        ASSERT_TRUE(writeSolidImage(file(name), format, w, h, colour)) << name;
    }
    int thumbnail(int mode, const char* name = "cover.jpg") {
        return loadAlbumCover(&album_, name, mode, nullptr, list());
    }
    int contents(int mode, const char* name = "cover.jpg") {
        return loadAlbumCover(&album_, name, mode, picture_, nullptr);
    }
    HIMAGELIST list() const { return coverImageListOf(viewCatalogue()); }
    // Centre of the thumbnail slot as the list draws it.
    uint32_t slotColour() const { return drawnPixel(list(), ThumbnailImage, 50, 50); }
    HBITMAP shownPicture() const {
        return reinterpret_cast<HBITMAP>(SendMessageA(picture_, STM_GETIMAGE, IMAGE_BITMAP, 0));
    }
    // Colour of the cache file itself.
    uint32_t cacheColour() {
        CoverImage decoded;
        if (!decoded.load(cache().c_str(), 1)) return 0xFFFFFFFF;
        coverhall::UniqueBitmap bitmap(decoded.makeBitmap());
        return bitmapPixel(bitmap.get(), 50, 50);
    }

    ComApartment apartment_;
    TempFolder folder_;
    AlbumRecord album_;
    HWND picture_ = nullptr;
};

}  // namespace

TEST_F(AlbumCoverTest, AnyImageTakesTheBestRankedImageAndWritesTheCache) {
    // The back is the larger file and may list first: the front still wins.
    image("back.png", kBlue, GUID_ContainerFormatPng, 200, 200);
    image("front.jpg", kRed, GUID_ContainerFormatJpeg);
    image("notes.txt.tif", kGreen);
    ASSERT_EQ(thumbnail(AnyImage), 1);
    EXPECT_TRUE(similar(slotColour(), kRed));
    ASSERT_TRUE(fileExists(cache()));
    EXPECT_TRUE(similar(cacheColour(), kRed));
    EXPECT_EQ(bitmapSize(pluginState()->thumbnailBitmap.get()).cx, 100);
    EXPECT_EQ(bitmapSize(pluginState()->thumbnailBitmap.get()).cy, 100);
}

TEST_F(AlbumCoverTest, ExtensionsAreFoundWhateverTheirCaseOrLength) {
    for (const char* name : {"COVER.JPG", "cover.jpeg", "front.jpe", "Folder.JFIF"}) {
        image(name, kRed, GUID_ContainerFormatJpeg);
        ASSERT_EQ(thumbnail(AnyImage), 1) << name;
        EXPECT_TRUE(similar(slotColour(), kRed)) << name;
        ASSERT_EQ(thumbnail(NamedImage, name), 1) << name;
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
        ASSERT_EQ(thumbnail(mode), 1) << mode;
        EXPECT_EQ(slotColour(), kYellow) << mode;
    }
    // Mode 1 needs a supported extension before it looks at anything.
    EXPECT_EQ(thumbnail(NamedImage, "cover"), 0);
    // The Contents view finds the cache through the search and scales it up.
    ASSERT_EQ(contents(AnyImage), 1);
    EXPECT_EQ(bitmapSize(shownPicture()).cx, 200);
    EXPECT_EQ(bitmapPixel(shownPicture(), 100, 100), kYellow);
    ASSERT_EQ(contents(NamedThenAny), 1);
    // ... but not by name alone: the named file is missing, so the placeholder.
    EXPECT_EQ(contents(NamedImage), 0);
    EXPECT_EQ(shownPicture(), pluginState()->contentsCoverBitmap.get());
    EXPECT_EQ(bitmapSize(shownPicture()).cx, 200);
    EXPECT_EQ(bitmapPixel(shownPicture(), 0, 0), 0u);  // the black around the disc case
}

TEST_F(AlbumCoverTest, EqualTimesKeepTheCacheAndANewerImageReplacesIt) {
    image("cover.png", kRed);
    ASSERT_EQ(thumbnail(NamedImage, "cover.png"), 1);
    ASSERT_EQ(cacheColour(), kRed);
    // The image changes but keeps the cache's time: the cache stays current.
    image("cover.png", kBlue);
    const uint64_t cacheTime = writeTime(cache());
    ASSERT_TRUE(setWriteTime(file("cover.png"), cacheTime));
    ASSERT_EQ(thumbnail(NamedImage, "cover.png"), 1);
    EXPECT_EQ(slotColour(), kRed);
    EXPECT_EQ(writeTime(cache()), cacheTime);
    // One tick newer: decoded again and the cache rewritten.
    ASSERT_TRUE(setWriteTime(file("cover.png"), cacheTime + 1));
    ASSERT_EQ(thumbnail(NamedImage, "cover.png"), 1);
    EXPECT_EQ(slotColour(), kBlue);
    EXPECT_EQ(cacheColour(), kBlue);
    // An older image leaves the cache alone too, and so does a missing one.
    ASSERT_TRUE(setWriteTime(file("cover.png"), 1000));
    image("other.png", kGreen);
    ASSERT_TRUE(setWriteTime(file("other.png"), 1000));
    ASSERT_EQ(thumbnail(NamedImage, "other.png"), 1);
    EXPECT_EQ(slotColour(), kBlue);
    ASSERT_EQ(thumbnail(NamedImage, "gone.png"), 1);
    EXPECT_EQ(slotColour(), kBlue);
    // The Contents view always decodes the image itself.
    ASSERT_EQ(contents(NamedImage, "other.png"), 1);
    EXPECT_EQ(bitmapPixel(shownPicture(), 100, 100), kGreen);
}

TEST_F(AlbumCoverTest, CoversAreStretchedToExactSquares) {
    image("wide.png", kGreen, GUID_ContainerFormatPng, 400, 300);
    ASSERT_EQ(thumbnail(NamedImage, "wide.png"), 1);
    EXPECT_EQ(bitmapSize(pluginState()->thumbnailBitmap.get()).cx, 100);
    EXPECT_EQ(bitmapSize(pluginState()->thumbnailBitmap.get()).cy, 100);
    ASSERT_EQ(contents(NamedImage, "wide.png"), 1);
    EXPECT_EQ(bitmapSize(pluginState()->contentsCoverBitmap.get()).cx, 200);
    EXPECT_EQ(bitmapSize(pluginState()->contentsCoverBitmap.get()).cy, 200);
    EXPECT_EQ(shownPicture(), pluginState()->contentsCoverBitmap.get());

    DeleteFileA(cache().c_str());
    image("small.png", kRed, GUID_ContainerFormatPng, 16, 12);
    ASSERT_EQ(thumbnail(NamedImage, "small.png"), 1);
    EXPECT_EQ(bitmapSize(pluginState()->thumbnailBitmap.get()).cx, 100);
    EXPECT_EQ(drawnPixel(list(), ThumbnailImage, 99, 99), kRed);
    EXPECT_EQ(readBytes(cache()).size(), 54u + 300u * 100u);
}

TEST_F(AlbumCoverTest, NamedThenAnyFallsBackToTheSearchOnlyWhenTheNameFails) {
    image("scan.png", kBlue);
    for (const char* name : {"", "cover", "cover.jpeg", "cover.png"}) {
        EXPECT_EQ(thumbnail(NamedImage, name), 0) << name;
        ASSERT_EQ(thumbnail(NamedThenAny, name), 1) << name;
        EXPECT_EQ(slotColour(), kBlue) << name;
        DeleteFileA(cache().c_str());
    }
    EXPECT_EQ(loadAlbumCover(&album_, nullptr, NamedThenAny, nullptr, list()), 1);
    // Values outside 0..2 count as NamedThenAny.
    DeleteFileA(cache().c_str());
    EXPECT_EQ(thumbnail(7, "cover.png"), 1);
    DeleteFileA(cache().c_str());
    EXPECT_EQ(thumbnail(-1, "cover.png"), 1);
}

TEST_F(AlbumCoverTest, APictureSubfolderIsSearchedWhenTheFolderHoldsNoImage) {
    ASSERT_TRUE(CreateDirectoryA(file("Scans").c_str(), nullptr));
    image("Scans\\back.png", kBlue, GUID_ContainerFormatPng, 200, 200);
    image("Scans\\front.png", kGreen);
    ASSERT_EQ(thumbnail(AnyImage), 1);
    EXPECT_EQ(slotColour(), kGreen);
    ASSERT_EQ(thumbnail(NamedImage, "Scans\\back.png"), 1);
    DeleteFileA(cache().c_str());
    // An image of the folder itself goes first, whatever its rank.
    image("scan001.png", kRed);
    ASSERT_EQ(thumbnail(AnyImage), 1);
    EXPECT_EQ(slotColour(), kRed);
}

TEST_F(AlbumCoverTest, AnUnwritableCacheStillShowsTheCoverSilently) {
    // Wine running as root ignores read-only folders, so the cache path is
    // blocked by a folder of the cache's name instead.
    ASSERT_TRUE(CreateDirectoryA(cache().c_str(), nullptr));
    image("cover.png", kRed);
    for (int i = 0; i < 2; ++i) {
        ASSERT_EQ(thumbnail(NamedImage, "cover.png"), 1);
        EXPECT_EQ(slotColour(), kRed);
    }
    EXPECT_TRUE(isDirectory(cache()));
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA(file("*.tmp").c_str(), &entry);
    EXPECT_EQ(find, INVALID_HANDLE_VALUE) << "left behind: " << entry.cFileName;
    if (find != INVALID_HANDLE_VALUE) FindClose(find);
}

TEST_F(AlbumCoverTest, ContentsWithoutCoverShowsThePlaceholder) {
    EXPECT_EQ(contents(NamedThenAny), 0);
    HBITMAP shown = shownPicture();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown, pluginState()->contentsCoverBitmap.get());
    EXPECT_EQ(bitmapSize(shown).cx, 200);
    EXPECT_EQ(bitmapSize(shown).cy, 200);
    EXPECT_EQ(bitmapPixel(shown, 0, 0), 0u);
    EXPECT_NE(bitmapPixel(shown, 100, 100), 0u);
    EXPECT_FALSE(fileExists(cache()));
    // The Contents view never writes the cache.
    image("cover.png", kRed);
    ASSERT_EQ(contents(NamedImage, "cover.png"), 1);
    EXPECT_FALSE(fileExists(cache()));
}

TEST_F(AlbumCoverTest, EveryThumbnailCallReplacesTheThumbnailBitmap) {
    image("cover.png", kRed);
    ASSERT_EQ(thumbnail(NamedImage, "cover.png"), 1);
    const HBITMAP first = pluginState()->thumbnailBitmap.get();
    ASSERT_EQ(thumbnail(NamedImage, "cover.png"), 1);
    EXPECT_EQ(GetObjectType(first), 0u) << "the previous bitmap was not deleted";
    ASSERT_TRUE(DeleteFileA(cache().c_str()));
    EXPECT_EQ(thumbnail(NamedImage, "absent.png"), 0);
    EXPECT_FALSE(pluginState()->thumbnailBitmap);
    ASSERT_EQ(thumbnail(NamedImage, "cover.png"), 1);
    const HBITMAP last = pluginState()->thumbnailBitmap.get();
    releaseCoverBitmap();
    EXPECT_FALSE(pluginState()->thumbnailBitmap);
    EXPECT_EQ(GetObjectType(last), 0u);
}

TEST_F(AlbumCoverTest, ThumbnailsNeverDeleteTheBitmapThePictureShows) {
    image("cover.png", kRed);
    ASSERT_EQ(contents(NamedImage, "cover.png"), 1);
    const HBITMAP picture = shownPicture();
    for (int i = 0; i < 3; ++i) ASSERT_EQ(thumbnail(NamedImage, "cover.png"), 1);
    ASSERT_TRUE(DeleteFileA(cache().c_str()));
    EXPECT_EQ(thumbnail(NamedImage, "absent.png"), 0);
    EXPECT_EQ(shownPicture(), picture);
    EXPECT_EQ(GetObjectType(picture), static_cast<DWORD>(OBJ_BITMAP));
    EXPECT_EQ(bitmapPixel(picture, 100, 100), kRed);
    // The next picture replaces the old one only after the control let go.
    EXPECT_EQ(contents(NamedImage, "absent.png"), 0);
    EXPECT_EQ(GetObjectType(picture), 0u);
    EXPECT_EQ(GetObjectType(shownPicture()), static_cast<DWORD>(OBJ_BITMAP));
}

TEST_F(AlbumCoverTest, AnUnchangedImageKeepsItsPictureAndAChangedOneIsDecodedAgain) {
    image("cover.png", kRed);
    ASSERT_EQ(contents(NamedImage, "cover.png"), 1);
    const HBITMAP first = shownPicture();
    ASSERT_EQ(contents(NamedImage, "cover.png"), 1);
    EXPECT_EQ(shownPicture(), first);
    EXPECT_EQ(pluginState()->contentsCoverBitmap.get(), first);
    // A picture control of a new album window is handed the kept bitmap.
    HWND other = CreateWindowExA(0, "STATIC", "", SS_BITMAP | WS_POPUP, 0, 0, 10, 10, nullptr,
                                 nullptr, nullptr, nullptr);
    ASSERT_EQ(loadAlbumCover(&album_, "cover.png", NamedImage, other, nullptr), 1);
    EXPECT_EQ(SendMessageA(other, STM_GETIMAGE, IMAGE_BITMAP, 0), reinterpret_cast<LRESULT>(first));
    DestroyWindow(other);

    // Another size under the same time, then another time at the same size.
    const uint64_t time = writeTime(file("cover.png"));
    image("cover.png", kBlue, GUID_ContainerFormatPng, 80, 80);
    ASSERT_TRUE(setWriteTime(file("cover.png"), time));
    ASSERT_EQ(contents(NamedImage, "cover.png"), 1);
    EXPECT_EQ(bitmapPixel(shownPicture(), 100, 100), kBlue);
    image("cover.png", kGreen, GUID_ContainerFormatPng, 80, 80);
    ASSERT_TRUE(setWriteTime(file("cover.png"), time + 1));
    ASSERT_EQ(contents(NamedImage, "cover.png"), 1);
    EXPECT_EQ(bitmapPixel(shownPicture(), 100, 100), kGreen);

    // The placeholder in between forgets the kept picture.
    EXPECT_EQ(contents(NamedImage, "absent.png"), 0);
    ASSERT_EQ(contents(NamedImage, "cover.png"), 1);
    EXPECT_EQ(GetObjectType(shownPicture()), static_cast<DWORD>(OBJ_BITMAP));
    EXPECT_EQ(bitmapPixel(shownPicture(), 100, 100), kGreen);
}

TEST_F(AlbumCoverTest, NoViewCatalogueMeansNoThumbnailAndNoCache) {
    image("cover.png", kRed);
    pluginState()->viewCatalogue.reset();
    EXPECT_EQ(thumbnail(NamedImage, "cover.png"), 0);
    EXPECT_FALSE(fileExists(cache()));
    EXPECT_EQ(contents(NamedImage, "cover.png"), 1);  // the picture needs no list
    EXPECT_EQ(loadAlbumCover(nullptr, "cover.png", NamedImage, nullptr, list()), 0);
    EXPECT_EQ(loadAlbumCover(nullptr, "cover.png", NamedImage, picture_, nullptr), 0);
    EXPECT_EQ(bitmapSize(shownPicture()).cx, 200);
}

TEST_F(AlbumCoverTest, ASlotThatCannotBeRefilledShowsNoCoverRatherThanAnother) {
    // A view catalogue whose bitmaps were not found has no thumbnail slot;
    // reporting the decoded cover as shown would draw whatever slot 1 is.
    g_moduleHandle = GetModuleHandleA("kernel32.dll");
    pluginState()->viewCatalogue =
        std::make_unique<ViewCatalogue>(kThumbnailSize, makeCoverImageList);
    g_moduleHandle = GetModuleHandleA(nullptr);
    ASSERT_EQ(ImageList_GetImageCount(list()), 0);
    image("cover.png", kRed);
    EXPECT_EQ(thumbnail(NamedImage, "cover.png"), 0);
}

TEST_F(AlbumCoverTest, PngNamedJpgAndTopDownBmpShowAsAUserExpects) {
    image("cover.jpg", kGreen, GUID_ContainerFormatPng);
    ASSERT_EQ(thumbnail(NamedImage, "cover.jpg"), 1);
    EXPECT_EQ(slotColour(), kGreen);
    ASSERT_TRUE(writeBytes(file("flip.bmp"), topDownBmp(40, 40, kRed, kBlue)));
    ASSERT_EQ(contents(NamedImage, "flip.bmp"), 1);
    EXPECT_EQ(bitmapPixel(shownPicture(), 100, 10), kRed);
    EXPECT_EQ(bitmapPixel(shownPicture(), 100, 190), kBlue);
    DeleteFileA(cache().c_str());
    ASSERT_EQ(thumbnail(NamedImage, "flip.bmp"), 1);
    EXPECT_EQ(drawnPixel(list(), ThumbnailImage, 50, 5), kRed);
    EXPECT_EQ(drawnPixel(list(), ThumbnailImage, 50, 95), kBlue);
}

TEST_F(AlbumCoverTest, BadFilesEndInThePlaceholderWithoutACache) {
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
        // what matters is no crash, no cache of a failure, and the
        // placeholder whenever nothing could be decoded.
        const int shown = thumbnail(NamedImage, b.name);
        if (!shown) {
            EXPECT_FALSE(fileExists(cache())) << b.name;
        }
        const int coverShown = contents(NamedImage, b.name);
        EXPECT_EQ(shownPicture(), pluginState()->contentsCoverBitmap.get()) << b.name;
        EXPECT_EQ(bitmapSize(shownPicture()).cx, 200) << b.name;
        if (!coverShown) {
            EXPECT_EQ(bitmapPixel(shownPicture(), 0, 0), 0u) << b.name;  // the placeholder
        }
        DeleteFileA(cache().c_str());
    }
    for (const char* refused : {"zero.jpg", "noise.png", "huge.png", "tall.bmp", "flat.gif"}) {
        EXPECT_EQ(thumbnail(NamedImage, refused), 0) << refused;
        EXPECT_EQ(contents(NamedImage, refused), 0) << refused;
        EXPECT_EQ(bitmapSize(shownPicture()).cx, 200) << refused;
    }
    EXPECT_FALSE(fileExists(cache()));
}

TEST_F(AlbumCoverTest, ABrokenCurrentCacheIsKeptUntilTheImageIsNewer) {
    image("cover.png", kGreen);
    ASSERT_TRUE(writeBytes(cache(), std::vector<uint8_t>(500, 'x')));
    const uint64_t cacheTime = writeTime(cache());
    ASSERT_TRUE(setWriteTime(file("cover.png"), cacheTime - 10000000));
    EXPECT_EQ(thumbnail(NamedImage, "cover.png"), 0);
    EXPECT_EQ(thumbnail(NamedThenAny, "cover.png"), 0);
    EXPECT_EQ(readBytes(cache()), std::vector<uint8_t>(500, 'x'));
    ASSERT_TRUE(setWriteTime(file("cover.png"), cacheTime + 10000000));
    ASSERT_EQ(thumbnail(NamedImage, "cover.png"), 1);
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
        EXPECT_EQ(thumbnail(NamedThenAny, "cover.png"), 0);
        EXPECT_EQ(readBytes(cache()), bytes);  // kept while current
    }
    ASSERT_TRUE(writeBytes(cache(), whole));
    ASSERT_TRUE(setWriteTime(file("cover.png"), writeTime(cache()) - 10000000));
    ASSERT_EQ(thumbnail(NamedThenAny, "cover.png"), 1);
    EXPECT_EQ(bitmapSize(pluginState()->thumbnailBitmap.get()).cx, 100);
    EXPECT_EQ(slotColour(), kRed);
}

TEST_F(AlbumCoverTest, LongAndUnlistableFoldersGiveNoCover) {
    // Folder plus name beyond 259 characters: skipped, nothing written.
    album_.folder = folder_.path() + "\\" + std::string(300 - folder_.path().size(), 'L');
    for (int mode : {AnyImage, NamedImage, NamedThenAny}) {
        EXPECT_EQ(thumbnail(mode), 0);
        EXPECT_EQ(contents(mode), 0);
        EXPECT_EQ(bitmapSize(shownPicture()).cx, 200);
    }
    album_.folder = std::string(100000, 'x');
    EXPECT_EQ(thumbnail(AnyImage), 0);
    // A folder whose cache path just fails to fit while the cover's fits.
    album_.folder = std::string(259 - 1 - 9, 'y');
    EXPECT_EQ(thumbnail(NamedImage, "cover.png"), 0);
    // A folder that cannot be listed: missing, or a file.
    album_.folder = file("missing");
    EXPECT_EQ(thumbnail(AnyImage), 0);
    image("plain.png", kRed);
    album_.folder = file("plain.png");
    EXPECT_EQ(thumbnail(AnyImage), 0);
    CoverSearch search;
    for (const std::string& folder :
         {std::string(album_.folder.c_str()), std::string(400, 'z'), std::string()}) {
        findCoverImage(folder.c_str(), "", search);
        EXPECT_EQ(search.image, "");
    }
    findCoverImage(nullptr, "", search);
    EXPECT_EQ(search.image, "");
}

TEST_F(AlbumCoverTest, AtHandNeverDecodesAndKeepsWhatTheDecodeFound) {
    const auto atHand = [this](const char* name) {
        return thumbnailAtHand(&album_, name, NamedImage, list());
    };
    image("cover.png", kRed);
    writeBytes(file("broken.png"), std::vector<uint8_t>(500, 0x5A));
    EXPECT_EQ(atHand("cover.png"), CoverState::Pending);
    EXPECT_FALSE(fileExists(cache()));
    // After the decode the cover is at hand: in the slot, then from the cache.
    ASSERT_EQ(thumbnail(NamedImage, "cover.png"), 1);
    TempFolder otherFolder;
    AlbumRecord other;
    other.folder = otherFolder.path();
    ASSERT_TRUE(
        writeSolidImage(otherFolder.file("cover.png"), GUID_ContainerFormatPng, 8, 8, kBlue));
    for (int draw = 0; draw < 2; ++draw) {
        ASSERT_EQ(loadAlbumCover(&other, "cover.png", NamedImage, nullptr, list()), 1);
        ASSERT_EQ(slotColour(), kBlue);
        EXPECT_EQ(atHand("cover.png"), CoverState::Shown) << draw;
        EXPECT_EQ(slotColour(), kRed) << draw;
    }
    // A broken file is decoded once, then known to give no cover.
    DeleteFileA(cache().c_str());
    EXPECT_EQ(atHand("broken.png"), CoverState::Pending);
    EXPECT_EQ(thumbnail(NamedImage, "broken.png"), 0);
    EXPECT_EQ(atHand("broken.png"), CoverState::None);
    // With no cache writable anywhere the decoded thumbnail stays at hand.
    ASSERT_TRUE(CreateDirectoryA(cache().c_str(), nullptr));
    setUserCoverCacheForTests(file("cover.png"), kMaxUserCoverCacheFiles);
    ASSERT_EQ(thumbnail(NamedImage, "cover.png"), 1);
    for (int draw = 0; draw < 3; ++draw) EXPECT_EQ(atHand("cover.png"), CoverState::Shown) << draw;
    setUserCoverCacheForTests("", kMaxUserCoverCacheFiles);
}

TEST_F(AlbumCoverTest, AThumbnailShownFirstIsCachedLaterUnlessItsSourceChanged) {
    const auto show = [this] {
        return showAlbumThumbnail(&album_, "cover.png", NamedImage, list());
    };
    const auto atHand = [this] {
        return thumbnailAtHand(&album_, "cover.png", NamedImage, list());
    };
    image("cover.png", kRed);
    ASSERT_EQ(show(), 1);
    EXPECT_EQ(slotColour(), kRed);
    EXPECT_FALSE(fileExists(cache()));
    // Until its cache is written the thumbnail is at hand, not decoded again.
    ASSERT_EQ(atHand(), CoverState::Shown);
    ASSERT_EQ(atHand(), CoverState::Shown);
    EXPECT_EQ(slotColour(), kRed);
    ASSERT_TRUE(saveUnsavedThumbnail());
    EXPECT_FALSE(saveUnsavedThumbnail());
    EXPECT_EQ(cacheColour(), kRed);

    // A source replaced before the write is not hidden behind an old cache.
    DeleteFileA(cache().c_str());
    ASSERT_EQ(show(), 1);
    image("cover.png", kBlue);
    ASSERT_TRUE(setWriteTime(file("cover.png"), writeTime(file("cover.png")) + 10000000));
    ASSERT_TRUE(saveUnsavedThumbnail());
    EXPECT_FALSE(fileExists(cache()));
    EXPECT_EQ(atHand(), CoverState::Pending);

    // What the wall leaves unsaved is written when the plug-in stops, and a
    // preparation writes it at once.
    ASSERT_EQ(show(), 1);
    EXPECT_EQ(prepareAlbumCover(&album_, "cover.png", NamedImage), CoverState::Shown);
    EXPECT_EQ(cacheColour(), kBlue);
    DeleteFileA(cache().c_str());
    ASSERT_EQ(show(), 1);
    releaseCoverBitmap();
    EXPECT_EQ(cacheColour(), kBlue);
}

TEST_F(AlbumCoverTest, ABrokenCoverIsTracedOnceWithItsFileAndCode) {
    const std::string broken = file("folder.jpg");
    ASSERT_TRUE(writeBytes(broken, {0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F'}));
    DebugOutputProbe probe;
    EXPECT_EQ(thumbnail(AnyImage), 0);
    // Searched and decoded again: the failure is already told.
    forgetMissingCover(&album_);
    EXPECT_EQ(thumbnail(AnyImage), 0);
    EXPECT_EQ(contents(AnyImage), 0);
    ASSERT_EQ(probe.lines().size(), 1u);
    EXPECT_EQ(probe.lines()[0], "Coverhall: cannot decode \"" + broken + "\": 0x88982F61\n");
}

TEST_F(AlbumCoverTest, ThumbnailsShareOneApartmentAndImagingFactory) {
    image("a.png", kRed);
    image("b.png", kBlue);
    releaseImaging();
    ComCallProbe probe;
    ASSERT_EQ(thumbnail(NamedImage, "a.png"), 1);
    ASSERT_TRUE(DeleteFileA(cache().c_str()));
    ASSERT_EQ(thumbnail(NamedImage, "b.png"), 1);
    EXPECT_EQ(slotColour(), kBlue);
    EXPECT_EQ(probe.apartmentsEntered(), 1);
    EXPECT_EQ(probe.factoriesMade(), 1);
}
