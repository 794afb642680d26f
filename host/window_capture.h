// Captures a window as it is on the screen (frame included) into a 24-bit BMP
// file. BitBlt from the window DC: PrintWindow paints black under Wine.
#pragma once

#include <windows.h>

#include <string>

namespace coverhall::host {

// False when the window is gone, has no size or the file cannot be written.
bool captureWindow(HWND window, const std::string& bmpPath);

// The same with the shown popups of the window's thread drawn over it where
// they lie on the screen (an open menu).
bool captureWithPopups(HWND window, const std::string& bmpPath);

}  // namespace coverhall::host
