// Front covers of albums: the thumbnail in the view catalogue's image list
// (with its cache file beside the album) and the larger cover of the
// Contents view.
#pragma once

#include <windows.h>

#include "win_handles.h"

struct AlbumRecord;

enum CoverDetectionMode { AnyImage = 0, NamedImage = 1, NamedThenAny = 2 };

// Edge in pixels of the Contents view's cover.
constexpr int kContentsCoverSize = 200;

// The bitmap made by the last loadAlbumCover call; replaced by every call.
extern coverhall::UniqueBitmap g_coverBitmap;

// Finds the album's cover by mode (values outside 0..2 count as 2) and
// imageName. Without pictureControl it puts the thumbnail into the view
// catalogue's thumbnail slot, from the cache file while that is current, and
// returns 1; 0 when there is no cover (or no view catalogue). With
// pictureControl it shows the cover at kContentsCoverSize there, or the
// placeholder, and returns whether a cover was shown. Never throws.
int loadAlbumCover(const AlbumRecord* album, const char* imageName, int mode, HWND pictureControl);

// Deletes g_coverBitmap; the plug-in's stop calls it.
void releaseCoverBitmap();
