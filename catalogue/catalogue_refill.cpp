// Refilling a catalogue from some songs of another, reusing its memory.
#include "catalogue/album_catalogue.h"
#include "catalogue/genre_pieces.h"

void AlbumCatalogue::startRefill(const AlbumCatalogue& source) {
    refillRanks_ = &source.songRanks();
    refillSource_ = &source;
    refillSourceGeneration_ = source.generation_;
    ownedSongs_.clear();
    songs_.clear();
    songLinks_.clear();
    genres_.clear();
    genreSerialCount_ = 0;
    albums_.clear();
    albumsBySerial_.clear();
    albumFolders_.clear();
    // The genre lists of the last refill's albums.
    albumTexts_.clear();
    albumKeys_.clear();
    shown_.clear();
    shownAreAll_ = false;
    shownGenre_.clear();
    sortedSinceRestriction_ = false;
    totalLength_ = 0;
    shownLength_ = 0;
    searchIndex_.clear();
    lookupIndexesValid_ = false;
    // Room for every song once: a view is refilled again and again, and
    // grown arrays would hold up to twice that.
    songs_.reserve(source.songs_.size());
    songLinks_.reserve(source.songs_.size());
    refillAlbumOf_.assign(source.albumsBySerial_.size(), -1);
    refillGenreOf_.assign(static_cast<std::size_t>(source.genreSerialCount_), -1);
    changed();
    keysGeneration_ = generation_;
}

void AlbumCatalogue::refillWith(int sourceIndex) {
    const AlbumCatalogue& source = *refillSource_;
    SongRecord* song = source.songs_[sourceIndex];
    // Songs come in ascending order; a new album reads its first song's
    // record, so the records a little ahead are fetched early.
    if (static_cast<std::size_t>(sourceIndex) + 8 < source.songs_.size()) {
        __builtin_prefetch(source.songs_[sourceIndex + 8]);
    }
    const SongLink link = source.songLinks_[sourceIndex];
    int32_t& genre = refillGenreOf_[link.genreSerial];
    if (genre < 0) {
        genre = genreSerialCount_++;
        genres_.addSongGenre(song->genre);
    }
    // Albums and genres correspond to the source's, so the groups are found
    // by serial number instead of by folder text.
    int32_t& album = refillAlbumOf_[link.albumSerial];
    if (album < 0) {
        album = static_cast<int32_t>(albumsBySerial_.size());
        // The folder is the source album's, which outlives this catalogue.
        // Room for every song of the source's album, so that it never grows.
        const AlbumRecord& made = newAlbum(*song, source.albumFolders_[link.albumSerial],
                                           source.albumsBySerial_[link.albumSerial]->songs.size());
        albumKeys_.push_back({refillRanks_->album[sourceIndex], refillRanks_->artist[sourceIndex],
                              refillRanks_->artistId[sourceIndex], link.genreSerial,
                              link.genreSerial, made.artist == kVariousArtists});
    } else {
        joinRefilledAlbum(album, sourceIndex, link);
    }
    songs_.push_back(song);
    songLinks_.push_back({album, genre, link.length});
    totalLength_ += link.length;
}

bool AlbumCatalogue::isFullViewOf(const AlbumCatalogue& library, std::string_view genre, int column,
                                  bool descending) const {
    if (refillSource_ != &library || refillSourceGeneration_ != library.generation_ ||
        keysGeneration_ != generation_ || songs_.size() != library.songs_.size()) {
        return false;
    }
    if (!sortedSinceRestriction_ || shownGenre_ != genre || sortColumn_ != column ||
        sortDescending_ != descending) {
        return false;
    }
    for (const AlbumRecord* album : albumsBySerial_) {
        if (album->songsResorted) return false;
    }
    return true;
}

// joinAlbum with numbers standing for the texts: equal artist ids are equal
// artist texts, and a genre already found in the list stays in it.
void AlbumCatalogue::joinRefilledAlbum(int32_t album, int sourceIndex, const SongLink& link) {
    AlbumRecord& record = *albumsBySerial_[album];
    AlbumKeys& keys = albumKeys_[album];
    if (!keys.various && keys.firstArtistId != refillRanks_->artistId[sourceIndex]) {
        record.artist = kVariousArtists;
        keys.artist = refillRanks_->variousArtists;
        keys.various = true;
    }
    record.length += link.length;
    record.songs.push_back(refillSource_->songs_[sourceIndex]);
    if (link.genreSerial == keys.firstGenre || link.genreSerial == keys.lastGenre) return;
    // Only now is the song's record read: mostly it is not needed.
    const std::string_view genre = record.songs.back()->genre;
    if (!listHoldsGenre(record.genres, genre)) addGenre(record, genre);
    keys.lastGenre = link.genreSerial;
}
