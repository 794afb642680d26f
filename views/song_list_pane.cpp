#include "views/song_list_pane.h"

#include <iterator>

#include "catalogue/album_record.h"
#include "catalogue/list_columns.h"
#include "catalogue/song_record.h"
#include "resources/resource_ids.h"
#include "settings/list_sorts.h"
#include "settings/setting_keys.h"
#include "views/album_list_pane.h"
#include "views/button_click.h"
#include "views/contents_view.h"
#include "views/drag_source.h"
#include "views/folder_opener.h"
#include "views/host_services.h"
#include "views/list_text.h"
#include "views/list_view_helper.h"
#include "views/song_sending.h"

namespace {

constexpr ColumnSpec kSongColumns[] = {{"Track #", 64}, {"Title", 200}, {"Rating", 64},
                                       {"Artist", 200}, {"Length", 64}, {"Year", 64},
                                       {"Genre", 150}};
static_assert(std::size(kSongColumns) == kSongColumnCount);

template <typename Item>
void answerDisplay(HWND albumWindow, Item& item) {
    if (!(item.mask & LVIF_TEXT)) return;
    const AlbumRecord* album = selectedAlbum(albumWindow);
    if (!album || item.iItem < 0 || item.iItem >= album->songCount()) return;
    const SongRecord* song = album->songs[static_cast<size_t>(item.iItem)];
    if (song)
        copyListText(songColumnText(*song, static_cast<SongColumn>(item.iSubItem)), item.pszText,
                     item.cchTextMax);
}

}  // namespace

void SongListPane::setUp(HWND list, HostColorFunction color) {
    attachList(list);
    addColumns(g_songListHelper, library_, kSongColumns, kSongColumnCount);
    colourList(list, color);
}

void SongListPane::refreshSkin(HostColorFunction color) const {
    colourList(list(), color);
    g_songListHelper.refreshFont();
}

std::optional<LRESULT> SongListPane::onNotify(NMHDR& header) const {
    switch (header.code) {
        case LVN_GETDISPINFOA:
            answerDisplay(owner(), reinterpret_cast<NMLVDISPINFOA&>(header).item);
            break;
        case LVN_GETDISPINFOW:
            answerDisplay(owner(), reinterpret_cast<NMLVDISPINFOW&>(header).item);
            break;
        case LVN_KEYDOWN:
            onKey(reinterpret_cast<NMLVKEYDOWN&>(header).wVKey);
            break;
        case NM_RETURN:
            clickEnabledButton(owner(), IDC_ENQUEUE);
            break;
        case LVN_COLUMNCLICK:
            onColumnClick(reinterpret_cast<NMLISTVIEW&>(header).iSubItem);
            break;
        case NM_DBLCLK:
            sendSongsToPlayer(library_, owner(), shiftHeld(), false);
            break;
        case LVN_BEGINDRAG:
            drag_.begin(owner());
            break;
        default:
            break;
    }
    return std::nullopt;
}

void SongListPane::onColumnClick(int column) const {
    if (column < 0 || column >= kSongColumnCount) return;
    g_listSorts.songs.applyClick(column);
    writeListSort(g_listSorts.songs, kSongSortColumnKey, kSongSortDescendingKey);
    sortAndRefreshSongList(owner());
}

void SongListPane::onKey(WORD key) const {
    switch (key) {
        case VK_SPACE:
            if (!modifierHeld()) clickEnabledButton(owner(), IDC_MODE_COVERS);
            break;
        case VK_LEFT:
            clickEnabledButton(owner(), IDC_PREVIOUS_ALBUM);
            break;
        case VK_RIGHT:
            clickEnabledButton(owner(), IDC_NEXT_ALBUM);
            break;
        default:
            break;
    }
}

void SongListPane::stepAlbum(int direction) const {
    const int next = albums_.selectNeighbour(direction);
    if (next < 0) return;
    showAlbumContents(owner(), next);
    selectFirstSong();
}

void SongListPane::enqueue(bool inContents) const {
    send(inContents, shiftHeld());
}

void SongListPane::send(bool inContents, bool enqueue) const {
    if (!inContents) sortAndRefreshSongList(owner());
    sendSongsToPlayer(library_, owner(), enqueue, !inContents);
    SetFocus(inContents ? list() : albums_.list());
}

void SongListPane::openFolder() const {
    const AlbumRecord* album = selectedAlbum(owner());
    const int song = ListView_GetNextItem(list(), -1, LVNI_SELECTED);
    if (!album || song < 0 || song >= album->songCount()) return;
    if (const SongRecord* selected = album->songs[static_cast<size_t>(song)])
        g_folderOpener(album->folder.c_str(), selected->fileName.c_str());
}

int SongListPane::contextMenuId() const {
    return IDR_SONG_MENU;
}

void SongListPane::selectFirstSong() const {
    g_songListHelper.selectItem(0);
}
