#include "views/list_text.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

void copyListText(const std::string& text, char* buffer, int size) {
    if (!buffer || size <= 0) return;
    const size_t length = std::min(text.size(), static_cast<size_t>(size - 1));
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
}

void copyListText(const std::string& text, wchar_t* buffer, int size) {
    if (!buffer || size <= 0) return;
    // At most size - 1 bytes make at most size - 1 characters.
    const std::string cut = text.substr(0, static_cast<size_t>(size - 1));
    const int written = MultiByteToWideChar(CP_ACP, 0, cut.c_str(), -1, buffer, size);
    buffer[written > 0 ? std::min(written, size) - 1 : 0] = L'\0';
}

std::string narrowText(const wchar_t* text) {
    if (!text) return std::string();
    const int size = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) return std::string();
    std::string result(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, -1, result.data(), size, nullptr, nullptr);
    result.resize(static_cast<size_t>(size - 1));
    return result;
}

void refillListItems(HWND list, int count) {
    if (!list) return;
    ListView_SetItemCountEx(list, 0, 0);
    ListView_SetItemCountEx(list, count, 0);
    InvalidateRect(list, nullptr, TRUE);
}

std::string decimalText(long long value) {
    char text[24];
    std::snprintf(text, sizeof text, "%lld", value);
    return text;
}

std::string minutesAndSeconds(long long seconds) {
    char text[48];
    std::snprintf(text, sizeof text, "%lld:%02lld", seconds / 60, seconds % 60);
    return text;
}

bool modifierHeld() {
    return (GetKeyState(VK_CONTROL) & 0x8000) || (GetKeyState(VK_SHIFT) & 0x8000) ||
           (GetKeyState(VK_MENU) & 0x8000);
}
