#include "catalogue/album_catalogue.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <exception>

#include "catalogue/genre_pieces.h"
#include "catalogue/text_functions.h"

namespace {

// Generations are unique across catalogues, so a view never mistakes a new
// library at the address of a freed one for the library it was made from.
std::atomic<uint64_t> g_lastGeneration{0};

bool albumHasGenre(const AlbumRecord& album, std::string_view name) {
    if (name == kUnknownGenre) return album.genres.empty();
    return forEachGenrePiece(album.genres,
                             [name](std::string_view piece) { return piece == name; });
}

}  // namespace

AlbumCatalogue::AlbumCatalogue(int edge, CoverImageListFactory factory)
    : coverImageList_(factory ? factory(edge) : nullptr), edge_(edge), factory_(factory) {
    changed();
}

AlbumCatalogue::~AlbumCatalogue() = default;

void AlbumCatalogue::changed() {
    generation_ = ++g_lastGeneration;
}

SongRecord* AlbumCatalogue::addSong(const HostSong& song) {
    return file(ownedSongs_.add(song));
}

SongRecord* AlbumCatalogue::addSong(std::unique_ptr<StandaloneSong> song) {
    return song ? file(ownedSongs_.add(song->record())) : nullptr;
}

SongRecord* AlbumCatalogue::addSong(SongRecord* song) {
    return song ? file(song) : nullptr;
}

void AlbumCatalogue::reserveSongs(std::size_t count) {
    // Only a hint: a count beyond what memory holds reserves nothing.
    try {
        songs_.reserve(count);
        songLinks_.reserve(count);
    } catch (const std::exception&) {
    }
}

SongRecord* AlbumCatalogue::file(SongRecord* song) {
    ensureLookupIndexes();
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
        albumSerialByFolder_.insert(newAlbum(*song, albumTexts_.copy(folder)).folder, albumSerial);
    }
    songLinks_.push_back({albumSerial, genreSerial, song->length});
    totalLength_ += song->length;
    changed();
    return song;
}

int32_t AlbumCatalogue::genreSerialOf(std::string_view genre) {
    const auto found = genreSerialByName_.find(genre);
    if (found != genreSerialByName_.end()) return found->second;
    const int32_t serial = genreSerialCount_++;
    genres_.addSongGenre(genre);
    genreSerialByName_.emplace(genre, serial);
    return serial;
}

// The artist, title and genre list are the song's texts.
AlbumRecord& AlbumCatalogue::newAlbum(SongRecord& song, SongText folder, std::size_t songRoom) {
    constexpr std::size_t kBlock = 1024;
    const std::size_t serial = albumsBySerial_.size();
    if (serial == albumBlocks_.size() * kBlock) {
        albumBlocks_.emplace_back(kBlock);
    }
    // A record from an earlier refill keeps the room of its texts and songs.
    AlbumRecord& album = albumBlocks_[serial / kBlock][serial % kBlock];
    album.artist = song.artist;
    album.title = song.album;
    album.displayBuffer.clear();
    album.length = song.length;
    album.genres.borrow(song.genre);
    album.genresRoom = 0;
    album.year = song.year;
    album.folder.borrow(folder);
    album.songs.clear();
    // Room for several songs at once: growing one by one costs an allocation
    // each time, which some C runtimes make slow.
    album.songs.reserve(songRoom);
    album.songs.push_back(&song);
    album.serial = static_cast<int32_t>(serial);
    album.songsResorted = false;
    albums_.push_back(&album);
    albumsBySerial_.push_back(&album);
    albumFolders_.push_back(folder);
    // The shown albums no longer coincide with every album.
    shownAreAll_ = false;
    return album;
}

void AlbumCatalogue::joinAlbum(AlbumRecord& album, SongRecord& song) {
    if (album.artist != song.artist && album.artist != kVariousArtists) {
        album.artist = kVariousArtists;
    }
    album.length += song.length;
    album.songs.push_back(&song);
    if (!listHoldsGenre(album.genres, song.genre)) addGenre(album, song.genre);
}

// Appends ", " and the genre to the album's list. The list is the first
// song's genre until a second genre joins; it then lies in albumTexts_, at
// first with no room to spare (most albums hold one or two genres), then
// with twice the room at each move, so that an album of many genres is
// copied only a few times.
void AlbumCatalogue::addGenre(AlbumRecord& album, std::string_view genre) {
    const std::size_t size = album.genres.size();
    const std::size_t grown = size + 2 + genre.size();
    // A list beyond what a text counts keeps its genres so far.
    if (genre.size() >= UINT32_MAX / 4 || grown >= UINT32_MAX / 2) return;
    char* bytes;
    if (grown < album.genresRoom) {
        // The room was set aside in albumTexts_, which this catalogue writes.
        bytes = const_cast<char*>(album.genres.data());
    } else {
        const std::size_t room =
            album.genresRoom == 0
                ? grown + 1
                : std::max<std::size_t>(grown + 1, 2 * std::size_t{album.genresRoom});
        bytes = albumTexts_.room(room);
        std::memcpy(bytes, album.genres.data(), size);
        album.genresRoom = static_cast<uint32_t>(room);
    }
    bytes[size] = ',';
    bytes[size + 1] = ' ';
    std::memcpy(bytes + size + 2, genre.data(), genre.size());
    bytes[grown] = '\0';
    album.genres.borrow(SongText::terminated(bytes, grown));
}

const AlbumRecord* AlbumCatalogue::albumWithFolder(std::string_view folder) const {
    if (!lookupIndexesValid_) return nullptr;
    const int32_t serial = albumSerialByFolder_.find(folder, folderOfSerial());
    return serial >= 0 ? albumsBySerial_[static_cast<std::size_t>(serial)] : nullptr;
}

void AlbumCatalogue::ensureLookupIndexes() {
    if (lookupIndexesValid_) return;
    albumSerialByFolder_.clear();
    for (std::size_t serial = 0; serial < albumsBySerial_.size(); ++serial) {
        albumSerialByFolder_.insert(albumFolders_[serial], static_cast<int32_t>(serial));
    }
    // Genre serials are first-appearance numbers, which a genre sort no
    // longer shows; the songs' links still hold them.
    genreSerialByName_.clear();
    for (std::size_t i = 0; i < songs_.size(); ++i) {
        genreSerialByName_.emplace(songs_[i]->genre, songLinks_[i].genreSerial);
    }
    lookupIndexesValid_ = true;
}

SongRecord* AlbumCatalogue::songAt(int index) const {
    return index >= 0 && index < songCount() ? songs_[index] : nullptr;
}

void AlbumCatalogue::removeSongAt(int index) {
    if (index < 0 || index >= songCount()) return;
    songs_.erase(songs_.begin() + index);
    songLinks_.erase(songLinks_.begin() + index);
    searchIndex_.clear();
    changed();
}

AlbumRecord* AlbumCatalogue::shownAlbumAt(int index) const {
    return index >= 0 && index < shownCount() ? shown_[index] : nullptr;
}

AlbumRecord* AlbumCatalogue::albumAt(int index) const {
    return index >= 0 && index < albumCount() ? albums_[index] : nullptr;
}

void AlbumCatalogue::restrictToGenre(std::string_view name) {
    shown_.clear();
    shownLength_ = 0;
    shownGenre_.assign(name);
    sortedSinceRestriction_ = false;
    shownAreAll_ = name.empty();
    if (shownAreAll_) {
        shown_.assign(albums_.begin(), albums_.end());
        shownLength_ = totalLength_;
        return;
    }
    for (AlbumRecord* album : albums_) {
        if (!albumHasGenre(*album, name)) continue;
        shown_.push_back(album);
        shownLength_ += album->length;
    }
}

void AlbumCatalogue::releaseAllSongs() {
    shown_.clear();
    shownAreAll_ = false;
    shownLength_ = 0;
    albumSerialByFolder_.clear();
    genreSerialByName_.clear();
    lookupIndexesValid_ = true;
    albumsBySerial_.clear();
    albumFolders_.clear();
    albums_.clear();
    albumBlocks_.clear();
    albumTexts_.clear();
    albumKeys_.clear();
    refillSource_ = nullptr;
    refillRanks_ = nullptr;
    genres_.clear();
    genreSerialCount_ = 0;
    songs_.clear();
    songLinks_.clear();
    searchIndex_.clear();
    songRanks_ = SongRanks();
    totalLength_ = 0;
    ownedSongs_.clear();
    changed();
}

void AlbumCatalogue::refreshGenreCounts() const {
    if (countsGeneration_ == generation_) return;
    piecesAlbumCount_.clear();
    emptyGenreListAlbums_ = 0;
    // Each album counts once per distinct piece: the map remembers the last
    // album that counted for each name.
    std::unordered_map<std::string_view, std::pair<int, const AlbumRecord*>> counts;
    for (const AlbumRecord* album : albumsBySerial_) {
        if (album->genres.empty()) {
            ++emptyGenreListAlbums_;
            continue;
        }
        forEachGenrePiece(album->genres, [&counts, album](std::string_view piece) {
            if (piece.empty()) return false;
            auto& entry = counts[piece];
            if (entry.second != album) {
                entry.second = album;
                ++entry.first;
            }
            return false;
        });
    }
    piecesAlbumCount_.reserve(counts.size());
    for (const auto& [name, count] : counts) piecesAlbumCount_.emplace(name, count.first);
    countsGeneration_ = generation_;
}

int AlbumCatalogue::albumCountOfGenre(std::string_view name) const {
    refreshGenreCounts();
    if (name.empty() || name == kUnknownGenre) return emptyGenreListAlbums_;
    const auto found = piecesAlbumCount_.find(std::string(name));
    return found == piecesAlbumCount_.end() ? 0 : found->second;
}

const SearchIndex& AlbumCatalogue::searchIndex() const {
    if (searchIndex_.songCount() > songs_.size()) searchIndex_.clear();
    if (searchIndex_.songCount() == 0) searchIndex_.reserveFor(songs_);
    for (std::size_t i = searchIndex_.songCount(); i < songs_.size(); ++i) {
        searchIndex_.append(*songs_[i]);
    }
    return searchIndex_;
}
