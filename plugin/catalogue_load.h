// Filling the library catalogue from the host: the whole database at start and
// the items of a Send-to request.
#pragma once

#include "win/host_interface.h"

// The value of the item's extended entry "RATING" (name compared without
// regard to case), or null when it has none.
const char* ratingEntryValue(const ItemRecord& item);

// Frees every song of the library (and first the view catalogue that points
// at them). Like the load and the append, it does nothing before start or
// after stop.
void releaseLibrarySongs();

// Releases the songs, then reads every item of the host's database
// (library code 0x700) into the catalogue and hands the results back with
// 0x705.
void loadLibraryCatalogue();

// Adds the items of a Send-to list to the catalogue, without ratings. A null
// list, a null item array, a negative size or a plug-in not running adds
// nothing. Returns the number of songs added.
int appendItems(const ItemRecordList* list);
