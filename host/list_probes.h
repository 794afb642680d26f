// Notifications a list view sends its parent, sent by hand so that tests can
// read the owner's answers: display requests, info tips, type-ahead, keys,
// column clicks and the end of a column resize.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

namespace coverhall::host {

struct DisplayAnswer {
    std::string text;
    bool textTouched = false;  // the owner wrote into the buffer
    int image = -1;
    UINT state = 0;
};

// LVN_GETDISPINFOA for one cell with the given mask and a buffer of size
// characters (0 gives a null buffer).
DisplayAnswer requestDisplay(HWND list, int item, int subItem, UINT mask, int size = 260);
// The same in the wide form (LVN_GETDISPINFOW), text converted back.
DisplayAnswer requestDisplayWide(HWND list, int item, int subItem, UINT mask, int size = 260);

// LVN_GETINFOTIPA for an item; the buffer starts as "before".
std::string requestInfoTip(HWND list, int item, int size, const std::string& before = "");

// LVN_ODFINDITEMA (or W) and the answer the owner set as the message result.
LRESULT requestFind(HWND list, int start, UINT flags, const std::string& text, bool wide = false);

// LVN_KEYDOWN, LVN_COLUMNCLICK and NM_RETURN / NM_DBLCLK from the list.
void sendListKeyDown(HWND list, WORD key);
void sendColumnClick(HWND list, int column);
// HDN_ENDTRACKA from the list's header: column resized to width; a null item
// when withItem is false.
void sendEndTrack(HWND list, int column, int width, bool withItem = true);

}  // namespace coverhall::host
