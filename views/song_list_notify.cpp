// The song list's notifications, stepping between albums, "Enqueue" and
// dragging songs out of the album window.
#include <windows.h>
#include <commctrl.h>

#include "covers/plugin_state.h"
#include "resources/resource_ids.h"
#include "views/album_window.h"
#include "views/contents_view.h"
#include "views/list_text.h"
#include "views/list_view_helper.h"
#include "views/song_sending.h"
#include "views/view_state.h"
#include "win/setting_keys.h"
#include "win/settings.h"

namespace {

template <typename Item>
void answerSongDisplay(HWND albumWindow, Item& item) {
    if (!(item.mask & LVIF_TEXT)) return;
    const AlbumRecord* album = selectedAlbum(albumWindow);
    if (!album || item.iItem < 0 || item.iItem >= album->songCount()) return;
    const SongRecord* song = album->songs[static_cast<size_t>(item.iItem)];
    if (song) copyListText(songColumnText(*song, item.iSubItem), item.pszText, item.cchTextMax);
}

// The window under the cursor and whether it is this window or its child.
bool overOwnWindow(HWND albumWindow, POINT& screen) {
    GetCursorPos(&screen);
    HWND under = WindowFromPoint(screen);
    return !under || under == albumWindow || IsChild(albumWindow, under);
}

// What the host is told of a drag at a screen point: moving or released,
// and on the drop the items; the host sets `result`.
DropRecord dropRecordAt(POINT screen, bool released, ItemRecordList* items = nullptr) {
    DropRecord record{};
    record.kind = 0;  // data is an ItemRecordList
    record.data = items;
    record.x = screen.x;
    record.y = screen.y;
    record.flag = released ? 1 : 0;
    return record;
}

}  // namespace

INT_PTR AlbumWindow::onSongListNotify(NMHDR& header) {
    switch (header.code) {
        case LVN_GETDISPINFOA:
            answerSongDisplay(window(), reinterpret_cast<NMLVDISPINFOA&>(header).item);
            return FALSE;
        case LVN_GETDISPINFOW:
            answerSongDisplay(window(), reinterpret_cast<NMLVDISPINFOW&>(header).item);
            return FALSE;
        case LVN_KEYDOWN:
            onSongListKey(reinterpret_cast<NMLVKEYDOWN&>(header).wVKey);
            return FALSE;
        case NM_RETURN:
            clickButton(IDC_ENQUEUE);
            return FALSE;
        case LVN_COLUMNCLICK: {
            const int column = reinterpret_cast<NMLISTVIEW&>(header).iSubItem;
            if (column < 0 || column > 6) return FALSE;
            applySortClick(column, g_songSortColumn, g_songSortDescending);
            writeSettingInt(kSongSortDescendingKey, g_songSortDescending);
            writeSettingInt(kSongSortColumnKey, g_songSortColumn);
            sortAndRefreshSongList(window());
            return FALSE;
        }
        case NM_DBLCLK:
            sendSongsToPlayer(library_, window(), shiftHeld(), false);
            return FALSE;
        case LVN_BEGINDRAG:
            SetCapture(window());
            return FALSE;
        default:
            return FALSE;
    }
}

void AlbumWindow::onSongListKey(WORD key) {
    switch (key) {
        case VK_SPACE:
            if (!modifierHeld()) clickButton(IDC_MODE_COVERS);
            break;
        case VK_LEFT:
            clickButton(IDC_PREVIOUS_ALBUM);
            break;
        case VK_RIGHT:
            clickButton(IDC_NEXT_ALBUM);
            break;
        default:
            break;
    }
}

void AlbumWindow::stepAlbum(int direction) {
    HWND list = control(IDC_ALBUM_LIST);
    const AlbumCatalogue* view = viewCatalogue();
    const int count = view ? view->shownCount() : 0;
    if (count <= 0) return;
    const int current = ListView_GetNextItem(list, -1, LVNI_SELECTED);
    int next = 0;
    if (direction < 0) {
        next = current < 1 ? count - 1 : current - 1;
    } else {
        next = current >= 0 && current < count - 1 ? current + 1 : 0;
    }
    // Without a selection every item is cleared (-1 stands for all).
    ListView_SetItemState(list, current, 0, LVIS_SELECTED);
    g_albumListHelper.selectItem(next);
    showAlbumContents(window(), next);
    g_songListHelper.selectItem(0);
}

void AlbumWindow::onEnqueue() {
    const bool inContents = g_viewMode == Contents;
    if (!inContents) sortAndRefreshSongList(window());
    sendSongsToPlayer(library_, window(), shiftHeld(), !inContents);
    SetFocus(control(inContents ? IDC_SONG_LIST : IDC_ALBUM_LIST));
}

void AlbumWindow::onDragMove() {
    POINT screen{};
    if (overOwnWindow(window(), screen)) {
        SetCursor(LoadCursor(nullptr, IDC_NO));
        return;
    }
    DropRecord record = dropRecordAt(screen, false);
    SendMessageA(library_, kLibraryMessage, reinterpret_cast<WPARAM>(&record),
                 LibraryCode::kDragOver);
}

void AlbumWindow::onDragRelease() {
    ReleaseCapture();
    POINT screen{};
    if (overOwnWindow(window(), screen)) return;
    DropRecord record = dropRecordAt(screen, true);
    SendMessageA(library_, kLibraryMessage, reinterpret_cast<WPARAM>(&record),
                 LibraryCode::kDragOver);
    if (record.result <= 0) return;
    std::vector<ItemRecord> items = buildItemList(window(), g_viewMode != Contents);
    if (items.empty()) return;
    ItemRecordList list{items.data(), static_cast<int32_t>(items.size()),
                        static_cast<int32_t>(items.capacity())};
    DropRecord drop = dropRecordAt(screen, false, &list);
    SendMessageA(library_, kLibraryMessage, reinterpret_cast<WPARAM>(&drop), LibraryCode::kDrop);
}
