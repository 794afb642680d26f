// The albums whose covers the album list drew with the placeholder until
// their thumbnails are decoded: taken one at a time, the first visible one
// in display order first; an album no longer visible loses its place, and
// one taken is not queued again until the queue is cleared.
#pragma once

#include <windows.h>

#include <optional>
#include <unordered_set>
#include <vector>

struct AlbumRecord;

class CoverFillQueue {
  public:
    // Queues the album drawn at index, unless it is queued or was taken.
    void add(int index, const AlbumRecord* album);
    bool queued(const AlbumRecord* album) const;
    // The next album to decode: the queued one with the lowest index that
    // is still shown at that index (shownAt) and visible in the list; the
    // others before it and the invisible ones are dropped.
    template <typename ShownAt>
    std::optional<int> takeNextVisible(HWND list, ShownAt shownAt);
    // Drops the queue and forgets what was taken (a new search, a new mode).
    void clear();
    bool empty() const { return pending_.empty(); }

  private:
    struct Pending {
        int index;
        const AlbumRecord* album;
    };
    static bool visible(HWND list, int index);

    std::vector<Pending> pending_;
    std::unordered_set<const AlbumRecord*> taken_;
};

template <typename ShownAt>
std::optional<int> CoverFillQueue::takeNextVisible(HWND list, ShownAt shownAt) {
    std::optional<int> next;
    std::vector<Pending> kept;
    for (const Pending& item : pending_) {
        if (shownAt(item.index) != item.album || !visible(list, item.index)) continue;
        if (!next || item.index < *next) next = item.index;
        kept.push_back(item);
    }
    pending_.clear();
    for (const Pending& item : kept) {
        if (item.index == *next)
            taken_.insert(item.album);
        else
            pending_.push_back(item);
    }
    return next;
}
