// The in-memory model of the library: songs, their distinct genres and the
// albums they form, plus the albums of one genre ("shown albums").
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "catalogue/album_block.h"
#include "catalogue/album_record.h"
#include "catalogue/cover_image_list.h"
#include "catalogue/genre_names.h"
#include "catalogue/search_index.h"
#include "catalogue/serial_table.h"
#include "catalogue/song_record.h"
#include "catalogue/song_store.h"
#include "catalogue/text_arena.h"

class AlbumCatalogue {
  public:
    // The factory may be null (no image list, e.g. in tests).
    AlbumCatalogue(int edge, CoverImageListFactory factory);
    // Frees the arrays and albums first and the cover image list last.
    ~AlbumCatalogue();
    AlbumCatalogue(const AlbumCatalogue&) = delete;
    AlbumCatalogue& operator=(const AlbumCatalogue&) = delete;

    // Files the song under its genre and under the album of its folder.
    // These overloads keep a copy of the song and its texts (the library
    // catalogue); a null song is ignored and gives null.
    SongRecord* addSong(const HostSong& song);
    SongRecord* addSong(std::unique_ptr<StandaloneSong> song);
    // Borrows the song, which must outlive this catalogue (view catalogues).
    SongRecord* addSong(SongRecord* song);
    // Room for this many songs in all, when a load knows how many come: the
    // song arrays then never grow, nor hold up to twice what they need.
    void reserveSongs(std::size_t count);

    // Rebuilds this catalogue from some songs of `source`, reusing its own
    // memory instead of freeing it: startRefill, then refillWith for each
    // chosen song index in ascending order. The result is what addSong of
    // those songs would give a new catalogue; the songs stay the source's,
    // which must outlive this catalogue and stay unchanged while it refills.
    void startRefill(const AlbumCatalogue& source);
    void refillWith(int sourceIndex);

    // Whether this catalogue is a refill with every song of `library` in its
    // current state, restricted to this genre and sorted by this column and
    // direction, and unchanged since: a search for every song may keep it.
    bool isFullViewOf(const AlbumCatalogue& library, std::string_view genre, int column,
                      bool descending) const;

    // Null when the index is outside 0 .. songCount() - 1.
    SongRecord* songAt(int index) const;
    // Drops the song from the song order (not from its album, not freed);
    // an index outside the range changes nothing.
    void removeSongAt(int index);
    // Null when the index is outside 0 .. shownCount() - 1.
    AlbumRecord* shownAlbumAt(int index) const;
    // Albums in order of creation until a sort of the shared shown albums.
    AlbumRecord* albumAt(int index) const;
    // The album of the folder (exact text), or null; a refilled catalogue
    // that was never added to answers null.
    const AlbumRecord* albumWithFolder(std::string_view folder) const;

    // The genres of the songs as restrictToGenre matches them: the distinct
    // pieces of the song genre texts (exact, case-sensitive), and the empty
    // genre for songs without one, in order of first appearance until
    // sortGenres reorders them in place.
    std::vector<std::string>& genreNames() { return genres_.names(); }
    const std::vector<std::string>& genreNames() const { return genres_.names(); }

    // Empty name: every album is shown. "Unknown": the albums with an empty
    // genre list. Otherwise the albums whose genre list, split at ',', tab
    // and line feed and trimmed of spaces, has a piece equal to the name.
    // The shown albums point at this catalogue's own albums; their order is
    // that of the albums until sortShownAlbums.
    void restrictToGenre(std::string_view name);

    // Frees every owned song, last first, and with them the albums, genres,
    // shown albums and indexes that point at them, so that nothing dangles
    // and a reload gives the same orders as a first load.
    void releaseAllSongs();

    // Number of albums that restrictToGenre(name) would show, with the empty
    // name counted as "Unknown". Counts come from one pass over the albums
    // and are reused until the catalogue changes; the shown albums stay.
    int albumCountOfGenre(std::string_view name) const;

    // Sorts the shown albums by compareAlbums, albums that compare equal in
    // order of creation; when they are all albums (no genre restriction) the
    // albums take the same order.
    void sortShownAlbums(int column, bool descending);
    // Sorts genreNames() by compareGenres. By "Albums" (column 1) the shown
    // albums are left restricted to the second genre of the last comparison.
    void sortGenres(int column, bool descending);

    int songCount() const { return static_cast<int>(songs_.size()); }
    int genreCount() const { return static_cast<int>(genres_.names().size()); }
    int albumCount() const { return static_cast<int>(albums_.size()); }
    int shownCount() const { return static_cast<int>(shown_.size()); }
    int64_t totalLength() const { return totalLength_; }
    int64_t shownLength() const { return shownLength_; }
    const std::vector<SongRecord*>& songs() const { return songs_; }
    const std::vector<AlbumRecord*>& shownAlbums() const { return shown_; }

    // Album, artist and title of every song, case folded; made on first use
    // and extended as songs are added.
    const SearchIndex& searchIndex() const;

    int edge() const { return edge_; }
    CoverImageListFactory coverImageListFactory() const { return factory_; }
    CoverImageList* coverImageList() const { return coverImageList_.get(); }

  private:
    struct SongLink {
        int32_t albumSerial;  // creation number of the song's album
        int32_t genreSerial;  // first-appearance number of the song's genre
        // The song's length, so that a refill reads no song record: over
        // 200,000 songs those reads are cache misses.
        int32_t length;
    };
    // Ranks (title_ranks.h) of every song's album and artist text, made
    // once per change of the catalogue for the views refilled from it.
    struct SongRanks {
        uint64_t generation = ~uint64_t{0};
        std::vector<uint32_t> album;     // parallel to songs_
        std::vector<uint32_t> artist;    // parallel to songs_
        std::vector<uint32_t> artistId;  // equal exactly where the texts are
        uint32_t variousArtists = 0;
    };
    // What a refill knows of each album, by serial; the ranks are valid
    // while keysGeneration_ == generation_.
    struct AlbumKeys {
        uint32_t title;          // rank of the title among the source's
        uint32_t artist;         // rank of the artist among the source's
        uint32_t firstArtistId;  // the first song's artist text (SongRanks)
        int32_t firstGenre;      // source genre serials of the first song
        int32_t lastGenre;       // and of the last one found in the list
        bool various;
    };
    // Sort key of one shown album: the column's whole tie chain.
    struct SortKey {
        uint64_t first, second, third;
        AlbumRecord* album;
    };

    SongRecord* file(SongRecord* song);
    int32_t genreSerialOf(std::string_view genre);
    void joinAlbum(AlbumRecord& album, SongRecord& song);
    void addGenre(AlbumRecord& album, std::string_view genre);
    void joinRefilledAlbum(int32_t album, int sourceIndex, const SongLink& link);
    // The folder must stay at its address while the album lives; the genre
    // list starts as the song's genre. `songRoom`: the songs the album will
    // likely hold.
    AlbumRecord& newAlbum(SongRecord& song, SongText folder, std::size_t songRoom = 8);
    void ensureLookupIndexes();
    void refreshGenreCounts() const;
    const SongRanks& songRanks() const;
    auto folderOfSerial() const {
        return [this](int32_t serial) { return albumFolders_[static_cast<std::size_t>(serial)]; };
    }
    void makeSortKeys(int column, bool descending);
    void changed();

    // Declared first so that it is destroyed last, after every array.
    std::unique_ptr<CoverImageList> coverImageList_;
    int edge_;
    CoverImageListFactory factory_;
    // Owned songs (library catalogue), freed after the arrays pointing at them.
    SongStore ownedSongs_;

    std::vector<SongRecord*> songs_;
    std::vector<SongLink, ReservedAllocator<SongLink>> songLinks_;  // parallel to songs_
    GenreNames genres_;
    // Distinct song genre texts so far: the next genre serial.
    int32_t genreSerialCount_ = 0;
    // Album records are kept for reuse, in blocks so that albums made one
    // after the other lie side by side: the first albumCount() records are
    // in use, in order of creation.
    std::vector<AlbumBlock> albumBlocks_;
    // The albums' folders by serial, side by side for refills to read.
    std::vector<SongText> albumFolders_;
    // Folders copied from song files and genre lists of several genres.
    TextArena albumTexts_;
    std::vector<AlbumRecord*> albums_;  // in display order
    std::vector<AlbumRecord*> albumsBySerial_;
    std::vector<AlbumRecord*> shown_;
    bool shownAreAll_ = false;
    int64_t totalLength_ = 0;
    int64_t shownLength_ = 0;

    // Lookups beside the ordered arrays. A refilled catalogue fills them only
    // when a song is later added to it.
    bool lookupIndexesValid_ = true;
    SerialTable albumSerialByFolder_;  // texts in albumFolders_
    // Views into the songs' genre texts, which outlive the catalogue's use.
    std::unordered_map<std::string_view, int32_t> genreSerialByName_;

    uint64_t generation_ = 0;
    mutable uint64_t countsGeneration_ = ~uint64_t{0};
    mutable std::unordered_map<std::string, int> piecesAlbumCount_;
    mutable int emptyGenreListAlbums_ = 0;

    mutable SearchIndex searchIndex_;
    mutable SongRanks songRanks_;

    // The refill in progress or last made, and what it showed since.
    const AlbumCatalogue* refillSource_ = nullptr;
    const SongRanks* refillRanks_ = nullptr;
    std::vector<int32_t> refillAlbumOf_;  // source album serial -> own serial
    std::vector<int32_t> refillGenreOf_;  // source genre serial -> own serial
    uint64_t refillSourceGeneration_ = 0;
    uint64_t keysGeneration_ = ~uint64_t{0};
    std::vector<AlbumKeys> albumKeys_;
    std::string shownGenre_;
    int sortColumn_ = -1;
    bool sortDescending_ = false;
    bool sortedSinceRestriction_ = false;
    std::vector<SortKey> sortKeys_;
    std::vector<uint32_t> rankScratch_;
};
