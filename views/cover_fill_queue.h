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
    // shown there and visible in the list; the others before it and the
    // invisible ones are dropped.
    template <typename ShownAt>
    std::optional<Next> takeNextVisible(HWND list, ShownAt shownAt);
    // Drops the queue and forgets what was taken (a new search, a new mode).
    void clear();
    bool empty() const { return pending_.empty(); }

  private:
    struct Pending {
        int index;
        const AlbumRecord* album;
        bool rebuild;
    };
    static bool visible(HWND list, int index);
    Pending* find(const AlbumRecord* album);

    std::vector<Pending> pending_;
    std::unordered_set<const AlbumRecord*> taken_;
};

template <typename ShownAt>
std::optional<CoverFillQueue::Next> CoverFillQueue::takeNextVisible(HWND list, ShownAt shownAt) {
    std::optional<Next> next;
    std::vector<Pending> kept;
    for (const Pending& item : pending_) {
        if (shownAt(item.index) != item.album) continue;
        if (!item.rebuild && !visible(list, item.index)) continue;
        if (!next || (!next->rebuild && (item.rebuild || item.index < next->index)))
            next = Next{item.index, item.rebuild};
        kept.push_back(item);
    }
    pending_.clear();
    for (const Pending& item : kept) {
        if (item.index == next->index)
            taken_.insert(item.album);
        else
            pending_.push_back(item);
    }
    return next;
}
