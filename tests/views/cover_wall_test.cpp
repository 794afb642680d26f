// The cover wall fills in behind its first paint: nothing is decoded while
// the window paints, covers arrive in display order, keys are handled
// between any two decodes, and work for albums no longer shown is dropped.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "host/list_probes.h"
#include "host/modal_driver.h"
#include "host/wait_probes.h"
#include "resources/resource_ids.h"
#include "tests/covers/test_images.h"
#include "tests/views/view_test_support.h"
#include "views/album_window.h"
#include "win/com_apartment.h"

namespace coverhall::test {
namespace {

// Albums "Album 00".. in folders of their own, each with a JPEG folder.jpg,
// shown by the plug-in in Covers mode.
class CoverWallTest : public testing::Test {
  protected:
    void open(int albums, int edge) {
        std::vector<host::HostSong> songs;
        for (int i = 0; i < albums; ++i) {
            char title[16];
            std::snprintf(title, sizeof title, "Album %02d", i);
            const std::string folder = root_.file(title);
            CreateDirectoryA(folder.c_str(), nullptr);
            ASSERT_TRUE(writeSolidImage(folder + "\\folder.jpg", GUID_ContainerFormatJpeg, edge,
                                        edge, 0x203040 + 0x080400 * static_cast<uint32_t>(i)));
            songs.push_back(song(title, "Jazz", "Song", folder.c_str()));
            folders_.push_back(folder);
        }
        writeIni(install_.hostIni(), "UsedView", "1");
        writeIni(install_.hostIni(), "lastfilter", "");
        host::HostOptions options = install_.options();
        options.showWindow = true;
        plugin_ = std::make_unique<RunningPlugin>(install_, songs, options);
        ASSERT_TRUE(plugin_->host.selectEntry("Coverhall"));
        ASSERT_EQ(cachedCount(), 0);
        // Up to the search, before the list paints its items.
        const DWORD start = GetTickCount();
        while (host::listItemCount(list()) == 0 && GetTickCount() - start < 5000) {
            if (!handleOneMessage()) MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        }
        ASSERT_EQ(host::listItemCount(list()), albums);
    }
    host::StandInHost& host() { return plugin_->host; }
    HWND list() { return host().control(IDC_ALBUM_LIST); }
    bool cached(int album) const {
        return fileExists(folders_[static_cast<size_t>(album)] + "\\Quillet_Small_Cache_Cover.bmp");
    }
    int cachedCount() const {
        int count = 0;
        for (size_t i = 0; i < folders_.size(); ++i) count += cached(static_cast<int>(i));
        return count;
    }
    std::string statusLine() { return controlText(host().viewWindow(), IDC_STATUS_LINE); }
    // Chooses the root entry's first item, "Prepare All Covers" or its stop;
    // the item's text.
    std::string choosePrepareCovers() {
        host::ModalDriver driver;
        driver.expectMenu(ID_MENU_PREPARE_COVERS);
        host().rightClickEntry(plugin_->entry("Coverhall"));
        return driver.menusSeen().empty() ? "" : driver.menusSeen()[0][0].text;
    }
    // Notes the icon centres of the first count items as the first paint
    // left them, each with the placeholder; the number of them whose
    // centre is in view.
    int notePlaceholders(int count) {
        centres_.clear();
        placeholders_.clear();
        RECT client{};
        GetClientRect(list(), &client);
        HDC screen = GetDC(list());
        for (int i = 0; i < count; ++i) {
            RECT icon{};
            ListView_GetItemRect(list(), i, &icon, LVIR_ICON);
            const POINT centre{(icon.left + icon.right) / 2, (icon.top + icon.bottom) / 2};
            if (!PtInRect(&client, centre)) break;
            centres_.push_back(centre);
            placeholders_.push_back(GetPixel(screen, centre.x, centre.y));
        }
        ReleaseDC(list(), screen);
        return static_cast<int>(centres_.size());
    }
    // Which of the noted items show their cover on screen now.
    std::vector<bool> coversOnScreen() {
        std::vector<bool> shown;
        HDC screen = GetDC(list());
        for (size_t i = 0; i < centres_.size(); ++i)
            shown.push_back(GetPixel(screen, centres_[i].x, centres_[i].y) != placeholders_[i]);
        ReleaseDC(list(), screen);
        return shown;
    }
    int coversOnScreenCount() {
        const std::vector<bool> shown = coversOnScreen();
        return static_cast<int>(std::count(shown.begin(), shown.end(), true));
    }
    // Sends Space from inside the list's first paint that shows a cover,
    // while the fill is still at work, and notes the most covers shown.
    struct KeyAfterFirstCover {
        CoverWallTest* test;
        int shownAtKey = -1;
        int shownMost = 0;
    };
    static LRESULT CALLBACK keyAfterFirstCover(HWND list, UINT message, WPARAM wParam,
                                               LPARAM lParam, UINT_PTR, DWORD_PTR data) {
        const LRESULT result = DefSubclassProc(list, message, wParam, lParam);
        auto& watch = *reinterpret_cast<KeyAfterFirstCover*>(data);
        if (message != WM_PAINT) return result;
        const int shown = watch.test->coversOnScreenCount();
        watch.shownMost = std::max(watch.shownMost, shown);
        if (watch.shownAtKey < 0 && shown >= 1) {
            watch.shownAtKey = shown;
            INPUT keys[2] = {};
            for (INPUT& key : keys) {
                key.type = INPUT_KEYBOARD;
                key.ki.wVk = VK_SPACE;  // opens the selected album
            }
            keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
            SendInput(2, keys, sizeof keys[0]);
        }
        return result;
    }
    bool visible(int item) {
        RECT rect{}, client{}, both{};
        GetClientRect(list(), &client);
        return ListView_GetItemRect(list(), item, &rect, LVIR_BOUNDS) &&
               IntersectRect(&both, &rect, &client);
    }
    // Handles one message of the thread's queue, if there is one.
    // The host's pump may not come back while timers keep firing: one
    // message at a time, the condition checked after each.
    template <typename Done>
    static bool handleEachUntil(Done done, DWORD deadlineMs = 10000) {
        const DWORD start = GetTickCount();
        while (!done()) {
            if (GetTickCount() - start >= deadlineMs) return false;
            if (!handleOneMessage()) MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
        return true;
    }
    static bool handleOneMessage() {
        MSG message;
        if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) return false;
        TranslateMessage(&message);
        DispatchMessageA(&message);
        return true;
    }

    ComApartment apartment_;  // the test's own images are written with WIC
    TempFolder root_;
    PluginInstall install_{"views_cover_wall"};
    std::unique_ptr<RunningPlugin> plugin_;
    std::vector<std::string> folders_;
    std::vector<POINT> centres_;
    std::vector<COLORREF> placeholders_;
};

TEST_F(CoverWallTest, FirstPaintDecodesNothingAndCoversArriveInDisplayOrder) {
    open(40, 300);
    UpdateWindow(list());
    EXPECT_EQ(cachedCount(), 0);
    int visibleCount = 0;
    while (visibleCount < 40 && visible(visibleCount)) ++visibleCount;
    ASSERT_LT(visibleCount, 40) << "the test wants albums out of view";
    // A selected cover is drawn highlighted, not as it is.
    ListView_SetItemState(list(), -1, 0, LVIS_SELECTED);
    UpdateWindow(list());
    const int inView = notePlaceholders(visibleCount);
    ASSERT_GT(inView, 1);
    // Whenever a cover shows, every album before it shows its cover too;
    // the caches follow.
    bool inOrder = true;
    const bool filled = handleEachUntil([&] {
        const std::vector<bool> shown = coversOnScreen();
        inOrder =
            inOrder && std::is_partitioned(shown.begin(), shown.end(), [](bool b) { return b; });
        return coversOnScreenCount() == inView && cachedCount() == visibleCount;
    });
    EXPECT_TRUE(filled) << coversOnScreenCount() << " of " << inView << " shown, " << cachedCount()
                        << " of " << visibleCount << " cached";
    EXPECT_TRUE(inOrder);
    EXPECT_FALSE(cached(visibleCount)) << "an album out of view was decoded";
}

TEST_F(CoverWallTest, KeysSentWhileCoversAreDecodedAreHandledBeforeTheNextDecode) {
    open(16, 1000);
    SetForegroundWindow(GetAncestor(list(), GA_ROOT));
    SetFocus(list());
    UpdateWindow(list());
    ASSERT_EQ(GetForegroundWindow(), GetAncestor(list(), GA_ROOT));
    ASSERT_EQ(GetFocus(), list());
    const int inView = notePlaceholders(16);
    ASSERT_GT(inView, 3);
    KeyAfterFirstCover watch{this};
    SetWindowSubclass(list(), keyAfterFirstCover, 1, reinterpret_cast<DWORD_PTR>(&watch));
    const bool opened =
        handleEachUntil([&] { return isChecked(host().viewWindow(), IDC_MODE_CONTENTS); }, 20000);
    RemoveWindowSubclass(list(), keyAfterFirstCover, 1);
    ASSERT_TRUE(opened);
    EXPECT_EQ(watch.shownAtKey, 1);
    EXPECT_LE(watch.shownMost, watch.shownAtKey + 1);
}

TEST_F(CoverWallTest, ScrollingSearchingAndClosingDropPendingCovers) {
    enum Action { Scroll, Search, Close };
    for (Action action : {Scroll, Search, Close}) {
        SCOPED_TRACE(action);
        open(40, 300);
        UpdateWindow(list());
        ASSERT_EQ(cachedCount(), 0);
        if (action == Scroll) {
            ListView_EnsureVisible(list(), 39, FALSE);
            EXPECT_TRUE(host::pumpUntil(host(), [&] { return cached(39); }));
        } else if (action == Search) {
            typeSearch(host(), "Album 39");
            SendMessageA(host().viewWindow(), WM_TIMER, kSearchDelayTimer, 0);
            EXPECT_TRUE(host::pumpUntil(host(), [&] { return cached(39); }));
            EXPECT_EQ(cachedCount(), 1);
        } else {
            ASSERT_TRUE(host().selectEntry("Genres"));
            // Nothing is left to run: a short while shows it.
            host().pump(300);
            EXPECT_EQ(cachedCount(), 0);
        }
        EXPECT_FALSE(cached(0)) << "the first page was decoded after it was left";
        plugin_.reset();
        for (const std::string& folder : folders_)
            DeleteFileA((folder + "\\Quillet_Small_Cache_Cover.bmp").c_str());
        folders_.clear();
    }
}

TEST_F(CoverWallTest, PrepareAllCoversWritesEveryCacheWithProgressUntilStopped) {
    const int kAlbums = 40;  // enough to be stopped halfway
    open(kAlbums, 1000);
    const std::string result = statusLine();
    ASSERT_EQ(choosePrepareCovers(), "Prepare All Covers");
    std::vector<std::string> progress;
    const bool prepared = handleEachUntil([&] {
        const std::string text = statusLine();
        if (progress.empty() || progress.back() != text) progress.push_back(text);
        return cachedCount() == kAlbums && text == result;
    });
    EXPECT_TRUE(prepared) << cachedCount() << " cached, status " << statusLine();
    ASSERT_GE(progress.size(), 2u);
    for (std::size_t i = 0; i + 1 < progress.size(); ++i) {
        int done = -1;
        char tail = 0;
        EXPECT_EQ(std::sscanf(progress[i].c_str(), "Preparing covers: %d of 40%c", &done, &tail), 1)
            << progress[i];
        EXPECT_TRUE(done >= 0 && done <= kAlbums) << progress[i];
    }

    // Chosen again while it runs, it stops: no cache is written after that.
    for (const std::string& folder : folders_)
        DeleteFileA((folder + "\\Quillet_Small_Cache_Cover.bmp").c_str());
    host::clickDialogButton(host().viewWindow(), IDC_MODE_LIST);  // no wall fills meanwhile
    ASSERT_EQ(choosePrepareCovers(), "Prepare All Covers");
    ASSERT_TRUE(handleEachUntil([&] { return cachedCount() >= 2; }));
    ASSERT_EQ(choosePrepareCovers(), "Stop Preparing Covers");
    const int stoppedAt = cachedCount();
    EXPECT_LT(stoppedAt, kAlbums);
    EXPECT_EQ(statusLine(), result);
    host().pump(0);
    EXPECT_EQ(cachedCount(), stoppedAt);
}

TEST_F(CoverWallTest, StopWhilePreparingLeavesNothingRunning) {
    open(24, 1000);
    choosePrepareCovers();
    HWND preparer = FindWindowExA(HWND_MESSAGE, nullptr, nullptr, "Coverhall cover preparer");
    ASSERT_NE(preparer, nullptr);
    ASSERT_TRUE(handleEachUntil([&] { return cachedCount() >= 1; }, 20000));
    plugin_.reset();
    const int stoppedAt = cachedCount();
    ASSERT_LT(stoppedAt, 24) << "the test wants work pending at stop";
    EXPECT_FALSE(IsWindow(preparer));
    MSG message;
    int ours = 0;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) ours += message.hwnd == preparer;
    EXPECT_EQ(ours, 0);
    EXPECT_EQ(cachedCount(), stoppedAt);
}

}  // namespace
}  // namespace coverhall::test
