// The context menus of the plug-in's tree entries.
#pragma once

#include <windows.h>

// Loads menus 102 (genre entries; the root's copy gains "Prepare All
// Covers") and 138 ("Genres") from instance into the plug-in state, which
// frees them.
void loadTreeMenus(HINSTANCE instance);

// The label of the root's prepare item, while preparing or not.
const char* prepareCoversLabel(bool preparing);

// The label of the "Sort Genre" item for the current order.
const char* sortGenreLabel(int order);

// Shows the entry's menu at the cursor, owned by owner, and carries out the
// chosen command: About, Help, for the root preparing all covers (or
// stopping it), for "Genres" the other sort order.
void showEntryMenu(int entryId, HWND owner);

// Command 40010: the other genre order, sorted and stored.
void toggleGenreSortOrder();
