// Thumbnails of albums whose own folder cannot take the cache file (a
// read-only share, a write-protected folder): kept per user below the local
// application data folder, one BMP per album folder, named by a hash of the
// folder's path, at most a bound of them. Shared by the cover workers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>

constexpr std::size_t kMaxUserCoverCacheFiles = 10000;
// The edge of the thumbnails that may also be cached beside the album; the
// per-user files of other edges carry their edge in the name.
constexpr int kBesideCacheEdge = 100;

// FNV-1a (64 bits) of the path with ASCII letters lowered: the same in
// every build, so both builds share the files.
uint64_t coverCacheKey(std::string_view folder);

class UserCoverCache {
  public:
    // The cache in `folder`, or, when empty, below the user's local
    // application data folder.
    explicit UserCoverCache(std::string folder = {},
                            std::size_t maxFiles = kMaxUserCoverCacheFiles);
    UserCoverCache(const UserCoverCache&) = delete;
    UserCoverCache& operator=(const UserCoverCache&) = delete;

    // The cache file of an album folder's thumbnails of that edge; "" when
    // there is no cache folder. Creates nothing. Files of every edge count
    // against the one bound.
    std::string pathOf(std::string_view albumFolder, int edge = kBesideCacheEdge);

    // Makes the cache folder, if needed, before a file is written there.
    bool prepare();

    // After a file was written: removes the oldest files (by last-write
    // time) beyond the bound. Counts the files once, then keeps count.
    void trim(bool fileWasNew);

  private:
    const std::string& folderLocked();

    std::mutex mutex_;
    std::string folder_;  // empty: not known yet
    bool folderGiven_;
    std::size_t maxFiles_;
    long long files_ = -1;  // -1: not counted yet
};
