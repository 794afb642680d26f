// Albums known to have no cover, so that drawing one again costs one
// attribute query per folder that was searched for it: no file opened, no
// folder listed, no tag read. The memory holds while those folders keep
// their last-write times (a cover copied in changes its folder's) and the
// cover settings stay the same.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

// The cover settings a search ran under.
struct CoverRuleKey {
    int mode = 0;
    std::string imageName;
    bool songPictures = false;
    // The Contents view reads the cache only beside the album: its answer
    // may differ from the thumbnail's.
    bool contents = false;
    bool operator==(const CoverRuleKey& other) const {
        return mode == other.mode && songPictures == other.songPictures &&
               contents == other.contents && imageName == other.imageName;
    }
};

class MissingCovers {
  public:
    // Whether the album of this folder had no cover under these settings
    // and none of the watched paths changed since.
    bool known(const std::string& folder, const CoverRuleKey& rule) const;
    // Remembers the album as having no cover; the paths' times are taken
    // now, each path once. A path that does not exist is watched for coming
    // into being.
    void remember(const std::string& folder, const CoverRuleKey& rule,
                  const std::vector<std::string>& watched);
    void forget(const std::string& folder) { albums_.erase(folder); }
    void clear() { albums_.clear(); }

  private:
    struct Watched {
        std::string path;
        uint64_t time;  // 0: did not exist
    };
    struct Entry {
        CoverRuleKey rule;
        std::vector<Watched> watched;
    };
    std::unordered_map<std::string, Entry> albums_;
};
