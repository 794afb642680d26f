#include "catalogue/library_catalogue.h"

#include <exception>

#include "catalogue/genre_pieces.h"
#include "catalogue/text_functions.h"

LibraryCatalogue::LibraryCatalogue(int edge, CoverImageListFactory factory)
    : AlbumCatalogue(edge, factory) {}

SongRecord* LibraryCatalogue::addSong(const HostSong& song) {
    return file(ownedSongs_.add(song));
}

SongRecord* LibraryCatalogue::addSong(std::unique_ptr<StandaloneSong> song) {
    return song ? file(ownedSongs_.add(song->record())) : nullptr;
}

SongRecord* LibraryCatalogue::addSong(SongRecord* song) {
    return song ? file(song) : nullptr;
}

void LibraryCatalogue::reserveSongs(std::size_t count) {
    // Only a hint: a count beyond what memory holds reserves nothing.
    try {
        songs_.reserve(count);
        songLinks_.reserve(count);
    } catch (const std::exception&) {
    }
}

SongRecord* LibraryCatalogue::file(SongRecord* song) {
    // Songs of one folder mostly arrive one after the other: the previous
    // song's genre and album are tried before the maps.
    const SongLink previous = songLinks_.empty() ? SongLink{-1, -1, 0} : songLinks_.back();
    const bool sameGenre = previous.genreSerial >= 0 && songs_.back()->genre == song->genre;
    const int32_t genreSerial = sameGenre ? previous.genreSerial : genreSerialOf(song->genre);
    songs_.push_back(song);
    const std::string_view folder = folderOfFile(song->fileName);
    int32_t albumSerial;
    if (previous.albumSerial >= 0 && albumFolders_[previous.albumSerial] == folder) {
        albumSerial = previous.albumSerial;
        joinAlbum(*albumsBySerial_[albumSerial], *song);
    } else if (const int32_t found = albumSerialByFolder_.find(folder, folderOfSerial());
               found >= 0) {
        albumSerial = found;
        joinAlbum(*albumsBySerial_[albumSerial], *song);
    } else {
        albumSerial = static_cast<int32_t>(albumsBySerial_.size());
        const SongText copied = albumTexts_.copy(folder);
        albumFolders_.push_back(copied);
        albumSerialByFolder_.insert(newAlbum(*song, copied, 8).folder, albumSerial);
    }
    songLinks_.push_back({albumSerial, genreSerial, song->length});
    totalLength_ += song->length;
    changed();
    return song;
}

int32_t LibraryCatalogue::genreSerialOf(std::string_view genre) {
    const auto found = genreSerialByName_.find(genre);
    if (found != genreSerialByName_.end()) return found->second;
    const int32_t serial = genreSerialCount();
    genres_.addSongGenre(genre);
    genreSerialByName_.emplace(genre, serial);
    return serial;
}

void LibraryCatalogue::joinAlbum(AlbumRecord& album, SongRecord& song) {
    if (album.artist != song.artist && album.artist != kVariousArtists) {
        album.artist = kVariousArtists;
    }
    album.length += song.length;
    album.songs.push_back(&song);
    if (!listHoldsGenre(album.genres, song.genre)) addGenre(album, song.genre);
}

const AlbumRecord* LibraryCatalogue::albumWithFolder(std::string_view folder) const {
    const int32_t serial = albumSerialByFolder_.find(folder, folderOfSerial());
    return serial >= 0 ? albumsBySerial_[static_cast<std::size_t>(serial)] : nullptr;
}

void LibraryCatalogue::removeSongAt(int index) {
    if (index < 0 || index >= songCount()) return;
    songs_.erase(songs_.begin() + index);
    songLinks_.erase(songLinks_.begin() + index);
    searchIndex_.clear();
    changed();
}

void LibraryCatalogue::releaseAllSongs() {
    clearAlbums();
    albumBlocks_.clear();
    albumSerialByFolder_.clear();
    genreSerialByName_.clear();
    albumFolders_.clear();
    songLinks_.clear();
    searchIndex_.clear();
    songRanks_ = SongRanks();
    ownedSongs_.clear();
}

const SearchIndex& LibraryCatalogue::searchIndex() const {
    if (searchIndex_.songCount() > songs_.size()) searchIndex_.clear();
    if (searchIndex_.songCount() == 0) searchIndex_.reserveFor(songs_);
    for (std::size_t i = searchIndex_.songCount(); i < songs_.size(); ++i) {
        searchIndex_.append(*songs_[i]);
    }
    return searchIndex_;
}
