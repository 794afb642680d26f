// Front covers of albums: the thumbnail in a cover image list (with its
// cache file beside the album) and the larger cover of the Contents view.
#pragma once

#include <windows.h>
#include <commctrl.h>

struct AlbumRecord;

enum CoverDetectionMode { AnyImage = 0, NamedImage = 1, NamedThenAny = 2 };

// What a thumbnail request found: the thumbnail is in the slot, the album
// has no cover, or its thumbnail has yet to be decoded.
enum class CoverState { Shown, None, Pending };

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
// folder. A thumbnail decoded here is at hand for the album's
// thumbnailAtHand that comes next, before any other request (its redraw),
// and for every one when no cache could take it. Never throws.
int loadAlbumCover(const AlbumRecord* album, const char* imageName, int mode, HWND pictureControl,
                   HIMAGELIST thumbnails, bool songPictures = true);

// The album's thumbnail as loadAlbumCover puts it into the slot, but a new
// thumbnail's cache file is left to saveUnsavedThumbnail: the wall shows a
// page's covers before it writes their caches. Until its cache is written
// the thumbnail is kept for the album's requests. Never throws.
int showAlbumThumbnail(const AlbumRecord* album, const char* imageName, int mode,
                       HIMAGELIST thumbnails, bool songPictures = true);

// Writes the oldest cache left by showAlbumThumbnail, unless its source
// changed since it was read (the album is then decoded anew at its next
// request); false when none waited. Never throws.
bool saveUnsavedThumbnail();
// Writes every cache left by showAlbumThumbnail (the wall closes).
void saveUnsavedThumbnails();

// The album's thumbnail as loadAlbumCover finds it, but without decoding
// anything: from the thumbnail last decoded for the album while it is kept,
// from a current cache file, or Pending where loadAlbumCover would decode a
// source, and for an album without cache file, which is not searched then
// (nothing is remembered of a Pending album). Never throws.
CoverState thumbnailAtHand(const AlbumRecord* album, const char* imageName, int mode,
                           HIMAGELIST thumbnails, bool songPictures = true);

// Makes the album's thumbnail cache current as loadAlbumCover would find it,
// without showing anything: a cache left unsaved is written, a current
// cache is not read, a new thumbnail is written to the cache only (and kept
// as loadAlbumCover keeps it when no cache could take it). Shown when the album has a cover, None
// when not; never Pending. Never throws.
CoverState prepareAlbumCover(const AlbumRecord* album, const char* imageName, int mode,
                             bool songPictures = true);

// The album's thumbnail decoded anew from its source into the
// ThumbnailImage slot, as loadAlbumCover finds it but even while the cache
// file looks current (a source replaced within the cache's second), and the
// cache rewritten; 1 when shown. Without a source the cache is kept, and
// shown, since it may be the only picture left. The album's "no cover"
// memory and kept thumbnail are forgotten first. Never throws.
int rebuildAlbumThumbnail(const AlbumRecord* album, const char* imageName, int mode,
                          HIMAGELIST thumbnails, bool songPictures = true);

// Makes the next request for the album search again, as if it had never
// been found without cover, and drops its kept thumbnail and unsaved cache.
void forgetMissingCover(const AlbumRecord* album);

// Writes the unsaved caches, deletes the plug-in state's cover bitmaps,
// thumbnail mask and kept thumbnails and forgets every album found without
// cover; the plug-in's stop calls it once no picture shows them.
void releaseCoverBitmap();
