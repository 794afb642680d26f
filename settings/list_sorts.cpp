#include "settings/list_sorts.h"

#include "win/settings.h"

ListSorts g_listSorts;

void ListSort::applyClick(int clicked) {
    if (clicked == column) {
        descending = descending ? 0 : 1;
    } else {
        column = clicked;
    }
}

void readListSort(ListSort& sort, const char* columnKey, const char* descendingKey,
                  int columnCount) {
    sort.descending = readSettingInt(descendingKey, 0) != 0;
    const int column = readSettingInt(columnKey, sort.column);
    if (column >= 0 && column < columnCount) sort.column = column;
}

void writeListSort(const ListSort& sort, const char* columnKey, const char* descendingKey) {
    writeSettingInt(descendingKey, sort.descending);
    writeSettingInt(columnKey, sort.column);
}
