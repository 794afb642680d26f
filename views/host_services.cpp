#include "views/host_services.h"

#include <commctrl.h>

HostDialogHook g_hostDialogHook = nullptr;

namespace {

LRESULT service(HWND libraryWindow, WPARAM selector) {
    if (!libraryWindow) return 0;
    return SendMessageA(libraryWindow, kLibraryMessage, selector, LibraryCode::kGetService);
}

template <typename Function>
Function serviceFunction(HWND libraryWindow, WPARAM selector) {
    return reinterpret_cast<Function>(service(libraryWindow, selector));
}

}  // namespace

HostServices queryHostServices(HWND libraryWindow) {
    HostServices services;
    services.color =
        serviceFunction<HostColorFunction>(libraryWindow, ServiceSelector::kColorFunction);
    services.dialogHook =
        serviceFunction<HostDialogHook>(libraryWindow, ServiceSelector::kDialogHook);
    services.paintBorders =
        serviceFunction<HostBorderPainter>(libraryWindow, ServiceSelector::kBorderPainter);
    services.resizeInit =
        serviceFunction<HostResizeFunction>(libraryWindow, ServiceSelector::kResizeInit);
    services.resizeApply =
        serviceFunction<HostResizeFunction>(libraryWindow, ServiceSelector::kResizeApply);
    return services;
}

HFONT hostDialogFont(HWND libraryWindow) {
    return reinterpret_cast<HFONT>(service(libraryWindow, ServiceSelector::kDialogFont));
}

void colourList(HWND list, HostColorFunction color) {
    const COLORREF text = color ? color(1) : RGB(255, 255, 255);
    const COLORREF background = color ? color(0) : RGB(0, 0, 0);
    ListView_SetTextColor(list, text);
    ListView_SetBkColor(list, background);
    ListView_SetTextBkColor(list, background);
}

void applyHostFont(HWND libraryWindow, HWND control) {
    HFONT font = hostDialogFont(libraryWindow);
    if (!font || !control) return;
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    InvalidateRect(control, nullptr, TRUE);
}
