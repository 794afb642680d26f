// The cover wall fills behind its first paint from the cover engine's
// workers: the window thread keeps answering timers and keys and opens no
// cover file, every cover lands in its own album's place whatever changed
// meanwhile, and stop leaves no worker, window or message behind.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "host/list_probes.h"
#include "host/modal_driver.h"
#include "covers/cover_image_list_win32.h"
#include "covers/user_cover_cache.h"
#include "resources/resource_ids.h"
#include "tests/covers/test_images.h"
#include "tests/views/leftover_probe.h"
#include "tests/views/thread_file_calls.h"
#include "tests/views/view_test_support.h"
#include "win/com_apartment.h"
#include "win/win_handles.h"

namespace coverhall::test {
namespace {

constexpr char kCoverWindowTitle[] = "Coverhall covers";
constexpr char kCacheName[] = "\\Quillet_Small_Cache_Cover.bmp";
// A page of these JPEGs is still filling while the test acts.
constexpr int kBusyEdge = 2000;
constexpr int kQuickEdge = 300;
// One of these, noise around a flat middle of kSlowColour, takes about
// 0.15 s to decode under Wine: a page of them decoded on the window thread
// would stop it for seconds.
constexpr int kSlowEdge = 3000;
constexpr uint32_t kSlowColour = 0x30F030;
// Flat JPEG colours come back within this per channel.
constexpr int kTolerance = 16;

// Album n's cover colour (0xRRGGBB): no two within the tolerance, and none
// grey like the placeholder disc.
uint32_t albumColour(int album) {
    static const std::vector<uint32_t> palette = [] {
        const uint32_t levels[] = {0x30, 0x70, 0xB0, 0xF0};
        std::vector<uint32_t> colours;
        for (uint32_t b : levels)
            for (uint32_t g : levels)
                for (uint32_t r : levels)
                    if (r != g || g != b) colours.push_back(r << 16 | g << 8 | b);
        return colours;
    }();
    return palette[static_cast<size_t>(album) % palette.size()];
}

int workerCount() {
    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    return system.dwNumberOfProcessors >= 2 ? 2 : 1;
}

HWND coverWindow() {
    for (HWND window : messageOnlyWindowsOfThisProcess()) {
        char title[64] = "";
        GetWindowTextA(window, title, sizeof title);
        if (std::string(title) == kCoverWindowTitle) return window;
    }
    return nullptr;
}

// Waits for a condition that no message of this thread brings.
template <typename Done>
bool waitUntil(Done done, DWORD deadlineMs = 5000) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start >= deadlineMs) return false;
        Sleep(10);
    }
    return true;
}

// Albums in folders of their own, each with a JPEG folder.jpg of its own
// colour, shown by the plug-in; a window's timer ticks on the same thread.
class CoverWallTest : public testing::Test {
  protected:
    void SetUp() override {
        // A tag tip under the cursor would hide a cover.
        SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    }

    // count albums "<name> NN", each with a flat cover of its own colour;
    // their songs.
    std::vector<host::HostSong> addAlbums(const char* name, int count, int edge) {
        return addAlbums(name, count, [&](const std::string& image, int album) {
            colours_.push_back(albumColour(album));
            return writeSolidImage(image, GUID_ContainerFormatJpeg, edge, edge, colours_.back());
        });
    }
    // count albums "Slow NN" with the same slow cover.
    std::vector<host::HostSong> addSlowAlbums(int count) {
        const std::string slow = root_.file("slow.jpg");
        uint32_t noise = 1;
        const int flat = kSlowEdge / 6;
        EXPECT_TRUE(
            writeImage(slow, GUID_ContainerFormatJpeg, kSlowEdge, kSlowEdge, [&](int x, int y) {
                if (std::abs(x - kSlowEdge / 2) < flat && std::abs(y - kSlowEdge / 2) < flat)
                    return kSlowColour;
                noise = noise * 1664525u + 1013904223u;
                return noise >> 8;
            }));
        return addAlbums("Slow", count, [&](const std::string& image, int) {
            colours_.push_back(kSlowColour);
            return CopyFileA(slow.c_str(), image.c_str(), FALSE) != FALSE;
        });
    }
    template <typename WriteCover>
    std::vector<host::HostSong> addAlbums(const char* name, int count, WriteCover writeCover) {
        std::vector<host::HostSong> songs;
        for (int n = 0; n < count; ++n) {
            char title[32];
            std::snprintf(title, sizeof title, "%s %02d", name, n);
            const int album = static_cast<int>(folders_.size());
            const std::string folder = root_.file(title);
            CreateDirectoryA(folder.c_str(), nullptr);
            EXPECT_TRUE(writeCover(folder + "\\folder.jpg", album));
            songs.push_back(song(title, "Jazz", "Song", folder.c_str()));
            folders_.push_back(folder);
            albums_[title] = album;
        }
        return songs;
    }
    // The plug-in started on the songs, its album window in Covers or List
    // after its first search, for the stored search text.
    void start(std::vector<host::HostSong> songs, bool covers, const std::string& search = "") {
        writeIni(install_.hostIni(), "UsedView", covers ? "1" : "0");
        writeIni(install_.hostIni(), "lastfilter", ('"' + search + '"').c_str());
        host::HostOptions options = install_.options();
        options.showWindow = true;  // its pixels are read
        plugin_ = std::make_unique<RunningPlugin>(install_, std::move(songs), options);
        ASSERT_TRUE(plugin_->loaded);
        ASSERT_TRUE(openAndSearch(host()));
    }
    host::StandInHost& host() { return plugin_->host; }
    HWND list() { return host().control(IDC_ALBUM_LIST); }
    HMODULE pluginModule() const { return GetModuleHandleA(install_.dllPath.c_str()); }
    std::string statusLine() { return controlText(host().viewWindow(), IDC_STATUS_LINE); }
    void click(int id) { host::clickDialogButton(host().viewWindow(), id); }

    bool cached(int album) const {
        return fileExists(folders_[static_cast<size_t>(album)] + kCacheName);
    }
    int cachedCount() const {
        int count = 0;
        for (size_t i = 0; i < folders_.size(); ++i) count += cached(static_cast<int>(i));
        return count;
    }
    void deleteCaches() const {
        for (const std::string& folder : folders_) DeleteFileA((folder + kCacheName).c_str());
    }

    // Until no cover result came for a while: what the workers had in hand
    // has landed.
    bool settle() {
        lastResult_ = GetTickCount();
        return handleMessagesUntil([&] { return GetTickCount() - lastResult_ >= 500; }, 20000);
    }
    // Another window of the thread, ticking every 25 ms.
    void startTicking() {
        ticker_.reset(CreateWindowExA(0, "STATIC", "ticker", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                      nullptr, nullptr));
        ASSERT_TRUE(ticker_);
        SetTimer(ticker_.get(), 1, 25, nullptr);
        ticks_.clear();
    }
    // The longest time in [from, to] without a tick.
    DWORD longestTickGap(DWORD from, DWORD to) const {
        DWORD longest = 0, last = from;
        for (DWORD tick : ticks_) {
            longest = std::max(longest, tick - last);
            last = tick;
        }
        return std::max(longest, to - last);
    }

    // The items whose icon's centre is in view, with that centre. Wine's
    // list leaves the items beyond its largest count so far at the first
    // one's place until it lays them out again: those are not in view.
    std::vector<std::pair<int, POINT>> itemsInView() {
        std::vector<std::pair<int, POINT>> items;
        RECT client{};
        GetClientRect(list(), &client);
        const int count = host::listItemCount(list());
        for (int item = 0; item < count; ++item) {
            RECT icon{};
            if (!ListView_GetItemRect(list(), item, &icon, LVIR_ICON)) continue;
            const POINT centre{(icon.left + icon.right) / 2, (icon.top + icon.bottom) / 2};
            const bool placed = std::none_of(items.begin(), items.end(), [&](const auto& other) {
                return other.second.x == centre.x && other.second.y == centre.y;
            });
            if (placed && PtInRect(&client, centre)) items.emplace_back(item, centre);
        }
        return items;
    }
    bool inView(int item) {
        const auto items = itemsInView();
        return std::any_of(items.begin(), items.end(),
                           [&](const auto& i) { return i.first == item; });
    }
    // The album an item stands for, by its label.
    int albumAt(int item) {
        const std::string label = host::requestDisplay(list(), item, 0, LVIF_TEXT).text;
        const auto found = albums_.find(label.substr(0, label.find(" / ")));
        return found == albums_.end() ? -1 : found->second;
    }
    bool showsCover(HWND window, POINT point, int album) {
        return album >= 0 && similar(screenColour(window, point),
                                     colours_[static_cast<size_t>(album)], kTolerance);
    }
    // A selected cover is drawn highlighted, not as it is.
    void clearSelection() {
        if (ListView_GetSelectedCount(list()) == 0) return;
        ListView_SetItemState(list(), -1, 0, LVIS_SELECTED);
        UpdateWindow(list());
    }
    // The items in view that do not show their own album's cover, as
    // " item:colour shown".
    std::string wrongCovers() {
        clearSelection();
        std::string wrong;
        for (const auto& [item, centre] : itemsInView()) {
            if (showsCover(list(), centre, albumAt(item))) continue;
            char shown[16];
            std::snprintf(shown, sizeof shown, ":%06X", screenColour(list(), centre));
            wrong += " " + std::to_string(item) + shown;
        }
        return wrong;
    }
    bool pageShowsItsCovers() { return !itemsInView().empty() && wrongCovers().empty(); }
    bool pageCached() {
        for (const auto& [item, centre] : itemsInView()) {
            const int album = albumAt(item);
            if (album < 0 || !cached(album)) return false;
        }
        return true;
    }

    // Chooses the root entry's first item, "Prepare All Covers" or its stop;
    // the item's text.
    std::string choosePrepareCovers() {
        host::ModalDriver driver;
        driver.expectMenu(ID_MENU_PREPARE_COVERS);
        host().rightClickEntry(plugin_->entry("Coverhall"));
        return driver.menusSeen().empty() ? "" : driver.menusSeen()[0][0].text;
    }

    ComApartment apartment_;  // the test's own images are written with WIC
    TempFolder root_;
    PluginInstall install_{"views_cover_wall"};
    std::unique_ptr<RunningPlugin> plugin_;
    std::vector<std::string> folders_;
    std::map<std::string, int> albums_;  // title -> album number
    std::vector<uint32_t> colours_;      // the middle of each album's cover
    UniqueWindow ticker_;
    std::vector<DWORD> ticks_;
    DWORD lastResult_ = 0;
    // The cover results and the timer's ticks, whichever loop takes them.
    TakenMessages taken_{[this](const MSG& message) {
        if (message.message == kCoverResultsMessage) lastResult_ = GetTickCount();
        if (message.message == WM_TIMER && ticker_ && message.hwnd == ticker_.get())
            ticks_.push_back(GetTickCount());
    }};
};

TEST_F(CoverWallTest, PageFillsWhileTheWindowThreadServesTimersAndKeys) {
    // The wall shown empty first: the window's own first paint is not the
    // fill's.
    start(addSlowAlbums(40), true, "nothing");
    ASSERT_EQ(host::listItemCount(list()), 0);
    startTicking();
    const DWORD begun = GetTickCount();
    typeSearch(host(), "");
    // Caches are written once the page is done: the first cover on screen
    // tells that decoding began.
    ASSERT_TRUE(handleMessagesUntil([&] {
        const auto items = itemsInView();
        return std::any_of(items.begin(), items.end(), [&](const auto& item) {
            return showsCover(list(), item.second, albumAt(item.first));
        });
    }));
    std::vector<int> firstPage;
    for (const auto& [item, centre] : itemsInView()) firstPage.push_back(item);
    ASSERT_FALSE(firstPage.empty());
    ASSERT_LT(firstPage.back(), 30) << "the test wants albums out of view";

    // End, sent while the first page decodes, is answered before that ends.
    PostMessageA(list(), WM_KEYDOWN, VK_END, 1);
    PostMessageA(list(), WM_KEYUP, VK_END, 0xC0000001);
    ASSERT_TRUE(handleMessagesUntil([&] { return inView(39); }));
    const auto cachedOf = [&](const std::vector<int>& items) {
        return static_cast<size_t>(std::count_if(items.begin(), items.end(),
                                                 [&](int item) { return cached(albumAt(item)); }));
    };
    EXPECT_LT(cachedOf(firstPage), firstPage.size()) << "the key waited for the decodes";

    const bool filled =
        handleMessagesUntil([&] { return pageShowsItsCovers() && pageCached(); }, 20000);
    const DWORD ended = GetTickCount();
    EXPECT_TRUE(filled) << wrongCovers();
    // Paints and a busy machine cost a few hundred ms; a page decoded here,
    // seconds.
    EXPECT_LT(longestTickGap(begun, ended), 750u)
        << ticks_.size() << " ticks in " << ended - begun << " ms";
    // The first page's covers still queued at the key were dropped.
    std::vector<int> left;
    for (int item : firstPage)
        if (!inView(item)) left.push_back(item);
    ASSERT_FALSE(left.empty());
    EXPECT_LT(cachedOf(left), left.size()) << "albums scrolled away were decoded";
}

TEST_F(CoverWallTest, NoCoverFileIsTouchedOnTheWindowThread) {
    const std::vector<host::HostSong> songs = addAlbums("Album", 40, kQuickEdge);
    // Uncached first, then cached with the thumbnail memory empty.
    for (const bool cachedBefore : {false, true}) {
        SCOPED_TRACE(cachedBefore ? "cached" : "uncached");
        start(songs, false);
        {
            // Gone before the DLL it patches is.
            ThreadFileCallProbe probe(pluginModule());
            click(IDC_MODE_COVERS);
            EXPECT_TRUE(handleMessagesUntil([&] { return pageShowsItsCovers(); })) << wrongCovers();
            for (int item : {20, 39, 0}) {
                ListView_EnsureVisible(list(), item, FALSE);
                const bool shown =
                    handleMessagesUntil([&] { return inView(item) && pageShowsItsCovers(); });
                EXPECT_TRUE(shown) << "scrolled to " << item << ":" << wrongCovers();
            }
            EXPECT_EQ(probe.windowThreadCalls(), 0);
            EXPECT_GT(probe.otherThreadCalls(), 0);
        }
        EXPECT_EQ(cachedCount(), 40);
        plugin_.reset();
    }
}

TEST_F(CoverWallTest, PrepareAllCoversWritesEveryCacheWithProgressUntilStopped) {
    const int kAlbums = 40;  // enough to be stopped halfway
    start(addAlbums("Album", kAlbums, 1000), true);
    const std::string result = statusLine();
    ASSERT_EQ(choosePrepareCovers(), "Prepare All Covers");
    std::vector<std::string> progress;
    const bool prepared = handleMessagesUntil([&] {
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

    // Chosen again while it runs, it stops: the decodes running then end,
    // nothing else is made.
    deleteCaches();
    click(IDC_MODE_LIST);  // no wall fills meanwhile
    ASSERT_EQ(choosePrepareCovers(), "Prepare All Covers");
    ASSERT_TRUE(handleMessagesUntil([&] { return cachedCount() >= 2; }));
    ASSERT_EQ(choosePrepareCovers(), "Stop Preparing Covers");
    const int stoppedAt = cachedCount();
    EXPECT_EQ(statusLine(), result);
    EXPECT_TRUE(settle());
    EXPECT_LE(cachedCount(), stoppedAt + workerCount());
    EXPECT_LT(cachedCount(), kAlbums);
}

TEST_F(CoverWallTest, StopWithDecodesInFlightLeavesNoThreadWindowOrMessage) {
    start(addSlowAlbums(24), false);
    const int threadsBefore = threadCountOfProcess();
    click(IDC_MODE_COVERS);
    ASSERT_EQ(choosePrepareCovers(), "Prepare All Covers");
    ASSERT_TRUE(handleMessagesUntil([&] { return cachedCount() >= 1; }));
    ASSERT_GE(threadCountOfProcess(), threadsBefore + workerCount());
    ASSERT_NE(coverWindow(), nullptr);
    // Stopped with an answer waiting in the queue.
    ASSERT_TRUE(waitUntil(
        [] { return queueHoldsMessageInRange(kCoverResultsMessage, kCoverResultsMessage); }));

    plugin_.reset();
    const int stoppedAt = cachedCount();
    EXPECT_LT(stoppedAt, 24) << "stop let the queued covers be made";
    EXPECT_FALSE(queueHoldsMessageInRange(kCoverResultsMessage, kCoverResultsMessage));
    EXPECT_EQ(coverWindow(), nullptr);
    EXPECT_TRUE(waitUntil([&] { return threadCountOfProcess() <= threadsBefore; }))
        << threadCountOfProcess() << " threads, " << threadsBefore << " before";
    EXPECT_EQ(cachedCount(), stoppedAt) << "a cache was written after stop";
}

TEST_F(CoverWallTest, CoversLandInTheirOwnAlbumsPlaceWhateverChangedMeanwhile) {
    start(addAlbums("Album", 40, kBusyEdge), true);
    ASSERT_TRUE(handleMessagesUntil([&] { return cachedCount() >= 1; }));

    // Albums sent to the library take the first places while the first
    // page decodes; a search then shows others while theirs decode.
    host().setSongs(addAlbums("Aardvark", 6, kBusyEdge));
    const std::vector<host::SendToRecord> entries = host().buildSendToMenu();
    ASSERT_EQ(entries.size(), 1u);
    ASSERT_EQ(host().sendLibraryTo(entries[0]), 1);
    ASSERT_EQ(albumAt(0), albums_.at("Aardvark 00"));
    ASSERT_TRUE(handleMessagesUntil([&] { return cached(albums_.at("Aardvark 00")); }));
    ASSERT_TRUE(searchFor(host(), "Album 3"));
    ASSERT_NE(albumAt(0), albums_.at("Aardvark 00"));
    EXPECT_TRUE(handleMessagesUntil([&] { return pageShowsItsCovers(); }, 20000)) << wrongCovers();
    EXPECT_TRUE(settle());
    EXPECT_EQ(wrongCovers(), "");
    ASSERT_TRUE(searchFor(host(), ""));
    EXPECT_TRUE(handleMessagesUntil([&] { return pageShowsItsCovers(); }, 20000)) << wrongCovers();
    EXPECT_TRUE(settle());
    EXPECT_EQ(wrongCovers(), "");

    // Contents shows the placeholder until its own cover arrives.
    ListView_SetItemState(list(), 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    click(IDC_MODE_CONTENTS);
    HWND picture = host().control(IDC_COVER_PICTURE);
    UpdateWindow(picture);
    const POINT middle{kContentsCoverSize / 2, kContentsCoverSize / 2};
    EXPECT_FALSE(showsCover(picture, middle, albums_.at("Aardvark 00")));
    EXPECT_TRUE(handleMessagesUntil(
        [&] { return showsCover(picture, middle, albums_.at("Aardvark 00")); }));

    // Closed while a page decodes: what was running lands harmlessly, and
    // the window opened again shows every cover in its place.
    click(IDC_MODE_COVERS);
    ListView_EnsureVisible(list(), 39, FALSE);
    UpdateWindow(list());
    ASSERT_TRUE(host().selectEntry("Genres"));
    EXPECT_TRUE(settle());
    ASSERT_TRUE(host().selectEntry("Coverhall"));
    EXPECT_TRUE(handleMessagesUntil([&] { return pageShowsItsCovers(); }, 20000)) << wrongCovers();
}

TEST_F(CoverWallTest, AReplacedFolderImageShowsAfterItsCheckAndIsCached) {
    // The named image (cover.bmp by default) is absent: the cache shows
    // first, and the folder search follows.
    const std::vector<host::HostSong> songs = addAlbums("Album", 2, kQuickEdge);
    start(songs, true);
    ASSERT_TRUE(handleMessagesUntil([&] { return pageShowsItsCovers() && cachedCount() == 2; }));
    plugin_.reset();
    const std::string cache = folders_[0] + kCacheName;
    const std::vector<uint8_t> old = readBytes(cache);
    const std::string image = folders_[0] + "\\folder.jpg";
    colours_[0] = albumColour(2);
    ASSERT_TRUE(
        writeSolidImage(image, GUID_ContainerFormatJpeg, kQuickEdge, kQuickEdge, colours_[0]));
    ASSERT_TRUE(setWriteTime(image, writeTime(cache) + 10 * 10000000ull));  // 10 s later

    start(songs, true);
    EXPECT_TRUE(handleMessagesUntil([&] {
        return pageShowsItsCovers() && readBytes(cache) != old;
    })) << wrongCovers();
}

// The names of the files in a folder.
std::vector<std::string> filesIn(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(entry.cFileName);
    } while (FindNextFileA(find, &entry));
    FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
}

TEST_F(CoverWallTest, At200CoversShowOneToOneCachedPerUserAndBackAt100TheOldCacheIsRead) {
    // Album 0: 1-pixel columns of two colours, which only a 1:1 copy keeps.
    const uint32_t kColumns[2] = {0x2040C0, 0xC08020};
    const int kEdge = 200;
    std::vector<host::HostSong> songs = addAlbums("Album", 2, [&](const std::string& image, int n) {
        colours_.push_back(n == 0 ? kColumns[0] : albumColour(n));
        if (n == 1) return writeSolidImage(image, GUID_ContainerFormatJpeg, 300, 300, colours_[1]);
        return writeImage(image, GUID_ContainerFormatPng, kEdge, kEdge,
                          [&](int x, int) { return kColumns[x % 2]; });
    });
    start(songs, true);
    ASSERT_TRUE(handleMessagesUntil([&] { return cachedCount() == 2; }));
    plugin_.reset();
    // Album 1 keeps only its 100-pixel cache.
    ASSERT_TRUE(DeleteFileA((folders_[1] + "\\folder.jpg").c_str()));
    const std::vector<std::string> before[2] = {filesIn(folders_[0]), filesIn(folders_[1])};

    writeIni(install_.hostIni(), "CoverSize", "200");
    start(songs, true);
    int w = 0, h = 0;
    ImageList_GetIconSize(ListView_GetImageList(list(), LVSIL_NORMAL), &w, &h);
    EXPECT_EQ(w, kEdge);
    EXPECT_EQ(h, kEdge);
    EXPECT_EQ(ListView_GetItemSpacing(list(), FALSE), static_cast<DWORD>(MAKELONG(280, 300)));
    const auto middleOf = [&](int item) {
        RECT icon{};
        ListView_GetItemRect(list(), item, &icon, LVIR_ICON);
        return POINT{(icon.left + icon.right) / 2, (icon.top + icon.bottom) / 2};
    };
    const int item1 = albumAt(0) == 1 ? 0 : 1;
    // The first pixel of the cover on the item's middle row, and the run of
    // alternating columns from there.
    const auto columnsShown = [&] {
        clearSelection();
        RECT icon{};
        ListView_GetItemRect(list(), 1 - item1, &icon, LVIR_ICON);
        const int y = (icon.top + icon.bottom) / 2;
        int x = icon.left;
        while (x < icon.right && screenColour(list(), {x, y}) != kColumns[0] &&
               screenColour(list(), {x, y}) != kColumns[1])
            ++x;
        int run = 0;
        uint32_t last = 0;
        for (; run < kEdge + 1; ++run) {
            const uint32_t colour = screenColour(list(), {x + run, y});
            if ((colour != kColumns[0] && colour != kColumns[1]) || (run > 0 && colour == last))
                break;
            last = colour;
        }
        return run;
    };
    EXPECT_TRUE(handleMessagesUntil([&] { return columnsShown() == kEdge; }))
        << columnsShown() << " columns alternate";
    // The only picture left of album 1, scaled up rather than the placeholder.
    EXPECT_TRUE(handleMessagesUntil([&] { return showsCover(list(), middleOf(item1), 1); }));
    EXPECT_TRUE(settle());
    UserCoverCache userCache;
    for (int album : {0, 1}) {
        EXPECT_EQ(filesIn(folders_[album]), before[album]) << "album " << album;
        const std::vector<uint8_t> bmp = readBytes(userCache.pathOf(folders_[album], kEdge));
        ASSERT_GE(bmp.size(), 26u) << "album " << album;
        int32_t size[2];
        std::memcpy(size, bmp.data() + 18, sizeof size);
        EXPECT_EQ(size[0], kEdge);
        EXPECT_EQ(std::abs(size[1]), kEdge);
    }
    plugin_.reset();

    // Back at 100 the cache beside the album is read: a source older than
    // it is not decoded again.
    const std::string source = folders_[0] + "\\folder.jpg";
    const uint64_t cacheTime = writeTime(folders_[0] + kCacheName);
    ASSERT_TRUE(writeSolidImage(source, GUID_ContainerFormatJpeg, 300, 300, 0x30F030));
    ASSERT_TRUE(setWriteTime(source, cacheTime - 10 * 10000000ull));
    writeIni(install_.hostIni(), "CoverSize", "100");
    start(songs, true);
    EXPECT_TRUE(handleMessagesUntil([&] {
        clearSelection();
        const uint32_t shown = screenColour(list(), middleOf(1 - item1));
        return shown == kColumns[0] || shown == kColumns[1];
    })) << std::hex
        << screenColour(list(), middleOf(1 - item1));
}

TEST_F(CoverWallTest, At150TheSelectionFrameShowsOverTheSelectedCover) {
    writeIni(install_.hostIni(), "CoverSize", "150");
    start(addAlbums("Album", 1, kQuickEdge), true);
    HIMAGELIST images = ListView_GetImageList(list(), LVSIL_NORMAL);
    int w = 0, h = 0;
    ImageList_GetIconSize(images, &w, &h);
    EXPECT_EQ(w, 150);
    EXPECT_EQ(ListView_GetItemSpacing(list(), FALSE), static_cast<DWORD>(MAKELONG(210, 225)));
    ASSERT_TRUE(handleMessagesUntil([&] { return pageShowsItsCovers(); })) << wrongCovers();
    click(IDC_DENSITY_HIGH);
    EXPECT_EQ(ListView_GetItemSpacing(list(), FALSE), static_cast<DWORD>(MAKELONG(155, 155)));
    ListView_SetItemState(list(), 0, LVIS_SELECTED, LVIS_SELECTED);
    UpdateWindow(list());
    ASSERT_EQ(host::requestDisplay(list(), 0, 0, LVIF_STATE).state & LVIS_OVERLAYMASK,
              INDEXTOOVERLAYMASK(1));
    // The frame's red border and grey checker on top, the cover through the
    // checker's white: none blended away.
    const auto framed = [&](int x, int y) {
        return drawnPixel(images, ThumbnailImage, x, y, INDEXTOOVERLAYMASK(1));
    };
    EXPECT_EQ(framed(2, 75), 0xFF0000u);
    EXPECT_EQ(framed(75, 75), 0x808080u);
    EXPECT_TRUE(similar(framed(77, 75), colours_[0], kTolerance));
}

}  // namespace
}  // namespace coverhall::test
