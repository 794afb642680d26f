// What lives as long as the plug-in runs, in one object that start makes and
// stop destroys. Nothing of it is built while the module loads, nor freed
// while it unloads: that runs under the loader lock, where calls into the
// window system can deadlock a host that loads plug-ins on a thread.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/library_catalogue.h"
#include "catalogue/view_catalogue.h"
#include "covers/cover_preparer.h"
#include "covers/file_stamp.h"
#include "win/win_handles.h"

// Edge in pixels of a thumbnail, of the cache bitmap and of the image lists.
constexpr int kThumbnailSize = 100;

// A thumbnail made by decoding that no cache could take, kept for the
// album's next draws so that they need no second decode.
struct KeptThumbnail {
    std::string folder;
    coverhall::UniqueBitmap bitmap;
};

// A thumbnail shown before its cache was written: the wall shows a page's
// covers first and writes their caches after. The source it was decoded
// from, as it was then, is checked before the cache is written.
struct UnsavedThumbnail {
    std::string folder;
    std::vector<uint8_t> bmp;  // the cache file's bytes
    std::string source;        // "" when its stamp could not be read
    FileStamp sourceStamp;
};

struct PluginState {
    // The library catalogue with its cover image list.
    PluginState();
    PluginState(const PluginState&) = delete;
    PluginState& operator=(const PluginState&) = delete;

    // Every song of the library; owns the songs.
    LibraryCatalogue libraryCatalogue;
    // The catalogue of the last search; null until the first one. Declared
    // after the library catalogue, whose songs it borrows, so that it is
    // destroyed first.
    std::unique_ptr<ViewCatalogue> viewCatalogue;
    // The bitmap of the last thumbnail request (the image list holds its own
    // copy); replaced by every thumbnail request, and moved to the kept
    // thumbnails when no cache took it.
    coverhall::UniqueBitmap thumbnailBitmap;
    // The image list whose ThumbnailImage slot holds the thumbnail the last
    // request decoded, and the album folder it belongs to; null once any
    // other request came. The redraw right after a decode needs no second
    // copy into the slot.
    HIMAGELIST decodedInto = nullptr;
    std::string decodedFolder;
    // The bitmap the Contents picture shows; replaced only by the next
    // Contents request, so the picture control never holds a deleted bitmap.
    coverhall::UniqueBitmap contentsCoverBitmap;
    // The mask every thumbnail goes into its slot with; loaded on first use.
    coverhall::UniqueBitmap thumbnailMask;
    // Thumbnails kept by folder, the oldest first.
    std::vector<KeptThumbnail> keptThumbnails;
    // Caches still to be written, the oldest first; each one's thumbnail is
    // kept meanwhile.
    std::vector<UnsavedThumbnail> unsavedThumbnails;
    // The context menus of the tree entries: the genres', "Genres"', and
    // the root's (the genres' with "Prepare All Covers" added).
    coverhall::UniqueMenu entryMenu;
    coverhall::UniqueMenu genresMenu;
    coverhall::UniqueMenu rootMenu;
    // Builds every album's thumbnail cache on request; null until the first.
    std::unique_ptr<CoverPreparer> coverPreparer;
};

// The running plug-in's state; null before start and after stop.
PluginState* pluginState();
// Makes the state; one that exists already stays.
void makePluginState();
// Destroys the state, if there is one.
void releasePluginState();

// The running plug-in's library catalogue. Before start and after stop an
// empty one without image list stands in, so that a late message finds an
// empty library; nothing may add songs to it.
LibraryCatalogue& libraryCatalogue();
// The running plug-in's view catalogue; null until the first search and
// outside start and stop.
ViewCatalogue* viewCatalogue();

// The factory that gives every catalogue its cover image list.
std::unique_ptr<CoverImageList> makeCoverImageList(int edge);
