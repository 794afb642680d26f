#include "win/plugin_globals.h"

HMODULE g_moduleHandle = nullptr;
char g_pluginFolder[kPathSize] = "";

char g_versionText[36] = "";
char g_commentsText[2052] = "";
char g_buildDateText[32] = "";

const char* g_hostIniPath = "";
char g_ownIniPath[kPathSize] = "";

int g_coverDetectionMode = 2;
char g_frontCoverImageName[kPathSize] = "";
bool g_embeddedCovers = true;
int g_coverDensity = 0;
int g_treeGenreSortOrder = 0;
int g_showAlbumTags = 1;

HWND g_treeControl = nullptr;
