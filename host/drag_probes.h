// Dragging out of a list as a user does: the list's LVN_BEGINDRAG, the
// cursor moved over another window, the mouse released there. Moves and the
// release go to the window that holds the mouse capture, as the system sends
// them, with client coordinates in the message.
#pragma once

#include <windows.h>

namespace coverhall::host {

class StandInHost;

// The centre of a window, in screen coordinates.
POINT centreOf(HWND window);

// Puts the cursor there and waits until it stays: under Wine a late event
// of an earlier move can still take it back.
void moveCursorTo(StandInHost& host, POINT point);

// LVN_BEGINDRAG from the list (item 0, left button).
void beginListDrag(HWND list);
// The cursor moved to point during the drag.
void moveDragTo(StandInHost& host, POINT point);
// The left button released where the cursor is.
void releaseDrag();

// The whole gesture: from the list to the centre of target.
void dragListTo(StandInHost& host, HWND list, HWND target);

}  // namespace coverhall::host
