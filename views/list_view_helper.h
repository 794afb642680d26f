// The wrapper of one list-view control: the control, the host's font set on
// it, the number of columns added and where the font comes from.
#pragma once

#include <windows.h>

struct ListViewHelper {
    // Control, font and host window null, no columns, host font wanted.
    ListViewHelper();
    // The font belongs to the host, which hands the same one to every
    // caller: nothing is deleted here.
    ~ListViewHelper() = default;
    ListViewHelper(const ListViewHelper&) = delete;
    ListViewHelper& operator=(const ListViewHelper&) = delete;

    // Takes the control anew (no columns yet): extended style exactly
    // full-row select and underline-hot, then refreshFont.
    void attach(HWND list);
    // Drops the font from the control, then takes the host's dialog font
    // when a host window is set and the host font is wanted.
    void refreshFont();
    // Inserts a column at index columnCount and counts it.
    void addColumn(const char* title, int width);
    // Selects and focuses the item and gives the control the keyboard
    // focus; other items keep their state and nothing scrolls.
    void selectItem(int index);

    HWND control;
    HFONT font;  // the host's, borrowed
    int columnCount;
    int useHostFont;
    HWND hostWindow;
};

// One helper per list control: album list, song list, genre list.
extern ListViewHelper g_albumListHelper;
extern ListViewHelper g_songListHelper;
extern ListViewHelper g_genreListHelper;
