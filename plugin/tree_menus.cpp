#include "plugin/tree_menus.h"

#include "plugin/about_dialog.h"
#include "plugin/help_file.h"
#include "plugin/plugin_entry.h"
#include "plugin/tree_entries.h"
#include "resources/resource_ids.h"
#include "settings/plugin_settings.h"
#include "settings/setting_keys.h"
#include "win/settings.h"
#include "win/win_handles.h"

namespace {

coverhall::UniqueMenu g_entryMenu;
coverhall::UniqueMenu g_genresMenu;

}  // namespace

void loadTreeMenus(HINSTANCE instance) {
    g_entryMenu.reset(LoadMenuA(instance, MAKEINTRESOURCEA(IDR_ENTRY_MENU)));
    g_genresMenu.reset(LoadMenuA(instance, MAKEINTRESOURCEA(IDR_GENRES_MENU)));
}

void releaseTreeMenus() {
    g_entryMenu.reset();
    g_genresMenu.reset();
}

const char* sortGenreLabel(int order) {
    return order > 0 ? "Sort &ascending" : "Sort &descending";
}

void toggleGenreSortOrder() {
    g_treeGenreSortOrder = g_treeGenreSortOrder <= 0 ? 1 : 0;
    // Without the "Genres" node there is nothing to sort now; the choice is
    // still stored for the next start.
    sortGenreEntries(g_treeGenreSortOrder);
    writeSetting(kTreeGenreSortOrderKey, g_treeGenreSortOrder ? "1" : "0");
}

void showEntryMenu(int entryId, HWND owner) {
    POINT cursor{};
    GetCursorPos(&cursor);
    HMENU popup = nullptr;
    if (entryId == g_genresEntryId) {
        popup = g_genresMenu ? GetSubMenu(g_genresMenu.get(), 0) : nullptr;
        if (popup)
            ModifyMenuA(popup, ID_MENU_SORT_GENRE, MF_BYCOMMAND | MF_STRING, ID_MENU_SORT_GENRE,
                        sortGenreLabel(g_treeGenreSortOrder));
    } else {
        popup = g_entryMenu ? GetSubMenu(g_entryMenu.get(), 0) : nullptr;
    }
    if (!popup) return;
    // A menu needs a live owner window; the library window stands in for a
    // stale one.
    if (!owner || !IsWindow(owner)) owner = g_pluginRecord.libraryWindow;
    const int command = TrackPopupMenu(popup, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON,
                                       cursor.x, cursor.y, 0, owner, nullptr);
    switch (command) {
        case ID_MENU_ABOUT:
            runAboutDialog(owner);
            break;
        case ID_MENU_HELP:
            openHelpFile(owner);
            break;
        case ID_MENU_SORT_GENRE:
            // Only the "Genres" menu has this item.
            if (entryId == g_genresEntryId) toggleGenreSortOrder();
            break;
        default:
            break;
    }
}
