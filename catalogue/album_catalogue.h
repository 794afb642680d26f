// What the library and the album view have in common: songs grouped into the
// albums of their folders, the distinct genres, the albums of one genre
// ("shown albums"), their sorts and the genre counts. The library
// (library_catalogue.h) files songs one by one; a view (view_catalogue.h) is
// refilled from a library.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "catalogue/album_block.h"
#include "catalogue/album_record.h"
#include "catalogue/cover_image_list.h"
#include "catalogue/genre_names.h"
#include "catalogue/song_record.h"
#include "catalogue/text_arena.h"

class AlbumCatalogue {
  public:
    // Frees the arrays and albums first and the cover image list last.
    virtual ~AlbumCatalogue();
    AlbumCatalogue(const AlbumCatalogue&) = delete;
    AlbumCatalogue& operator=(const AlbumCatalogue&) = delete;

    // Null when the index is outside 0 .. songCount() - 1.
    SongRecord* songAt(int index) const;
    // Null when the index is outside 0 .. shownCount() - 1.
    AlbumRecord* shownAlbumAt(int index) const;
    // Albums in order of creation until a sort of the shared shown albums.
    AlbumRecord* albumAt(int index) const;

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

    // Number of albums that restrictToGenre(name) would show, with the empty
    // name counted as "Unknown". Counts come from one pass over the albums
    // and are reused until the albums change; the shown albums stay.
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

    // Changes whenever the songs or albums do (not with a restriction or a
    // sort); what is made from them keeps the version it was made from.
    // Versions are unique across catalogues, so a view never mistakes a new
    // library at the address of a freed one for the library it was made from.
    uint64_t version() const { return version_; }

    int edge() const { return edge_; }
    CoverImageListFactory coverImageListFactory() const { return factory_; }
    CoverImageList* coverImageList() const { return coverImageList_.get(); }

  protected:
    // The factory may be null (no image list, e.g. in tests).
    AlbumCatalogue(int edge, CoverImageListFactory factory);

    // A new album of the song, which the caller adds to songs_. The folder
    // must stay at its address while the album lives; the genre list starts
    // as the song's genre. `songRoom`: the songs the album will likely hold.
    AlbumRecord& newAlbum(SongRecord& song, SongText folder, std::size_t songRoom);
    void addGenre(AlbumRecord& album, std::string_view genre);
    // Title, year and genre list made again from the songs in their order,
    // after a song of a disc set went before others.
    void retextFromSongs(AlbumRecord& album);
    // Empties the songs, genres, albums and shown albums; the album records
    // stay for reuse.
    void clearAlbums();
    void changed();
    // Whether the shown albums are the genre's, sorted by this column and
    // direction since that restriction.
    bool showsGenreSortedBy(std::string_view genre, int column, bool descending) const;

    // Ranks (title_ranks.h) of the titles and, unless null, the artists of
    // the shown albums, by position. By default made from their texts.
    virtual void rankShownAlbums(std::vector<uint32_t>& titles,
                                 std::vector<uint32_t>* artists) const;

    // Declared first so that it is destroyed last, after every array.
    std::unique_ptr<CoverImageList> coverImageList_;
    int edge_;
    CoverImageListFactory factory_;

    std::vector<SongRecord*> songs_;
    GenreNames genres_;
    // Album records are kept for reuse, in blocks so that albums made one
    // after the other lie side by side: the first albumCount() records are
    // in use, in order of creation.
    std::vector<AlbumBlock> albumBlocks_;
    // Genre lists of several genres, and the library's folders.
    TextArena albumTexts_;
    std::vector<AlbumRecord*> albums_;  // in display order
    std::vector<AlbumRecord*> albumsBySerial_;
    int64_t totalLength_ = 0;

  private:
    // Sort key of one shown album: the column's whole tie chain.
    struct SortKey {
        uint64_t first, second, third;
        AlbumRecord* album;
    };
    struct ShownOrder {
        int column;
        bool descending;
    };
    // Album counts by genre piece, made from the albums of one version.
    struct GenreCounts {
        uint64_t version = ~uint64_t{0};
        std::unordered_map<std::string, int> byPiece;
        int emptyLists = 0;
    };

    // The empty restriction shares the albums' order until an album is added.
    bool shownAreAllAlbums() const {
        return shownGenre_.empty() && shown_.size() == albums_.size();
    }
    const GenreCounts& genreCounts() const;
    void makeSortKeys(int column, bool descending);

    std::vector<AlbumRecord*> shown_;
    int64_t shownLength_ = 0;
    // The genre of the last restriction and the sort made since, if any.
    std::string shownGenre_;
    std::optional<ShownOrder> shownOrder_;

    uint64_t version_ = 0;
    mutable GenreCounts genreCounts_;
    std::vector<SortKey> sortKeys_;
    std::vector<uint32_t> rankScratch_;
};
