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
    // ones before it that are not are dropped.
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

    std::vector<Pending> pending_;  // by index
    std::unordered_set<const AlbumRecord*> taken_;
};

template <typename ShownAt>
std::optional<int> CoverFillQueue::takeNextVisible(HWND list, ShownAt shownAt) {
    // In index order, so only the albums up to the one taken are looked at:
    // finding an item's place can cost the list a label measure.
    while (!pending_.empty()) {
        const Pending item = pending_.front();
        pending_.erase(pending_.begin());
        if (shownAt(item.index) != item.album || !visible(list, item.index)) continue;
        taken_.insert(item.album);
        return item.index;
    }
    return std::nullopt;
}
