// Covers set by hand: the name written under each rule, the picture copied or
// encoded, every file in the way renamed aside with its bytes, and nothing
// changed when the picture is bad or the folder cannot take the file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "covers/cover_image.h"
#include "covers/cover_search.h"
#include "covers/cover_setter.h"
#include "covers/image_header.h"
#include "covers/imaging_factory.h"
#include "tests/covers/test_images.h"
#include "win/whole_file.h"

namespace {

using Result = SetCoverOutcome::Result;
using Names = std::vector<std::pair<std::string, std::string>>;

constexpr uint32_t kRed = 0xE02020, kGreen = 0x20C040, kBlue = 0x2040E0, kYellow = 0xE0D020;

void put16(std::vector<uint8_t>& v, std::size_t at, uint32_t x) {
    v[at] = uint8_t(x);
    v[at + 1] = uint8_t(x >> 8);
}
void put32(std::vector<uint8_t>& v, std::size_t at, uint32_t x) {
    put16(v, at, x);
    put16(v, at + 2, x >> 16);
}

// A solid bitmap as the clipboard holds it: 24-bit under an info header
// (CF_DIB), or 32-bit with masks and alpha under a V5 header (CF_DIBV5, as
// browsers give).
std::vector<uint8_t> packedDib(int width, int height, uint32_t rgb, bool v5 = false) {
    const uint32_t header = v5 ? 124 : 40, bits = v5 ? 32 : 24;
    const uint32_t stride = (width * bits / 8 + 3) & ~3u;
    std::vector<uint8_t> v(header + std::size_t(stride) * height, 0);
    put32(v, 0, header);
    put32(v, 4, uint32_t(width));
    put32(v, 8, uint32_t(height));
    put16(v, 12, 1);
    put16(v, 14, bits);
    if (v5) {
        put32(v, 16, 3);  // BI_BITFIELDS, masks inside the header
        put32(v, 40, 0x00FF0000);
        put32(v, 44, 0x0000FF00);
        put32(v, 48, 0x000000FF);
        put32(v, 52, 0xFF000000);
        put32(v, 56, 0x73524742);  // LCS_sRGB
    }
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            uint8_t* p = &v[header + std::size_t(y) * stride + x * bits / 8];
            p[0] = uint8_t(rgb);
            p[1] = uint8_t(rgb >> 8);
            p[2] = uint8_t(rgb >> 16);
            if (v5) p[3] = 0xFF;
        }
    }
    return v;
}

ImageFormat contentFormat(const std::vector<uint8_t>& bytes) {
    ImageHeader header;
    readImageHeader(bytes.data(), bytes.size(), header);
    return header.format;
}

class CoverSetterTest : public testing::Test {
  protected:
    std::string file(const std::string& name) const { return album_.file(name); }

    SetCoverOutcome set(const CoverSource& source, int mode = AnyImage,
                        const std::string& imageName = {}) {
        CoverRule rule;
        rule.mode = mode;
        rule.imageName = imageName;
        return setAlbumCover(album_.path().c_str(), rule, source);
    }
    CoverSource bitmap(uint32_t rgb) const { return CoverSource{{}, packedDib(40, 30, rgb)}; }
    // A picture file outside the album.
    CoverSource picture(const std::string& name, const GUID& container, uint32_t rgb) {
        const std::string path = sources_.file(name);
        EXPECT_TRUE(writeSolidImage(path, container, 40, 30, rgb));
        return CoverSource{path, {}};
    }

    // Every file of the album folder with its bytes.
    std::map<std::string, std::vector<uint8_t>> files() const {
        std::map<std::string, std::vector<uint8_t>> out;
        WIN32_FIND_DATAA entry;
        HANDLE find = FindFirstFileA(file("*").c_str(), &entry);
        if (find == INVALID_HANDLE_VALUE) return out;
        do {
            if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                out[entry.cFileName] = readBytes(file(entry.cFileName));
        } while (FindNextFileA(find, &entry));
        FindClose(find);
        return out;
    }

    // The centre colour the image layer decodes from a file of the album.
    uint32_t colourOf(const std::string& name) {
        CoverImage image;
        if (!image.load(file(name).c_str(), kFormatPng)) return 0xFFFFFFFF;
        const CoverPixels pixels = image.takePixels();
        return pixelAt(pixels, pixels.width / 2, pixels.height / 2);
    }

    ImagingScope imaging_;
    TempFolder album_;
    TempFolder sources_;
};

TEST_F(CoverSetterTest, ABitmapOnAnAlbumWithoutCoverBecomesFolderJpg) {
    for (const bool v5 : {false, true}) {
        TempFolder album;
        const SetCoverOutcome outcome = setAlbumCover(
            album.path().c_str(), CoverRule{}, CoverSource{{}, packedDib(40, 30, kGreen, v5)});
        EXPECT_EQ(outcome.result, Result::Set) << v5;
        EXPECT_EQ(outcome.written, "folder.jpg");
        EXPECT_TRUE(outcome.setAside.empty());
        EXPECT_FALSE(outcome.imageNameUnusable);
        EXPECT_EQ(contentFormat(readBytes(album.file("folder.jpg"))), kFormatJpg);
        CoverImage image;
        ASSERT_TRUE(image.load(album.file("folder.jpg").c_str(), kFormatJpg));
        EXPECT_TRUE(similar(pixelAt(image.takePixels(), 20, 15), kGreen)) << v5;
    }
}

TEST_F(CoverSetterTest, EveryFolderImageInTheWayIsSetAsideAndTheNewOneWins) {
    ASSERT_TRUE(writeSolidImage(file("folder.jpg"), GUID_ContainerFormatJpeg, 20, 20, kRed));
    ASSERT_TRUE(writeSolidImage(file("Folder.PNG"), GUID_ContainerFormatPng, 20, 20, kBlue));
    ASSERT_TRUE(writeSolidImage(file("cover.jpg"), GUID_ContainerFormatJpeg, 300, 300, kBlue));
    const std::vector<uint8_t> old = readBytes(file("folder.jpg"));

    SetCoverOutcome outcome = set(bitmap(kYellow));
    EXPECT_EQ(outcome.result, Result::Set);
    EXPECT_EQ(outcome.written, "folder.jpg");
    EXPECT_EQ(outcome.setAside,
              (Names{{"folder.jpg", "folder.jpg.bak"}, {"Folder.PNG", "Folder.PNG.bak"}}));
    EXPECT_EQ(readBytes(file("folder.jpg.bak")), old);
    CoverSearch search;
    findCoverImage(album_.path().c_str(), "", "", search);
    EXPECT_EQ(search.image, file("folder.jpg"));
    EXPECT_TRUE(similar(colourOf("folder.jpg"), kYellow));

    const std::vector<uint8_t> first = readBytes(file("folder.jpg"));
    outcome = set(bitmap(kGreen));
    EXPECT_EQ(outcome.setAside, (Names{{"folder.jpg", "folder.jpg.1.bak"}}));
    EXPECT_EQ(readBytes(file("folder.jpg.1.bak")), first);
    EXPECT_EQ(readBytes(file("folder.jpg.bak")), old);
    // The same picture again has nothing in its way.
    const auto before = files();
    outcome = set(bitmap(kGreen));
    EXPECT_EQ(outcome.result, Result::Set);
    EXPECT_TRUE(outcome.setAside.empty());
    EXPECT_EQ(files(), before);
}

TEST_F(CoverSetterTest, TheNameAndTheEncodingFollowTheRuleAndThePicture) {
    const struct {
        int mode;
        const char* imageName;
        const char* existing;  // a picture already in the album, or ""
        const char* source;    // "dib", or a file name whose extension picks its type
        const char* written;
        ImageFormat content;
        bool copied;  // byte for byte from the source file
        bool unusable;
    } cases[] = {
        {NamedImage, "cover.png", "", "dib", "cover.png", kFormatPng, false, false},
        {NamedImage, "cover.png", "", "a.jpg", "cover.png", kFormatPng, false, false},
        {NamedImage, "Art.jpeg", "", "a.jpg", "Art.jpeg", kFormatJpg, true, false},
        {NamedImage, "cover.gif", "", "dib", "cover.gif", kFormatGif, false, false},
        {NamedImage, "scan.bmp", "", "a.png", "scan.bmp", kFormatBmp, false, false},
        {NamedThenAny, "cover.png", "", "a.png", "folder.png", kFormatPng, true, false},
        {NamedThenAny, "cover.png", "cover.png", "a.jpg", "cover.png", kFormatPng, false, false},
        {NamedThenAny, "", "", "dib", "folder.jpg", kFormatJpg, false, false},
        {AnyImage, "cover.png", "", "a.jfif", "folder.jpg", kFormatJpg, true, false},
        {AnyImage, "", "", "a.bmp", "folder.bmp", kFormatBmp, true, false},
        {NamedImage, "", "", "dib", "folder.jpg", kFormatJpg, false, true},
        {NamedImage, "sub\\x.jpg", "", "a.png", "folder.png", kFormatPng, true, true},
        {NamedImage, "x.txt", "", "dib", "folder.jpg", kFormatJpg, false, true},
        {NamedImage, "x.jpg:hidden", "", "dib", "folder.jpg", kFormatJpg, false, true},
        {NamedThenAny, "sub\\x.jpg", "sub\\x.jpg", "dib", "folder.jpg", kFormatJpg, false, true},
    };
    const std::map<std::string, const GUID*> containers = {{"jpg", &GUID_ContainerFormatJpeg},
                                                           {"jfif", &GUID_ContainerFormatJpeg},
                                                           {"png", &GUID_ContainerFormatPng},
                                                           {"bmp", &GUID_ContainerFormatBmp}};
    for (const auto& c : cases) {
        const std::string label = std::string(c.imageName) + " <- " + c.source;
        TempFolder album;
        CreateDirectoryA(album.file("sub").c_str(), nullptr);
        if (*c.existing) {
            ASSERT_TRUE(
                writeSolidImage(album.file(c.existing), GUID_ContainerFormatPng, 8, 8, kRed));
        }
        CoverSource source{{}, packedDib(40, 30, kBlue)};
        if (std::strcmp(c.source, "dib") != 0) {
            const std::string ext = std::strrchr(c.source, '.') + 1;
            source = picture(c.source, *containers.at(ext), kBlue);
        }
        CoverRule rule;
        rule.mode = c.mode;
        rule.imageName = c.imageName;
        const SetCoverOutcome outcome = setAlbumCover(album.path().c_str(), rule, source);
        EXPECT_EQ(outcome.result, Result::Set) << label;
        EXPECT_EQ(outcome.written, c.written) << label;
        EXPECT_EQ(outcome.imageNameUnusable, c.unusable) << label;
        const std::vector<uint8_t> bytes = readBytes(album.file(c.written));
        EXPECT_EQ(contentFormat(bytes), c.content) << label;
        if (c.copied) {
            EXPECT_EQ(bytes, readBytes(source.file)) << label;
        }
        CoverImage image;
        ASSERT_TRUE(image.load(album.file(c.written).c_str(), kFormatPng)) << label;
        EXPECT_TRUE(similar(pixelAt(image.takePixels(), 20, 15), kBlue)) << label;
        // What stood under the name written is kept beside it.
        if (*c.existing && std::strcmp(c.existing, c.written) == 0) {
            EXPECT_EQ(outcome.setAside, (Names{{c.existing, std::string(c.existing) + ".bak"}}));
        }
    }
}

TEST_F(CoverSetterTest, ABadPictureOrAFolderThatCannotTakeTheFileChangesNothing) {
    ASSERT_TRUE(writeSolidImage(file("folder.jpg"), GUID_ContainerFormatJpeg, 20, 20, kRed));
    ASSERT_TRUE(writeSolidImage(file("folder.png"), GUID_ContainerFormatPng, 20, 20, kBlue));
    const auto before = files();

    std::vector<uint8_t> brokenPng = readBytes(file("folder.png"));
    brokenPng.resize(brokenPng.size() / 2);
    ASSERT_TRUE(writeBytes(sources_.file("broken.png"), brokenPng));
    ASSERT_TRUE(writeBytes(sources_.file("text.jpg"), {'n', 'o', 't', ' ', 'a', 'n', ' ', 'i'}));
    ASSERT_TRUE(writeBytes(sources_.file("huge.gif"), tinyGif(20000, 20000)));
    std::vector<uint8_t> cutDib = packedDib(40, 30, kRed);
    cutDib.resize(cutDib.size() - 10);
    std::vector<uint8_t> lyingDib = packedDib(4, 4, kRed);
    put32(lyingDib, 32, 0x40000000);  // a colour table beyond the data
    const CoverSource badPictures[] = {
        {sources_.file("broken.png"), {}},
        {sources_.file("text.jpg"), {}},
        {sources_.file("huge.gif"), {}},
        {sources_.file("absent.jpg"), {}},
        {{}, {}},
        {{}, cutDib},
        {{}, lyingDib},
        {{}, {40, 0, 0}},
    };
    for (const CoverSource& source : badPictures) {
        const SetCoverOutcome outcome = set(source);
        EXPECT_EQ(outcome.result, Result::NotAPicture) << source.file << source.packedDib.size();
        EXPECT_TRUE(outcome.written.empty() && outcome.setAside.empty());
        EXPECT_EQ(files(), before) << source.file;
    }

    // A folder that refuses the new file (Wine as root writes anywhere, so a
    // folder stands where the file is staged): nothing is renamed.
    const std::string staging = coverhall::stagingPathFor(file("folder.jpg").c_str());
    ASSERT_TRUE(CreateDirectoryA(staging.c_str(), nullptr));
    EXPECT_EQ(set(bitmap(kGreen)).result, Result::NotWritable);
    EXPECT_EQ(files(), before);
    RemoveDirectoryA(staging.c_str());

    // A file that cannot be renamed aside (open elsewhere without delete
    // sharing): the one renamed before it returns, the staged file goes.
    HANDLE locked = CreateFileA(file("folder.png").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);
    const SetCoverOutcome outcome = set(bitmap(kGreen));
    CloseHandle(locked);
    EXPECT_EQ(outcome.result, Result::NotWritable);
    EXPECT_TRUE(outcome.written.empty() && outcome.setAside.empty());
    EXPECT_EQ(files(), before);

    // No folder, a file for a folder, paths past the platform's limit.
    const std::string aFile = file("folder.jpg");
    const std::string longFolder = album_.path() + "\\" + std::string(250, 'x');
    for (const char* folder :
         {static_cast<const char*>(nullptr), "", aFile.c_str(), longFolder.c_str()}) {
        EXPECT_EQ(setAlbumCover(folder, CoverRule{}, bitmap(kGreen)).result, Result::NotWritable);
    }
    EXPECT_EQ(files(), before);
}

}  // namespace
