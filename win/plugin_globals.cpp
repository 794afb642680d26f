#include "win/plugin_globals.h"

HMODULE g_moduleHandle = nullptr;
char g_pluginFolder[kPathSize] = "";

char g_versionText[36] = "";
char g_commentsText[2052] = "";
char g_buildDateText[32] = "";

const char* g_hostIniPath = "";
char g_ownIniPath[kPathSize] = "";

HWND g_treeControl = nullptr;
