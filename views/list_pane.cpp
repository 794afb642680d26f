#include "views/list_pane.h"

#include <windowsx.h>

#include "views/list_view_helper.h"
#include "win/module_bitmaps.h"
#include "win/settings.h"
#include "win/win_handles.h"

namespace {

constexpr UINT_PTR kSubclassId = 1;

// The context-menu key, and Shift+F10 (a system key: F10 alone is the menu
// bar's).
bool isMenuKey(WPARAM key) {
    return key == VK_APPS || (key == VK_F10 && (GetKeyState(VK_SHIFT) & 0x8000));
}

}  // namespace

ListPane::~ListPane() {
    detach();
}

void ListPane::attachList(HWND list) {
    detach();
    list_ = list;
    if (list_)
        SetWindowSubclass(list_, &subclassProcedure, kSubclassId,
                          reinterpret_cast<DWORD_PTR>(this));
}

void ListPane::detach() {
    if (list_ && IsWindow(list_)) RemoveWindowSubclass(list_, &subclassProcedure, kSubclassId);
    list_ = nullptr;
}

LRESULT CALLBACK ListPane::subclassProcedure(HWND list, UINT message, WPARAM wParam, LPARAM lParam,
                                             UINT_PTR, DWORD_PTR data) {
    auto* pane = reinterpret_cast<ListPane*>(data);
    if (message == WM_GETDLGCODE) return DLGC_WANTALLKEYS;
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(list, &subclassProcedure, kSubclassId);
        pane->list_ = nullptr;
        return DefSubclassProc(list, message, wParam, lParam);
    }
    LRESULT result = 0;
    try {
        if (pane->onContextMenuMessage(message, wParam, lParam)) return 0;
        if (pane->onListMessage(message, wParam, lParam, result)) return result;
    } catch (...) {
        // Nothing of ours may keep the list from handling its message.
    }
    return DefSubclassProc(list, message, wParam, lParam);
}

void ListPane::addColumns(ListViewHelper& helper, HWND libraryWindow, const ColumnSpec* columns,
                          int count) const {
    helper.hostWindow = libraryWindow;
    helper.attach(list_);
    char section[81] = "";
    GetWindowTextA(list_, section, sizeof section);
    for (int i = 0; i < count; ++i)
        helper.addColumn(columns[i].title,
                         readColumnWidth(section, columns[i].title, columns[i].width));
}

bool ListPane::saveColumnWidth(const NMHEADERA& header) const {
    if (!list_ || !header.hdr.hwndFrom || header.hdr.hwndFrom != ListView_GetHeader(list_))
        return false;
    if (!header.pitem || !(header.pitem->mask & HDI_WIDTH)) return true;
    char section[81] = "";
    GetWindowTextA(list_, section, sizeof section);
    char title[81] = "";
    HDITEMA item{};
    item.mask = HDI_TEXT;
    item.pszText = title;
    item.cchTextMax = sizeof title;
    if (SendMessageA(header.hdr.hwndFrom, HDM_GETITEMA, header.iItem,
                     reinterpret_cast<LPARAM>(&item)))
        writeColumnWidth(section, title, header.pitem->cxy);
    return true;
}

// The default procedure makes WM_CONTEXTMENU of Shift+F10 and, on Windows
// but not under Wine, of the context-menu key. Both keys are handled here
// instead, their key-ups swallowed too, so that exactly one menu opens.
bool ListPane::onContextMenuMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!contextMenuId()) return false;
    switch (message) {
        case WM_CONTEXTMENU:
            // One forwarded by a child (the header) is not about an item.
            if (reinterpret_cast<HWND>(wParam) != list_) return false;
            if (lParam == -1) {
                openMenuAtFocus();
            } else {
                openMenuAtClick(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            }
            return true;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (!isMenuKey(wParam)) return false;
            openMenuAtFocus();
            return true;
        case WM_KEYUP:
        case WM_SYSKEYUP:
            return isMenuKey(wParam);
        default:
            return false;
    }
}

// A click on an item selects it, unless it is part of the selection; a click
// on empty space opens nothing.
void ListPane::openMenuAtClick(POINT screen) {
    LVHITTESTINFO hit{};
    hit.pt = screen;
    ScreenToClient(list_, &hit.pt);
    const int item = ListView_HitTest(list_, &hit);
    if (item < 0) return;
    if (!(ListView_GetItemState(list_, item, LVIS_SELECTED) & LVIS_SELECTED)) {
        ListView_SetItemState(list_, -1, 0, LVIS_SELECTED);
        ListView_SetItemState(list_, item, LVIS_SELECTED | LVIS_FOCUSED,
                              LVIS_SELECTED | LVIS_FOCUSED);
    }
    openContextMenu(screen);
}

// Below the focused item's label, scrolled into view; the list's corner
// without one.
void ListPane::openMenuAtFocus() {
    POINT point{0, 0};
    const int item = ListView_GetNextItem(list_, -1, LVNI_FOCUSED);
    RECT label{};
    if (item >= 0 && ListView_EnsureVisible(list_, item, FALSE) &&
        ListView_GetItemRect(list_, item, &label, LVIR_LABEL))
        point = POINT{label.left, label.bottom};
    ClientToScreen(list_, &point);
    openContextMenu(point);
}

// Its commands are greyed while nothing is selected.
void ListPane::openContextMenu(POINT screen) const {
    const coverhall::UniqueMenu menu(LoadMenuA(bitmapModule(), MAKEINTRESOURCEA(contextMenuId())));
    HMENU popup = menu ? GetSubMenu(menu.get(), 0) : nullptr;
    if (!popup) return;
    if (ListView_GetSelectedCount(list_) == 0) {
        for (int i = GetMenuItemCount(popup) - 1; i >= 0; --i)
            EnableMenuItem(popup, static_cast<UINT>(i), MF_BYPOSITION | MF_GRAYED);
    } else {
        prepareMenu(popup);
    }
    HWND window = owner();
    const int command = TrackPopupMenu(popup, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON,
                                       screen.x, screen.y, 0, window, nullptr);
    if (command) SendMessageA(window, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}
