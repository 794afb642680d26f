// Front covers of albums: the thumbnail in a cover image list (with its
// cache file beside the album) and the larger cover of the Contents view.
#pragma once

#include <windows.h>
#include <commctrl.h>

struct AlbumRecord;

enum CoverDetectionMode { AnyImage = 0, NamedImage = 1, NamedThenAny = 2 };

// Edge in pixels of the Contents view's cover.
constexpr int kContentsCoverSize = 200;

// Finds the album's cover by mode (values outside 0..2 count as 2) and
// imageName: the named file (modes 1 and 2), else the best image of the
// album's folders (cover_search.h), else, with songPictures, a picture
// inside the album's first songs, else the cache file alone. Without
// pictureControl it puts the thumbnail into the ThumbnailImage slot of
// thumbnails, from the cache file while that is current, and returns 1; 0
// when there is no cover (or no list). With pictureControl it shows the
// cover at kContentsCoverSize there, or the placeholder, and returns whether
// a cover was shown. The bitmaps are the plug-in state's; without one
// nothing is shown and it returns 0. An album found without cover costs,
// until one of the folders searched changes, one attribute query per
// folder. Never throws.
int loadAlbumCover(const AlbumRecord* album, const char* imageName, int mode, HWND pictureControl,
                   HIMAGELIST thumbnails, bool songPictures = true);

// Makes the next request for the album search again, as if it had never
// been found without cover.
void forgetMissingCover(const AlbumRecord* album);

// Deletes the plug-in state's two cover bitmaps and forgets every album
// found without cover; the plug-in's stop calls it once no picture shows
// them.
void releaseCoverBitmap();
