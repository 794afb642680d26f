// Thumbnails of albums whose own folder cannot take the cache file (a
// read-only share, a write-protected folder): kept per user below the local
// application data folder, one BMP per album folder, named by a hash of the
// folder's path, at most kMaxUserCoverCacheFiles of them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

constexpr std::size_t kMaxUserCoverCacheFiles = 10000;

// FNV-1a (64 bits) of the path with ASCII letters lowered: the same in
// every build, so both builds share the files.
uint64_t coverCacheKey(std::string_view folder);

// The per-user cache file of an album folder; "" when there is no cache
// folder. Creates nothing.
std::string userCoverCachePath(std::string_view folder);

// Makes the cache folder, if needed, before a file is written there.
bool prepareUserCoverCache();

// After a file was written: removes the oldest files (by last-write time)
// beyond the limit. Counts the files once per run, then keeps count.
void trimUserCoverCache(bool fileWasNew);

// Tests put the cache folder elsewhere and lower the limit; an empty folder
// returns to the default place.
void setUserCoverCacheForTests(std::string folder, std::size_t maxFiles);
