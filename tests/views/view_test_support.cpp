#include "tests/views/view_test_support.h"

#include <windows.h>
#include <commctrl.h>

#include <utility>

#include "host/wait_probes.h"
#include "resources/resource_ids.h"
#include "win/win_handles.h"

namespace coverhall::test {
namespace {

TakenMessages* g_takenMessages = nullptr;

BOOL CALLBACK countWindow(HWND window, LPARAM count) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpiA(name, TOOLTIPS_CLASSA) != 0) ++*reinterpret_cast<size_t*>(count);
    EnumChildWindows(window, countWindow, count);
    return TRUE;
}

}  // namespace

std::vector<host::HostSong> demoSongs() {
    std::vector<host::HostSong> songs;
    addAlbum(songs, "Blue Hour", "Miles", 1959, 2, 180, "Jazz");
    addAlbum(songs, "Cold Rock", "Band", 1971, 3, 180, "Rock");
    addAlbum(songs, "Dance", "DJ", 1999, 4, 180, "Pop");
    addAlbum(songs, "Echoes", "Choir", 1985, 2, 180, "Classical");
    return songs;
}

void addAlbum(std::vector<host::HostSong>& songs, const char* title, const char* artist, int year,
              int count, int length, const char* genre) {
    const std::string folder = std::string("C:\\Music\\") + artist + title;
    for (int i = 1; i <= count; ++i) {
        host::HostSong song;
        song.filename = folder + "\\" + std::to_string(i) + ".mp3";
        song.title = std::string(title) + " song " + std::to_string(i);
        song.album = std::string(title);
        song.artist = std::string(artist);
        song.genre = std::string(genre);
        song.year = year;
        song.track = i;
        song.length = length;
        songs.push_back(std::move(song));
    }
}

bool waitForFirstSearch(host::StandInHost& host) {
    return host::pumpUntil(host, [&] {
        return host.control(IDC_STATUS_LINE) &&
               controlText(host.viewWindow(), IDC_STATUS_LINE) != " ";
    });
}

bool openAndSearch(host::StandInHost& host) {
    return host.selectEntry("Coverhall") && waitForFirstSearch(host);
}

bool searchAfter(host::StandInHost& host, const std::function<void()>& change) {
    HWND status = host.control(IDC_STATUS_LINE);
    if (!status) return false;
    host::TextWrites writes(status);
    change();
    return host::pumpUntil(host, [&] { return writes.count() > 0; });
}

bool searchFor(host::StandInHost& host, const std::string& text) {
    return searchAfter(host, [&] { typeSearch(host, text); });
}

void typeSearch(host::StandInHost& host, const std::string& text) {
    SetDlgItemTextA(host.viewWindow(), IDC_SEARCH_EDIT, text.c_str());
}

bool shown(HWND control) {
    return control && (GetWindowLongPtrA(control, GWL_STYLE) & WS_VISIBLE) != 0;
}

TakenMessages::TakenMessages(std::function<void(const MSG&)> seen)
    : seen_(std::move(seen)),
      hook_(
          SetWindowsHookExA(WH_GETMESSAGE, &TakenMessages::taken, nullptr, GetCurrentThreadId())) {
    g_takenMessages = this;
}

TakenMessages::~TakenMessages() {
    if (hook_) UnhookWindowsHookEx(hook_);
    g_takenMessages = nullptr;
}

LRESULT CALLBACK TakenMessages::taken(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && wParam == PM_REMOVE && g_takenMessages)
        g_takenMessages->seen_(*reinterpret_cast<const MSG*>(lParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool handleMessagesUntil(const std::function<bool()>& done, DWORD deadlineMs) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start >= deadlineMs) return false;
        MSG message;
        if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return true;
}

uint32_t screenColour(HWND window, POINT point) {
    const WindowDc screen(window);
    const COLORREF colour = GetPixel(screen.get(), point.x, point.y);
    return static_cast<uint32_t>(GetRValue(colour)) << 16 | GetGValue(colour) << 8 |
           GetBValue(colour);
}

size_t processWindowCount() {
    size_t count = 0;
    EnumThreadWindows(GetCurrentThreadId(), countWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

}  // namespace coverhall::test
