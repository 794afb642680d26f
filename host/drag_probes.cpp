#include "host/drag_probes.h"

#include <commctrl.h>

#include "host/stand_in_host.h"

namespace coverhall::host {
namespace {

// A mouse message to the window that captured the mouse, at the cursor.
void sendToCaptor(UINT message, WPARAM buttons) {
    HWND captor = GetCapture();
    if (!captor) return;
    POINT point{};
    GetCursorPos(&point);
    ScreenToClient(captor, &point);
    SendMessageA(captor, message, buttons,
                 MAKELPARAM(static_cast<WORD>(point.x), static_cast<WORD>(point.y)));
}

}  // namespace

POINT centreOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

void moveCursorTo(StandInHost& host, POINT point) {
    for (int i = 0; i < 20; ++i) {
        SetCursorPos(point.x, point.y);
        host.pump(30);
        POINT now{};
        GetCursorPos(&now);
        if (now.x == point.x && now.y == point.y) return;
    }
}

void beginListDrag(HWND list) {
    NMLISTVIEW view{};
    view.iItem = 0;
    view.iSubItem = 0;
    sendNotify(list, LVN_BEGINDRAG, &view.hdr);
}

void moveDragTo(StandInHost& host, POINT point) {
    moveCursorTo(host, point);
    sendToCaptor(WM_MOUSEMOVE, MK_LBUTTON);
}

void releaseDrag() {
    sendToCaptor(WM_LBUTTONUP, 0);
}

void dragListTo(StandInHost& host, HWND list, HWND target) {
    beginListDrag(list);
    moveDragTo(host, centreOf(target));
    releaseDrag();
}

}  // namespace coverhall::host
