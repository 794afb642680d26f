#include "send_to.h"

#include "catalogue_load.h"
#include "host_interface.h"
#include "plugin_entry.h"
#include "view_windows.h"

intptr_t sendToUserValue() {
    return reinterpret_cast<intptr_t>(&onMessage);
}

void offerSendToEntry(INT_PTR sourceKind, INT_PTR context) {
    if (sourceKind != 0) return;
    char label[] = "ItemCacheEx";
    SendToEntry entry{label, context, sendToUserValue()};
    SendMessageA(g_pluginRecord.libraryWindow, kLibraryMessage, reinterpret_cast<WPARAM>(&entry),
                 LibraryCode::kAddSendTo);
}

int acceptSendTo(INT_PTR sourceKind, INT_PTR list, INT_PTR userValue) {
    if (sourceKind != 0 || list == 0 || userValue != sendToUserValue()) return 0;
    appendItems(reinterpret_cast<const ItemRecordList*>(list));
    rerunAlbumSearch();
    return 1;
}
