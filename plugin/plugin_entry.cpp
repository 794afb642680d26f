#include "plugin/plugin_entry.h"

namespace {
char g_emptyDescription[] = "";
}

PluginRecord g_pluginRecord = {
    kPluginInterfaceVersion, g_emptyDescription, start, stop, onMessage, nullptr, nullptr, nullptr,
};

extern "C" PluginRecord* __cdecl winampGetMediaLibraryPlugin() {
    // All set-up waits for start; the host fills the window and instance
    // fields first.
    OutputDebugStringA("Coverhall: Media Library plug-in loaded\n");
    return &g_pluginRecord;
}
