#include "covers/thumbnail_cache.h"

#include <windows.h>

#include <utility>

#include "covers/file_stamp.h"
#include "covers/user_cover_cache.h"
#include "win/debug_trace.h"
#include "win/whole_file.h"

namespace {

bool writeCache(const char* path, const std::vector<uint8_t>& bmp) {
    const HRESULT result = coverhall::replaceWholeFile(path, bmp);
    if (FAILED(result)) coverhall::traceFailure("cannot write", path, result);
    return SUCCEEDED(result);
}

}  // namespace

void locateCache(const char* folder, int edge, UserCoverCache& userCache, CacheFile& cache) {
    cache.edge = edge;
    cache.hasBesidePath =
        edge == kBesideCacheEdge && joinPath(folder, kCacheFileName, cache.besidePath);
    FileStamp stamp;
    if (cache.hasBesidePath && fileStamp(cache.besidePath, stamp) && !stamp.directory) {
        cache.path = cache.besidePath;
        cache.time = stamp.time;
        return;
    }
    const std::string user = userCache.pathOf(folder, edge);
    if (!user.empty() && fileStamp(user.c_str(), stamp) && !stamp.directory) {
        cache.path = user;
        cache.time = stamp.time;
    }
}

bool saveCache(const char* folder, const CacheFile& cache, UserCoverCache& userCache,
               const std::vector<uint8_t>& bmp) {
    if (bmp.empty()) return false;
    if (cache.hasBesidePath && writeCache(cache.besidePath, bmp)) return true;
    const std::string user = userCache.pathOf(folder, cache.edge);
    if (user.empty() || !userCache.prepare()) return false;
    const bool fileWasNew = GetFileAttributesA(user.c_str()) == INVALID_FILE_ATTRIBUTES;
    if (!writeCache(user.c_str(), bmp)) return false;
    userCache.trim(fileWasNew);
    return true;
}

void LaterCacheWrites::add(const char* folder, const CacheFile& cache, std::vector<uint8_t> bmp,
                           const char* source, const FileStamp& sourceStamp) {
    writes_.push_back(Write{folder, cache, std::move(bmp), source, sourceStamp});
}

void LaterCacheWrites::writeAll(UserCoverCache& userCache) {
    for (const Write& write : writes_) {
        FileStamp now;
        if (!fileStamp(write.source.c_str(), now) || !(now == write.sourceStamp)) continue;
        // Another job (a rebuild, a check) cached its answer meanwhile.
        CacheFile cache;
        locateCache(write.folder.c_str(), write.cache.edge, userCache, cache);
        if (cache.path != write.cache.path || cache.time != write.cache.time) continue;
        saveCache(write.folder.c_str(), write.cache, userCache, write.bmp);
    }
    writes_.clear();
}
