#include "views/genre_list_window.h"

#include <commctrl.h>

#include <string>

#include "catalogue/album_catalogue.h"
#include "covers/plugin_state.h"
#include "resources/resource_ids.h"
#include "views/list_text.h"
#include "views/list_view_helper.h"
#include "views/view_state.h"
#include "views/view_windows.h"
#include "win/setting_keys.h"
#include "win/settings.h"

HWND g_genreListWindow = nullptr;
int g_genreSortColumn = 0;
int g_genreSortDescending = 0;

namespace {

int g_borderTable[] = {IDC_GENRE_LIST + kBorderSunken};

const std::string& genreAt(int row) {
    static const std::string none;
    const auto& names = libraryCatalogue().genreNames();
    return row >= 0 && row < static_cast<int>(names.size()) ? names[static_cast<size_t>(row)]
                                                            : none;
}

template <typename Item>
void answerDisplay(Item& item) {
    if (!(item.mask & LVIF_TEXT)) return;
    if (item.iItem < 0 || item.iItem >= libraryCatalogue().genreCount()) return;
    copyListText(genreColumnText(item.iItem, item.iSubItem), item.pszText, item.cchTextMax);
}

}  // namespace

std::string genreColumnText(int row, int column) {
    const std::string& name = genreAt(row);
    if (column == 0) return name.empty() ? std::string(kUnknownGenre) : name;
    if (column == 1) return std::to_string(libraryCatalogue().albumCountOfGenre(name));
    return std::string();
}

INT_PTR GenreListWindow::onInitDialog() {
    g_genreListWindow = window();
    services_ = queryHostServices(library_);
    g_hostDialogHook = services_.dialogHook;
    resizeTable_[0] = {IDC_GENRE_LIST, 0x0011, {}};
    resizeTable_[1] = {IDC_VIEW_GENRE, 0x0101, {}};
    if (services_.resizeInit) services_.resizeInit(window(), resizeTable_, 2);
    g_genreListHelper.hostWindow = library_;
    g_genreListHelper.attach(list());
    g_genreListHelper.addColumn("Genre", 300);
    g_genreListHelper.addColumn("Albums", 64);
    colourList(list(), services_.color);
    skin_ = SendMessageA(library_, kLibraryMessage, reinterpret_cast<WPARAM>(list()),
                         LibraryCode::kSkinList);
    g_genreSortDescending = readSettingInt(kGenreSortDescendingKey, 0) != 0;
    // An edited column other than 0 or 1 would give an order nobody can
    // predict: the genre names are taken instead.
    const int column = readSettingInt(kGenreSortColumnKey, g_genreSortColumn);
    g_genreSortColumn = column == 0 || column == 1 ? column : 0;
    sortAndRefresh();
    return FALSE;
}

void GenreListWindow::sortAndRefresh() {
    libraryCatalogue().sortGenres(g_genreSortColumn, g_genreSortDescending != 0);
    refillListItems(list(), libraryCatalogue().genreCount());
}

void GenreListWindow::onColumnClick(int column) {
    if (column != 0 && column != 1) return;
    applySortClick(column, g_genreSortColumn, g_genreSortDescending);
    writeSettingInt(kGenreSortDescendingKey, g_genreSortDescending);
    writeSettingInt(kGenreSortColumnKey, g_genreSortColumn);
    sortAndRefresh();
}

void GenreListWindow::viewSelectedGenre() {
    const int row = ListView_GetNextItem(list(), -1, LVNI_SELECTED);
    if (row < 0 || row >= libraryCatalogue().genreCount()) return;
    const int entry = genreEntryId(genreAt(row));
    // The host destroys this window while it selects the entry: nothing may
    // run here afterwards.
    if (entry)
        SendMessageA(library_, kLibraryMessage, static_cast<WPARAM>(entry),
                     LibraryCode::kSelectTreeItem);
}

INT_PTR GenreListWindow::onCommand(int id, int, HWND) {
    if (id == IDC_VIEW_GENRE) PostMessageA(window(), kViewGenreMessage, 0, 0);
    return FALSE;
}

INT_PTR GenreListWindow::onNotify(NMHDR& header) {
    if (header.idFrom != IDC_GENRE_LIST) return FALSE;
    switch (header.code) {
        case NM_DBLCLK:
            PostMessageA(window(), kViewGenreMessage, 0, 0);
            return FALSE;
        case LVN_GETDISPINFOA:
            answerDisplay(reinterpret_cast<NMLVDISPINFOA&>(header).item);
            return FALSE;
        case LVN_GETDISPINFOW:
            answerDisplay(reinterpret_cast<NMLVDISPINFOW&>(header).item);
            return FALSE;
        case LVN_COLUMNCLICK:
            onColumnClick(reinterpret_cast<NMLISTVIEW&>(header).iSubItem);
            return FALSE;
        default:
            return FALSE;
    }
}

INT_PTR GenreListWindow::onSize(UINT type, int, int) {
    if (type != SIZE_MINIMIZED && services_.resizeApply)
        services_.resizeApply(window(), resizeTable_, 2);
    return FALSE;
}

INT_PTR GenreListWindow::onPaint() {
    if (services_.paintBorders) services_.paintBorders(window(), g_borderTable, 1);
    return FALSE;
}

INT_PTR GenreListWindow::onDestroy() {
    if (g_genreListWindow == window()) g_genreListWindow = nullptr;
    if (skin_)
        SendMessageA(library_, kLibraryMessage, static_cast<WPARAM>(skin_),
                     LibraryCode::kUnskinList);
    skin_ = 0;
    return FALSE;
}

INT_PTR GenreListWindow::onOtherMessage(UINT message, WPARAM, LPARAM) {
    switch (message) {
        case kViewGenreMessage:
            viewSelectedGenre();
            return TRUE;
        case WM_DISPLAYCHANGE:
            colourList(list(), services_.color);
            g_genreListHelper.refreshFont();
            return FALSE;
        default:
            return FALSE;
    }
}
