// The host's Send-to menu entry "ItemCacheEx", which adds items to the
// plug-in's catalogue.
#pragma once

#include <windows.h>

#include <cstdint>

// The value that marks the entry as this plug-in's: the address of onMessage.
intptr_t sendToUserValue();

// Code 0x300: adds the entry for a list of item records (source kind 0).
void offerSendToEntry(INT_PTR sourceKind, INT_PTR context);

// Code 0x301: 1 when the list was this plug-in's to take and was appended.
int acceptSendTo(INT_PTR sourceKind, INT_PTR list, INT_PTR userValue);
