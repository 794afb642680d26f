#include "plugin/send_to.h"

#include "covers/plugin_state.h"
#include "plugin/catalogue_load.h"
#include "plugin/plugin_entry.h"
#include "views/view_windows.h"
#include "win/host_interface.h"

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
    // Before start and after stop there is no library to take the songs.
    if (!pluginState()) return 0;
    appendItems(reinterpret_cast<const ItemRecordList*>(list));
    rerunAlbumSearch();
    return 1;
}
