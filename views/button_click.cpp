#include "views/button_click.h"

void clickEnabledButton(HWND dialog, int id) {
    HWND button = dialog ? GetDlgItem(dialog, id) : nullptr;
    if (button && IsWindowEnabled(button)) SendMessageA(button, BM_CLICK, 0, 0);
}
