// The About dialog (104): product name, version texts, description, and the
// user's guide.
#pragma once

#include <windows.h>

// Runs the dialog modally; 1 after OK, 0 after Cancel.
INT_PTR runAboutDialog(HWND owner);

// The colour of the title and the maker's line.
constexpr COLORREF kAboutTextColour = RGB(61, 75, 180);
