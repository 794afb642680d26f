// The albums whose covers the album list drew with the placeholder until
// their thumbnails are decoded: taken one at a time, the first visible one
// in display order first; an album no longer visible loses its place, and
// one taken is not queued again until the queue is cleared. A rebuild the
// user asked for goes before them, visible or not.
#pragma once

#include <windows.h>

#include <optional>
#include <unordered_set>
#include <vector>

struct AlbumRecord;

class CoverFillQueue {
  public:
    struct Next {
        int index;
        bool rebuild;  // decode from the source even while the cache looks current
    };

    // Queues the album drawn at index, unless it is queued or was taken.
    void add(int index, const AlbumRecord* album);
    // Queues a rebuild of the album shown at index, also when it was taken
    // or waits for its first decode.
    void addRebuild(int index, const AlbumRecord* album);
    // Whether the album waits for its first decode (a rebuild does not: its
    // old thumbnail may show meanwhile).
    bool queued(const AlbumRecord* album) const;
    // The next album to decode: the first rebuild still shown at its index
    // (shownAt), else the queued one with the lowest index that is still
    // shown there and visible in the list; the ones before it that are not
    // are dropped.
    template <typename ShownAt>
    std::optional<Next> takeNextVisible(HWND list, ShownAt shownAt);
    // Drops the queue and forgets what was taken (a new search, a new mode).
    void clear();
    bool empty() const { return pending_.empty() && rebuilds_.empty(); }

  private:
    struct Pending {
        int index;
        const AlbumRecord* album;
    };
    static bool visible(HWND list, int index);

    std::vector<Pending> pending_;   // by index
    std::vector<Pending> rebuilds_;  // in the order asked
    std::unordered_set<const AlbumRecord*> taken_;
};

template <typename ShownAt>
std::optional<CoverFillQueue::Next> CoverFillQueue::takeNextVisible(HWND list, ShownAt shownAt) {
    while (!rebuilds_.empty()) {
        const Pending item = rebuilds_.front();
        rebuilds_.erase(rebuilds_.begin());
        if (shownAt(item.index) != item.album) continue;
        taken_.insert(item.album);
        return Next{item.index, true};
    }
    // In index order, so only the albums up to the one taken are looked at:
    // finding an item's place can cost the list a label measure.
    while (!pending_.empty()) {
        const Pending item = pending_.front();
        pending_.erase(pending_.begin());
        if (shownAt(item.index) != item.album || !visible(list, item.index)) continue;
        taken_.insert(item.album);
        return Next{item.index, false};
    }
    return std::nullopt;
}
