#include "settings/plugin_settings.h"

int g_coverDetectionMode = 2;
char g_frontCoverImageName[kPathSize] = "";
bool g_embeddedCovers = true;
int g_coverDensity = 0;
int g_treeGenreSortOrder = 0;
int g_showAlbumTags = 1;
bool g_joinDiscFolders = false;
