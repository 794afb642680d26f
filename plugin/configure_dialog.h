// The Configure dialog (105): how the front cover of an album is found.
#pragma once

#include <windows.h>

// Runs the dialog modally; 1 after OK, 0 after Cancel (or when it could not
// be shown).
INT_PTR runConfigureDialog(HWND owner);
