#include "views/view_windows.h"

#include <memory>

#include "resources/resource_ids.h"
#include "views/album_window.h"
#include "views/genre_list_window.h"
#include "win/dialog_base.h"

HWND g_albumWindow = nullptr;
std::string g_genreFilter;

namespace {

HINSTANCE g_viewInstance = nullptr;
HWND g_viewLibraryWindow = nullptr;
GenreEntryLookup g_genreEntryLookup = nullptr;

}  // namespace

void setViewHost(HINSTANCE instance, HWND libraryWindow, GenreEntryLookup genreEntry) {
    g_viewInstance = instance;
    g_viewLibraryWindow = libraryWindow;
    g_genreEntryLookup = genreEntry;
}

HWND createAlbumWindow(HWND parent, std::optional<std::string> genre) {
    return coverhall::DialogBase::createModeless(
        std::make_unique<AlbumWindow>(g_viewLibraryWindow, std::move(genre)), g_viewInstance,
        IDD_ALBUM_WINDOW, parent);
}

HWND createGenreListWindow(HWND parent) {
    return coverhall::DialogBase::createModeless(
        std::make_unique<GenreListWindow>(g_viewLibraryWindow, g_genreEntryLookup), g_viewInstance,
        IDD_GENRE_WINDOW, parent);
}

void rerunAlbumSearch() {
    if (g_albumWindow && IsWindow(g_albumWindow))
        SendMessageA(g_albumWindow, kRerunSearchMessage, 0, 0);
}

void repaintAlbumList() {
    if (g_albumWindow) InvalidateRect(GetDlgItem(g_albumWindow, IDC_ALBUM_LIST), nullptr, TRUE);
}

void destroyViewWindows() {
    if (g_albumWindow && IsWindow(g_albumWindow)) DestroyWindow(g_albumWindow);
    g_albumWindow = nullptr;
    if (g_genreListWindow && IsWindow(g_genreListWindow)) DestroyWindow(g_genreListWindow);
    g_genreListWindow = nullptr;
}
