#include "views/drag_source.h"

#include <vector>

#include "views/song_sending.h"
#include "win/host_interface.h"

namespace {

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

void DragSource::move(HWND window) const {
    POINT screen{};
    if (overOwnWindow(window, screen)) {
        SetCursor(LoadCursor(nullptr, IDC_NO));
        return;
    }
    DropRecord record = dropRecordAt(screen, false);
    SendMessageA(library_, kLibraryMessage, reinterpret_cast<WPARAM>(&record),
                 LibraryCode::kDragOver);
}

void DragSource::release(HWND window, bool allSongs) const {
    ReleaseCapture();
    POINT screen{};
    if (overOwnWindow(window, screen)) return;
    DropRecord record = dropRecordAt(screen, true);
    SendMessageA(library_, kLibraryMessage, reinterpret_cast<WPARAM>(&record),
                 LibraryCode::kDragOver);
    if (record.result <= 0) return;
    std::vector<ItemRecord> items = buildItemList(window, allSongs);
    if (items.empty()) return;
    ItemRecordList list{items.data(), static_cast<int32_t>(items.size()),
                        static_cast<int32_t>(items.capacity())};
    DropRecord drop = dropRecordAt(screen, false, &list);
    SendMessageA(library_, kLibraryMessage, reinterpret_cast<WPARAM>(&drop), LibraryCode::kDrop);
}
