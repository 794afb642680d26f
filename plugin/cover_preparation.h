// "Prepare All Covers" in the root entry's menu: builds every album's
// thumbnail cache in the background, with its progress in the album
// window's status line, until it is done, chosen again, or the plug-in stops.
#pragma once

bool preparingCovers();
// Starts over with the cover settings in force.
void startPreparingCovers();
void stopPreparingCovers();
