// The demo tour: the stand-in host with the plug-in on a library, driven as a
// user would (clicks, keys, typing, the host's menus), one screenshot a step.
//   coverhall-tour --plugin <dll> --library <file> --ini <folder> --out <prefix>
// Writes "<prefix>-NN-<step>.bmp" for each step and prints its name.
#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "host/clipboard_pictures.h"
#include "host/command_line.h"
#include "host/list_probes.h"
#include "host/modal_driver.h"
#include "host/stand_in_host.h"
#include "host/wait_probes.h"
#include "host/window_capture.h"
#include "resources/resource_ids.h"
#include "tools/cover_painter.h"

namespace {

using coverhall::host::StandInHost;

class Tour {
  public:
    // Steps are numbered after `earlier` ones of an earlier host.
    Tour(StandInHost& host, std::string prefix, int earlier = 0)
        : host_(host), prefix_(std::move(prefix)), count_(earlier) {}

    // Captures the library window once the messages queued so far are handled.
    void shoot(const char* step) { save(step, host_.libraryWindow(), true); }
    // Captures the library window as painted now, before any timer runs.
    void shootNow(const char* step) {
        RedrawWindow(host_.libraryWindow(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        save(step, host_.libraryWindow(), false);
    }
    // Captures a modal dialog from inside its own message loop.
    void shootDialog(const char* step, HWND dialog) { save(step, dialog, false); }
    // Captures the view with an open popup menu over it, from inside the
    // menu's loop.
    void shootMenu(const char* step) {
        save(step, host_.viewWindow(), false, &coverhall::host::captureWithPopups);
    }
    int failures() const { return failures_; }
    int shots() const { return count_; }

  private:
    void save(const char* step, HWND window, bool settle,
              bool (*capture)(HWND, const std::string&) = &coverhall::host::captureWindow) {
        if (settle) host_.pump(0);
        char number[8];
        std::snprintf(number, sizeof number, "%02d", ++count_);
        const std::string path = prefix_ + "-" + number + "-" + step + ".bmp";
        const bool written = capture(window, path);
        std::printf("%s %s\n", written ? "screenshot" : "cannot write", path.c_str());
        std::fflush(stdout);
        failures_ += written ? 0 : 1;
    }

    StandInHost& host_;
    std::string prefix_;
    int count_ = 0;
    int failures_ = 0;
};

void typeText(HWND edit, const char* text) {
    SetFocus(edit);
    for (const char* c = text; *c; ++c) SendMessageA(edit, WM_CHAR, static_cast<WPARAM>(*c), 1);
}

void click(StandInHost& host, int id) {
    coverhall::host::clickButton(host.control(id));
    host.pump(0);
}

// The album window shows a blank status line until its first search ran.
void waitForFirstSearch(StandInHost& host) {
    coverhall::host::pumpUntil(host, [&] {
        HWND status = host.control(IDC_STATUS_LINE);
        char text[8] = "";
        return status && GetWindowTextA(status, text, sizeof text) > 0 && lstrcmpA(text, " ") != 0;
    });
}

// Makes the change and waits until the search it set off wrote the status line.
void searchAfter(StandInHost& host, const std::function<void()>& change) {
    coverhall::host::TextWrites writes(host.control(IDC_STATUS_LINE));
    change();
    coverhall::host::pumpUntil(host, [&] { return writes.count() > 0; });
}

// Handles messages until no cover has arrived for a while: the plug-in's
// cover workers post each batch of covers to its window (WM_APP + 0x2C).
void waitForCovers() {
    DWORD lastCover = GetTickCount();
    const DWORD start = lastCover;
    while (GetTickCount() - lastCover < 250 && GetTickCount() - start < 20000) {
        MSG message;
        if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
            continue;
        }
        if (message.message == WM_APP + 0x2C) lastCover = GetTickCount();
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

std::string statusText(StandInHost& host) {
    char text[128] = "";
    GetWindowTextA(host.control(IDC_STATUS_LINE), text, sizeof text);
    return text;
}

void selectRow(HWND list, int row) {
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
    ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(list, row, FALSE);
}

// A painted cover on the clipboard, as a browser's "Copy image" leaves one.
bool copyPicture(HWND owner) {
    const coverhall::tools::CoverPicture picture = coverhall::tools::paintCover(1234, 600, 600);
    return coverhall::host::putOnClipboard(
        owner, CF_DIB,
        coverhall::host::packedDib(picture.width, picture.height, picture.pixels.data(),
                                   picture.stride));
}

// The album without any picture gets one pasted with Ctrl+V; the wall
// before and after, nothing selected: Wine draws a selected cover as a
// flat square.
void pasteCover(StandInHost& host, Tour& tour) {
    HWND albums = host.control(IDC_ALBUM_LIST);
    LVFINDINFOA find{};
    find.flags = LVFI_PARTIAL;
    find.psz = "Unknown Tapes";
    const int tapes = ListView_FindItem(albums, -1, &find);
    ListView_SetItemState(albums, -1, 0, LVIS_SELECTED);
    tour.shoot("covers-before-paste");
    if (tapes < 0 || !copyPicture(albums)) return;
    selectRow(albums, tapes);
    SetFocus(albums);
    coverhall::host::holdKey(VK_CONTROL, true);
    coverhall::host::pressKey(albums, 'V');
    coverhall::host::holdKey(VK_CONTROL, false);
    coverhall::host::pumpUntil(host, [&] { return statusText(host).rfind("Cover set", 0) == 0; });
    ListView_SetItemState(albums, -1, 0, LVIS_SELECTED);
    waitForCovers();
    tour.shoot("cover-pasted");
}

void walk(StandInHost& host, Tour& tour) {
    tour.shoot("tree");

    // The album window opens in List; sorted by artist, then searched.
    host.selectEntry("Coverhall");
    waitForFirstSearch(host);
    if (IsDlgButtonChecked(host.viewWindow(), IDC_MODE_LIST) != BST_CHECKED)
        click(host, IDC_MODE_LIST);
    coverhall::host::sendColumnClick(host.control(IDC_ALBUM_LIST), 1);
    tour.shoot("list-by-artist");
    searchAfter(host, [&] { typeText(host.control(IDC_SEARCH_EDIT), "the"); });
    tour.shoot("search");
    searchAfter(host, [&] { click(host, IDC_CLEAR_SEARCH); });
    coverhall::host::sendColumnClick(host.control(IDC_ALBUM_LIST), 0);

    // The cover wall paints at once, covers not decoded yet as disc cases;
    // they fill in behind it. Meanwhile every album's cover is prepared from
    // the root entry's menu, its progress in the status line.
    coverhall::host::clickButton(host.control(IDC_MODE_COVERS));
    coverhall::host::clickButton(host.control(IDC_DENSITY_LOW));
    tour.shootNow("covers-placeholders");
    {
        coverhall::host::ModalDriver driver;
        driver.expectMenu(ID_MENU_PREPARE_COVERS);
        if (const auto entry = host.findEntry("Coverhall")) host.rightClickEntry(*entry);
    }
    tour.shootNow("preparing-covers");
    coverhall::host::pumpUntil(host,
                               [&] { return statusText(host).rfind("Preparing covers", 0) != 0; });
    waitForCovers();
    tour.shoot("covers-low");
    click(host, IDC_DENSITY_HIGH);
    tour.shoot("covers-high");
    click(host, IDC_DENSITY_LOW);

    pasteCover(host, tour);

    // A right click on a cover: the album's menu, closed with Escape.
    {
        HWND albums = host.control(IDC_ALBUM_LIST);
        RECT cover{};
        ListView_GetItemRect(albums, 1, &cover, LVIR_ICON);
        POINT point{(cover.left + cover.right) / 2, (cover.top + cover.bottom) / 2};
        ClientToScreen(albums, &point);
        coverhall::host::ModalDriver driver;
        driver.expectMenu(0, [&](HWND) { tour.shootMenu("album-menu"); });
        SendMessageA(albums, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(albums),
                     MAKELPARAM(point.x, point.y));
    }

    // One album's contents, then its songs sent to the playlist.
    selectRow(host.control(IDC_ALBUM_LIST), 2);
    click(host, IDC_MODE_CONTENTS);
    waitForCovers();
    tour.shoot("contents");
    ListView_SetItemState(host.control(IDC_SONG_LIST), -1, LVIS_SELECTED, LVIS_SELECTED);
    click(host, IDC_ENQUEUE);
    tour.shoot("enqueue");
    click(host, IDC_MODE_LIST);

    // Every genre with its albums, the largest first; then one genre.
    host.selectEntry("Genres");
    HWND genres = host.control(IDC_GENRE_LIST);
    coverhall::host::sendColumnClick(genres, 1);
    coverhall::host::sendColumnClick(genres, 1);
    tour.shoot("genres-by-albums");
    selectRow(genres, 0);
    click(host, IDC_VIEW_GENRE);
    waitForFirstSearch(host);
    tour.shoot("genre-albums");

    // Configure from the host's menu: the discs of a set are to show as one
    // album, which takes effect when the player starts again, and covers of
    // 200 pixels, from the next search.
    {
        coverhall::host::ModalDriver driver;
        driver.expectDialog("Configure Coverhall", [&](HWND dialog) {
            coverhall::host::clickButton(GetDlgItem(dialog, IDC_JOIN_DISC_FOLDERS));
            SendDlgItemMessageA(dialog, IDC_COVER_SIZE, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                                reinterpret_cast<LPARAM>("200"));
            tour.shootDialog("configure", dialog);
            SendMessageA(dialog, WM_COMMAND, IDOK, 0);
        });
        host.configurePlugin();
    }
    host.selectEntry("Coverhall");
    waitForFirstSearch(host);
    if (IsDlgButtonChecked(host.viewWindow(), IDC_MODE_COVERS) != BST_CHECKED)
        click(host, IDC_MODE_COVERS);
    waitForCovers();
    tour.shoot("covers-200");

    // About from the plug-in entry's context menu. The closing Configure
    // dialog leaves messages queued that would close the menu at once.
    host.pump(300);
    coverhall::host::ModalDriver aboutDriver;
    aboutDriver.expectMenu(ID_MENU_ABOUT);
    aboutDriver.expectDialog("Info about Coverhall", [&](HWND dialog) {
        tour.shootDialog("about", dialog);
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    if (const auto entry = host.findEntry("Coverhall")) host.rightClickEntry(*entry);
}

// After the player started again: the discs of a set are one album.
void walkJoined(StandInHost& host, Tour& tour) {
    host.selectEntry("Coverhall");
    waitForFirstSearch(host);
    if (IsDlgButtonChecked(host.viewWindow(), IDC_MODE_COVERS) != BST_CHECKED)
        click(host, IDC_MODE_COVERS);
    waitForCovers();
    // Another album selected, so that the set's cover shows as it is.
    selectRow(host.control(IDC_ALBUM_LIST), 1);
    tour.shoot("covers-discs-joined");
}

}  // namespace

int main(int argc, char** argv) {
    coverhall::host::HostArguments arguments;
    if (!coverhall::host::parseHostArguments(
            argc, argv, {"--plugin", "--library", "--ini", "--out"}, arguments) ||
        arguments.plugin.empty() || arguments.out.empty()) {
        std::fprintf(stderr,
                     "usage: coverhall-tour --plugin <dll> --library <file> --ini <folder> "
                     "--out <prefix>\n");
        return 2;
    }
    coverhall::host::HostOptions options;
    options.iniFolder = arguments.ini;
    int shots = 0, failures = 0;
    // The player twice, the second time with what the first one's Configure stored.
    for (auto step : {&walk, &walkJoined}) {
        StandInHost host(options);
        if (!coverhall::host::loadAndStart(host, arguments)) return 1;
        Tour tour(host, arguments.out, shots);
        step(host, tour);
        shots = tour.shots();
        failures += tour.failures();
    }
    return failures ? 1 : 0;
}
