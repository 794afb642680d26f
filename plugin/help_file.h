// The user's guide "ReadMeCoverhall.txt" beside the plug-in.
#pragma once

#include <windows.h>

// Opens the guide from g_pluginFolder with the shell. When the folder is
// unknown or the file cannot be opened, a warning box owned by owner says so.
void openHelpFile(HWND owner);
