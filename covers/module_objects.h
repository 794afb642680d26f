// The module's static objects. They are built while the module loads, before
// the host calls anything, in the order listed here, and destroyed in reverse
// order while it unloads.
#pragma once

#include <memory>

#include "catalogue/library_catalogue.h"
#include "catalogue/view_catalogue.h"

// Edge in pixels of a thumbnail, of the cache bitmap and of the image lists.
constexpr int kThumbnailSize = 100;

// Every song of the library; owns the songs for the plug-in's lifetime.
extern LibraryCatalogue g_libraryCatalogue;

// The catalogue of the last search; null until the first one. It borrows the
// library catalogue's songs and is released before the library catalogue at
// unload.
extern std::unique_ptr<ViewCatalogue> g_viewCatalogue;

// The factory that gives every catalogue its cover image list.
std::unique_ptr<CoverImageList> makeCoverImageList(int edge);
