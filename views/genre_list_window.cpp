#include "views/genre_list_window.h"

#include <commctrl.h>

#include <string>

#include "catalogue/album_catalogue.h"
#include "covers/plugin_state.h"
#include "resources/resource_ids.h"
#include "views/list_text.h"
#include "views/list_view_helper.h"
#include "settings/list_sorts.h"
#include "settings/setting_keys.h"
#include "win/settings.h"

HWND g_genreListWindow = nullptr;

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
    copyListText(genreColumnText(item.iItem, static_cast<GenreColumn>(item.iSubItem)), item.pszText,
                 item.cchTextMax);
}

}  // namespace

std::string genreColumnText(int row, GenreColumn column) {
    const std::string& name = genreAt(row);
    switch (column) {
        case GenreColumn::Name:
            return name.empty() ? std::string(kUnknownGenre) : name;
        case GenreColumn::Albums:
            return std::to_string(libraryCatalogue().albumCountOfGenre(name));
        default:
            return std::string();
    }
}

INT_PTR GenreListWindow::onInitDialog() {
    g_genreListWindow = window();
    takeHostServices();
    resizeTable_[0] = {IDC_GENRE_LIST, 0x0011, {}};
    resizeTable_[1] = {IDC_VIEW_GENRE, 0x0101, {}};
    initResize(resizeTable_, 2);
    g_genreListHelper.hostWindow = library();
    g_genreListHelper.attach(list());
    g_genreListHelper.addColumn("Genre", 300);
    g_genreListHelper.addColumn("Albums", 64);
    colourList(list(), hostColors());
    skinList(list());
    ListSort& sort = g_listSorts.genres;
    sort.descending = readSettingInt(kGenreSortDescendingKey, 0) != 0;
    // An edited column of no genre list column would give an order nobody
    // can predict: the genre names are taken instead.
    const int column = readSettingInt(kGenreSortColumnKey, sort.column);
    sort.column = column >= 0 && column < kGenreColumnCount ? column : 0;
    sortAndRefresh();
    return FALSE;
}

void GenreListWindow::sortAndRefresh() {
    libraryCatalogue().sortGenres(g_listSorts.genres.column, g_listSorts.genres.descending != 0);
    refillListItems(list(), libraryCatalogue().genreCount());
}

void GenreListWindow::onColumnClick(int column) {
    if (column < 0 || column >= kGenreColumnCount) return;
    g_listSorts.genres.applyClick(column);
    writeListSort(g_listSorts.genres, kGenreSortColumnKey, kGenreSortDescendingKey);
    sortAndRefresh();
}

void GenreListWindow::viewSelectedGenre() {
    const int row = ListView_GetNextItem(list(), -1, LVNI_SELECTED);
    if (row < 0 || row >= libraryCatalogue().genreCount()) return;
    const int entry = genreEntry_ ? genreEntry_(genreAt(row)) : 0;
    // The host destroys this window while it selects the entry: nothing may
    // run here afterwards.
    if (entry)
        SendMessageA(library(), kLibraryMessage, static_cast<WPARAM>(entry),
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
    if (type != SIZE_MINIMIZED) applyResize(resizeTable_, 2);
    return FALSE;
}

INT_PTR GenreListWindow::onPaint() {
    paintBorders(g_borderTable, 1);
    return FALSE;
}

INT_PTR GenreListWindow::onDestroy() {
    if (g_genreListWindow == window()) g_genreListWindow = nullptr;
    return HostedView::onDestroy();
}

INT_PTR GenreListWindow::onOtherMessage(UINT message, WPARAM, LPARAM) {
    switch (message) {
        case kViewGenreMessage:
            viewSelectedGenre();
            return TRUE;
        case WM_DISPLAYCHANGE:
            colourList(list(), hostColors());
            g_genreListHelper.refreshFont();
            return FALSE;
        default:
            return FALSE;
    }
}
