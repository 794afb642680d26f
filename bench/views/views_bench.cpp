// The view windows' costs with the built DLL inside the stand-in host:
// the search of a 200,000-song library from its timer to the new item count,
// opening the genre list sorted by "Albums", one page of cached covers,
// opening Contents of a 30-song album, sending a 5,000-song album, the
// cover wall filling in and preparing every album's cover.
// Prints medians as "bench <name> <value> <unit>".
#include <windows.h>
#include <commctrl.h>
#include <wincodec.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "bench/bench_report.h"
#include "bench/catalogue/library_generator.h"
#include "covers/cover_image.h"
#include "covers/file_names.h"
#include "host/modal_driver.h"
#include "host/stand_in_host.h"
#include "resources/resource_ids.h"
#include "tests/covers/test_images.h"

namespace {

using coverhall::host::HostOptions;
using coverhall::host::HostSong;
using coverhall::host::StandInHost;

constexpr int kSearchTimer = 500;

std::string dllPath() {
    std::string path = COVERHALL_PLUGIN_DLL;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

std::string scratchFolder(const char* name) {
    char temp[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + name;
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

std::vector<HostSong> generatedSongs(int count) {
    std::vector<HostSong> songs;
    songs.reserve(static_cast<size_t>(count));
    ItemGenerator generator;
    for (int i = 0; i < count; ++i) {
        const GeneratedItem item = generator.item(i);
        HostSong song;
        song.artist = std::string(item.artist);
        song.title = std::string(item.title);
        song.album = std::string(item.album);
        song.genre = std::string(item.genre);
        song.filename = std::string(item.fileName);
        song.length = item.length;
        song.track = item.track;
        song.year = item.year;
        songs.push_back(std::move(song));
    }
    return songs;
}

HostOptions options(const char* name, bool shown) {
    HostOptions result;
    result.iniFolder = scratchFolder(name);
    DeleteFileA((result.iniFolder + "\\winamp.ini").c_str());
    result.showWindow = shown;
    result.width = 1600;
    result.height = 900;
    return result;
}

void setting(const HostOptions& options, const char* key, const char* value) {
    WritePrivateProfileStringA("ml_Coverhall", key, value,
                               (options.iniFolder + "\\winamp.ini").c_str());
}

bool cacheExists(const std::string& folder) {
    return GetFileAttributesA((folder + "\\Quillet_Small_Cache_Cover.bmp").c_str()) !=
           INVALID_FILE_ATTRIBUTES;
}

int cachedAlbums(const std::string& root, int albums) {
    int count = 0;
    for (int a = 0; a < albums; ++a) count += cacheExists(root + "\\album" + std::to_string(a));
    return count;
}

// Handles one message of the thread's queue, or waits a little for one.
void handleOneMessage() {
    MSG message;
    if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    } else {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
}

// Until every album of root has its cache, or 60 s. The files are counted
// every 5 ms, not after every message: counting costs a query per album.
bool pumpUntilCached(StandInHost&, const std::string& root, int albums) {
    const double start = nowMs();
    double counted = -1e9;
    for (;;) {
        if (nowMs() - counted >= 5) {
            if (cachedAlbums(root, albums) == albums) return true;
            counted = nowMs();
        }
        if (nowMs() - start > 60000) return false;
        handleOneMessage();
    }
}

// The search timer's work, as the timer delivers it.
void benchLibrary() {
    const HostOptions hostOptions = options("coverhall_bench_200k", false);
    setting(hostOptions, "GenreListSortedCol", "1");
    setting(hostOptions, "GenreListSortDir", "1");
    StandInHost host(hostOptions);
    host.setSongs(generatedSongs(200000));
    if (!host.loadPlugin(dllPath())) return;
    host.startPlugin();
    host.selectEntry("Coverhall");
    host.pump(300);
    HWND window = host.viewWindow();
    HWND list = host.control(IDC_ALBUM_LIST);
    int found = 0;
    const double search = medianMs(
        5, [&] { SetDlgItemTextA(window, IDC_SEARCH_EDIT, "love"); },
        [&] {
            SendMessageA(window, WM_TIMER, kSearchTimer, 0);
            found = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
        });
    report("window_search_200k_ms", search, "ms");
    report("window_search_200k_albums", found, "albums");
    const double genres = medianMs(
        5, [&] { host.selectEntry("Coverhall"); }, [&] { host.selectEntry("Genres"); });
    report("genre_window_open_ms", genres, "ms");
}

// Albums in folders of their own, each with a cover and its cache.
std::vector<HostSong> coveredAlbums(const std::string& root, int albums, int songsEach) {
    std::vector<HostSong> songs;
    for (int a = 0; a < albums; ++a) {
        const std::string folder = root + "\\album" + std::to_string(a);
        CreateDirectoryA(folder.c_str(), nullptr);
        writeSolidImage(folder + "\\cover.jpg", GUID_ContainerFormatJpeg, 600, 600,
                        0x204080u + static_cast<uint32_t>(a) * 0x050301u);
        for (int s = 0; s < songsEach; ++s) {
            HostSong song;
            song.filename = folder + "\\" + std::to_string(s) + ".mp3";
            song.title = "Song " + std::to_string(s);
            song.album = "Album " + std::to_string(a);
            song.artist = std::string("Artist");
            song.genre = std::string("Bench");
            song.length = 200;
            song.track = s + 1;
            songs.push_back(std::move(song));
        }
    }
    return songs;
}

void benchCoversAndContents() {
    const std::string root = scratchFolder("coverhall_bench_covers");
    const HostOptions hostOptions = options("coverhall_bench_covers_ini", true);
    setting(hostOptions, "UsedView", "1");
    setting(hostOptions, "CoverDesity", "1");
    setting(hostOptions, "FrontCoverImageName", "cover.jpg");
    setting(hostOptions, "FrontCoverDetection", "1");
    StandInHost host(hostOptions);
    std::vector<HostSong> songs = coveredAlbums(root, 40, 30);
    std::vector<HostSong> box = coveredAlbums(scratchFolder("coverhall_bench_box"), 1, 5000);
    songs.insert(songs.end(), box.begin(), box.end());
    host.setSongs(std::move(songs));
    if (!host.loadPlugin(dllPath())) return;
    host.startPlugin();
    host.selectEntry("Coverhall");
    host.pump(400);
    HWND list = host.control(IDC_ALBUM_LIST);
    // The first page fills in the caches; the measured pages read them.
    RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    pumpUntilCached(host, root, 40);
    const double page = medianMs(
        5, [&] { InvalidateRect(list, nullptr, TRUE); }, [&] { UpdateWindow(list); });
    report("cover_wall_page_ms", page, "ms");
    RECT last{};
    ListView_GetItemRect(list, 39, &last, LVIR_BOUNDS);
    RECT client{};
    GetClientRect(list, &client);
    report("cover_wall_page_items", last.bottom <= client.bottom ? 40 : 0, "items");

    auto select = [list](int index) {
        ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
        ListView_SetItemState(list, index, LVIS_SELECTED, LVIS_SELECTED);
    };
    // Another album each time, so its cover is decoded; then the same album
    // again, whose unchanged cover keeps its picture.
    int next = 1;
    const auto openContents = [&] {
        coverhall::host::clickButton(host.control(IDC_MODE_CONTENTS));
    };
    const double contents = medianMs(
        7,
        [&] {
            coverhall::host::clickButton(host.control(IDC_MODE_COVERS));
            select(next++);
        },
        openContents);
    report("contents_open_ms", contents, "ms");
    const double reopen = medianMs(
        7,
        [&] {
            coverhall::host::clickButton(host.control(IDC_MODE_COVERS));
            select(1);
        },
        openContents);
    report("contents_reopen_ms", reopen, "ms");
    coverhall::host::clickButton(host.control(IDC_MODE_COVERS));
    // The box set sorts last ("Album 0" .. "Album 39", then "Album 0" of the
    // box folder sorts by song count after its namesake).
    int boxIndex = -1;
    for (int i = 0; i < ListView_GetItemCount(list); ++i)
        if (coverhall::host::listItemText(list, i, 2).empty()) boxIndex = i;
    select(boxIndex);
    // The plug-in's share: the host's copying and listing of the songs is
    // timed by the host and taken off.
    std::vector<double> shares, hostShares;
    for (int i = 0; i < 7; ++i) {
        const double start = nowMs();
        coverhall::host::clickButton(host.control(IDC_ENQUEUE));
        const double total = nowMs() - start;
        const double hostMs = host.playRequests().empty() ? 0 : host.playRequests().back().hostMs;
        shares.push_back(total - hostMs);
        hostShares.push_back(hostMs);
    }
    report("enqueue_5000_ms", median(shares), "ms");
    report("enqueue_5000_host_ms", median(hostShares), "ms");
    report("enqueue_5000_sent",
           host.playRequests().empty() ? 0 : double(host.playRequests().back().songs.size()),
           "songs");
}

// Keys sent from a thread of their own at uneven moments, as a user types
// while the page fills, one in flight at a time; the longest wait from
// sending one to the window thread taking it.
struct KeyWaits {
    std::atomic<bool> stop{false};
    std::atomic<bool> inFlight{false};
    std::atomic<double> sentAt{0};
    double longest = 0;
    HHOOK hook = nullptr;
};
KeyWaits g_keyWaits;

LRESULT CALLBACK takeKey(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && message->message == WM_KEYDOWN &&
        message->wParam == VK_SHIFT && g_keyWaits.inFlight) {
        g_keyWaits.longest = std::max(g_keyWaits.longest, nowMs() - g_keyWaits.sentAt);
        g_keyWaits.inFlight = false;
    }
    return CallNextHookEx(g_keyWaits.hook, code, wParam, lParam);
}

void sendShift() {
    INPUT keys[2] = {};
    for (INPUT& key : keys) {
        key.type = INPUT_KEYBOARD;
        key.ki.wVk = VK_SHIFT;
    }
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof keys[0]);
}

DWORD WINAPI sendKeys(void*) {
    unsigned pause = 3;
    while (!g_keyWaits.stop) {
        if (!g_keyWaits.inFlight) {
            g_keyWaits.sentAt = nowMs();
            g_keyWaits.inFlight = true;
            sendShift();
        }
        pause = pause * 7 % 17 + 3;  // 3 to 19 ms, in no step with the decodes
        Sleep(pause);
    }
    return 0;
}

// Albums "album0".. below root, one song each, each folder with the same
// JPEG as folder.jpg (hard-linked, so little disk is needed) and no cache.
std::vector<HostSong> linkedCoverAlbums(const std::string& root, int albums, int edge,
                                        uint32_t colour) {
    const std::string original = root + "\\cover-original.jpg";
    writeSolidImage(original, GUID_ContainerFormatJpeg, edge, edge, colour);
    std::vector<HostSong> songs;
    for (int a = 0; a < albums; ++a) {
        const std::string folder = root + "\\album" + std::to_string(a);
        CreateDirectoryA(folder.c_str(), nullptr);
        const std::string cover = folder + "\\folder.jpg";
        DeleteFileA(cover.c_str());
        if (!CreateHardLinkA(cover.c_str(), original.c_str(), nullptr))
            CopyFileA(original.c_str(), cover.c_str(), FALSE);
        DeleteFileA((folder + "\\Quillet_Small_Cache_Cover.bmp").c_str());
        HostSong song;
        song.filename = folder + "\\1.mp3";
        song.title = std::string("Song");
        song.album = "Album " + std::to_string(a);
        song.artist = std::string("Artist");
        song.length = 200;
        songs.push_back(std::move(song));
    }
    return songs;
}

// The 40 albums' covers decoded and scaled as the fill does, without cache
// or list: their total time in ms, the slowest one's, and the colour at a
// thumbnail's centre.
struct BareDecodes {
    double totalMs = 0;
    double slowestMs = 0;
    COLORREF centre = CLR_INVALID;
};

BareDecodes bareDecodes(const std::string& root) {
    BareDecodes decodes;
    for (int a = 0; a < 40; ++a) {
        const std::string cover = root + "\\album" + std::to_string(a) + "\\folder.jpg";
        HBITMAP bitmap = nullptr;
        const double begin = nowMs();
        {
            // The pixels are made when they are first asked for; the
            // decoder and its buffers go with the image, as in the fill.
            CoverImage image;
            image.load(cover.c_str(), kFormatJpg);
            image.resample(100, 100, true);
            bitmap = image.makeBitmap();
        }
        const double took = nowMs() - begin;
        decodes.totalMs += took;
        decodes.slowestMs = std::max(decodes.slowestMs, took);
        HDC memory = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(memory, bitmap);
        decodes.centre = GetPixel(memory, 50, 50);
        SelectObject(memory, old);
        DeleteDC(memory);
        DeleteObject(bitmap);
    }
    return decodes;
}

bool sameColour(COLORREF a, COLORREF b) {
    const auto within = [](int x, int y) { return x - y <= 8 && y - x <= 8; };
    return within(GetRValue(a), GetRValue(b)) && within(GetGValue(a), GetGValue(b)) &&
           within(GetBValue(a), GetBValue(b));
}

// The centres of the first count items' icons in the list.
std::vector<POINT> iconCentres(HWND list, int count) {
    std::vector<POINT> centres;
    for (int i = 0; i < count; ++i) {
        RECT icon{};
        ListView_GetItemRect(list, i, &icon, LVIR_ICON);
        centres.push_back({(icon.left + icon.right) / 2, (icon.top + icon.bottom) / 2});
    }
    return centres;
}

// What the user sees: how many icon centres of the list, in display order,
// show colour on screen.
struct ShownWatch {
    std::vector<POINT> centres;
    COLORREF colour = CLR_INVALID;
    std::size_t shown = 0;
    double allShownAt = 0;

    // Covers arrive in display order: only the ones not yet seen are read.
    void look(HWND list) {
        HDC screen = GetDC(list);
        while (shown < centres.size() &&
               sameColour(GetPixel(screen, centres[shown].x, centres[shown].y), colour))
            ++shown;
        ReleaseDC(list, screen);
        if (shown == centres.size() && allShownAt == 0) allShownAt = nowMs();
    }
};

// Looks after every paint of the list, the ones the fill makes while it
// works included.
LRESULT CALLBACK lookAfterPaint(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR watch) {
    const LRESULT result = DefSubclassProc(list, message, wParam, lParam);
    if (message == WM_PAINT) reinterpret_cast<ShownWatch*>(watch)->look(list);
    return result;
}

// The time from start until every icon centre showed colour on screen, or
// a negative time after 60 s.
double pumpUntilShown(HWND list, const std::vector<POINT>& centres, COLORREF colour, double start) {
    ShownWatch watch{centres, colour};
    SetWindowSubclass(list, lookAfterPaint, 1, reinterpret_cast<DWORD_PTR>(&watch));
    while (watch.allShownAt == 0 && nowMs() - start < 60000) handleOneMessage();
    RemoveWindowSubclass(list, lookAfterPaint, 1);
    return watch.allShownAt > 0 ? watch.allShownAt - start : -1;
}

void deleteCaches(const std::string& root) {
    for (int a = 0; a < 40; ++a)
        DeleteFileA(
            (root + "\\album" + std::to_string(a) + "\\Quillet_Small_Cache_Cover.bmp").c_str());
}

// A page of 40 albums whose covers (one 1400 x 1400 JPEG, hard-linked into
// every album folder) have no cache: the first paint after the switch to
// Covers, the time until every cover shows on screen against 40 bare
// decodes of the same files, and how long keys wait while the page fills.
void benchWallFill() {
    const std::string root = scratchFolder("coverhall_bench_wall");
    std::vector<HostSong> songs = linkedCoverAlbums(root, 40, 1400, 0x305070);
    const HostOptions hostOptions = options("coverhall_bench_wall_ini", true);
    setting(hostOptions, "UsedView", "0");
    setting(hostOptions, "CoverDesity", "1");
    StandInHost host(hostOptions);
    host.setSongs(std::move(songs));
    if (!host.loadPlugin(dllPath())) return;
    host.startPlugin();
    host.selectEntry("Coverhall");
    HWND list = host.control(IDC_ALBUM_LIST);
    while (ListView_GetItemCount(list) < 40) handleOneMessage();
    UpdateWindow(list);

    // No message is handled between the switches, so no cover is decoded:
    // each first paint meets the page uncached. A busy spell on the machine
    // only ever adds time: the fastest switch is the measure, the median is
    // shown beside it.
    const std::vector<double> firstPaints = runTimesMs(
        5,
        [&] {
            coverhall::host::clickButton(host.control(IDC_MODE_LIST));
            UpdateWindow(list);
        },
        [&] {
            coverhall::host::clickButton(host.control(IDC_MODE_COVERS));
            UpdateWindow(list);
        });
    report("wall_first_paint_uncached_ms",
           *std::min_element(firstPaints.begin(), firstPaints.end()), "ms");
    report("wall_first_paint_uncached_median_ms", median(firstPaints), "ms");
    report("wall_first_paint_decoded", cachedAlbums(root, 40), "covers");
    // A selected cover is drawn highlighted, not as it is.
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
    const std::vector<POINT> centres = iconCentres(list, 40);

    // The machine's pace drifts over seconds: each fill is set against the
    // bare decodes run just before and after it, and the median of several
    // rounds is the measure.
    constexpr int kRounds = 7;
    BareDecodes bare = bareDecodes(root);
    double slowest = bare.slowestMs;
    std::vector<double> fills, bares, ratios;
    for (int round = 0; round < kRounds; ++round) {
        if (round > 0) {
            coverhall::host::clickButton(host.control(IDC_MODE_LIST));
            deleteCaches(root);
            coverhall::host::clickButton(host.control(IDC_MODE_COVERS));
            UpdateWindow(list);
        }
        const double fill = pumpUntilShown(list, centres, bare.centre, nowMs());
        if (fill < 0) report("wall_fill_unfinished", 1, "");
        // Caches still being written would slow the bare decodes.
        pumpUntilCached(host, root, 40);
        const BareDecodes after = bareDecodes(root);
        fills.push_back(fill);
        bares.push_back((bare.totalMs + after.totalMs) / 2);
        ratios.push_back(fill / bares.back());
        slowest = std::max(slowest, after.slowestMs);
        bare = after;
    }
    report("wall_fill_ms", median(fills), "ms");
    report("cover_bare_decodes_40_ms", median(bares), "ms");
    report("wall_fill_overhead_ratio", median(ratios), "x");
    report("cover_bare_decode_max_ms", slowest, "ms");

    // The page again without caches, with a key in flight all the time, in
    // several rounds: a busy spell on the machine lengthens a decode, and
    // with it a wait, so the median round's longest wait is the measure.
    SetForegroundWindow(GetAncestor(list, GA_ROOT));
    std::vector<double> longestWaits;
    for (int round = 0; round < 5; ++round) {
        coverhall::host::clickButton(host.control(IDC_MODE_LIST));
        deleteCaches(root);
        coverhall::host::clickButton(host.control(IDC_MODE_COVERS));
        SetFocus(list);
        g_keyWaits.stop = false;
        g_keyWaits.inFlight = false;
        g_keyWaits.longest = 0;
        g_keyWaits.hook = SetWindowsHookExA(WH_GETMESSAGE, takeKey, nullptr, GetCurrentThreadId());
        HANDLE sender = CreateThread(nullptr, 0, sendKeys, nullptr, 0, nullptr);
        pumpUntilCached(host, root, 40);
        g_keyWaits.stop = true;
        if (sender) {
            WaitForSingleObject(sender, INFINITE);
            CloseHandle(sender);
        }
        UnhookWindowsHookEx(g_keyWaits.hook);
        longestWaits.push_back(g_keyWaits.longest);
    }
    report("wall_input_wait_max_ms", median(longestWaits), "ms");
}

// Chooses "Prepare All Covers" in the root entry's menu and handles
// messages until preparing ended; the time after the menu, in ms.
double prepareAllCovers(StandInHost& host) {
    coverhall::host::ModalDriver driver;
    driver.expectMenu(ID_MENU_PREPARE_COVERS);
    host.rightClickEntry(*host.findEntry("Coverhall"));
    // Preparing runs once the menu's command has started it.
    const double start = nowMs();
    while (FindWindowExA(HWND_MESSAGE, nullptr, nullptr, "Coverhall cover preparer") &&
           nowMs() - start < 600000)
        handleOneMessage();
    return nowMs() - start;
}

// "Prepare All Covers" on 2,000 albums without an open window: each with a
// 500 x 500 JPEG folder.jpg (one file, hard-linked) and no cache, then again
// once every cache is current.
void benchPrepareAll() {
    constexpr int kAlbums = 2000;
    const std::string root = scratchFolder("coverhall_bench_prepare");
    std::vector<HostSong> songs = linkedCoverAlbums(root, kAlbums, 500, 0x507030);
    StandInHost host(options("coverhall_bench_prepare_ini", true));
    host.setSongs(std::move(songs));
    if (!host.loadPlugin(dllPath())) return;
    host.startPlugin();
    const double uncached = prepareAllCovers(host);
    report("prepare_all_covers_uncached_per_album_ms", uncached / kAlbums, "ms");
    report("prepare_all_covers_cached", cachedAlbums(root, kAlbums), "albums");
    const double current = prepareAllCovers(host);
    report("prepare_all_covers_current_per_album_ms", current / kAlbums, "ms");
}

}  // namespace

// With part names given (library, covers, wall, prepare), only those parts
// run; other arguments (the tagged covers' folder the build passes to every
// bench) leave all of them to run.
int main(int argc, char** argv) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const std::pair<const char*, void (*)()> parts[] = {{"library", benchLibrary},
                                                        {"covers", benchCoversAndContents},
                                                        {"wall", benchWallFill},
                                                        {"prepare", benchPrepareAll}};
    const auto named = [&](const char* name) {
        return std::any_of(argv + 1, argv + argc,
                           [&](const char* arg) { return std::strcmp(arg, name) == 0; });
    };
    const bool anyNamed = std::any_of(std::begin(parts), std::end(parts),
                                      [&](const auto& part) { return named(part.first); });
    for (const auto& [name, run] : parts)
        if (!anyNamed || named(name)) run();
    CoUninitialize();
    return 0;
}
