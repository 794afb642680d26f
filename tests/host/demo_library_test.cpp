// The demo library generator: the covers it encodes decode back with WIC in
// their size and colours, and the library covers the cases the plug-in must
// show (genres, various artists, two discs, "The" artists, ratings).
#include "tests/host/test_paths.h"
#include "tools/cover_painter.h"
#include "tools/demo_catalogue.h"
#include "tools/wic_image_writer.h"

#include <objbase.h>
#include <wincodec.h>

#include <gtest/gtest.h>

#include <set>

namespace coverhall::tools {
namespace {

// Size and the colour of one pixel of a decoded image file.
struct Decoded {
    UINT width = 0, height = 0;
    BYTE bgr[4] = {};  // B, G, R, A
};

bool decode(const std::string& path, int x, int y, Decoded& out) {
    IWICImagingFactory* factory = nullptr;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(&factory)))) {
        return false;
    }
    std::wstring wide(path.begin(), path.end());
    IWICBitmapDecoder* decoder = nullptr;
    IWICBitmapFrameDecode* frame = nullptr;
    IWICFormatConverter* converter = nullptr;
    bool ok = SUCCEEDED(factory->CreateDecoderFromFilename(
                  wide.c_str(), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand, &decoder)) &&
              SUCCEEDED(decoder->GetFrame(0, &frame)) &&
              SUCCEEDED(frame->GetSize(&out.width, &out.height)) &&
              SUCCEEDED(factory->CreateFormatConverter(&converter)) &&
              SUCCEEDED(converter->Initialize(frame, GUID_WICPixelFormat32bppBGRA,
                                              WICBitmapDitherTypeNone, nullptr, 0,
                                              WICBitmapPaletteTypeCustom));
    if (ok) {
        WICRect rect{x, y, 1, 1};
        ok = SUCCEEDED(converter->CopyPixels(&rect, 4, 4, out.bgr));
    }
    for (IUnknown* object : {static_cast<IUnknown*>(converter), static_cast<IUnknown*>(frame),
                             static_cast<IUnknown*>(decoder), static_cast<IUnknown*>(factory)}) {
        if (object) object->Release();
    }
    return ok;
}

class CoverFiles : public ::testing::Test {
  protected:
    void SetUp() override { com_ = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    void TearDown() override {
        if (SUCCEEDED(com_)) CoUninitialize();
    }
    HRESULT com_ = E_FAIL;
};

TEST_F(CoverFiles, EveryFormatDecodesBackInSizeAndColour) {
    const std::string folder = host::test::outputFolder("covers");
    CoverPicture picture = paintCover(3, 120, 90);
    // A pixel inside a flat area: the top-left corner (the gradient is
    // vertical and the motif stays near the centre).
    const uint8_t* expected = picture.pixels.data();
    for (const char* name : {"cover.bmp", "folder.png", "COVER.JPG", "front.gif"}) {
        const std::string path = folder + "\\" + name;
        DeleteFileA(path.c_str());
        ASSERT_TRUE(writeImage(picture, formatForName(name), path)) << name;
        Decoded decoded;
        ASSERT_TRUE(decode(path, 0, 0, decoded)) << name;
        EXPECT_EQ(decoded.width, 120u) << name;
        EXPECT_EQ(decoded.height, 90u) << name;
        // JPEG is lossy and GIF goes through a 216-colour palette.
        for (int c = 0; c < 3; ++c) EXPECT_NEAR(decoded.bgr[c], expected[c], 30) << name;
    }
}

TEST_F(CoverFiles, NamesPickTheirFormatAndBadPicturesWriteNothing) {
    EXPECT_EQ(formatForName("a.JPEG"), ImageFormat::Jpeg);
    EXPECT_EQ(formatForName("front.Gif"), ImageFormat::Gif);
    EXPECT_EQ(formatForName("noextension"), ImageFormat::Bmp);
    const std::string folder = host::test::outputFolder("covers");
    EXPECT_FALSE(writeImage(paintCover(1, 0, 10), ImageFormat::Png, folder + "\\empty.png"));
    EXPECT_EQ(GetFileAttributesA((folder + "\\empty.png").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(writeImage(paintCover(1, 8, 8), ImageFormat::Png, "Z:\\no\\such\\dir\\x.png"));
}

TEST(CoverPainter, IsDeterministicAndDiffersBySeed) {
    EXPECT_EQ(paintCover(7, 64, 64).pixels, paintCover(7, 64, 64).pixels);
    EXPECT_NE(paintCover(7, 64, 64).pixels, paintCover(8, 64, 64).pixels);
    CoverPicture odd = paintCover(1, 33, 5);
    EXPECT_EQ(odd.stride, 100);  // 99 bytes padded to 4
    EXPECT_EQ(odd.pixels.size(), 500u);
}

TEST(DemoCatalogue, HoldsTheCasesTheViewsMustShow) {
    std::vector<DemoAlbum> albums = demoAlbums();
    std::vector<host::HostSong> songs = demoSongs(albums, "C:\\demo");
    std::set<std::string> genres, coverNames, folders;
    bool theArtist = false, noCover = false;
    int rated = 0;
    for (const DemoAlbum& album : albums) {
        genres.insert(album.genre);
        for (const DemoImage& image : album.images) coverNames.insert(image.fileName);
        noCover |= album.images.empty() && !album.picturesInSongs;
        theArtist |= album.artist.rfind("The ", 0) == 0;
        folders.insert(album.folder);
    }
    for (const host::HostSong& song : songs) rated += host::ratingOf(song).has_value();
    EXPECT_EQ(folders.size(), albums.size());  // one folder per album
    EXPECT_TRUE(genres.count(""));
    EXPECT_TRUE(genres.count("Rock, Pop"));
    EXPECT_GE(genres.size(), 6u);
    for (const char* name : {"cover.jpg", "folder.png", "front.gif", "COVER.JPG", "cover.bmp"}) {
        EXPECT_TRUE(coverNames.count(name)) << name;
    }
    EXPECT_TRUE(noCover);
    EXPECT_TRUE(theArtist);
    EXPECT_GT(rated, 0);
    EXPECT_LT(rated, static_cast<int>(songs.size()));

    // The compilation has one artist per song; the two discs share an album.
    std::set<std::string> hitArtists;
    int seasons = 0;
    for (const host::HostSong& song : songs) {
        if (song.album == "Summer Hits 1999") hitArtists.insert(*song.artist);
        if (song.album == "The Four Seasons") ++seasons;
    }
    EXPECT_GE(hitArtists.size(), 3u);
    EXPECT_EQ(seasons, 12);
    EXPECT_EQ(songs[0].filename, "C:\\demo\\The Beatniks - Sunday Papers\\01 - Paper Boy.mp3");
}

TEST(DemoCatalogue, LargeLibrariesHaveTheAskedSizeAndAreRepeatable) {
    std::vector<host::HostSong> songs = largeLibrary("C:\\big", 2000, 150);
    ASSERT_EQ(songs.size(), 2000u);
    std::set<std::string> folders;
    for (const host::HostSong& song : songs) {
        const std::string& file = *song.filename;
        folders.insert(file.substr(0, file.find_last_of('\\')));
        EXPECT_GE(song.track, 1);
    }
    EXPECT_EQ(folders.size(), 150u);
    EXPECT_EQ(host::formatLibraryText(songs),
              host::formatLibraryText(largeLibrary("C:\\big", 2000, 150)));
    EXPECT_TRUE(largeLibrary("C:\\big", 0, 10).empty());
    EXPECT_EQ(largeLibrary("C:\\big", 5, 0).size(), 5u);   // no folders: one
    EXPECT_EQ(largeLibrary("C:\\big", 3, 10).size(), 3u);  // more folders than songs
    EXPECT_EQ(trackFileName(3, "What? A/B"), "03 - What_ A_B.mp3");
}

}  // namespace
}  // namespace coverhall::tools
