// The catalogue's load, search and genre counting exactly as first designed:
// linear scans for folder and genre, fixed 256/512-byte working buffers, a
// search that tests every song position by position and files each match
// into a fresh catalogue, album copies for every genre restriction, a
// comparison sort of the records, and album counts by a full restriction in
// every genre comparison. The benchmark measures the real catalogue against
// it; tests and the catalogue fuzz target check that both give the same
// results. Lengths add up in 64 bits like the catalogue's, so that long
// songs compare too.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/song_record.h"

class AlbumCatalogue;

namespace reference {

struct Album {
    std::string artist;
    std::string title;
    std::string displayBuffer;
    int64_t length = 0;
    char genres[512] = {};
    int32_t year = 0;
    std::string folder;
    std::vector<SongRecord*> songs;
};

class Catalogue {
  public:
    void addSong(std::unique_ptr<StandaloneSong> song);
    // Borrows the song (search results).
    void addSong(SongRecord* song);
    // Drops the song from the song order, not from its album; an index
    // outside the range changes nothing.
    void removeSongAt(int index);
    void restrictToGenre(const std::string& name);
    // A stable comparison sort of the shown albums with compareAlbums.
    void sortShown(int column, bool descending);
    void sortGenresByAlbums(bool descending);

    // The view of a search: the songs whose album, artist or title holds
    // every word, restricted to the genre and sorted.
    std::unique_ptr<Catalogue> search(const std::string& text, const std::string& genre, int column,
                                      bool descending) const;

    int songCount() const { return static_cast<int>(songs_.size()); }
    int shownCount() const { return static_cast<int>(shown_.size()); }
    int albumCount() const { return static_cast<int>(albums_.size()); }
    int64_t shownLength() const { return shownLength_; }
    const std::vector<std::string>& genres() const { return genres_; }
    const std::vector<SongRecord*>& songs() const { return songs_; }
    const std::vector<std::unique_ptr<Album>>& shown() const { return shown_; }

  private:
    std::vector<std::unique_ptr<StandaloneSong>> owned_;
    std::vector<SongRecord*> songs_;
    std::vector<std::string> genres_;
    std::vector<std::unique_ptr<Album>> albums_;
    std::vector<std::unique_ptr<Album>> shown_;  // copies
    int64_t totalLength_ = 0;
    int64_t shownLength_ = 0;
};

// Empty when the view holds the same songs and shows the same albums, in the
// same order, with the same texts, numbers, songs and totals as the
// reference view; otherwise the first difference.
std::string differenceBetween(const Catalogue& reference, const AlbumCatalogue& view);

}  // namespace reference
