#include "settings/plugin_settings.h"

#include <cstring>

int g_coverDetectionMode = 2;
char g_frontCoverImageName[kPathSize] = "";
bool g_embeddedCovers = true;
int g_coverDensity = 0;
int g_treeGenreSortOrder = 0;
int g_showAlbumTags = 1;
bool g_joinDiscFolders = false;
int g_coverSize = 100;

int coverSizeFromText(const char* text) {
    if (std::strcmp(text, "150") == 0) return 150;
    if (std::strcmp(text, "200") == 0) return 200;
    return 100;
}
