// onMessage: everything the host reports after start.
#include "configure_dialog.h"
#include "host_interface.h"
#include "plugin_entry.h"
#include "send_to.h"
#include "tree_entries.h"
#include "tree_menus.h"
#include "view_windows.h"

namespace {

HWND asWindow(int value) {
    return reinterpret_cast<HWND>(static_cast<intptr_t>(value));
}

int createEntryView(const TreeEntry& entry, HWND parent) {
    HWND view = opensGenreList(entry) ? createGenreListWindow(parent, entry.id)
                                      : createAlbumWindow(parent, entry.id);
    return static_cast<int>(reinterpret_cast<intptr_t>(view));
}

int dispatchTreeCode(int code, int entryId, int param2, int param3) {
    const TreeEntry* entry = findTreeEntry(entryId);
    if (!entry) return 0;  // another plug-in's entry
    switch (code) {
        case PluginCode::kCreateView:
            return createEntryView(*entry, asWindow(param2));
        case PluginCode::kTreeClick:
            if (param2 == 0) showEntryMenu(entryId, asWindow(param3));
            return 1;
        default:
            return 0;
    }
}

int dispatch(int code, int param1, int param2, int param3) {
    if (code >= PluginCode::kFirstTreeCode && code <= PluginCode::kLastTreeCode)
        return dispatchTreeCode(code, param1, param2, param3);
    switch (code) {
        case PluginCode::kBuildSendTo:
            offerSendToEntry(param1, param2);
            return 0;
        case PluginCode::kSendTo:
            return acceptSendTo(param1, param2, param3);
        case PluginCode::kConfigure:
            runConfigureDialog(asWindow(param1));
            return 1;
        default:
            return 0;
    }
}

}  // namespace

int __cdecl onMessage(int code, int param1, int param2, int param3) {
    try {
        return dispatch(code, param1, param2, param3);
    } catch (...) {
        // Nothing may reach the host; the request simply has no effect.
        return 0;
    }
}
