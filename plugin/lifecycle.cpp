// start and stop: the plug-in's set-up and tear-down around the host's calls.
#include <cstring>
#include <string>

#include "catalogue/block_reserve.h"
#include "covers/plugin_state.h"
#include "plugin/catalogue_load.h"
#include "plugin/plugin_entry.h"
#include "settings/start_settings.h"
#include "plugin/tree_entries.h"
#include "plugin/tree_menus.h"
#include "plugin/version_info.h"
#include "views/view_windows.h"
#include "settings/plugin_settings.h"
#include "win/debug_trace.h"
#include "win/settings.h"

namespace {

char g_noDescription[] = "";
// The description the record points at while the plug-in runs.
std::string g_description;

void determinePluginFolder() {
    g_pluginFolder[0] = '\0';
    char path[kPathSize] = "";
    const DWORD length = GetModuleFileNameA(g_moduleHandle, path, sizeof(path));
    // A full buffer means a cut path, which names no real folder.
    if (length == 0 || length >= sizeof(path)) return;
    char* lastBackslash = strrchr(path, '\\');
    if (!lastBackslash) return;
    lastBackslash[1] = '\0';
    lstrcpynA(g_pluginFolder, path, sizeof(g_pluginFolder));
}

void setDescription() {
    g_description = makeDescription();
    g_pluginRecord.description = g_description.data();
}

void runStart() {
    const char* versionFile = versionBlockFileName(GetVersion());
    g_moduleHandle = GetModuleHandleA("ml_Coverhall.dll");
    // After the module handle: the library's image list takes its bitmaps
    // from that module.
    makePluginState();
    determinePluginFolder();
    char modulePath[kPathSize] = "";
    if (g_moduleHandle) GetModuleFileNameA(g_moduleHandle, modulePath, sizeof(modulePath));
    readVersionTexts(versionFile, modulePath);
    setDescription();
    determineIniPaths(g_pluginRecord.playerWindow);
    loadStartSettings();

    HWND library = g_pluginRecord.libraryWindow;
    setViewHost(g_pluginRecord.instance, library, genreEntryIdOf);
    g_treeControl = library ? FindWindowExA(library, nullptr, "SysTreeView32", "Tree1") : nullptr;
    clearTreeEntries();
    const int rootParent = findDevicesParent();
    g_rootEntryId = addTreeEntry(rootParent, "Coverhall", true);
    setTreeEntry(g_treeEntries[0], g_rootEntryId, "Coverhall");
    loadTreeMenus(g_pluginRecord.instance);
    g_genresEntryId = addTreeEntry(g_rootEntryId, "Genres", true);
    setTreeEntry(g_treeEntries[1], g_genresEntryId, "Genres");
    // Until the genre rows exist the root and "Genres" rows already answer.
    g_treeEntryCount = 2;

    loadLibraryCatalogue();
    addGenreEntries();
    if (findGenresNode()) sortGenreEntries(g_treeGenreSortOrder);
}

}  // namespace

int __cdecl start() {
    try {
        runStart();
    } catch (...) {
        // Whatever was set up stays; the host is never told of a failure.
        coverhall::traceCurrentException("start failed");
    }
    return 0;
}

void __cdecl stop() {
    // The cover workers end first, before any window or image list they
    // work for goes; nothing posted by them is left behind.
    if (CoverEngine* engine = coverEngine()) engine->stop();
    // The windows go next (their timers die with them): nothing of ours may
    // run on a view after the songs it shows are freed, and the host may
    // unload the DLL before it destroys the view itself.
    try {
        destroyViewWindows();
    } catch (...) {
        coverhall::traceCurrentException("closing the views failed");
    }
    // The bitmaps the views showed go with the state, after the views.
    releasePluginState();
    // Blocks kept for a reload are of no use once the plug-in stops.
    freeReservedBlocks();
    // The host may still read the description after stop; it must not point
    // at freed text.
    g_pluginRecord.description = g_noDescription;
    g_description.clear();
    g_description.shrink_to_fit();
    // Nothing borrowed from the host outlives stop.
    g_hostIniPath = "";
    g_treeControl = nullptr;
    setViewHost(nullptr, nullptr, nullptr);
}
