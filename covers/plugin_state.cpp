#include "covers/plugin_state.h"

#include <utility>

#include "covers/cover_image_list_win32.h"
#include "win/module_bitmaps.h"

namespace {

// A plain pointer, not a unique_ptr: a host that unloads the module without
// calling stop leaks the state rather than have its image lists, bitmaps and
// menus destroyed under the loader lock.
PluginState* g_pluginState = nullptr;

}  // namespace

std::unique_ptr<CoverImageList> makeCoverImageList(int edge) {
    // A renamed module leaves g_moduleHandle null; the bitmaps then come from
    // the module holding this code.
    return std::make_unique<Win32CoverImageList>(edge, bitmapModule());
}

PluginState::PluginState() : libraryCatalogue(kThumbnailSize, makeCoverImageList) {}

PluginState* pluginState() {
    return g_pluginState;
}

void makePluginState() {
    if (!g_pluginState) g_pluginState = new PluginState;
}

void releasePluginState() {
    delete std::exchange(g_pluginState, nullptr);
}

LibraryCatalogue& libraryCatalogue() {
    if (g_pluginState) return g_pluginState->libraryCatalogue;
    // Made on first use, never while the module loads; it holds no Windows
    // object, so its destruction at unload frees only memory.
    static LibraryCatalogue empty(kThumbnailSize, nullptr);
    return empty;
}

ViewCatalogue* viewCatalogue() {
    return g_pluginState ? g_pluginState->viewCatalogue.get() : nullptr;
}

CoverEngine* coverEngine() {
    return g_pluginState ? &g_pluginState->coverEngine : nullptr;
}
