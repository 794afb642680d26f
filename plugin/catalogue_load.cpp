#include "plugin/catalogue_load.h"

#include "catalogue/song_record.h"
#include "covers/plugin_state.h"
#include "plugin/plugin_entry.h"
#include "settings/plugin_settings.h"

namespace {

int itemCount(const ItemRecordList& list) {
    return list.items && list.size > 0 ? list.size : 0;
}

// Hands the query's results back to the host however the load ends.
class QueryRelease {
  public:
    QueryRelease() = default;
    ~QueryRelease() {
        SendMessageA(g_pluginRecord.libraryWindow, kLibraryMessage, 0, LibraryCode::kFreeQuery);
    }
    QueryRelease(const QueryRelease&) = delete;
    QueryRelease& operator=(const QueryRelease&) = delete;
};

}  // namespace

const char* ratingEntryValue(const ItemRecord& item) {
    if (!item.extendedInfo) return nullptr;
    for (char** entry = item.extendedInfo; *entry; ++entry) {
        // Each entry is "name\0value".
        if (lstrcmpiA(*entry, "RATING") == 0) return *entry + lstrlenA(*entry) + 1;
    }
    return nullptr;
}

void releaseLibrarySongs() {
    PluginState* state = pluginState();
    if (!state) return;
    // The view catalogue borrows the library's songs; it must not outlive them.
    state->viewCatalogue.reset();
    state->libraryCatalogue.releaseAllSongs();
}

void loadLibraryCatalogue() {
    PluginState* state = pluginState();
    if (!state) return;
    releaseLibrarySongs();
    LibraryCatalogue& library = state->libraryCatalogue;
    library.setJoinDiscFolders(g_joinDiscFolders);
    char emptyQuery[] = "";
    LibraryQuery query{emptyQuery, 0, {nullptr, 0, 0}};
    QueryRelease release;
    SendMessageA(g_pluginRecord.libraryWindow, kLibraryMessage, reinterpret_cast<WPARAM>(&query),
                 LibraryCode::kQueryLibrary);
    const int count = itemCount(query.results);
    library.reserveSongs(static_cast<std::size_t>(count));
    for (int index = 0; index < count; ++index) {
        const ItemRecord& item = query.results.items[index];
        library.addSong(HostSong{item.artist, item.title, item.album, item.length, item.track,
                                 item.genre, item.year, item.filename, ratingEntryValue(item)});
    }
}

int appendItems(const ItemRecordList* list) {
    PluginState* state = pluginState();
    if (!list || !state) return 0;
    const int count = itemCount(*list);
    for (int index = 0; index < count; ++index) {
        const ItemRecord& item = list->items[index];
        state->libraryCatalogue.addSong(HostSong{item.artist, item.title, item.album, item.length,
                                                 item.track, item.genre, item.year, item.filename,
                                                 nullptr});
    }
    return count;
}
