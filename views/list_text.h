// Small helpers of the list notifications: texts copied into a list's
// buffer, in either character width, and the modifier keys.
#pragma once

#include <windows.h>

#include <string>

// Copies text into the buffer, cut to its size; nothing without a buffer.
void copyListText(const std::string& text, char* buffer, int size);
// The same converted from the system code page.
void copyListText(const std::string& text, wchar_t* buffer, int size);
// A wide text in the system code page; null gives the empty text.
std::string narrowText(const wchar_t* text);
// Shows an owner-data list's new content: item count 0, then count, then one
// repaint of the whole control. Invalidating every item one by one costs a
// request to the window system each, which for 20,000 albums is most of a
// search; what is drawn afterwards is the same.
void refillListItems(HWND list, int count);

// A number in decimal.
std::string decimalText(long long value);
// Seconds as minutes and seconds, "%d:%02d" (minutes are not wrapped).
std::string minutesAndSeconds(long long seconds);
// Ctrl, Shift or Alt held for the message being handled.
bool modifierHeld();
