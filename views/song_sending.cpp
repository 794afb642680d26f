#include "views/song_sending.h"

#include <commctrl.h>

#include "catalogue/album_record.h"
#include "catalogue/song_record.h"
#include "resources/resource_ids.h"
#include "views/contents_view.h"

namespace {

char* borrowed(SongText text) {
    return const_cast<char*>(text.c_str());
}

ItemRecord itemOf(const SongRecord& song) {
    ItemRecord item{};
    item.filename = borrowed(song.fileName);
    item.title = borrowed(song.title);
    item.album = borrowed(song.album);
    item.artist = borrowed(song.artist);
    item.genre = borrowed(song.genre);
    item.year = song.year;
    item.track = song.track;
    item.length = song.length;
    return item;
}

}  // namespace

std::vector<ItemRecord> buildItemList(HWND albumWindow, bool all) {
    std::vector<ItemRecord> items;
    // Without an open window there is no selection to read: nothing is sent.
    const AlbumRecord* album = selectedAlbum(albumWindow);
    if (!album) return items;
    HWND songList = GetDlgItem(albumWindow, IDC_SONG_LIST);
    items.reserve(static_cast<size_t>(album->songCount()));
    for (int i = 0; i < album->songCount(); ++i) {
        if (!all && !(ListView_GetItemState(songList, i, LVIS_SELECTED) & LVIS_SELECTED)) continue;
        if (album->songs[static_cast<size_t>(i)]) items.push_back(itemOf(*album->songs[i]));
    }
    return items;
}

void sendSongsToPlayer(HWND libraryWindow, HWND albumWindow, bool enqueue, bool all) {
    std::vector<ItemRecord> items = buildItemList(albumWindow, all);
    if (items.empty()) return;
    ItemRecordList list{items.data(), static_cast<int32_t>(items.size()),
                        static_cast<int32_t>(items.capacity())};
    PlayRequest request{};
    request.kind = 0;  // data is an ItemRecordList
    request.data = &list;
    request.enqueue = enqueue ? 1 : 0;
    SendMessageA(libraryWindow, kLibraryMessage, reinterpret_cast<WPARAM>(&request),
                 LibraryCode::kPlayItems);
}

bool shiftHeld() {
    return (GetAsyncKeyState(VK_SHIFT) & 0x8000) != 0;
}
