// Dragging songs out of the album window onto the player: the window holds
// the mouse from the list's begin-drag notification until the button is
// released, and the host is asked about the point under the cursor.
#pragma once

#include <windows.h>

class DragSource {
  public:
    explicit DragSource(HWND libraryWindow) : library_(libraryWindow) {}

    // The list's begin-drag notification: the window takes the mouse.
    void begin(HWND window) const { SetCapture(window); }
    bool active(HWND window) const { return GetCapture() == window; }
    // Over the window itself the cursor says "no"; elsewhere the host is told.
    void move(HWND window) const;
    // Drops the selected album's songs (all, or those selected in the song
    // list) where the host accepts them.
    void release(HWND window, bool allSongs) const;

  private:
    HWND library_;
};
