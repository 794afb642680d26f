// What lives as long as the plug-in runs, in one object that start makes and
// stop destroys. Nothing of it is built while the module loads, nor freed
// while it unloads: that runs under the loader lock, where calls into the
// window system can deadlock a host that loads plug-ins on a thread.
#pragma once

#include <memory>

#include "catalogue/library_catalogue.h"
#include "catalogue/view_catalogue.h"
#include "covers/cover_engine.h"
#include "win/win_handles.h"

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
    // Finds, decodes and caches every cover off the window thread, and
    // holds what it found; its workers start with its first request.
    CoverEngine coverEngine;
    // The context menus of the tree entries: the genres', "Genres"', and
    // the root's (the genres' with "Prepare All Covers" added).
    coverhall::UniqueMenu entryMenu;
    coverhall::UniqueMenu genresMenu;
    coverhall::UniqueMenu rootMenu;
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
// The running plug-in's cover engine; null outside start and stop.
CoverEngine* coverEngine();

// The factory that gives every catalogue its cover image list.
std::unique_ptr<CoverImageList> makeCoverImageList(int edge);
