// An album view: the albums of some songs of a library, refilled from it by
// each search and then restricted to a genre and sorted. Its songs stay the
// library's; its albums, genre lists and shown albums are its own.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "catalogue/album_catalogue.h"
#include "catalogue/library_catalogue.h"

class ViewCatalogue final : public AlbumCatalogue {
  public:
    // The factory may be null (no image list, e.g. in tests).
    ViewCatalogue(int edge, CoverImageListFactory factory);

    // Rebuilds this view from some songs of `library`, reusing its own
    // memory instead of freeing it: startRefill, then refillWith for each
    // chosen song index in ascending order. The result is what filing those
    // songs into a new library would give; the songs stay the library's,
    // which must outlive this view and stay unchanged while it refills.
    void startRefill(const LibraryCatalogue& library);
    void refillWith(int libraryIndex);
    // Ends a refill: the songs of a disc set that came before an earlier
    // disc's are put disc by disc.
    void finishRefill();

    // Whether this view is a refill with every song of `library` in its
    // current version, restricted to this genre and sorted by this column
    // and direction, with no album's songs resorted since: a search for
    // every song may keep it.
    bool isFullViewOf(const LibraryCatalogue& library, std::string_view genre, int column,
                      bool descending) const;

  private:
    // What the refill knows of each album, by serial.
    struct AlbumKeys {
        uint32_t title;          // rank of the title among the library's
        uint32_t artist;         // rank of the artist among the library's
        uint32_t firstArtistId;  // the first song's artist text (SongRanks)
        int32_t firstGenre;      // library genre serials of the first song
        int32_t lastGenre;       // and of the last one found in the list
        int32_t lastDisc;        // of the last song, in a disc set
        bool various;
        bool discsMixed;  // a song came after a later disc's
    };
    // One song of a disc set as the refill met it.
    struct SetSong {
        int32_t album;  // own serial
        int32_t disc;
        int32_t libraryIndex;
    };

    void joinRefilledAlbum(int32_t album, int libraryIndex, const LibraryCatalogue::SongLink& link);
    // The ranks made for the refill, which hold as long as the view: only a
    // refill changes its albums.
    void rankShownAlbums(std::vector<uint32_t>& titles,
                         std::vector<uint32_t>* artists) const override;

    // The library of the refill in progress or last made.
    const LibraryCatalogue* library_ = nullptr;
    // The library's version when refilled: the one thing that tells whether
    // the view still shows the library as it is.
    uint64_t libraryVersion_ = 0;
    std::vector<int32_t> albumOf_;      // library album serial -> own serial, or -1
    std::vector<char> genreListed_;     // by library genre serial
    std::vector<AlbumKeys> albumKeys_;  // by own album serial
    std::vector<SetSong> setSongs_;     // in the order met
    bool discsMixed_ = false;
};
