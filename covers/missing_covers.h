// Albums known to have no cover, so that asking for one again costs one
// attribute query per folder that was searched for it: no file opened, no
// folder listed, no tag read. The memory holds while those folders keep
// their last-write times (a cover copied in changes its folder's) and the
// cover rule stays the same. Shared by the cover workers.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "covers/cover_job.h"

class MissingCovers {
  public:
    // Whether the album of this folder had no cover for this picture under
    // this rule and none of the watched paths changed since.
    bool known(const std::string& folder, const CoverRule& rule, CoverPicture picture) const;
    // Remembers the album as having no cover; the paths' times are taken
    // now, each path once. A path that does not exist is watched for coming
    // into being.
    void remember(const std::string& folder, const CoverRule& rule, CoverPicture picture,
                  const std::vector<std::string>& watched);
    void forget(const std::string& folder);
    void clear();

  private:
    struct Watched {
        std::string path;
        uint64_t time;  // 0: did not exist
    };
    struct Entry {
        CoverRule rule;
        CoverPicture picture;
        std::vector<Watched> watched;
    };
    mutable std::mutex mutex_;
    std::unordered_map<std::string, Entry> albums_;
};
