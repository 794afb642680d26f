// The context menus of the album list and the song list: a right click, the
// context-menu key and Shift+F10 open them, and their commands play, enqueue,
// show the folder and rebuild a cover. The plug-in's code is compiled in, so
// that a recorder takes the place of the file manager; the built DLL lends
// its dialog templates and menus.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "host/clipboard_pictures.h"
#include "host/drag_probes.h"
#include "host/modal_driver.h"
#include "host/wait_probes.h"
#include "plugin/plugin_entry.h"
#include "resources/resource_ids.h"
#include "tests/covers/test_images.h"
#include "tests/views/view_test_support.h"
#include "views/folder_opener.h"
#include "win/com_apartment.h"
#include "win/win_handles.h"

namespace coverhall::test {
namespace {

using host::ModalDriver;

std::vector<std::pair<std::string, std::string>> g_foldersOpened;

void recordFolder(const std::string& folder, const std::string& file) {
    g_foldersOpened.emplace_back(folder, file);
}

std::vector<std::string> texts(const std::vector<host::MenuItemSeen>& menu) {
    std::vector<std::string> result;
    for (const auto& item : menu) result.push_back(item.separator ? "-" : item.text);
    return result;
}

bool anyGreyed(const std::vector<host::MenuItemSeen>& menu, bool all) {
    int greyed = 0, commands = 0;
    for (const auto& item : menu) {
        commands += !item.separator;
        greyed += !item.separator && item.grayed;
    }
    return all ? greyed == commands : greyed > 0;
}

std::vector<std::string> files(const host::PlayRecord& request) {
    std::vector<std::string> result;
    for (const auto& song : request.songs) result.push_back(song.filename);
    return result;
}

void sendKeys(std::initializer_list<std::pair<WORD, bool>> keys) {
    std::vector<INPUT> inputs;
    for (const auto& [key, up] : keys) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(input);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

class ContextMenuTest : public testing::Test {
  protected:
    // The plug-in started on the songs, its album window open in List
    // (mode "0") or Covers ("1").
    void open(std::vector<host::HostSong> songs, const char* mode = "0") {
        writeIni(install_.hostIni(), "UsedView", mode);
        writeIni(install_.hostIni(), "lastfilter", "");
        dll_ = UniqueModule(LoadLibraryA(install_.dllPath.c_str()));
        ASSERT_TRUE(dll_);
        host::HostOptions options = install_.options();
        options.showWindow = true;  // input goes to shown windows only
        host_ = std::make_unique<host::StandInHost>(options);
        host_->setSongs(std::move(songs));
        host_->attachPlugin(&g_pluginRecord, dll_.get());
        host_->startPlugin();
        ASSERT_TRUE(openAndSearch(*host_));
        g_foldersOpened.clear();
        g_folderOpener = &recordFolder;
    }
    void TearDown() override {
        g_folderOpener = &openInExplorer;
        if (host_) host_->stopPlugin();
        host_.reset();
    }
    host::StandInHost& host() { return *host_; }
    HWND list(int id = IDC_ALBUM_LIST) { return host_->control(id); }

    // A right click on the item as the mouse makes it; waits until the
    // driver answered its menu. Clicks alternate between two points of the
    // item, so that two in a row make no double click.
    void rightClick(HWND control, int item, const ModalDriver& driver) {
        RECT rect{};
        ListView_GetItemRect(control, item, &rect, LVIR_LABEL);
        POINT point{(rect.left + rect.right) / 2 + 8 * (clicks_++ % 2),
                    (rect.top + rect.bottom) / 2};
        ClientToScreen(control, &point);
        SetForegroundWindow(GetAncestor(control, GA_ROOT));
        host::moveCursorTo(host(), point);
        INPUT buttons[2] = {};
        buttons[0].type = buttons[1].type = INPUT_MOUSE;
        buttons[0].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
        buttons[1].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
        const size_t seen = driver.menusSeen().size();
        SendInput(2, buttons, sizeof buttons[0]);
        EXPECT_TRUE(host::pumpUntil(host(), [&] { return driver.menusSeen().size() > seen; }));
    }
    // Keys typed into the list with the keyboard focus; waits as above.
    void typeInto(HWND control, std::initializer_list<std::pair<WORD, bool>> keys,
                  const ModalDriver& driver) {
        SetForegroundWindow(GetAncestor(control, GA_ROOT));
        SetFocus(control);
        ASSERT_EQ(GetFocus(), control);
        const size_t seen = driver.menusSeen().size();
        sendKeys(keys);
        EXPECT_TRUE(host::pumpUntil(host(), [&] { return driver.menusSeen().size() > seen; }));
    }

    PluginInstall install_{"views_context_menu"};
    UniqueModule dll_;  // outlives the host: its templates make the windows
    std::unique_ptr<host::StandInHost> host_;
    int clicks_ = 0;
};

TEST_F(ContextMenuTest, AlbumMenuPlaysAndEnqueuesWhatEnqueueSendsAndOpensTheFolder) {
    // Nothing to paste, only a copied text file: "Paste Cover" alone is
    // greyed.
    DROPFILES header{};
    header.pFiles = sizeof header;
    std::vector<uint8_t> copied(reinterpret_cast<const uint8_t*>(&header),
                                reinterpret_cast<const uint8_t*>(&header) + sizeof header);
    for (const char c : std::string("C:\\notes.txt")) copied.push_back(static_cast<uint8_t>(c));
    copied.insert(copied.end(), {0, 0});
    open(demoSongs());
    ASSERT_TRUE(host::putOnClipboard(list(), CF_HDROP, copied));
    ModalDriver driver;
    driver.expectMenu(ID_MENU_PLAY);
    driver.expectMenu(ID_MENU_ENQUEUE);
    driver.expectMenu(ID_MENU_OPEN_FOLDER);
    for (int i = 0; i < 3; ++i) rightClick(list(), 1, driver);  // Cold Rock, three songs
    EXPECT_EQ(ListView_GetNextItem(list(), -1, LVNI_SELECTED), 1);
    EXPECT_NE(GetCapture(), host().viewWindow()) << "a right click started a drag";
    ASSERT_EQ(driver.menusSeen().size(), 3u);
    const std::vector<std::string> items = {"&Play",        "&Enqueue",       "-",
                                            "Open &Folder", "&Refresh Cover", "Set &Cover...",
                                            "&Paste Cover"};
    EXPECT_EQ(texts(driver.menusSeen()[0]), items);
    auto menu = driver.menusSeen()[0];
    ASSERT_EQ(menu.size(), items.size());
    EXPECT_TRUE(menu.back().grayed);
    menu.pop_back();
    EXPECT_FALSE(anyGreyed(menu, false));
    host::clickButton(list(IDC_ENQUEUE));
    const auto& requests = host().playRequests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_FALSE(requests[0].enqueue);
    EXPECT_TRUE(requests[1].enqueue);
    EXPECT_EQ(files(requests[0]), files(requests[2]));
    EXPECT_EQ(files(requests[1]), files(requests[2]));
    EXPECT_EQ(requests[2].songs.size(), 3u);
    ASSERT_EQ(g_foldersOpened.size(), 1u);
    EXPECT_EQ(g_foldersOpened[0].first, "C:\\Music\\BandCold Rock");
    EXPECT_EQ(g_foldersOpened[0].second, "C:\\Music\\BandCold Rock\\1.mp3");

    // Empty space below the albums opens nothing.
    ModalDriver strays(20, 200);
    RECT client{};
    GetClientRect(list(), &client);
    POINT corner{client.right - 4, client.bottom - 4};
    ClientToScreen(list(), &corner);
    SendMessageA(list(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list()),
                 MAKELPARAM(corner.x, corner.y));
    EXPECT_TRUE(strays.unexpected().empty());
    EXPECT_EQ(host().playRequests().size(), 3u);
}

TEST_F(ContextMenuTest, OpenFolderOfADiscSetShowsItsFolderWithTheFirstDiscSelected) {
    writeIni(install_.hostIni(), "JoinDiscFolders", "1");
    std::vector<host::HostSong> songs;
    for (const char* disc : {"CD2", "CD1"}) {
        host::HostSong song;
        song.filename = std::string("C:\\Music\\Set\\") + disc + "\\1.mp3";
        song.album = "Set";
        songs.push_back(song);
    }
    open(songs);
    ModalDriver driver;
    driver.expectMenu(ID_MENU_OPEN_FOLDER);
    rightClick(list(), 0, driver);
    ASSERT_EQ(g_foldersOpened.size(), 1u);
    EXPECT_EQ(g_foldersOpened[0].first, "C:\\Music\\Set");
    EXPECT_EQ(g_foldersOpened[0].second, "C:\\Music\\Set\\CD1");
}

TEST_F(ContextMenuTest, BothKeysOpenTheMenuAtTheFocusGreyedWithoutASelectionAndEscapeClosesIt) {
    open(demoSongs());
    ModalDriver driver;
    driver.expectMenu(0);
    typeInto(list(), {{VK_APPS, false}, {VK_APPS, true}}, driver);
    ListView_SetItemState(list(), -1, 0, LVIS_SELECTED);
    driver.expectMenu(0);
    typeInto(list(), {{VK_SHIFT, false}, {VK_F10, false}, {VK_F10, true}, {VK_SHIFT, true}},
             driver);
    ASSERT_EQ(driver.menusSeen().size(), 2u);
    auto selected = driver.menusSeen()[0];
    selected.pop_back();  // "Paste Cover" follows the clipboard
    EXPECT_FALSE(anyGreyed(selected, false));
    EXPECT_TRUE(anyGreyed(driver.menusSeen()[1], true));
    // Escape closed each menu: none was left for the driver to end.
    EXPECT_TRUE(driver.unexpected().empty());
    EXPECT_TRUE(host().playRequests().empty());
}

TEST_F(ContextMenuTest, SongMenuSendsAndShowsTheSelectedSongs) {
    open(demoSongs());
    ListView_SetItemState(list(), -1, 0, LVIS_SELECTED);
    ListView_SetItemState(list(), 2, LVIS_SELECTED, LVIS_SELECTED);  // Dance, four songs
    host::clickButton(list(IDC_MODE_CONTENTS));
    HWND songs = list(IDC_SONG_LIST);
    ListView_SetItemState(songs, -1, 0, LVIS_SELECTED);
    ListView_SetItemState(songs, 1, LVIS_SELECTED, LVIS_SELECTED);
    ListView_SetItemState(songs, 3, LVIS_SELECTED, LVIS_SELECTED);
    ModalDriver driver;
    driver.expectMenu(ID_MENU_PLAY);
    driver.expectMenu(ID_MENU_OPEN_FOLDER);
    rightClick(songs, 3, driver);
    rightClick(songs, 3, driver);
    ASSERT_EQ(driver.menusSeen().size(), 2u);
    const std::vector<std::string> items = {"&Play", "&Enqueue", "-", "Open &Folder"};
    EXPECT_EQ(texts(driver.menusSeen()[0]), items);
    host::clickButton(list(IDC_ENQUEUE));
    const auto& requests = host().playRequests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_FALSE(requests[0].enqueue);
    EXPECT_EQ(files(requests[0]), files(requests[1]));
    EXPECT_EQ(requests[0].songs.size(), 2u);
    ASSERT_EQ(g_foldersOpened.size(), 1u);
    EXPECT_EQ(g_foldersOpened[0].first, "C:\\Music\\DJDance");
    EXPECT_EQ(g_foldersOpened[0].second, "C:\\Music\\DJDance\\2.mp3");
}

TEST_F(ContextMenuTest, RefreshCoverRewritesTheCacheFromAChangedSourceAndKeepsItWithout) {
    ComApartment apartment;  // the test's own images are written with WIC
    TempFolder root;
    const std::string folder = root.file("Album");
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string source = folder + "\\folder.png";
    const std::string cache = folder + "\\Quillet_Small_Cache_Cover.bmp";
    ASSERT_TRUE(writeSolidImage(source, GUID_ContainerFormatPng, 200, 200, 0xC02020));
    open({song("Album", "Jazz", "Song", folder.c_str())}, "1");
    RECT icon{};
    ListView_GetItemRect(list(), 0, &icon, LVIR_ICON);
    const POINT centre{(icon.left + icon.right) / 2, (icon.top + icon.bottom) / 2};
    // The cover as the wall shows it, unselected: a selected one is drawn
    // highlighted.
    const auto shows = [&](uint32_t colour) {
        if (ListView_GetSelectedCount(list()) > 0) {
            ListView_SetItemState(list(), -1, 0, LVIS_SELECTED);
            UpdateWindow(list());
        }
        return similar(screenColour(list(), centre), colour);
    };
    ASSERT_TRUE(host::pumpUntil(host(), [&] { return fileExists(cache) && shows(0xC02020); }));
    const std::vector<uint8_t> red = readBytes(cache);
    // Replaced within the cache's second: the cache still looks current.
    ASSERT_TRUE(writeSolidImage(source, GUID_ContainerFormatPng, 200, 200, 0x2020C0));
    ASSERT_TRUE(setWriteTime(source, writeTime(cache)));
    ModalDriver driver;
    driver.expectMenu(ID_MENU_REFRESH_COVER);
    rightClick(list(), 0, driver);
    EXPECT_TRUE(host::pumpUntil(host(), [&] { return readBytes(cache) != red; }));
    EXPECT_TRUE(host::pumpUntil(host(), [&] { return shows(0x2020C0); }));
    const std::vector<uint8_t> blue = readBytes(cache);

    // Without a source the cache stays, and so does its picture.
    ASSERT_TRUE(DeleteFileA(source.c_str()));
    bool answered = false;
    const TakenMessages answers(
        [&](const MSG& message) { answered |= message.message == kCoverResultsMessage; });
    driver.expectMenu(ID_MENU_REFRESH_COVER);
    rightClick(list(), 0, driver);
    EXPECT_TRUE(host::pumpUntil(host(), [&] { return answered; }));
    EXPECT_EQ(readBytes(cache), blue);
    EXPECT_TRUE(shows(0x2020C0));
}

}  // namespace
}  // namespace coverhall::test
