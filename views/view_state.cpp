#include "views/view_state.h"

HWND g_albumWindow = nullptr;
int g_viewMode = List;
std::string g_genreFilter;
int g_albumSortColumn = 0;
int g_albumSortDescending = 0;
int g_songSortColumn = 0;
int g_songSortDescending = 0;

void applySortClick(int clicked, int& column, int& descending) {
    if (clicked == column) {
        descending = descending ? 0 : 1;
    } else {
        column = clicked;
    }
}

int clampSortColumn(int column, int fallback) {
    return column >= 0 && column <= 6 ? column : fallback;
}
