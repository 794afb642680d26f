// Extensions, the format table and bounded path joining.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "covers/file_names.h"

namespace {

std::string ext(const char* name) {
    char out[kCoverPathSize];
    return fileExtension(name, out);
}

}  // namespace

TEST(FileNames, ExtensionIsTheTextAfterTheLastStopWithItsCase) {
    EXPECT_EQ(ext("Cover.JPG"), "JPG");
    EXPECT_EQ(ext("a.b.png"), "png");
    EXPECT_EQ(ext("noextension"), "");
    EXPECT_EQ(ext("trailing."), "");
    EXPECT_EQ(ext(".hidden"), "hidden");
    EXPECT_EQ(ext(""), "");
    EXPECT_EQ(ext(nullptr), "");
    // A stop inside a folder name is no extension.
    EXPECT_EQ(ext("scans.old\\front"), "");
    EXPECT_EQ(ext("scans.old/front"), "");
    EXPECT_EQ(ext("a.b:c"), "");
    EXPECT_EQ(ext("a.*"), "");
    EXPECT_EQ(ext("a.?"), "");
    EXPECT_EQ(ext("scans\\front.jpg"), "jpg");
}

TEST(FileNames, ExtensionOfAHugeNameIsEmptyNotOverflowing) {
    const std::string name = "x." + std::string(5000, 'j');
    EXPECT_EQ(ext(name.c_str()), "");
    const std::string fits = "x." + std::string(kCoverPathSize - 1, 'j');
    EXPECT_EQ(ext(fits.c_str()).size(), kCoverPathSize - 1);
}

TEST(FileNames, FormatTableIsExactButNamesAreLowered) {
    EXPECT_EQ(formatOfExtension("bmp"), kFormatBmp);
    EXPECT_EQ(formatOfExtension("gif"), kFormatGif);
    EXPECT_EQ(formatOfExtension("jpg"), kFormatJpg);
    EXPECT_EQ(formatOfExtension("png"), kFormatPng);
    EXPECT_EQ(formatOfExtension("JPG"), kFormatNone);
    for (const char* jpeg : {"jpeg", "jpe", "jfif"}) EXPECT_EQ(formatOfExtension(jpeg), kFormatJpg);
    EXPECT_EQ(formatOfExtension(nullptr), kFormatNone);
    EXPECT_EQ(formatOfName("COVER.JPG"), kFormatJpg);
    EXPECT_EQ(formatOfName("front.Png"), kFormatPng);
    EXPECT_EQ(formatOfName("front.tif"), kFormatNone);
    EXPECT_EQ(formatOfName("front.JPEG"), kFormatJpg);
    EXPECT_EQ(formatOfName("cover"), kFormatNone);
    EXPECT_EQ(formatOfName(""), kFormatNone);
}

TEST(FileNames, JoinRefusesWhatDoesNotFitInAPathBuffer) {
    char out[kCoverPathSize];
    ASSERT_TRUE(joinPath("C:\\Music\\Album", "cover.jpg", out));
    EXPECT_STREQ(out, "C:\\Music\\Album\\cover.jpg");

    // 259 characters fit, 260 do not.
    const std::string folder(250, 'f');
    EXPECT_TRUE(joinPath(folder.c_str(), "12345678", out));
    EXPECT_EQ(std::strlen(out), 259u);
    EXPECT_FALSE(joinPath(folder.c_str(), "123456789", out));
    EXPECT_STREQ(out, "");
    const std::string huge(100000, 'h');
    EXPECT_FALSE(joinPath(huge.c_str(), "a", out));
    EXPECT_FALSE(joinPath(nullptr, "a", out));
    EXPECT_FALSE(joinPath("a", nullptr, out));
}
