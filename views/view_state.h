// State shared by the album window, its two lists and the genre list window.
// One album window exists at a time, so its state is global.
#pragma once

#include <windows.h>

#include <string>

// g_albumWindow and g_genreFilter, which the rest of the plug-in sees too.
#include "views/view_windows.h"

enum ViewMode { List = 0, Covers = 1, Contents = 2 };

extern int g_viewMode;
extern int g_albumSortColumn;
extern int g_albumSortDescending;
extern int g_songSortColumn;
extern int g_songSortDescending;

// A sort column read from an edited INI file: outside 0..6 it falls back.
int clampSortColumn(int column, int fallback);

// A click on a column header: the sort column again flips the direction,
// another column becomes the sort column and keeps it.
void applySortClick(int clicked, int& column, int& descending);
