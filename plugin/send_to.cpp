#include "send_to.h"

#include "catalogue_load.h"
#include "host_interface.h"
#include "plugin_entry.h"
#include "view_windows.h"

intptr_t sendToUserValue() {
    return reinterpret_cast<intptr_t>(&onMessage);
}

void offerSendToEntry(int sourceKind, int context) {
    if (sourceKind != 0) return;
    char label[] = "ItemCacheEx";
    SendToEntry entry{label, context, sendToUserValue()};
    SendMessageA(g_pluginRecord.libraryWindow, kLibraryMessage, reinterpret_cast<WPARAM>(&entry),
                 LibraryCode::kAddSendTo);
}

int acceptSendTo(int sourceKind, int list, int userValue) {
    if (sourceKind != 0 || list == 0 || userValue != sendToUserValue()) return 0;
    appendItems(reinterpret_cast<const ItemRecordList*>(static_cast<intptr_t>(list)));
    rerunAlbumSearch();
    return 1;
}
