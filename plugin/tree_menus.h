// The context menus of the plug-in's tree entries.
#pragma once

#include <windows.h>

// Loads menus 102 (root and genre entries) and 138 ("Genres") from instance
// into the plug-in state, which frees them.
void loadTreeMenus(HINSTANCE instance);

// The label of the "Sort Genre" item for the current order.
const char* sortGenreLabel(int order);

// Shows the entry's menu at the cursor, owned by owner, and carries out the
// chosen command: About, Help, or for "Genres" the other sort order.
void showEntryMenu(int entryId, HWND owner);

// Command 40010: the other genre order, sorted and stored.
void toggleGenreSortOrder();
