// The view windows as the rest of the plug-in sees them: how they are made
// for a tree entry, and what start, stop, Configure and the Send-to entry ask
// of the open windows.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

// The open album window, null while none is open.
extern HWND g_albumWindow;
// The genre the open album window shows (empty: every album).
extern std::string g_genreFilter;

// Sent to the album window to apply its search again with g_genreFilter,
// e.g. after songs were added to the library.
constexpr UINT kRerunSearchMessage = WM_APP + 0x21;

// The tree entry id of a genre (the empty genre's entry is "Unknown"), or 0.
using GenreEntryLookup = int (*)(const std::string& genre);

// Where the views come from, whom they ask for services and how a genre finds
// its tree entry; start sets it.
void setViewHost(HINSTANCE instance, HWND libraryWindow, GenreEntryLookup genreEntry);

// The modeless album window inside parent for a tree entry; genre is the
// entry's genre (empty for the root), none keeps g_genreFilter. Null while
// the window cannot be made.
HWND createAlbumWindow(HWND parent, std::optional<std::string> genre);
// The modeless genre list window inside parent.
HWND createGenreListWindow(HWND parent);

// Asks an open album window to search again; nothing without one.
void rerunAlbumSearch();
// Repaints the album list of an open album window (with erase), so that its
// covers are looked up again.
void repaintAlbumList();

// Destroys every open view window (their timers die with them); stop calls
// it before the catalogues are released.
void destroyViewWindows();
