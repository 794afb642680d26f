// Setting an album's cover by hand, as a user does it: a bitmap pasted with
// Ctrl+V, a picture file dropped from Explorer. The picture is written into
// the album's folder, what stood in the way is kept aside, the wall shows
// the new cover and the status line tells what happened.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "host/clipboard_pictures.h"
#include "resources/resource_ids.h"
#include "tests/covers/test_images.h"
#include "tests/views/view_test_support.h"
#include "win/com_apartment.h"

namespace coverhall::test {
namespace {

constexpr uint32_t kRed = 0xD02020, kBlue = 0x2040D0, kGreen = 0x20B040;

// Explorer's list of files: a DROPFILES header, then the names, each ended
// by a zero, and one more zero.
std::vector<uint8_t> dropFiles(const std::vector<std::string>& files, POINT at) {
    DROPFILES header{};
    header.pFiles = sizeof header;
    header.pt = at;
    std::vector<uint8_t> bytes(reinterpret_cast<const uint8_t*>(&header),
                               reinterpret_cast<const uint8_t*>(&header) + sizeof header);
    for (const std::string& file : files)
        bytes.insert(bytes.end(), file.c_str(), file.c_str() + file.size() + 1);
    bytes.push_back(0);
    return bytes;
}

class SetCoverTest : public testing::Test {
  protected:
    void SetUp() override {
        // A tag tip under the cursor would hide a cover.
        SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
        for (const char* title : {"Album 0", "Album 1", "Album 2"}) {
            const std::string folder = root_.file(title);
            CreateDirectoryA(folder.c_str(), nullptr);
            songs_.push_back(song(title, "Jazz", "Song", folder.c_str()));
            folders_.push_back(folder);
        }
    }

    // The plug-in on the three albums, its wall shown, under the rule.
    void start(const char* mode = "2", const char* imageName = "cover.bmp") {
        writeIni(install_.hostIni(), "UsedView", "1");
        writeIni(install_.hostIni(), "FrontCoverDetection", mode);
        writeIni(install_.hostIni(), "FrontCoverImageName", imageName);
        host::HostOptions options = install_.options();
        options.showWindow = true;  // its pixels are read
        plugin_ = std::make_unique<RunningPlugin>(install_, songs_, options);
        ASSERT_TRUE(plugin_->loaded);
        ASSERT_TRUE(openAndSearch(host()));
    }
    host::StandInHost& host() { return plugin_->host; }
    HWND list() { return host().control(IDC_ALBUM_LIST); }
    std::string statusLine() { return controlText(host().viewWindow(), IDC_STATUS_LINE); }
    std::string file(int album, const char* name) const { return folders_[album] + "\\" + name; }

    POINT centreOf(int item) {
        RECT icon{};
        ListView_GetItemRect(list(), item, &icon, LVIR_ICON);
        return {(icon.left + icon.right) / 2, (icon.top + icon.bottom) / 2};
    }
    // Whether the wall shows the album's cover in that colour, unselected:
    // Wine draws a selected cover as a flat square.
    bool shows(int item, uint32_t rgb) {
        ListView_SetItemState(list(), -1, 0, LVIS_SELECTED);
        UpdateWindow(list());
        return similar(screenColour(list(), centreOf(item)), rgb, 24);
    }
    // What the status line said once the cover was set, or why not.
    std::string coverNotice() {
        handleMessagesUntil([&] { return statusLine().rfind("Cover ", 0) == 0; });
        return statusLine();
    }
    bool statusSays(const std::string& start) { return coverNotice().rfind(start, 0) == 0; }

    void selectOnly(int item) {
        ListView_SetItemState(list(), -1, 0, LVIS_SELECTED);
        ListView_SetItemState(list(), item, LVIS_SELECTED | LVIS_FOCUSED,
                              LVIS_SELECTED | LVIS_FOCUSED);
        SetFocus(list());
    }
    void pasteOnto(int item) {
        selectOnly(item);
        host::holdKey(VK_CONTROL, true);
        host::pressKey(list(), 'V');
        host::holdKey(VK_CONTROL, false);
    }

    ComApartment apartment_;  // the test's own images are written with WIC
    TempFolder root_;
    PluginInstall install_{"views_set_cover"};
    std::vector<host::HostSong> songs_;
    std::vector<std::string> folders_;
    std::unique_ptr<RunningPlugin> plugin_;
};

}  // namespace

TEST_F(SetCoverTest, APastedBitmapIsWrittenAsTheCoverAndWhatStoodInTheWayIsKept) {
    // Album 1 has a folder.jpg and a larger cover.jpg, which would win if
    // file size decided between them.
    ASSERT_TRUE(writeSolidImage(file(1, "folder.jpg"), GUID_ContainerFormatJpeg, 50, 50, kBlue));
    ASSERT_TRUE(writeSolidImage(file(1, "cover.jpg"), GUID_ContainerFormatJpeg, 400, 400, kGreen));
    const std::vector<uint8_t> oldFolderJpg = readBytes(file(1, "folder.jpg"));
    start();
    ASSERT_TRUE(handleMessagesUntil([&] { return shows(1, kBlue); }));

    for (const int album : {0, 1}) {
        SCOPED_TRACE(album);
        ASSERT_TRUE(host::putOnClipboard(list(), CF_DIB, host::solidDib(300, kRed)));
        pasteOnto(album);
        EXPECT_TRUE(statusSays("Cover set: folder.jpg")) << statusLine();
        EXPECT_TRUE(handleMessagesUntil([&] { return shows(album, kRed); }));
        EXPECT_TRUE(fileExists(file(album, "folder.jpg")));
    }
    EXPECT_EQ(readBytes(file(1, "folder.jpg.bak")), oldFolderJpg);
    EXPECT_NE(statusLine().find("folder.jpg kept as folder.jpg.bak"), std::string::npos)
        << statusLine();
    EXPECT_TRUE(fileExists(file(1, "cover.jpg")));
}

TEST_F(SetCoverTest, ANamedImageRuleWritesThatName) {
    start("1", "cover.png");
    ASSERT_TRUE(host::putOnClipboard(list(), CF_DIB, host::solidDib(120, kBlue)));
    pasteOnto(2);
    EXPECT_TRUE(statusSays("Cover set: cover.png")) << statusLine();
    EXPECT_TRUE(handleMessagesUntil([&] { return shows(2, kBlue); }));
    EXPECT_FALSE(fileExists(file(2, "folder.jpg")));
}

TEST_F(SetCoverTest, ABrokenPictureChangesNothingAndSaysWhy) {
    start();
    const std::string broken = root_.file("broken.jpg");
    ASSERT_TRUE(writeBytes(broken, std::vector<uint8_t>(64, 'x')));
    ASSERT_TRUE(host::putOnClipboard(list(), CF_HDROP, dropFiles({broken}, POINT{})));
    pasteOnto(0);
    EXPECT_TRUE(statusSays("Cover not set: not a picture Coverhall can read")) << statusLine();
    EXPECT_FALSE(fileExists(file(0, "folder.jpg")));
}

TEST_F(SetCoverTest, AFileDroppedOnTheSecondAlbumSetsThatAlbumsCoverOnly) {
    start();
    const std::string picture = root_.file("dropped.png");
    ASSERT_TRUE(writeSolidImage(picture, GUID_ContainerFormatPng, 200, 200, kGreen));
    const std::string notes = root_.file("notes.txt");
    ASSERT_TRUE(writeBytes(notes, {'n'}));
    // The first picture among the files counts. The list frees the memory.
    const std::vector<uint8_t> files = dropFiles({notes, picture}, centreOf(1));
    HGLOBAL drop = GlobalAlloc(GMEM_MOVEABLE, files.size());
    ASSERT_TRUE(drop);
    std::memcpy(GlobalLock(drop), files.data(), files.size());
    GlobalUnlock(drop);
    PostMessageA(list(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
    EXPECT_TRUE(statusSays("Cover set: folder.png")) << statusLine();
    EXPECT_TRUE(handleMessagesUntil([&] { return shows(1, kGreen); }));
    // Copied as it is: the same type as the name.
    EXPECT_EQ(readBytes(file(1, "folder.png")), readBytes(picture));
    EXPECT_FALSE(fileExists(file(0, "folder.png")));
    EXPECT_FALSE(fileExists(file(2, "folder.png")));
}

}  // namespace coverhall::test
