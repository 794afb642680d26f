// Sending songs to the player: the host's item record list built from the
// selected album, and the play request.
#pragma once

#include <windows.h>

#include <vector>

#include "win/host_interface.h"

// The records of the selected album's songs in their current order; with all
// false only the songs selected in the song list. The records borrow the
// songs' texts. Empty without an album window or a selected album.
std::vector<ItemRecord> buildItemList(HWND albumWindow, bool all);

// Sends buildItemList's records with code 0x302; nothing when there are none.
void sendSongsToPlayer(HWND libraryWindow, HWND albumWindow, bool enqueue, bool all);

// Shift held at this moment (asynchronous key state).
bool shiftHeld();
