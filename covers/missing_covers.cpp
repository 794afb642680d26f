#include "covers/missing_covers.h"

#include "covers/file_stamp.h"

namespace {

uint64_t lastWriteTimeOrZero(const std::string& path) {
    FileStamp stamp;
    return fileStamp(path.c_str(), stamp) ? stamp.time : 0;
}

}  // namespace

bool MissingCovers::known(const std::string& folder, const CoverRule& rule,
                          CoverPicture picture) const {
    std::vector<Watched> watched;
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        const auto found = albums_.find(folder);
        if (found == albums_.end() || found->second.rule != rule ||
            found->second.picture != picture)
            return false;
        watched = found->second.watched;
    }
    // The file system is asked outside the lock: another worker need not
    // wait for a slow disk.
    for (const Watched& path : watched) {
        if (lastWriteTimeOrZero(path.path) != path.time) return false;
    }
    return true;
}

void MissingCovers::remember(const std::string& folder, const CoverRule& rule, CoverPicture picture,
                             const std::vector<std::string>& watched) {
    Entry entry{rule, picture, {}};
    entry.watched.reserve(watched.size());
    for (const std::string& path : watched) {
        bool seen = false;
        for (const Watched& earlier : entry.watched) seen = seen || earlier.path == path;
        if (!seen) entry.watched.push_back({path, lastWriteTimeOrZero(path)});
    }
    const std::lock_guard<std::mutex> lock(mutex_);
    albums_[folder] = std::move(entry);
}

void MissingCovers::forget(const std::string& folder) {
    const std::lock_guard<std::mutex> lock(mutex_);
    albums_.erase(folder);
}

void MissingCovers::clear() {
    const std::lock_guard<std::mutex> lock(mutex_);
    albums_.clear();
}
