#include "plugin/tree_menus.h"

#include "covers/plugin_state.h"
#include "plugin/about_dialog.h"
#include "plugin/cover_preparation.h"
#include "plugin/help_file.h"
#include "plugin/plugin_entry.h"
#include "plugin/tree_entries.h"
#include "resources/resource_ids.h"
#include "settings/plugin_settings.h"
#include "settings/setting_keys.h"
#include "win/settings.h"

void loadTreeMenus(HINSTANCE instance) {
    PluginState* state = pluginState();
    if (!state) return;
    state->entryMenu.reset(LoadMenuA(instance, MAKEINTRESOURCEA(IDR_ENTRY_MENU)));
    state->genresMenu.reset(LoadMenuA(instance, MAKEINTRESOURCEA(IDR_GENRES_MENU)));
    // Menu 102 serves the genre entries too: the root gets a copy of its own.
    state->rootMenu.reset(LoadMenuA(instance, MAKEINTRESOURCEA(IDR_ENTRY_MENU)));
    HMENU rootPopup = state->rootMenu ? GetSubMenu(state->rootMenu.get(), 0) : nullptr;
    if (rootPopup) {
        InsertMenuA(rootPopup, 0, MF_BYPOSITION | MF_STRING, ID_MENU_PREPARE_COVERS,
                    prepareCoversLabel(false));
        InsertMenuA(rootPopup, 1, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
    }
}

const char* prepareCoversLabel(bool preparing) {
    return preparing ? "Stop Preparing Covers" : "Prepare All Covers";
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
    const PluginState* state = pluginState();
    if (!state) return;
    POINT cursor{};
    GetCursorPos(&cursor);
    HMENU popup = nullptr;
    // Preparing goes on while the menu is open and may end meanwhile: the
    // item does what it said.
    const bool preparingAtShow = preparingCovers();
    if (entryId == g_genresEntryId) {
        popup = state->genresMenu ? GetSubMenu(state->genresMenu.get(), 0) : nullptr;
        if (popup)
            ModifyMenuA(popup, ID_MENU_SORT_GENRE, MF_BYCOMMAND | MF_STRING, ID_MENU_SORT_GENRE,
                        sortGenreLabel(g_treeGenreSortOrder));
    } else if (entryId == g_rootEntryId) {
        popup = state->rootMenu ? GetSubMenu(state->rootMenu.get(), 0) : nullptr;
        if (popup)
            ModifyMenuA(popup, ID_MENU_PREPARE_COVERS, MF_BYCOMMAND | MF_STRING,
                        ID_MENU_PREPARE_COVERS, prepareCoversLabel(preparingAtShow));
    } else {
        popup = state->entryMenu ? GetSubMenu(state->entryMenu.get(), 0) : nullptr;
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
        case ID_MENU_PREPARE_COVERS:
            // Only the root's menu has this item.
            if (entryId != g_rootEntryId) break;
            if (preparingAtShow) {
                stopPreparingCovers();
            } else {
                startPreparingCovers();
            }
            break;
        case ID_MENU_SORT_GENRE:
            // Only the "Genres" menu has this item.
            if (entryId == g_genresEntryId) toggleGenreSortOrder();
            break;
        default:
            break;
    }
}
