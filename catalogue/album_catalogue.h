// The in-memory model of the library: songs, their distinct genres and the
// albums they form, plus the albums of one genre ("shown albums").
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "catalogue/album_record.h"
#include "catalogue/cover_image_list.h"
#include "catalogue/search_index.h"
#include "catalogue/song_record.h"

// The name under which the empty genre is listed, counted and restricted to.
constexpr char kUnknownGenreName[] = "Unknown";

class AlbumCatalogue {
  public:
    // The factory may be null (no image list, e.g. in tests).
    AlbumCatalogue(int edge, CoverImageListFactory factory);
    // Frees the arrays and albums first and the cover image list last.
    ~AlbumCatalogue();
    AlbumCatalogue(const AlbumCatalogue&) = delete;
    AlbumCatalogue& operator=(const AlbumCatalogue&) = delete;

    // Files the song under its genre and under the album of its folder.
    // This overload takes ownership (the library catalogue); a null song is
    // ignored and gives null.
    SongRecord* addSong(std::unique_ptr<SongRecord> song);
    // Borrows the song, which must outlive this catalogue (view catalogues).
    SongRecord* addSong(SongRecord* song);

    // Null when the index is outside 0 .. songCount() - 1.
    SongRecord* songAt(int index) const;
    // Drops the song from the song order (not from its album, not freed);
    // an index outside the range changes nothing.
    void removeSongAt(int index);
    // Null when the index is outside 0 .. shownCount() - 1.
    AlbumRecord* shownAlbumAt(int index) const;
    // Albums in order of creation until a sort of the shared shown albums.
    AlbumRecord* albumAt(int index) const;

    // The distinct genre texts (exact, case-sensitive; the empty one too) in
    // order of first appearance until sortGenres reorders them in place.
    std::vector<std::string>& genreNames() { return genres_; }
    const std::vector<std::string>& genreNames() const { return genres_; }

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

    // Sorts the shown albums by compareAlbums; when they are all albums
    // (no genre restriction) the albums take the same order.
    void sortShownAlbums(int column, bool descending);
    // Sorts genreNames() by compareGenres. By "Albums" (column 1) the shown
    // albums are left restricted to the second genre of the last comparison.
    void sortGenres(int column, bool descending);

    int songCount() const { return static_cast<int>(songs_.size()); }
    int genreCount() const { return static_cast<int>(genres_.size()); }
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
    friend std::unique_ptr<AlbumCatalogue> buildMatchingCatalogue(const AlbumCatalogue&,
                                                                  const std::vector<int>&);

    struct SongLink {
        int32_t albumSerial;  // creation number of the song's album
        int32_t genreSerial;  // first-appearance number of the song's genre
    };

    SongRecord* file(SongRecord* song);
    int32_t genreSerialOf(const std::string& genre);
    void joinAlbum(AlbumRecord& album, SongRecord& song);
    AlbumRecord& newAlbum(SongRecord& song, std::string_view folder);
    void ensureLookupIndexes();
    void refreshGenreCounts() const;
    void changed() { ++generation_; }

    // Declared first so that it is destroyed last, after every array.
    std::unique_ptr<CoverImageList> coverImageList_;
    int edge_;
    CoverImageListFactory factory_;
    // Owned songs (library catalogue), freed after the arrays pointing at them.
    std::vector<std::unique_ptr<SongRecord>> ownedSongs_;

    std::vector<SongRecord*> songs_;
    std::vector<SongLink> songLinks_;  // parallel to songs_
    std::vector<std::string> genres_;
    std::vector<std::unique_ptr<AlbumRecord>> albums_;
    std::vector<AlbumRecord*> albumsBySerial_;
    std::vector<AlbumRecord*> shown_;
    bool shownAreAll_ = false;
    int64_t totalLength_ = 0;
    int64_t shownLength_ = 0;

    // Lookups beside the ordered arrays. A view catalogue built from search
    // results fills them only when a song is later added to it.
    bool lookupIndexesValid_ = true;
    std::unordered_map<std::string_view, int32_t> albumSerialByFolder_;  // views into folder
    std::unordered_map<std::string, int32_t> genreSerialByName_;

    uint64_t generation_ = 0;
    mutable uint64_t countsGeneration_ = ~uint64_t{0};
    mutable std::unordered_map<std::string, int> piecesAlbumCount_;
    mutable int emptyGenreListAlbums_ = 0;

    mutable SearchIndex searchIndex_;
};
