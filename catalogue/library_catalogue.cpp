#include "catalogue/library_catalogue.h"

#include <exception>

#include "catalogue/disc_names.h"
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
    const SongLink previous = songLinks_.empty() ? SongLink{-1, -1, 0, 0} : songLinks_.back();
    const bool sameGenre = previous.genreSerial >= 0 && songs_.back()->genre == song->genre;
    const int32_t genreSerial = sameGenre ? previous.genreSerial : genreSerialOf(song->genre);
    songs_.push_back(song);
    const std::string_view folder = folderOfFile(song->fileName);
    int32_t albumSerial;
    int32_t disc = 0;
    if (lastAlbum_ >= 0 && lastFolder_ == folder) {
        albumSerial = lastAlbum_;
        disc = lastDisc_;
        joinAlbum(*albumsBySerial_[albumSerial], *song, disc);
    } else {
        albumSerial = fileByFolder(*song, folder, disc);
    }
    lastFolder_ = folder;
    lastAlbum_ = albumSerial;
    lastDisc_ = disc;
    songLinks_.push_back({albumSerial, genreSerial, song->length, disc});
    totalLength_ += song->length;
    changed();
    return song;
}

int32_t LibraryCatalogue::fileByFolder(SongRecord& song, std::string_view folder, int32_t& disc) {
    const int32_t number = joinDiscFolders_ ? discNumber(lastFolderName(folder)) : -1;
    const std::string_view parent = parentFolder(folder);
    if (number >= 0 && !parent.empty()) {
        const int32_t found = albumSerialByFolder_.find(parent, folderOfSerial());
        if (found < 0 || albumsBySerial_[found]->discSet) {
            disc = number;
            if (found < 0) return newAlbumFor(song, parent, true);
            joinAlbum(*albumsBySerial_[found], song, disc);
            return found;
        }
        // The parent holds songs of its own: the disc stays an album.
    }
    return fileUnder(song, folder);
}

int32_t LibraryCatalogue::fileUnder(SongRecord& song, std::string_view folder) {
    int32_t found = albumSerialByFolder_.find(folder, folderOfSerial());
    if (found >= 0 && albumsBySerial_[found]->discSet) {
        splitSet(found);
        found = -1;
    }
    if (found < 0) return newAlbumFor(song, folder, false);
    joinAlbum(*albumsBySerial_[found], song, 0);
    return found;
}

int32_t LibraryCatalogue::newAlbumFor(SongRecord& song, std::string_view key, bool discSet) {
    const auto serial = static_cast<int32_t>(albumsBySerial_.size());
    const SongText copied = albumTexts_.copy(key);
    albumFolders_.push_back(copied);
    AlbumRecord& album = newAlbum(song, copied, 8);
    album.discSet = discSet;
    albumSerialByFolder_.insert(album.folder, serial);
    return serial;
}

int32_t LibraryCatalogue::genreSerialOf(std::string_view genre) {
    const auto found = genreSerialByName_.find(genre);
    if (found != genreSerialByName_.end()) return found->second;
    const int32_t serial = genreSerialCount();
    genres_.addSongGenre(genre);
    genreSerialByName_.emplace(genre, serial);
    return serial;
}

void LibraryCatalogue::joinAlbum(AlbumRecord& album, SongRecord& song, int32_t disc) {
    if (album.artist != song.artist && album.artist != kVariousArtists) {
        album.artist = kVariousArtists;
    }
    album.length += song.length;
    // A set keeps its songs disc by disc: a song of an earlier disc than the
    // last goes after that disc's songs, and may change the album's texts.
    if (album.discSet && disc < discOfFile(album.songs.back()->fileName)) {
        auto at = album.songs.begin();
        while (discOfFile((*at)->fileName) <= disc) ++at;
        album.songs.insert(at, &song);
        retextFromSongs(album);
        return;
    }
    album.songs.push_back(&song);
    if (!listHoldsGenre(album.genres, song.genre)) addGenre(album, song.genre);
}

void LibraryCatalogue::splitSet(int32_t serial) {
    AlbumRecord& set = *albumsBySerial_[serial];
    // Disc by disc, each disc's songs in order of adding; songs dropped
    // from the song order are among them.
    const std::vector<SongRecord*> songs = std::move(set.songs);
    // The set's record becomes the album of its first disc; the parent's
    // entry in the table no longer matches its text.
    SongRecord& first = *songs.front();
    const std::string_view firstFolder = folderOfFile(first.fileName);
    const SongText copied = albumTexts_.copy(firstFolder);
    albumFolders_[static_cast<std::size_t>(serial)] = copied;
    set.artist = first.artist;
    set.length = first.length;
    set.folder.borrow(copied);
    set.songs.assign(1, &first);
    set.discSet = false;
    set.songsResorted = false;
    retextFromSongs(set);
    albumSerialByFolder_.insert(set.folder, serial);
    for (std::size_t k = 1; k < songs.size(); ++k) {
        const std::string_view folder = folderOfFile(songs[k]->fileName);
        if (folder == firstFolder) {
            joinAlbum(set, *songs[k], 0);
        } else {
            fileUnder(*songs[k], folder);
        }
    }
    for (std::size_t i = 0; i < songLinks_.size(); ++i) {
        SongLink& link = songLinks_[i];
        if (link.albumSerial != serial) continue;
        link.albumSerial =
            albumSerialByFolder_.find(folderOfFile(songs_[i]->fileName), folderOfSerial());
        link.disc = 0;
    }
    lastAlbum_ = -1;
}

const AlbumRecord* LibraryCatalogue::albumWithFolder(std::string_view folder) const {
    const int32_t serial = albumSerialByFolder_.find(folder, folderOfSerial());
    return serial >= 0 ? albumsBySerial_[static_cast<std::size_t>(serial)] : nullptr;
}

void LibraryCatalogue::removeSongAt(int index) {
    if (index < 0 || index >= songCount()) return;
    lastAlbum_ = -1;
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
    lastAlbum_ = -1;
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
