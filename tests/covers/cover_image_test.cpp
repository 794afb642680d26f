// The image layer: decoding by content, exact resampling, the BMP written for
// the cache, the DIB handed out, hostile files refused without harm, and
// each thread decoding with the factory of its own scope.
#include <gtest/gtest.h>

#include <cstring>
#include <thread>

#include "covers/cover_image.h"
#include "covers/file_names.h"
#include "covers/image_header.h"
#include "covers/imaging_factory.h"
#include "tests/covers/com_call_probe.h"
#include "tests/covers/test_images.h"

namespace {

class CoverImageTest : public testing::Test {
  protected:
    ImagingScope imaging_;
    TempFolder folder_;
};

constexpr uint32_t kRed = 0xE02020, kBlue = 0x2040D0, kGreen = 0x20C040;

}  // namespace

TEST_F(CoverImageTest, DecodesEveryFormatAndResamplesToTheExactSize) {
    struct Case {
        const char* name;
        const GUID* container;
        int format;
    } cases[] = {{"a.png", &GUID_ContainerFormatPng, 4},
                 {"a.jpg", &GUID_ContainerFormatJpeg, 3},
                 {"a.bmp", &GUID_ContainerFormatBmp, 1}};
    for (const Case& c : cases) {
        const std::string path = folder_.file(c.name);
        ASSERT_TRUE(writeSolidImage(path, *c.container, 400, 300, kGreen)) << c.name;
        CoverImage image;
        ASSERT_TRUE(image.load(path.c_str(), c.format)) << c.name;
        EXPECT_EQ(image.width(), 400);
        EXPECT_EQ(image.height(), 300);
        ASSERT_TRUE(image.resample(100, 100, true));
        coverhall::UniqueBitmap bitmap(image.makeBitmap());
        ASSERT_TRUE(bitmap) << c.name;
        EXPECT_EQ(bitmapSize(bitmap.get()).cx, 100);
        EXPECT_EQ(bitmapSize(bitmap.get()).cy, 100);
        EXPECT_TRUE(similar(bitmapPixel(bitmap.get(), 50, 50), kGreen)) << c.name;
    }
    const std::string gif = folder_.file("a.gif");
    ASSERT_TRUE(writeBytes(gif, tinyGif()));
    CoverImage image;
    ASSERT_TRUE(image.load(gif.c_str(), 2));
    ASSERT_TRUE(image.resample(200, 200, false));  // scaled up, averaging asked for
    coverhall::UniqueBitmap bitmap(image.makeBitmap());
    EXPECT_EQ(bitmapSize(bitmap.get()).cx, 200);
    EXPECT_EQ(bitmapPixel(bitmap.get(), 199, 199), 0xFF0000u);
}

TEST_F(CoverImageTest, ContentDecidesTheDecoderNotTheName) {
    const std::string path = folder_.file("really_a_png.jpg");
    ASSERT_TRUE(writeSolidImage(path, GUID_ContainerFormatPng, 40, 40, kBlue));
    CoverImage image;
    ASSERT_TRUE(image.load(path.c_str(), 3));
    coverhall::UniqueBitmap bitmap(image.makeBitmap());
    EXPECT_EQ(bitmapPixel(bitmap.get(), 3, 3), kBlue);  // lossless: exact
    // A format code outside the table is refused whatever the file holds.
    EXPECT_FALSE(image.load(path.c_str(), 0));
    EXPECT_FALSE(image.load(path.c_str(), 5));
    EXPECT_FALSE(image.load(nullptr, 4));
}

TEST_F(CoverImageTest, ImagesStayUprightWhateverTheirRowOrder) {
    const std::string topDown = folder_.file("top_down.bmp");
    ASSERT_TRUE(writeBytes(topDown, topDownBmp(20, 20, kRed, kBlue)));
    const std::string bottomUp = folder_.file("bottom_up.png");
    ASSERT_TRUE(writeImage(bottomUp, GUID_ContainerFormatPng, 20, 20,
                           [](int, int y) { return y < 10 ? kRed : kBlue; }));
    for (const std::string& path : {topDown, bottomUp}) {
        CoverImage image;
        ASSERT_TRUE(image.load(path.c_str(), 1)) << path;
        image.resample(100, 100, true);
        coverhall::UniqueBitmap bitmap(image.makeBitmap());
        EXPECT_EQ(bitmapPixel(bitmap.get(), 50, 5), kRed) << path;
        EXPECT_EQ(bitmapPixel(bitmap.get(), 50, 95), kBlue) << path;
    }
}

TEST_F(CoverImageTest, SavesA24BitBmpThatReadsBackTheSame) {
    const std::string source = folder_.file("s.png");
    ASSERT_TRUE(writeImage(source, GUID_ContainerFormatPng, 30, 30,
                           [](int x, int) { return x < 15 ? kRed : kGreen; }));
    CoverImage image;
    ASSERT_TRUE(image.load(source.c_str(), 4));
    image.resample(100, 100, true);
    const std::string cache = folder_.file("c.bmp");
    ASSERT_TRUE(image.save(cache.c_str()));
    const std::vector<uint8_t> bytes = readBytes(cache);
    ASSERT_EQ(bytes.size(), 54u + 300u * 100u);
    EXPECT_EQ(bytes[28], 24);
    CoverImage back;
    ASSERT_TRUE(back.load(cache.c_str(), 1));
    EXPECT_EQ(back.width(), 100);
    coverhall::UniqueBitmap bitmap(back.makeBitmap());
    EXPECT_EQ(bitmapPixel(bitmap.get(), 10, 50), kRed);
    EXPECT_EQ(bitmapPixel(bitmap.get(), 90, 50), kGreen);
    // Saving again replaces the file.
    ASSERT_TRUE(image.save(cache.c_str()));
    EXPECT_EQ(readBytes(cache), bytes);
}

TEST_F(CoverImageTest, AFailedSaveLeavesNoFileBehind) {
    const std::string source = folder_.file("s.png");
    ASSERT_TRUE(writeSolidImage(source, GUID_ContainerFormatPng, 10, 10, kRed));
    CoverImage image;
    ASSERT_TRUE(image.load(source.c_str(), 4));
    // A folder where the cache file would go cannot be replaced.
    const std::string blocked = folder_.file("blocked.bmp");
    ASSERT_TRUE(CreateDirectoryA(blocked.c_str(), nullptr));
    EXPECT_FALSE(image.save(blocked.c_str()));
    EXPECT_TRUE(isDirectory(blocked));
    EXPECT_FALSE(image.save(folder_.file("missing\\c.bmp").c_str()));
    // Nothing but the source and the blocking folder remain.
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA(folder_.file("*").c_str(), &entry);
    int files = 0;
    do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++files;
    } while (FindNextFileA(find, &entry));
    FindClose(find);
    EXPECT_EQ(files, 1);
}

TEST_F(CoverImageTest, EmptyImageGivesNoBitmapAndNoFile) {
    CoverImage image;
    EXPECT_EQ(image.makeBitmap(), nullptr);
    EXPECT_FALSE(image.resample(100, 100, true));
    EXPECT_FALSE(image.save(folder_.file("x.bmp").c_str()));
    EXPECT_FALSE(fileExists(folder_.file("x.bmp")));
}

TEST_F(CoverImageTest, BrokenAndHostileFilesAreRefused) {
    const std::string good = folder_.file("good.jpg");
    ASSERT_TRUE(writeSolidImage(good, GUID_ContainerFormatJpeg, 64, 64, kRed));
    const std::string goodPng = folder_.file("good.png");
    ASSERT_TRUE(writeSolidImage(goodPng, GUID_ContainerFormatPng, 64, 64, kRed));
    std::vector<uint8_t> jpeg = readBytes(good), png = readBytes(goodPng);
    jpeg.resize(jpeg.size() / 3);
    png.resize(png.size() / 2);

    std::vector<uint8_t> huge = readBytes(goodPng);  // IHDR of 60000 x 60000
    for (int i = 0; i < 2; ++i) {
        huge[16 + i * 4] = 0;
        huge[17 + i * 4] = 0;
        huge[18 + i * 4] = 0xEA;
        huge[19 + i * 4] = 0x60;
    }
    std::vector<uint8_t> tallBmp = topDownBmp(4, 4, kRed, kRed);
    const int32_t tall = 0x7FFFFFF0;
    std::memcpy(&tallBmp[22], &tall, 4);
    std::vector<uint8_t> noise(5000);
    uint32_t seed = 12345;
    for (uint8_t& b : noise) b = uint8_t((seed = seed * 1103515245 + 12345) >> 16);
    const std::vector<uint8_t> bad[] = {{}, jpeg, png, noise, huge, tallBmp, tinyGif(1, 0)};
    int n = 0;
    for (const std::vector<uint8_t>& bytes : bad) {
        const std::string path = folder_.file("bad" + std::to_string(n++) + ".png");
        ASSERT_TRUE(writeBytes(path, bytes));
        CoverImage image;
        // Either refused at once, or, when a truncated file gets past the
        // decoder's first look, no bitmap comes of it or a bitmap of the
        // asked size: never a crash.
        if (image.load(path.c_str(), 4)) {
            image.resample(100, 100, true);
            coverhall::UniqueBitmap bitmap(image.makeBitmap());
            if (bitmap) {
                EXPECT_EQ(bitmapSize(bitmap.get()).cx, 100) << n;
            }
        }
    }
    // Those whose header is hostile or missing never reach a decoder.
    for (int i : {0, 3, 4, 5, 6}) {
        CoverImage image;
        EXPECT_FALSE(image.load(folder_.file("bad" + std::to_string(i) + ".png").c_str(), 4)) << i;
    }
    CoverImage image;
    EXPECT_FALSE(image.load(folder_.file("absent.png").c_str(), 4));
    EXPECT_FALSE(image.load(folder_.path().c_str(), 4));  // a folder
}

TEST_F(CoverImageTest, EachThreadDecodesWithTheFactoryOfItsOwnScope) {
    const std::string path = folder_.file("a.png");
    ASSERT_TRUE(writeSolidImage(path, GUID_ContainerFormatPng, 40, 40, kRed));
    IWICImagingFactory* const mine = imagingFactory();
    ASSERT_NE(mine, nullptr);
    ComCallProbe probe;
    // Decodes borrow the scope's factory: none is made per image.
    for (int i = 0; i < 2; ++i) {
        CoverImage image;
        ASSERT_TRUE(image.load(path.c_str(), kFormatPng));
        EXPECT_EQ(pixelAt(image.takePixels(), 5, 5), kRed);
    }
    EXPECT_EQ(probe.factoriesMade(), 0);
    IWICImagingFactory* outside = mine;
    IWICImagingFactory* inside = nullptr;
    bool loadedOutside = true, loadedInside = false;
    std::thread([&] {
        outside = imagingFactory();
        loadedOutside = CoverImage().load(path.c_str(), kFormatPng);
        const ImagingScope scope;
        inside = imagingFactory();
        loadedInside = CoverImage().load(path.c_str(), kFormatPng);
    }).join();
    EXPECT_EQ(outside, nullptr);
    EXPECT_FALSE(loadedOutside);
    EXPECT_NE(inside, nullptr);
    EXPECT_NE(inside, mine);
    EXPECT_TRUE(loadedInside);
    EXPECT_EQ(probe.apartmentsEntered(), 1);
    EXPECT_EQ(probe.factoriesMade(), 1);
    EXPECT_EQ(imagingFactory(), mine);
}
