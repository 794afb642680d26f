#include "views/cover_fill_queue.h"

#include <commctrl.h>

#include <algorithm>

void CoverFillQueue::add(int index, const AlbumRecord* album) {
    if (album && !taken_.count(album) && !find(album))
        pending_.push_back(Pending{index, album, false});
}

void CoverFillQueue::addRebuild(int index, const AlbumRecord* album) {
    if (!album) return;
    taken_.erase(album);
    if (Pending* item = find(album)) {
        *item = Pending{index, album, true};
    } else {
        pending_.push_back(Pending{index, album, true});
    }
}

bool CoverFillQueue::queued(const AlbumRecord* album) const {
    return std::any_of(pending_.begin(), pending_.end(), [album](const Pending& item) {
        return item.album == album && !item.rebuild;
    });
}

CoverFillQueue::Pending* CoverFillQueue::find(const AlbumRecord* album) {
    auto found = std::find_if(pending_.begin(), pending_.end(),
                              [album](const Pending& item) { return item.album == album; });
    return found == pending_.end() ? nullptr : &*found;
}

void CoverFillQueue::clear() {
    pending_.clear();
    taken_.clear();
}

bool CoverFillQueue::visible(HWND list, int index) {
    RECT item{};
    RECT client{};
    RECT both{};
    return IsWindowVisible(list) && ListView_GetItemRect(list, index, &item, LVIR_BOUNDS) &&
           GetClientRect(list, &client) && IntersectRect(&both, &item, &client);
}
