// Recent answers of the cover engine, so that repaints and scrolling back
// cost no file call: each thumbnail's and Contents picture's pixels, and
// "no cover". Bounded in bytes; the least recently used go first. Used on
// the window thread only. Platform-free.
#pragma once

#include <cstddef>
#include <cstdint>
#include <list>
#include <unordered_map>

#include "covers/cover_job.h"

constexpr std::size_t kThumbnailMemoryBytes = 32u << 20;

struct RememberedCover {
    bool hasCover = false;
    CoverPixels pixels;  // empty without cover
    // When the picture's source was last compared with what is shown, in
    // the caller's clock (milliseconds); 0 for never.
    uint64_t checkedAt = 0;
};

class ThumbnailMemory {
  public:
    explicit ThumbnailMemory(std::size_t maxBytes = kThumbnailMemoryBytes) : maxBytes_(maxBytes) {}

    // The answer for the key, made the most recent; null when none is held.
    // The pointer holds until the next put or clear.
    const RememberedCover* find(const CoverKey& key);
    // Holds the answer, replacing an earlier one for the key, then forgets
    // the least recent ones beyond the bound. An answer larger than the
    // whole bound is not held.
    void put(const CoverKey& key, RememberedCover cover);
    // Notes a check of the key's source at `now`; nothing without an entry.
    void markChecked(const CoverKey& key, uint64_t now);
    void clear();

    std::size_t bytes() const { return bytes_; }
    std::size_t size() const { return entries_.size(); }

    // What one answer costs against the bound: its pixels, its key and a
    // fixed share for the bookkeeping.
    static std::size_t costOf(const CoverKey& key, const RememberedCover& cover);

  private:
    struct Entry {
        CoverKey key;
        RememberedCover cover;
        std::size_t cost;
    };
    using Order = std::list<Entry>;  // most recent first
    void evict();

    std::size_t maxBytes_;
    std::size_t bytes_ = 0;
    Order order_;
    std::unordered_map<CoverKey, Order::iterator, CoverKeyHash> entries_;
};
