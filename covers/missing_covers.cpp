#include "covers/missing_covers.h"

#include "covers/file_stamp.h"

namespace {

uint64_t lastWriteTimeOrZero(const std::string& path) {
    FileStamp stamp;
    return fileStamp(path.c_str(), stamp) ? stamp.time : 0;
}

}  // namespace

bool MissingCovers::known(const std::string& folder, const CoverRuleKey& rule) const {
    const auto found = albums_.find(folder);
    if (found == albums_.end() || !(found->second.rule == rule)) return false;
    for (const Watched& watched : found->second.watched) {
        if (lastWriteTimeOrZero(watched.path) != watched.time) return false;
    }
    return true;
}

void MissingCovers::remember(const std::string& folder, const CoverRuleKey& rule,
                             const std::vector<std::string>& watched) {
    Entry entry{rule, {}};
    entry.watched.reserve(watched.size());
    for (const std::string& path : watched) {
        bool seen = false;
        for (const Watched& earlier : entry.watched) seen = seen || earlier.path == path;
        if (!seen) entry.watched.push_back({path, lastWriteTimeOrZero(path)});
    }
    albums_[folder] = std::move(entry);
}
