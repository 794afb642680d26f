#include "catalogue/view_catalogue.h"

#include <algorithm>

#include "catalogue/genre_pieces.h"

ViewCatalogue::ViewCatalogue(int edge, CoverImageListFactory factory)
    : AlbumCatalogue(edge, factory) {}

void ViewCatalogue::startRefill(const LibraryCatalogue& library) {
    library.songRanks();
    library_ = &library;
    libraryVersion_ = library.version();
    clearAlbums();
    albumKeys_.clear();
    setSongs_.clear();
    discsMixed_ = false;
    // Room for every song once: a view is refilled again and again, and
    // grown arrays would hold up to twice that.
    songs_.reserve(library.songs_.size());
    albumOf_.assign(library.albumsBySerial_.size(), -1);
    genreListed_.assign(static_cast<std::size_t>(library.genreSerialCount()), 0);
}

void ViewCatalogue::refillWith(int libraryIndex) {
    const LibraryCatalogue& library = *library_;
    const LibraryCatalogue::SongRanks& ranks = library.songRanks_;
    SongRecord* song = library.songs_[libraryIndex];
    // Songs come in ascending order; a new album reads its first song's
    // record, so the records a little ahead are fetched early.
    if (static_cast<std::size_t>(libraryIndex) + 8 < library.songs_.size()) {
        __builtin_prefetch(library.songs_[libraryIndex + 8]);
    }
    const LibraryCatalogue::SongLink link = library.songLinks_[libraryIndex];
    char& listed = genreListed_[link.genreSerial];
    if (!listed) {
        listed = 1;
        genres_.addSongGenre(song->genre);
    }
    // Albums and genres correspond to the library's, so the groups are found
    // by serial number instead of by folder text.
    int32_t& album = albumOf_[link.albumSerial];
    if (album < 0) {
        album = static_cast<int32_t>(albumsBySerial_.size());
        // The folder is the library album's, which outlives this view. Room
        // for every song of the library's album, so that it never grows.
        const AlbumRecord& source = *library.albumsBySerial_[link.albumSerial];
        AlbumRecord& made =
            newAlbum(*song, library.albumFolders_[link.albumSerial], source.songs.size());
        made.discSet = source.discSet;
        albumKeys_.push_back({ranks.album[libraryIndex], ranks.artist[libraryIndex],
                              ranks.artistId[libraryIndex], link.genreSerial, link.genreSerial,
                              link.disc, made.artist == kVariousArtists, false});
        if (made.discSet) setSongs_.push_back({album, link.disc, libraryIndex});
    } else {
        joinRefilledAlbum(album, libraryIndex, link);
    }
    songs_.push_back(song);
    totalLength_ += link.length;
}

void ViewCatalogue::finishRefill() {
    if (!discsMixed_) return;
    const LibraryCatalogue::SongRanks& ranks = library_->songRanks_;
    // Met in library order: sorted by album and disc, each disc's songs keep it.
    std::stable_sort(setSongs_.begin(), setSongs_.end(), [](const SetSong& a, const SetSong& b) {
        return a.album != b.album ? a.album < b.album : a.disc < b.disc;
    });
    for (std::size_t begin = 0; begin < setSongs_.size();) {
        const int32_t album = setSongs_[begin].album;
        std::size_t end = begin;
        while (end < setSongs_.size() && setSongs_[end].album == album) ++end;
        AlbumKeys& keys = albumKeys_[static_cast<std::size_t>(album)];
        if (keys.discsMixed) {
            AlbumRecord& record = *albumsBySerial_[static_cast<std::size_t>(album)];
            record.songs.clear();
            for (std::size_t i = begin; i < end; ++i) {
                record.songs.push_back(library_->songs_[setSongs_[i].libraryIndex]);
            }
            retextFromSongs(record);
            keys.title = ranks.album[setSongs_[begin].libraryIndex];
            keys.discsMixed = false;
        }
        begin = end;
    }
    discsMixed_ = false;
}

bool ViewCatalogue::isFullViewOf(const LibraryCatalogue& library, std::string_view genre,
                                 int column, bool descending) const {
    if (libraryVersion_ != library.version() || songs_.size() != library.songs_.size() ||
        !showsGenreSortedBy(genre, column, descending)) {
        return false;
    }
    for (const AlbumRecord* album : albumsBySerial_) {
        if (album->songsResorted) return false;
    }
    return true;
}

// LibraryCatalogue::joinAlbum with numbers standing for the texts: equal
// artist ids are equal artist texts, and a genre already found in the list
// stays in it.
void ViewCatalogue::joinRefilledAlbum(int32_t album, int libraryIndex,
                                      const LibraryCatalogue::SongLink& link) {
    const LibraryCatalogue::SongRanks& ranks = library_->songRanks_;
    AlbumRecord& record = *albumsBySerial_[album];
    AlbumKeys& keys = albumKeys_[album];
    if (record.discSet) {
        setSongs_.push_back({album, link.disc, libraryIndex});
        if (link.disc < keys.lastDisc) keys.discsMixed = discsMixed_ = true;
        keys.lastDisc = link.disc;
    }
    if (!keys.various && keys.firstArtistId != ranks.artistId[libraryIndex]) {
        record.artist = kVariousArtists;
        keys.artist = ranks.variousArtists;
        keys.various = true;
    }
    record.length += link.length;
    record.songs.push_back(library_->songs_[libraryIndex]);
    if (link.genreSerial == keys.firstGenre || link.genreSerial == keys.lastGenre) return;
    // Only now is the song's record read: mostly it is not needed.
    const std::string_view genre = record.songs.back()->genre;
    if (!listHoldsGenre(record.genres, genre)) addGenre(record, genre);
    keys.lastGenre = link.genreSerial;
}

void ViewCatalogue::rankShownAlbums(std::vector<uint32_t>& titles,
                                    std::vector<uint32_t>* artists) const {
    const std::vector<AlbumRecord*>& shown = shownAlbums();
    titles.resize(shown.size());
    if (artists) artists->resize(shown.size());
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const AlbumKeys& keys = albumKeys_[static_cast<std::size_t>(shown[i]->serial)];
        titles[i] = keys.title;
        if (artists) (*artists)[i] = keys.artist;
    }
}
