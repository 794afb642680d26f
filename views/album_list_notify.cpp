// The album list's notifications: display requests, tag tips, type-ahead,
// column clicks, keys and column widths.
#include <windows.h>
#include <commctrl.h>

#include "covers/album_cover.h"
#include "covers/cover_image_list_win32.h"
#include "covers/plugin_state.h"
#include "resources/resource_ids.h"
#include "views/album_list_texts.h"
#include "views/album_window.h"
#include "views/list_text.h"
#include "views/list_view_helper.h"
#include "views/view_state.h"
#include "win/plugin_globals.h"
#include "win/setting_keys.h"
#include "win/settings.h"

namespace {

const AlbumRecord* shownAlbum(int index) {
    const AlbumCatalogue* view = viewCatalogue();
    return view ? view->shownAlbumAt(index) : nullptr;
}

// What a display request is answered with, for either character width.
struct AlbumDisplay {
    bool answered = false;
    std::string text;
    bool hasText = false;
    int image = -1;
    UINT state = 0;
};

}  // namespace

INT_PTR AlbumWindow::onAlbumListNotify(NMHDR& header) {
    HWND list = header.hwndFrom;
    switch (header.code) {
        case LVN_GETDISPINFOA:
            answerAlbumDisplay(reinterpret_cast<NMLVDISPINFOA&>(header).item);
            return FALSE;
        case LVN_GETDISPINFOW:
            answerAlbumDisplay(reinterpret_cast<NMLVDISPINFOW&>(header).item);
            return FALSE;
        case LVN_GETINFOTIPA: {
            auto& tip = reinterpret_cast<NMLVGETINFOTIPA&>(header);
            return answerTagTip(tip.pszText, tip.cchTextMax, tip.iItem);
        }
        case LVN_GETINFOTIPW: {
            auto& tip = reinterpret_cast<NMLVGETINFOTIPW&>(header);
            return answerTagTip(tip.pszText, tip.cchTextMax, tip.iItem);
        }
        case LVN_ODFINDITEMA: {
            auto& find = reinterpret_cast<NMLVFINDITEMA&>(header);
            return answerFind(find.iStart, find.lvfi.flags, find.lvfi.psz ? find.lvfi.psz : "");
        }
        case LVN_ODFINDITEMW: {
            // Wine's list view sends the wide form even to an ANSI dialog.
            auto& find = reinterpret_cast<NMLVFINDITEMW&>(header);
            return answerFind(find.iStart, find.lvfi.flags, narrowText(find.lvfi.psz));
        }
        case LVN_COLUMNCLICK:
            onAlbumColumnClick(reinterpret_cast<NMLISTVIEW&>(header).iSubItem);
            return FALSE;
        case LVN_ITEMCHANGED:
            updateSelectionInfo(window());
            return FALSE;
        case LVN_KEYDOWN:
            onAlbumListKey(reinterpret_cast<NMLVKEYDOWN&>(header).wVKey);
            return FALSE;
        case NM_RETURN:
        case NM_DBLCLK:
            if (ListView_GetSelectedCount(list) > 0) openSelectedAlbum();
            return FALSE;
        case LVN_BEGINDRAG:
            SetCapture(window());
            return FALSE;
        default:
            return FALSE;
    }
}

namespace {

AlbumDisplay albumDisplay(HWND list, bool& firstSelection, int index, int subItem, UINT mask) {
    AlbumDisplay display;
    const AlbumRecord* album = shownAlbum(index);
    if (!album || !(mask & (LVIF_TEXT | LVIF_IMAGE | LVIF_STATE))) return display;
    display.answered = true;
    if (mask & LVIF_STATE) {
        if (firstSelection) {
            firstSelection = false;
            g_albumListHelper.selectItem(0);
        }
        if (ListView_GetNextItem(list, -1, LVNI_SELECTED) == index)
            display.state = INDEXTOOVERLAYMASK(1);
    }
    if (mask & LVIF_TEXT) {
        display.hasText = true;
        if (subItem == 0 && g_viewMode == Covers) {
            if (g_coverDensity != 1) display.text = coverLabel(*album, g_albumSortColumn);
        } else {
            display.text = albumColumnText(*album, subItem);
        }
    }
    if ((mask & LVIF_IMAGE) && g_viewMode == Covers) {
        display.image = loadAlbumCover(album, g_frontCoverImageName, g_coverDetectionMode, nullptr,
                                       coverImageListOf(viewCatalogue()), g_embeddedCovers);
    }
    return display;
}

template <typename Item>
void applyDisplay(const AlbumDisplay& display, Item& item) {
    if (!display.answered) return;
    if (item.mask & LVIF_STATE) item.state = (item.state & ~LVIS_OVERLAYMASK) | display.state;
    if (display.hasText) copyListText(display.text, item.pszText, item.cchTextMax);
    if (display.image >= 0) item.iImage = display.image;
}

}  // namespace

void AlbumWindow::answerAlbumDisplay(LVITEMA& item) {
    applyDisplay(albumDisplay(control(IDC_ALBUM_LIST), firstSelection_, item.iItem, item.iSubItem,
                              item.mask),
                 item);
}

void AlbumWindow::answerAlbumDisplay(LVITEMW& item) {
    applyDisplay(albumDisplay(control(IDC_ALBUM_LIST), firstSelection_, item.iItem, item.iSubItem,
                              item.mask),
                 item);
}

INT_PTR AlbumWindow::answerTagTip(char* text, int size, int item) {
    if (const AlbumRecord* album = shownAlbum(item)) copyListText(tagTipText(*album), text, size);
    return FALSE;
}

INT_PTR AlbumWindow::answerTagTip(wchar_t* text, int size, int item) {
    if (const AlbumRecord* album = shownAlbum(item)) copyListText(tagTipText(*album), text, size);
    return FALSE;
}

INT_PTR AlbumWindow::answerFind(int start, unsigned flags, const std::string& typed) {
    const AlbumCatalogue* view = viewCatalogue();
    const int found = view ? findAlbumByKey(*view, start, flags, typed, g_albumSortColumn) : -1;
    setMessageResult(found);
    return TRUE;
}

void AlbumWindow::onAlbumColumnClick(int column) {
    if (column < 0 || column > 6) return;
    applySortClick(column, g_albumSortColumn, g_albumSortDescending);
    writeSettingInt(kAlbumSortDescendingKey, g_albumSortDescending);
    writeSettingInt(kAlbumSortColumnKey, g_albumSortColumn);
    sortAndRefreshAlbumList();
    g_albumListHelper.selectItem(0);
    if (ListView_GetSelectedCount(control(IDC_ALBUM_LIST)) == 0)
        EnableWindow(control(IDC_MODE_CONTENTS), FALSE);
}

void AlbumWindow::onAlbumListKey(WORD key) {
    if (key == VK_SPACE && !modifierHeld() &&
        ListView_GetSelectedCount(control(IDC_ALBUM_LIST)) > 0)
        openSelectedAlbum();
}

void AlbumWindow::openSelectedAlbum() {
    clickButton(IDC_MODE_CONTENTS);
}

void AlbumWindow::saveColumnWidth(const NMHEADERA& header) {
    if (!header.pitem || !(header.pitem->mask & HDI_WIDTH)) return;
    HWND list = GetParent(header.hdr.hwndFrom);
    char section[81] = "";
    GetWindowTextA(list, section, sizeof section);
    char title[81] = "";
    HDITEMA item{};
    item.mask = HDI_TEXT;
    item.pszText = title;
    item.cchTextMax = sizeof title;
    if (!SendMessageA(header.hdr.hwndFrom, HDM_GETITEMA, header.iItem,
                      reinterpret_cast<LPARAM>(&item)))
        return;
    writeColumnWidth(section, title, header.pitem->cxy);
}
