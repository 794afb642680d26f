#include "views/list_view_helper.h"

#include <commctrl.h>

#include "views/host_services.h"

ListViewHelper g_albumListHelper;
ListViewHelper g_songListHelper;
ListViewHelper g_genreListHelper;

ListViewHelper::ListViewHelper()
    : control(nullptr), font(nullptr), columnCount(0), useHostFont(1), hostWindow(nullptr) {}

void ListViewHelper::attach(HWND list) {
    control = list;
    columnCount = 0;
    if (!control) return;
    ListView_SetExtendedListViewStyleEx(control, 0, LVS_EX_FULLROWSELECT | LVS_EX_UNDERLINEHOT);
    refreshFont();
}

void ListViewHelper::refreshFont() {
    if (font) {
        if (control) SendMessageA(control, WM_SETFONT, 0, FALSE);
        font = nullptr;
    }
    if (!hostWindow || useHostFont != 1) return;
    font = hostDialogFont(hostWindow);
    if (!font || !control) return;
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    InvalidateRect(control, nullptr, TRUE);
}

void ListViewHelper::addColumn(const char* title, int width) {
    if (!control) return;
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<char*>(title ? title : "");
    column.cx = width;
    SendMessageA(control, LVM_INSERTCOLUMNA, columnCount, reinterpret_cast<LPARAM>(&column));
    ++columnCount;
}

void ListViewHelper::selectItem(int index) {
    if (!control) return;
    ListView_SetItemState(control, index, LVIS_SELECTED, LVIS_SELECTED);
    ListView_SetItemState(control, index, LVIS_FOCUSED, LVIS_FOCUSED);
    SetFocus(control);
}
