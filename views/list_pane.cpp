#include "views/list_pane.h"

#include "views/list_view_helper.h"
#include "win/settings.h"

namespace {

constexpr UINT_PTR kSubclassId = 1;

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
