// Reads the shipped DLL's version block back the way the plug-in and Windows
// Explorer do.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string g_dllPath;

class VersionBlock : public ::testing::Test {
protected:
    void SetUp() override {
        DWORD ignored = 0;
        DWORD size = GetFileVersionInfoSizeA(g_dllPath.c_str(), &ignored);
        ASSERT_NE(size, 0u) << g_dllPath;
        block_.resize(size);
        ASSERT_TRUE(GetFileVersionInfoA(g_dllPath.c_str(), 0, size, block_.data()));
    }

    std::string stringValue(const char* name) {
        std::string key = std::string("\\StringFileInfo\\040904b0\\") + name;
        void* value = nullptr;
        UINT length = 0;
        if (!VerQueryValueA(block_.data(), key.c_str(), &value, &length) || !value) return "<none>";
        return static_cast<const char*>(value);
    }

    std::vector<char> block_;
};

TEST_F(VersionBlock, FixedVersionsAre1_1_0_1) {
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block_.data(), "\\", reinterpret_cast<void**>(&info), &length));
    EXPECT_EQ(info->dwFileVersionMS, MAKELONG(1, 1));
    EXPECT_EQ(info->dwFileVersionLS, MAKELONG(1, 0));
    EXPECT_EQ(info->dwProductVersionMS, MAKELONG(1, 1));
    EXPECT_EQ(info->dwProductVersionLS, MAKELONG(1, 0));
}

TEST_F(VersionBlock, OneUsEnglishUnicodeTranslation) {
    WORD* translation = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block_.data(), "\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &length));
    ASSERT_EQ(length, 4u);
    EXPECT_EQ(translation[0], 0x0409);
    EXPECT_EQ(translation[1], 0x04b0);
}

TEST_F(VersionBlock, StringsReadBackExactly) {
    EXPECT_EQ(stringValue("FileVersion"), "1.1.0.1");
    EXPECT_EQ(stringValue("ProductVersion"), "1.1.0.1");
    EXPECT_EQ(stringValue("Build Date"), "15. June 2005");
    EXPECT_EQ(stringValue("CompanyName"), "Quillet Varnou GmbH");
    EXPECT_EQ(stringValue("FileDescription"), "Coverhall for WINAMP");
    EXPECT_EQ(stringValue("ProductName"), "Coverhall for WINAMP");
    EXPECT_EQ(stringValue("InternalName"), "ml_Coverhall");
    EXPECT_EQ(stringValue("OriginalFilename"), "ml_Coverhall.dll");
}

TEST_F(VersionBlock, CommentsPresentThePlugIn) {
    std::string comments = stringValue("Comments");
    // The About box shows this paragraph; the plug-in copies it into a buffer
    // of 2052 bytes.
    EXPECT_LT(comments.size(), 2052u);
    for (const char* word : {"Coverhall", "Genres", "List", "Covers", "Contents", "search",
                             "playlist"}) {
        EXPECT_NE(comments.find(word), std::string::npos) << word;
    }
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (argc < 2) {
        fprintf(stderr, "usage: package_tests <path of ml_Coverhall.dll>\n");
        return 2;
    }
    g_dllPath = argv[1];
    return RUN_ALL_TESTS();
}
