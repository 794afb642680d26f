// State that start determines once and the other layers read (the settings
// read at start are in settings/). Fixed-size
// buffers are those whose size the user can see (paths of 260 bytes, the
// version texts); they are always filled with bounded copies.
#pragma once

#include <windows.h>

constexpr int kPathSize = MAX_PATH;

// The plug-in's own module, found by its file name; bitmaps load from it.
extern HMODULE g_moduleHandle;
// Folder of the plug-in's file, with a trailing backslash, or empty.
extern char g_pluginFolder[kPathSize];

extern char g_versionText[36];
extern char g_commentsText[2052];
extern char g_buildDateText[32];

// The host's INI file (owned by the host; empty when it gave none) and the
// plug-in's own file of list column widths (empty when it cannot be built).
extern const char* g_hostIniPath;
extern char g_ownIniPath[kPathSize];

extern HWND g_treeControl;
