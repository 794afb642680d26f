// The plug-in's settings as start reads them from the host's INI file; the
// Configure dialog, the tree menus and the album window change some of them
// while it runs.
#pragma once

#include "win/plugin_globals.h"

// 0 any image of the album folder, 1 only the named image, 2 the named image,
// else any image.
extern int g_coverDetectionMode;
extern char g_frontCoverImageName[kPathSize];
// Whether covers are also looked for inside the album's songs.
extern bool g_embeddedCovers;
// 0 Low (labels under the covers), 1 High (covers only).
extern int g_coverDensity;
extern int g_treeGenreSortOrder;
extern int g_showAlbumTags;
// Whether the disc folders of a set (CD1, CD2 ...) show as one album; as
// read at start, which is when the library is grouped.
extern bool g_joinDiscFolders;
// The edge in pixels of the wall's covers: 100, 150 or 200. A view
// catalogue takes it when it is made, so a change shows from the next search.
extern int g_coverSize;
// The stored "CoverSize" text as an edge; anything but "100", "150" or "200"
// gives 100.
int coverSizeFromText(const char* text);
