// How the three lists are sorted. The sorts outlive the windows that show the
// lists; each window reads its list's sort from the INI file when it opens
// and writes it back on every header click.
#pragma once

struct ListSort {
    int column = 0;
    int descending = 0;

    // A click on a column header: the sort column again flips the direction,
    // another column becomes the sort column and keeps it.
    void applyClick(int clicked);
};

struct ListSorts {
    ListSort albums;
    ListSort songs;
    ListSort genres;
};

extern ListSorts g_listSorts;

// The stored sort of the album or the song list: the direction, then the
// column, which outside 0 .. columnCount - 1 keeps its value.
void readListSort(ListSort& sort, const char* columnKey, const char* descendingKey,
                  int columnCount);
// Writes the direction, then the column.
void writeListSort(const ListSort& sort, const char* columnKey, const char* descendingKey);
