#include "catalogue/album_catalogue.h"

#include <algorithm>
#include <atomic>
#include <cstring>

#include "catalogue/genre_pieces.h"

namespace {

std::atomic<uint64_t> g_lastVersion{0};

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
    version_ = ++g_lastVersion;
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
    album.discSet = false;
    albums_.push_back(&album);
    albumsBySerial_.push_back(&album);
    return album;
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

void AlbumCatalogue::retextFromSongs(AlbumRecord& album) {
    const SongRecord& first = *album.songs.front();
    album.title = first.album;
    album.year = first.year;
    album.genres.borrow(first.genre);
    album.genresRoom = 0;
    for (const SongRecord* song : album.songs) {
        if (!listHoldsGenre(album.genres, song->genre)) addGenre(album, song->genre);
    }
}

void AlbumCatalogue::clearAlbums() {
    shown_.clear();
    shownLength_ = 0;
    shownGenre_.clear();
    shownOrder_.reset();
    albums_.clear();
    albumsBySerial_.clear();
    albumTexts_.clear();
    genres_.clear();
    songs_.clear();
    totalLength_ = 0;
    changed();
}

SongRecord* AlbumCatalogue::songAt(int index) const {
    return index >= 0 && index < songCount() ? songs_[index] : nullptr;
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
    shownOrder_.reset();
    if (name.empty()) {
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

bool AlbumCatalogue::showsGenreSortedBy(std::string_view genre, int column, bool descending) const {
    return shownGenre_ == genre && shownOrder_ && shownOrder_->column == column &&
           shownOrder_->descending == descending;
}

const AlbumCatalogue::GenreCounts& AlbumCatalogue::genreCounts() const {
    if (genreCounts_.version == version_) return genreCounts_;
    genreCounts_.byPiece.clear();
    genreCounts_.emptyLists = 0;
    // Each album counts once per distinct piece: the map remembers the last
    // album that counted for each name.
    std::unordered_map<std::string_view, std::pair<int, const AlbumRecord*>> counts;
    for (const AlbumRecord* album : albumsBySerial_) {
        if (album->genres.empty()) {
            ++genreCounts_.emptyLists;
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
    genreCounts_.byPiece.reserve(counts.size());
    for (const auto& [name, count] : counts) genreCounts_.byPiece.emplace(name, count.first);
    genreCounts_.version = version_;
    return genreCounts_;
}

int AlbumCatalogue::albumCountOfGenre(std::string_view name) const {
    const GenreCounts& counts = genreCounts();
    if (name.empty() || name == kUnknownGenre) return counts.emptyLists;
    const auto found = counts.byPiece.find(std::string(name));
    return found == counts.byPiece.end() ? 0 : found->second;
}
