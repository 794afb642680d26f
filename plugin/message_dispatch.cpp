// onMessage: everything the host reports after start.
#include "covers/plugin_state.h"
#include "plugin/configure_dialog.h"
#include "plugin/plugin_entry.h"
#include "plugin/send_to.h"
#include "plugin/tree_entries.h"
#include "plugin/tree_menus.h"
#include "views/view_windows.h"
#include "win/debug_trace.h"
#include "win/host_interface.h"

namespace {

HWND asWindow(INT_PTR value) {
    return reinterpret_cast<HWND>(value);
}

INT_PTR createEntryView(const TreeEntry& entry, HWND parent) {
    HWND view = opensGenreList(entry) ? createGenreListWindow(parent)
                                      : createAlbumWindow(parent, genreFilterOf(entry));
    return reinterpret_cast<INT_PTR>(view);
}

INT_PTR dispatchTreeCode(int code, INT_PTR param1, INT_PTR param2, INT_PTR param3) {
    // The rows outlive stop, but no view or menu may be made without the
    // state that they show.
    if (!pluginState()) return 0;
    // Entry ids are 32-bit values even where parameters are wider.
    const int entryId = static_cast<int>(param1);
    if (entryId != param1) return 0;
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

INT_PTR dispatch(int code, INT_PTR param1, INT_PTR param2, INT_PTR param3) {
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

INT_PTR __cdecl onMessage(int code, INT_PTR param1, INT_PTR param2, INT_PTR param3) {
    try {
        return dispatch(code, param1, param2, param3);
    } catch (...) {
        // Nothing may reach the host; the request simply has no effect.
        coverhall::traceCurrentException("host message failed");
        return 0;
    }
}
