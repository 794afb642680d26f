#include "covers/thumbnail_memory.h"

namespace {

// What an entry costs beyond its pixels and key texts: the list and map
// nodes, the strings' and vector's own fields. An estimate, so that many
// "no cover" answers still count against the bound.
constexpr std::size_t kEntryBookkeepingBytes = 96;

}  // namespace

std::size_t ThumbnailMemory::costOf(const CoverKey& key, const RememberedCover& cover) {
    return cover.pixels.bgr.size() + key.folder.size() + key.rule.imageName.size() +
           kEntryBookkeepingBytes;
}

const RememberedCover* ThumbnailMemory::find(const CoverKey& key) {
    const auto found = entries_.find(key);
    if (found == entries_.end()) return nullptr;
    order_.splice(order_.begin(), order_, found->second);
    return &found->second->cover;
}

void ThumbnailMemory::put(const CoverKey& key, RememberedCover cover) {
    if (const auto found = entries_.find(key); found != entries_.end()) {
        bytes_ -= found->second->cost;
        order_.erase(found->second);
        entries_.erase(found);
    }
    const std::size_t cost = costOf(key, cover);
    if (cost > maxBytes_) return;  // it would push out everything else and still not fit
    order_.push_front(Entry{key, std::move(cover), cost});
    entries_.emplace(key, order_.begin());
    bytes_ += cost;
    evict();
}

void ThumbnailMemory::markChecked(const CoverKey& key, uint64_t now) {
    if (const auto found = entries_.find(key); found != entries_.end()) {
        found->second->cover.checkedAt = now;
    }
}

void ThumbnailMemory::clear() {
    entries_.clear();
    order_.clear();
    bytes_ = 0;
}

void ThumbnailMemory::evict() {
    while (bytes_ > maxBytes_ && !order_.empty()) {
        const Entry& last = order_.back();
        entries_.erase(last.key);
        bytes_ -= last.cost;
        order_.pop_back();
    }
}
