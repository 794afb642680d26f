#include "views/view_windows.h"

#include "resources/resource_ids.h"

HWND g_albumWindow = nullptr;
std::string g_genreFilter;
WNDPROC g_albumListProcedure = nullptr;
WNDPROC g_songListProcedure = nullptr;

namespace {

HBITMAP g_tagButtonBitmap = nullptr;

void restoreProcedure(int controlId, WNDPROC& original) {
    if (!original) return;
    HWND list = g_albumWindow ? GetDlgItem(g_albumWindow, controlId) : nullptr;
    if (list) SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    original = nullptr;
}

}  // namespace

// Dialogs 221 and 123 and their procedures arrive with the view windows
// themselves; until then a click on an entry shows no view.
HWND createAlbumWindow(HWND, int) {
    return nullptr;
}
HWND createGenreListWindow(HWND, int) {
    return nullptr;
}

void rerunAlbumSearch() {
    if (g_albumWindow && IsWindow(g_albumWindow))
        SendMessageA(g_albumWindow, kRerunSearchMessage, 0, 0);
}

void repaintAlbumList() {
    if (!g_albumWindow || !IsWindow(g_albumWindow)) return;
    if (HWND list = GetDlgItem(g_albumWindow, IDC_ALBUM_LIST)) InvalidateRect(list, nullptr, TRUE);
}

void restoreListProcedures() {
    restoreProcedure(IDC_ALBUM_LIST, g_albumListProcedure);
    restoreProcedure(IDC_SONG_LIST, g_songListProcedure);
}

void holdTagButtonBitmap(HBITMAP bitmap) {
    if (g_tagButtonBitmap && g_tagButtonBitmap != bitmap) DeleteObject(g_tagButtonBitmap);
    g_tagButtonBitmap = bitmap;
}

void releaseTagButtonBitmap() {
    holdTagButtonBitmap(nullptr);
}
