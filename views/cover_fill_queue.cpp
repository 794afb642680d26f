#include "views/cover_fill_queue.h"

#include <commctrl.h>

#include <algorithm>

void CoverFillQueue::add(int index, const AlbumRecord* album) {
    if (!album || taken_.count(album) || queued(album)) return;
    const auto at =
        std::upper_bound(pending_.begin(), pending_.end(), index,
                         [](int wanted, const Pending& item) { return wanted < item.index; });
    pending_.insert(at, Pending{index, album});
}

void CoverFillQueue::addRebuild(int index, const AlbumRecord* album) {
    if (!album) return;
    taken_.erase(album);
    const auto same = [album](const Pending& item) { return item.album == album; };
    pending_.erase(std::remove_if(pending_.begin(), pending_.end(), same), pending_.end());
    rebuilds_.erase(std::remove_if(rebuilds_.begin(), rebuilds_.end(), same), rebuilds_.end());
    rebuilds_.push_back(Pending{index, album});
}

bool CoverFillQueue::queued(const AlbumRecord* album) const {
    return std::any_of(pending_.begin(), pending_.end(),
                       [album](const Pending& item) { return item.album == album; });
}

void CoverFillQueue::clear() {
    pending_.clear();
    rebuilds_.clear();
    taken_.clear();
}

bool CoverFillQueue::visible(HWND list, int index) {
    RECT item{};
    RECT client{};
    RECT both{};
    return IsWindowVisible(list) && ListView_GetItemRect(list, index, &item, LVIR_BOUNDS) &&
           GetClientRect(list, &client) && IntersectRect(&both, &item, &client);
}
