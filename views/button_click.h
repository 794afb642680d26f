// A click on a dialog's button as the user's would be.
#pragma once

#include <windows.h>

// Clicks the button only while it is enabled (Wine's BM_CLICK would click a
// disabled one).
void clickEnabledButton(HWND dialog, int id);
