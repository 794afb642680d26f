// The view windows' costs with the built DLL inside the stand-in host:
// the search of a 200,000-song library from its timer to the new item count,
// opening the genre list sorted by "Albums", one page of cached covers,
// opening Contents of a 30-song album, sending a 5,000-song album, the
// cover wall filling in while the window thread stays free, and preparing
// every album's cover.
// Prints medians as "bench <name> <value> <unit>".
#include <windows.h>
#include <commctrl.h>
#include <wincodec.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "bench/bench_report.h"
#include "bench/catalogue/library_generator.h"
#include "covers/cover_image.h"
#include "covers/file_names.h"
#include "covers/imaging_factory.h"
#include "covers/user_cover_cache.h"
#include "host/clipboard_pictures.h"
#include "host/modal_driver.h"
#include "host/stand_in_host.h"
#include "resources/resource_ids.h"
#include "tests/covers/test_images.h"
#include "tests/views/thread_file_calls.h"

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

// The 40 albums' covers decoded and scaled as the engine does, without
// cache or list, spread over as many threads as the engine's workers: the
// time until the last is done, and the colour at a thumbnail's centre.
struct BareDecodes {
    double totalMs = 0;
    COLORREF centre = CLR_INVALID;
};

struct DecodeShare {
    const std::string* root;
    std::atomic<int>* next;
    int albums;
    int edge;
    COLORREF centre;
};

DWORD WINAPI decodeShare(void* parameter) {
    auto& share = *static_cast<DecodeShare*>(parameter);
    const ImagingScope imaging(COINIT_MULTITHREADED);
    for (int a = (*share.next)++; a < share.albums; a = (*share.next)++) {
        const std::string cover = *share.root + "\\album" + std::to_string(a) + "\\folder.jpg";
        // The decoder and its buffers go with the image, as in the engine.
        CoverImage image;
        image.load(cover.c_str(), kFormatJpg);
        image.resample(share.edge, share.edge, true);
        const CoverPixels pixels = image.takePixels();
        if (!pixels.empty()) {
            const int middle = share.edge / 2;
            const uint8_t* centre = pixels.bgr.data() + middle * pixels.stride() + middle * 3;
            share.centre = RGB(centre[2], centre[1], centre[0]);
        }
    }
    return 0;
}

int engineWorkers() {
    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    return system.dwNumberOfProcessors >= 2 ? 2 : 1;
}

// The first `albums` covers, as many as the page to compare with shows.
BareDecodes bareDecodes(const std::string& root, int threads, int edge = kThumbnailSize,
                        int albums = 40) {
    std::atomic<int> next{0};
    std::vector<DecodeShare> shares(static_cast<size_t>(threads),
                                    DecodeShare{&root, &next, albums, edge, CLR_INVALID});
    std::vector<HANDLE> running;
    const double begin = nowMs();
    for (DecodeShare& share : shares)
        running.push_back(CreateThread(nullptr, 0, decodeShare, &share, 0, nullptr));
    WaitForMultipleObjects(static_cast<DWORD>(running.size()), running.data(), TRUE, INFINITE);
    BareDecodes decodes;
    decodes.totalMs = nowMs() - begin;
    for (HANDLE thread : running) CloseHandle(thread);
    for (const DecodeShare& share : shares)
        if (share.centre != CLR_INVALID) decodes.centre = share.centre;
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

// The centres of those of the first count items' icons that show whole.
std::vector<POINT> wholeIconCentres(HWND list, int count) {
    RECT client{};
    GetClientRect(list, &client);
    std::vector<POINT> centres;
    for (int i = 0; i < count; ++i) {
        RECT icon{};
        ListView_GetItemRect(list, i, &icon, LVIR_ICON);
        if (icon.left >= client.left && icon.top >= client.top && icon.right <= client.right &&
            icon.bottom <= client.bottom)
            centres.push_back({(icon.left + icon.right) / 2, (icon.top + icon.bottom) / 2});
    }
    return centres;
}

// How many of the icon centres show the colour on screen now.
int shownCount(HWND list, const std::vector<POINT>& centres, COLORREF colour) {
    HDC screen = GetDC(list);
    int shown = 0;
    for (const POINT& centre : centres)
        shown += sameColour(GetPixel(screen, centre.x, centre.y), colour);
    ReleaseDC(list, screen);
    return shown;
}

// What the user sees: after every paint of the list, whether every icon
// centre shows the colour, and when that was first so.
struct ShownWatch {
    std::vector<POINT> centres;
    COLORREF colour = CLR_INVALID;
    double allShownAt = 0;
};

LRESULT CALLBACK lookAfterPaint(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR data) {
    const LRESULT result = DefSubclassProc(list, message, wParam, lParam);
    auto& watch = *reinterpret_cast<ShownWatch*>(data);
    if (message == WM_PAINT && watch.allShownAt == 0 &&
        shownCount(list, watch.centres, watch.colour) == static_cast<int>(watch.centres.size()))
        watch.allShownAt = nowMs();
    return result;
}

// Another window's timer on the window thread, as the player's own windows
// have them: the longest gap between two of its ticks.
struct TimerGaps {
    double last = 0;
    double longest = 0;
};
TimerGaps g_timerGaps;

void CALLBACK onOtherTimer(HWND, UINT, UINT_PTR, DWORD) {
    const double now = nowMs();
    if (g_timerGaps.last > 0)
        g_timerGaps.longest = std::max(g_timerGaps.longest, now - g_timerGaps.last);
    g_timerGaps.last = now;
}

// Handles messages from start until every icon centre showed the colour on
// screen (and at least atLeastMs): the time until they showed, or a
// negative time after 60 s. With `gaps`, a 25 ms timer of another window
// ticks meanwhile.
double pumpUntilShown(HWND list, const std::vector<POINT>& centres, COLORREF colour, double start,
                      TimerGaps* gaps = nullptr, double atLeastMs = 0) {
    ShownWatch watch{centres, colour};
    SetWindowSubclass(list, lookAfterPaint, 1, reinterpret_cast<DWORD_PTR>(&watch));
    HWND other = nullptr;
    if (gaps) {
        g_timerGaps = TimerGaps{};
        other = CreateWindowExA(0, "STATIC", "another window", 0, 0, 0, 0, 0, nullptr, nullptr,
                                nullptr, nullptr);
        SetTimer(other, 1, 25, onOtherTimer);
    }
    if (shownCount(list, centres, colour) == static_cast<int>(centres.size()))
        watch.allShownAt = nowMs();
    while ((watch.allShownAt == 0 || nowMs() - start < atLeastMs) && nowMs() - start < 60000)
        handleOneMessage();
    if (other) {
        DestroyWindow(other);
        // The gap still open when the last cover showed counts too.
        if (g_timerGaps.last > 0)
            g_timerGaps.longest =
                std::max(g_timerGaps.longest, watch.allShownAt - g_timerGaps.last);
        *gaps = g_timerGaps;
    }
    RemoveWindowSubclass(list, lookAfterPaint, 1);
    return watch.allShownAt > 0 ? watch.allShownAt - start : -1;
}

// The caches beside the albums, and the per-user ones of that edge.
void deleteCaches(const std::string& root, int edge = kThumbnailSize) {
    UserCoverCache userCache;
    for (int a = 0; a < 40; ++a) {
        const std::string folder = root + "\\album" + std::to_string(a);
        DeleteFileA((folder + "\\Quillet_Small_Cache_Cover.bmp").c_str());
        DeleteFileA(userCache.pathOf(folder, edge).c_str());
    }
}

// The plug-in freshly started in a host of its own, its album window open in
// List mode on the 40 albums, and its file calls counted by thread.
struct WallSession {
    StandInHost host;
    HWND list = nullptr;
    std::unique_ptr<coverhall::test::ThreadFileCallProbe> files;

    WallSession(const HostOptions& options, std::vector<HostSong> songs) : host(options) {
        host.setSongs(std::move(songs));
        if (!host.loadPlugin(dllPath())) return;
        files = std::make_unique<coverhall::test::ThreadFileCallProbe>(
            GetModuleHandleA("ml_Coverhall.dll"));
        host.startPlugin();
        host.selectEntry("Coverhall");
        list = host.control(IDC_ALBUM_LIST);
        while (ListView_GetItemCount(list) < 40) handleOneMessage();
        UpdateWindow(list);
        // A selected cover is drawn highlighted, not as it is.
        ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
    }
    // The probe goes before the module does.
    ~WallSession() {
        files.reset();
        host.stopPlugin();
    }
    bool ready() const { return list && files; }
    // The switch to Covers and its first paint.
    void showCovers() {
        coverhall::host::clickButton(host.control(IDC_MODE_COVERS));
        UpdateWindow(list);
    }
};

// A page of 40 albums whose covers (one 1400 x 1400 JPEG, hard-linked into
// every album folder) have no cache: the first paint after the switch to
// Covers; the time until every cover shows on screen against the bare
// decodes spread over the engine's threads; how long another window's timer
// and keys wait meanwhile; the same page with every cache current after a
// fresh start, and held in memory; the file calls by thread all along.
// The page's first paints and fills at one cover edge, each in a fresh
// plug-in with no cache; the figures are named with `suffix`.
struct WallRounds {
    WallRounds(const std::string& root, const std::vector<HostSong>& songs,
               const HostOptions& hostOptions, int edge, std::string suffix,
               std::function<void(WallSession&)> countCalls)
        : root(root),
          songs(songs),
          hostOptions(hostOptions),
          edge(edge),
          suffix(std::move(suffix)),
          countCalls(std::move(countCalls)) {}

    const std::string& root;
    const std::vector<HostSong>& songs;
    const HostOptions& hostOptions;
    int edge;
    std::string suffix;
    std::function<void(WallSession&)> countCalls;
    int threads = engineWorkers();
    BareDecodes bare;
    std::vector<double> gaps;

    // Each first paint meets the page uncached in a fresh plug-in. A busy
    // spell on the machine only ever adds time: the fastest is the measure,
    // the median is shown beside it.
    bool firstPaints() {
        std::vector<double> paints;
        for (int round = 0; round < 5; ++round) {
            deleteCaches(root, edge);
            WallSession session(hostOptions, songs);
            if (!session.ready()) return false;
            const double start = nowMs();
            session.showCovers();
            paints.push_back(nowMs() - start);
            countCalls(session);
        }
        report(("wall_first_paint_uncached" + suffix + "_ms").c_str(),
               *std::min_element(paints.begin(), paints.end()), "ms");
        report(("wall_first_paint_uncached" + suffix + "_median_ms").c_str(), median(paints), "ms");
        return true;
    }

    // The machine's pace drifts over seconds: each fill is set against the
    // bare decodes run just before and after it, and the median of several
    // rounds is the measure.
    // Larger covers fill fewer to a page: the page is the albums whose
    // covers show whole, and the bare decodes decode as many.
    bool fills() {
        constexpr int kRounds = 5;
        int page = 40;
        bare = bareDecodes(root, threads, edge, page);
        std::vector<double> fills, bares, ratios;
        for (int round = 0; round < kRounds; ++round) {
            deleteCaches(root, edge);
            WallSession session(hostOptions, songs);
            if (!session.ready()) return false;
            // From the end of the first paint, as the timer's gaps; the
            // workers start on the page during that paint.
            session.showCovers();
            const std::vector<POINT> centres = wholeIconCentres(session.list, 40);
            if (static_cast<int>(centres.size()) != page) {
                page = static_cast<int>(centres.size());
                bare = bareDecodes(root, threads, edge, page);
            }
            TimerGaps timer;
            const double fill = pumpUntilShown(session.list, centres, bare.centre, nowMs(), &timer);
            if (fill < 0) report(("wall_fill_unfinished" + suffix).c_str(), 1, "");
            countCalls(session);
            const BareDecodes after = bareDecodes(root, threads, edge, page);
            fills.push_back(fill);
            gaps.push_back(timer.longest);
            bares.push_back((bare.totalMs + after.totalMs) / 2);
            ratios.push_back(fill / bares.back());
            bare = after;
        }
        report(("wall_fill" + suffix + "_ms").c_str(), median(fills), "ms");
        report(("cover_bare_decodes_parallel" + suffix + "_ms").c_str(), median(bares), "ms");
        report(("wall_fill_ratio" + suffix).c_str(), median(ratios), "x");
        report(("wall_fill_page" + suffix).c_str(), page, "covers");
        return true;
    }
};

void benchWallFill() {
    const std::string root = scratchFolder("coverhall_bench_wall");
    const std::vector<HostSong> songs = linkedCoverAlbums(root, 40, 1400, 0x305070);
    HostOptions hostOptions = options("coverhall_bench_wall_ini", true);
    setting(hostOptions, "UsedView", "0");
    setting(hostOptions, "CoverDesity", "1");
    const int threads = engineWorkers();
    int windowThreadCalls = 0, workerCalls = 0;
    const auto countCalls = [&](WallSession& session) {
        windowThreadCalls += session.files->windowThreadCalls();
        workerCalls += session.files->otherThreadCalls();
    };

    WallRounds rounds{root, songs, hostOptions, kThumbnailSize, "", countCalls};
    if (!rounds.firstPaints() || !rounds.fills()) return;
    report("cover_bare_decodes_threads", threads, "threads");
    const BareDecodes& bare = rounds.bare;
    const std::vector<double>& gaps = rounds.gaps;
    report("wall_clock_gap_max_ms", *std::max_element(gaps.begin(), gaps.end()), "ms");
    // The same timer with nothing else to do, for the system's own pace.
    {
        WallSession session(hostOptions, songs);
        TimerGaps idle;
        pumpUntilShown(session.list, {}, bare.centre, nowMs(), &idle, 1000);
        report("wall_clock_gap_idle_ms", idle.longest, "ms");
    }
    report("wall_clock_gap_median_ms", median(gaps), "ms");

    // The page again without caches, with a key in flight all the time.
    std::vector<double> longestWaits;
    for (int round = 0; round < 5; ++round) {
        deleteCaches(root);
        WallSession session(hostOptions, songs);
        if (!session.ready()) return;
        SetForegroundWindow(GetAncestor(session.list, GA_ROOT));
        session.showCovers();
        SetFocus(session.list);
        const std::vector<POINT> centres = iconCentres(session.list, 40);
        g_keyWaits.stop = false;
        g_keyWaits.inFlight = false;
        g_keyWaits.longest = 0;
        g_keyWaits.hook = SetWindowsHookExA(WH_GETMESSAGE, takeKey, nullptr, GetCurrentThreadId());
        HANDLE sender = CreateThread(nullptr, 0, sendKeys, nullptr, 0, nullptr);
        pumpUntilShown(session.list, centres, bare.centre, nowMs());
        g_keyWaits.stop = true;
        if (sender) {
            WaitForSingleObject(sender, INFINITE);
            CloseHandle(sender);
        }
        UnhookWindowsHookEx(g_keyWaits.hook);
        longestWaits.push_back(g_keyWaits.longest);
        countCalls(session);
    }
    report("wall_input_wait_max_ms", median(longestWaits), "ms");

    // Every cache current, the memory empty: from the switch until all 40
    // show, and how many the first paint left to the placeholder; then the
    // page repainted from memory.
    std::vector<double> cachedPages, memoryPages;
    std::vector<double> placeholders;
    for (int round = 0; round < 5; ++round) {
        WallSession session(hostOptions, songs);
        if (!session.ready()) return;
        const double start = nowMs();
        session.showCovers();
        const std::vector<POINT> centres = iconCentres(session.list, 40);
        placeholders.push_back(40 - shownCount(session.list, centres, bare.centre));
        cachedPages.push_back(pumpUntilShown(session.list, centres, bare.centre, start));
        // The checks that the page's first showing set off run on the
        // workers meanwhile; the repaint is timed once they are done.
        session.host.pump(500);
        memoryPages.push_back(medianMs(
            5, [&] { InvalidateRect(session.list, nullptr, TRUE); },
            [&] { UpdateWindow(session.list); }));
        countCalls(session);
    }
    report("wall_page_cached_ms", median(cachedPages), "ms");
    report("wall_page_cached_placeholders", median(placeholders), "covers");
    report("wall_page_memory_ms", median(memoryPages), "ms");
    report("wall_window_thread_file_calls", windowThreadCalls, "calls");
    report("wall_worker_file_calls", workerCalls, "calls");
}

// Ctrl+V of a 1400 x 1400 bitmap onto an album of the wall, until its new
// cover shows: the picture checked, encoded and written, and the thumbnail
// made from it, on the workers.
void benchSetCover() {
    const std::string root = scratchFolder("coverhall_bench_set_cover");
    const std::vector<HostSong> songs = linkedCoverAlbums(root, 40, 300, 0x305070);
    // The covers earlier runs set aside.
    for (int album = 0; album < 5; ++album) {
        const std::string folder = root + "\\album" + std::to_string(album) + "\\";
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((folder + "*.bak").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) continue;
        do {
            DeleteFileA((folder + found.cFileName).c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    HostOptions hostOptions = options("coverhall_bench_set_cover_ini", true);
    setting(hostOptions, "UsedView", "0");
    setting(hostOptions, "CoverDesity", "1");
    WallSession session(hostOptions, songs);
    if (!session.ready()) return;
    session.showCovers();
    const std::vector<POINT> centres = iconCentres(session.list, 40);
    pumpUntilShown(session.list, centres, RGB(0x30, 0x50, 0x70), nowMs());
    std::vector<double> pastes;
    for (int album = 0; album < 5; ++album) {
        const COLORREF colour = RGB(0x20 + 0x30 * album, 0xC0, 0x40);
        const uint32_t rgb = GetRValue(colour) << 16 | GetGValue(colour) << 8 | GetBValue(colour);
        if (!coverhall::host::putOnClipboard(session.list, CF_DIB,
                                             coverhall::host::solidDib(1400, rgb)))
            return;
        ListView_SetItemState(session.list, -1, 0, LVIS_SELECTED);
        ListView_SetItemState(session.list, album, LVIS_SELECTED | LVIS_FOCUSED,
                              LVIS_SELECTED | LVIS_FOCUSED);
        const double start = nowMs();
        coverhall::host::holdKey(VK_CONTROL, true);
        coverhall::host::pressKey(session.list, 'V');
        coverhall::host::holdKey(VK_CONTROL, false);
        // A selected cover is drawn highlighted, not as it is.
        ListView_SetItemState(session.list, -1, 0, LVIS_SELECTED);
        pastes.push_back(pumpUntilShown(session.list, {centres[album]}, colour, start));
    }
    report("set_cover_paste_ms", median(pastes), "ms");
}

// Chooses "Prepare All Covers" in the root entry's menu and handles
// messages until preparing really ended: the album window's status line
// shows the search result again. The time after the menu, in ms.
double prepareAllCovers(StandInHost& host) {
    coverhall::host::ModalDriver driver;
    driver.expectMenu(ID_MENU_PREPARE_COVERS);
    host.rightClickEntry(*host.findEntry("Coverhall"));
    const double start = nowMs();
    const auto preparing = [&] {
        char status[128] = "";
        GetDlgItemTextA(host.viewWindow(), IDC_STATUS_LINE, status, sizeof status);
        return std::strncmp(status, "Preparing covers", 16) == 0;
    };
    while (preparing() && nowMs() - start < 600000) handleOneMessage();
    return nowMs() - start;
}

// "Prepare All Covers" on 2,000 albums, the album window open in List mode:
// each with a 500 x 500 JPEG folder.jpg (one file, hard-linked) and no
// cache, then again once every cache is current.
void benchPrepareAll() {
    constexpr int kAlbums = 2000;
    const std::string root = scratchFolder("coverhall_bench_prepare");
    std::vector<HostSong> songs = linkedCoverAlbums(root, kAlbums, 500, 0x507030);
    HostOptions hostOptions = options("coverhall_bench_prepare_ini", true);
    setting(hostOptions, "UsedView", "0");
    StandInHost host(hostOptions);
    host.setSongs(std::move(songs));
    if (!host.loadPlugin(dllPath())) return;
    host.startPlugin();
    host.selectEntry("Coverhall");
    host.pump(300);
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
// The same page at the largest cover size.
void benchWall200() {
    const std::string root = scratchFolder("coverhall_bench_wall");
    const std::vector<HostSong> songs = linkedCoverAlbums(root, 40, 1400, 0x305070);
    HostOptions hostOptions = options("coverhall_bench_wall_ini", true);
    setting(hostOptions, "UsedView", "0");
    setting(hostOptions, "CoverDesity", "1");
    setting(hostOptions, "CoverSize", "200");
    WallRounds rounds{root, songs, hostOptions, 200, "_200", [](WallSession&) {}};
    if (rounds.firstPaints()) rounds.fills();
}

int main(int argc, char** argv) {
    const ImagingScope imaging;
    const std::pair<const char*, void (*)()> parts[] = {
        {"library", benchLibrary},    {"covers", benchCoversAndContents},
        {"wall", benchWallFill},      {"wall200", benchWall200},
        {"prepare", benchPrepareAll}, {"set-cover", benchSetCover}};
    const auto named = [&](const char* name) {
        return std::any_of(argv + 1, argv + argc,
                           [&](const char* arg) { return std::strcmp(arg, name) == 0; });
    };
    const bool anyNamed = std::any_of(std::begin(parts), std::end(parts),
                                      [&](const auto& part) { return named(part.first); });
    for (const auto& [name, run] : parts)
        if (!anyNamed || named(name)) run();
    return 0;
}
