// The wrapper of one list-view control: the control, the font taken from the
// host (owned), the number of columns added and where the font comes from.
#pragma once

#include <windows.h>

struct ListViewHelper {
    // Control, font and host window null, no columns, host font wanted.
    ListViewHelper();
    // Deletes the font still held, if any.
    ~ListViewHelper();
    ListViewHelper(const ListViewHelper&) = delete;
    ListViewHelper& operator=(const ListViewHelper&) = delete;

    // Deletes the held font (if any) and holds this one instead; null drops it.
    void holdFont(HFONT newFont);

    HWND control;
    HFONT font;
    int columnCount;
    int useHostFont;
    HWND hostWindow;
};

// One helper per list control: album list, song list, genre list.
extern ListViewHelper g_albumListHelper;
extern ListViewHelper g_songListHelper;
extern ListViewHelper g_genreListHelper;
