// The host's dialog services (library code 0x600) as the view windows use
// them. Each may be missing; every use is then skipped.
#pragma once

#include <windows.h>

#include "win/host_interface.h"

struct HostServices {
    HostColorFunction color = nullptr;
    HostDialogHook dialogHook = nullptr;
    HostBorderPainter paintBorders = nullptr;
    HostResizeFunction resizeInit = nullptr;
    HostResizeFunction resizeApply = nullptr;
};

// The five services of the host behind libraryWindow.
HostServices queryHostServices(HWND libraryWindow);

// The host's dialog font (selector 66), owned by the host: never deleted.
HFONT hostDialogFont(HWND libraryWindow);

// The dialog message handler obtained by the last view window; it stays
// known for the next window's first messages.
extern HostDialogHook g_hostDialogHook;

// List colours from the host's colour function: text from index 1, background
// from index 0; white on black without one.
void colourList(HWND list, HostColorFunction color);

// Sets the host's dialog font on the control without redraw and repaints it;
// nothing without a font.
void applyHostFont(HWND libraryWindow, HWND control);
