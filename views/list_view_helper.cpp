#include "views/list_view_helper.h"

ListViewHelper g_albumListHelper;
ListViewHelper g_songListHelper;
ListViewHelper g_genreListHelper;

ListViewHelper::ListViewHelper()
    : control(nullptr), font(nullptr), columnCount(0), useHostFont(1), hostWindow(nullptr) {}

ListViewHelper::~ListViewHelper() {
    holdFont(nullptr);
}

void ListViewHelper::holdFont(HFONT newFont) {
    if (font && font != newFont) DeleteObject(font);
    font = newFont;
}
