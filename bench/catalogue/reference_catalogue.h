// The catalogue's load and genre counting exactly as first designed: linear
// scans for folder and genre, fixed 256/512-byte working buffers, and album
// counts by a full genre restriction (with album copies) in every genre
// comparison. Only the benchmark uses it, as the yardstick for the real one.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/song_record.h"

namespace reference {

struct Album {
    std::string artist;
    std::string title;
    std::string displayBuffer;
    int32_t length = 0;
    char genres[512] = {};
    int32_t year = 0;
    std::string folder;
    std::vector<SongRecord*> songs;
};

class Catalogue {
  public:
    void addSong(std::unique_ptr<SongRecord> song);
    void restrictToGenre(const std::string& name);
    void sortGenresByAlbums(bool descending);

    int shownCount() const { return static_cast<int>(shown_.size()); }
    int albumCount() const { return static_cast<int>(albums_.size()); }
    const std::vector<std::string>& genres() const { return genres_; }

  private:
    std::vector<std::unique_ptr<SongRecord>> songs_;
    std::vector<std::string> genres_;
    std::vector<std::unique_ptr<Album>> albums_;
    std::vector<std::unique_ptr<Album>> shown_;  // copies
    int32_t totalLength_ = 0;
};

}  // namespace reference
