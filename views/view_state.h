// State shared by the album window, its two lists and the genre list window.
// One album window exists at a time, so its state is global.
#pragma once

#include <windows.h>

#include <string>

enum ViewMode { List = 0, Covers = 1, Contents = 2 };

// The current album window, null while none is open (view_windows.h).
extern HWND g_albumWindow;
extern int g_viewMode;
// The genre of the open album window; empty shows every album.
extern std::string g_genreFilter;
extern int g_albumSortColumn;
extern int g_albumSortDescending;
extern int g_songSortColumn;
extern int g_songSortDescending;

// A sort column read from an edited INI file: outside 0..6 it falls back.
int clampSortColumn(int column, int fallback);

// A click on a column header: the sort column again flips the direction,
// another column becomes the sort column and keeps it.
void applySortClick(int clicked, int& column, int& descending);
