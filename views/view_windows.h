// The two view windows as the rest of the plug-in sees them: how they are
// made for a tree entry, and what start, stop, Configure and the Send-to
// entry ask of an open album window.
#pragma once

#include <windows.h>

#include <string>

// The open album window, null while none is open.
extern HWND g_albumWindow;
// The genre the open album window shows (empty: every album).
extern std::string g_genreFilter;

// Sent to the album window to apply its search again with g_genreFilter,
// e.g. after songs were added to the library.
constexpr UINT kRerunSearchMessage = WM_APP + 0x21;

// The modeless view of a tree entry inside parent, with the entry id as its
// initial value; null while the view cannot be made.
HWND createAlbumWindow(HWND parent, int entryId);
HWND createGenreListWindow(HWND parent, int entryId);

// Asks an open album window to search again; nothing without one.
void rerunAlbumSearch();
// Repaints the album list of an open album window (with erase), so that its
// covers are looked up again.
void repaintAlbumList();

// The album window replaces the window procedures of its two lists and keeps
// the originals here; stop gives them back.
extern WNDPROC g_albumListProcedure;
extern WNDPROC g_songListProcedure;
void restoreListProcedures();

// The "Show Album Tags" button bitmap, loaded by the album window.
void holdTagButtonBitmap(HBITMAP bitmap);
void releaseTagButtonBitmap();
