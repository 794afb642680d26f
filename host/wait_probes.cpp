#include "host/wait_probes.h"

#include <commctrl.h>

#include "host/stand_in_host.h"

namespace coverhall::host {

bool pumpUntil(StandInHost& host, const std::function<bool()>& done, int deadlineMs) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start >= static_cast<DWORD>(deadlineMs)) return false;
        host.pump(10);
    }
    return true;
}

TextWrites::TextWrites(HWND control) : control_(control) {
    SetWindowSubclass(control_, &TextWrites::watch, 0, reinterpret_cast<DWORD_PTR>(this));
}

TextWrites::~TextWrites() {
    RemoveWindowSubclass(control_, &TextWrites::watch, 0);
}

LRESULT CALLBACK TextWrites::watch(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR, DWORD_PTR self) {
    if (message == WM_SETTEXT) ++reinterpret_cast<TextWrites*>(self)->count_;
    return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace coverhall::host
