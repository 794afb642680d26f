// Where an album's thumbnail cache lives and how it is written: the file
// beside the album, or the per-user one (user_cover_cache.h) when the
// album's folder could not take it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "covers/file_names.h"
#include "covers/file_stamp.h"

#include "covers/user_cover_cache.h"

// The cache beside the album holds only 100-pixel thumbnails; those of
// other edges live in the per-user cache alone, so music folders gain no
// file for them.
struct CacheFile {
    int edge = kBesideCacheEdge;
    bool hasBesidePath = false;
    char besidePath[kCoverPathSize];
    std::string path;  // the cache file in use; "" when there is none
    uint64_t time = 0;
};

// The album folder's cache paths for thumbnails of that edge, and the cache
// file in use with its time.
void locateCache(const char* folder, int edge, UserCoverCache& userCache, CacheFile& cache);

// Writes the BMP file's bytes beside the album when the cache has a path
// there and the folder takes the file, else to the per-user cache; false
// when neither could be written.
bool saveCache(const char* folder, const CacheFile& cache, UserCoverCache& userCache,
               const std::vector<uint8_t>& bmp);

// Thumbnails one worker made whose cache files wait until no visible cover
// does: each write is a file created, filled and renamed, and the page on
// screen comes first. A write whose source changed meanwhile is skipped,
// since that cache would claim to be newer than the source, and so is one
// whose cache another job wrote meanwhile.
class LaterCacheWrites {
  public:
    void add(const char* folder, const CacheFile& cache, std::vector<uint8_t> bmp,
             const char* source, const FileStamp& sourceStamp);
    bool empty() const { return writes_.empty(); }
    void writeAll(UserCoverCache& userCache);

  private:
    struct Write {
        std::string folder;
        CacheFile cache;
        std::vector<uint8_t> bmp;
        std::string source;
        FileStamp sourceStamp;
    };
    std::vector<Write> writes_;
};
