#include "plugin/catalogue_load.h"

#include "catalogue/song_record.h"
#include "covers/module_objects.h"
#include "plugin/plugin_entry.h"

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
    // The view catalogue borrows the library's songs; it must not outlive them.
    g_viewCatalogue.reset();
    g_libraryCatalogue.releaseAllSongs();
}

void loadLibraryCatalogue() {
    releaseLibrarySongs();
    char emptyQuery[] = "";
    LibraryQuery query{emptyQuery, 0, {nullptr, 0, 0}};
    QueryRelease release;
    SendMessageA(g_pluginRecord.libraryWindow, kLibraryMessage, reinterpret_cast<WPARAM>(&query),
                 LibraryCode::kQueryLibrary);
    const int count = itemCount(query.results);
    g_libraryCatalogue.reserveSongs(static_cast<std::size_t>(count));
    for (int index = 0; index < count; ++index) {
        const ItemRecord& item = query.results.items[index];
        g_libraryCatalogue.addSong(HostSong{item.artist, item.title, item.album, item.length,
                                            item.track, item.genre, item.year, item.filename,
                                            ratingEntryValue(item)});
    }
}

int appendItems(const ItemRecordList* list) {
    if (!list) return 0;
    const int count = itemCount(*list);
    for (int index = 0; index < count; ++index) {
        const ItemRecord& item = list->items[index];
        g_libraryCatalogue.addSong(HostSong{item.artist, item.title, item.album, item.length,
                                            item.track, item.genre, item.year, item.filename,
                                            nullptr});
    }
    return count;
}
