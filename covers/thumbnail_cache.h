// Where an album's thumbnail cache lives and how it is written: the file
// beside the album, or the per-user one (user_cover_cache.h) when the
// album's folder could not take it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "covers/file_names.h"

class UserCoverCache;

struct CacheFile {
    bool hasBesidePath = false;
    char besidePath[kCoverPathSize];
    std::string path;  // the cache file in use; "" when there is none
    uint64_t time = 0;
};

// The album folder's cache paths, and the cache file in use with its time.
void locateCache(const char* folder, UserCoverCache& userCache, CacheFile& cache);

// Writes the BMP file's bytes beside the album when its folder takes the
// file, else to the per-user cache; false when neither could be written.
bool saveCache(const char* folder, const CacheFile& cache, UserCoverCache& userCache,
               const std::vector<uint8_t>& bmp);
