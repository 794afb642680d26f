#include "catalogue/album_catalogue.h"

#include <algorithm>

#include "catalogue/comparators.h"
#include "catalogue/genre_pieces.h"
#include "catalogue/text_functions.h"

const char kVariousArtists[] = "Various Artists";

namespace {

constexpr std::string_view kUnknownGenre = "Unknown";

// Whether genre + "," occurs in list + ",": the test that keeps each genre
// once in an album's list. A plain substring test, so "op" is found in "Pop".
bool listHoldsGenre(std::string_view list, std::string_view genre) {
    if (genre.empty()) return true;
    for (std::size_t at = list.find(genre); at != std::string_view::npos;
         at = list.find(genre, at + 1)) {
        const std::size_t end = at + genre.size();
        if (end == list.size() || list[end] == ',') return true;
    }
    return false;
}

bool albumHasGenre(const AlbumRecord& album, std::string_view name) {
    if (name == kUnknownGenre) return album.genres.empty();
    return forEachGenrePiece(album.genres,
                             [name](std::string_view piece) { return piece == name; });
}

}  // namespace

AlbumCatalogue::AlbumCatalogue(int edge, CoverImageListFactory factory)
    : coverImageList_(factory ? factory(edge) : nullptr), edge_(edge), factory_(factory) {}

AlbumCatalogue::~AlbumCatalogue() = default;

SongRecord* AlbumCatalogue::addSong(std::unique_ptr<SongRecord> song) {
    if (!song) return nullptr;
    ownedSongs_.push_back(std::move(song));
    return file(ownedSongs_.back().get());
}

SongRecord* AlbumCatalogue::addSong(SongRecord* song) {
    return song ? file(song) : nullptr;
}

SongRecord* AlbumCatalogue::file(SongRecord* song) {
    ensureLookupIndexes();
    songs_.push_back(song);
    const int32_t genreSerial = genreSerialOf(song->genre);
    const std::string_view folder = folderOfFile(song->fileName);
    int32_t albumSerial;
    const auto found = albumSerialByFolder_.find(folder);
    if (found == albumSerialByFolder_.end()) {
        albumSerial = static_cast<int32_t>(albumsBySerial_.size());
        albumSerialByFolder_.emplace(newAlbum(*song, folder).folder, albumSerial);
    } else {
        albumSerial = found->second;
        joinAlbum(*albumsBySerial_[albumSerial], *song);
    }
    songLinks_.push_back({albumSerial, genreSerial});
    totalLength_ += song->length;
    changed();
    return song;
}

int32_t AlbumCatalogue::genreSerialOf(const std::string& genre) {
    const auto found = genreSerialByName_.find(genre);
    if (found != genreSerialByName_.end()) return found->second;
    const auto serial = static_cast<int32_t>(genres_.size());
    genres_.push_back(genre);
    genreSerialByName_.emplace(genre, serial);
    return serial;
}

AlbumRecord& AlbumCatalogue::newAlbum(SongRecord& song, std::string_view folder) {
    auto album = std::make_unique<AlbumRecord>();
    album->artist = song.artist;
    album->title = song.album;
    album->length = song.length;
    album->genres = song.genre;
    album->year = song.year;
    album->folder = std::string(folder);
    album->songs.push_back(&song);
    AlbumRecord& made = *album;
    albums_.push_back(std::move(album));
    albumsBySerial_.push_back(&made);
    // The shown albums no longer coincide with every album.
    shownAreAll_ = false;
    return made;
}

void AlbumCatalogue::joinAlbum(AlbumRecord& album, SongRecord& song) {
    if (album.artist != song.artist && album.artist != kVariousArtists) {
        album.artist = kVariousArtists;
    }
    album.length += song.length;
    album.songs.push_back(&song);
    if (!listHoldsGenre(album.genres, song.genre)) {
        album.genres += ", ";
        album.genres += song.genre;
    }
}

void AlbumCatalogue::ensureLookupIndexes() {
    if (lookupIndexesValid_) return;
    albumSerialByFolder_.clear();
    albumSerialByFolder_.reserve(albumsBySerial_.size());
    for (std::size_t serial = 0; serial < albumsBySerial_.size(); ++serial) {
        albumSerialByFolder_.emplace(albumsBySerial_[serial]->folder, static_cast<int32_t>(serial));
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
    return index >= 0 && index < albumCount() ? albums_[index].get() : nullptr;
}

void AlbumCatalogue::restrictToGenre(std::string_view name) {
    shown_.clear();
    shownLength_ = 0;
    shownAreAll_ = name.empty();
    if (shownAreAll_) {
        shown_.reserve(albums_.size());
        for (const auto& album : albums_) shown_.push_back(album.get());
        shownLength_ = totalLength_;
        return;
    }
    for (const auto& album : albums_) {
        if (!albumHasGenre(*album, name)) continue;
        shown_.push_back(album.get());
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
    albums_.clear();
    genres_.clear();
    songs_.clear();
    songLinks_.clear();
    searchIndex_.clear();
    totalLength_ = 0;
    while (!ownedSongs_.empty()) ownedSongs_.pop_back();
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

void AlbumCatalogue::sortShownAlbums(int column, bool descending) {
    sortAlbums(shown_, column, descending);
    if (!shownAreAll_) return;
    // Shared with every album: the albums take the same order. The two
    // arrays hold the same records, so ownership is only re-seated.
    for (auto& album : albums_) album.release();
    for (std::size_t i = 0; i < albums_.size(); ++i) albums_[i].reset(shown_[i]);
}

void AlbumCatalogue::sortGenres(int column, bool descending) {
    // Counting by restriction would leave the shown albums restricted to the
    // second genre of the last comparison; one restriction at the end does.
    bool compared = false;
    std::string lastSecond;
    std::stable_sort(genres_.begin(), genres_.end(),
                     [&](const std::string& a, const std::string& b) {
                         if (column == 1) {
                             compared = true;
                             lastSecond = b;
                         }
                         return compareGenres(*this, a, b, column, descending) < 0;
                     });
    if (compared)
        restrictToGenre(lastSecond.empty() ? kUnknownGenre : std::string_view(lastSecond));
}

const SearchIndex& AlbumCatalogue::searchIndex() const {
    if (searchIndex_.songCount() > songs_.size()) searchIndex_.clear();
    if (searchIndex_.songCount() == 0) searchIndex_.reserveFor(songs_);
    for (std::size_t i = searchIndex_.songCount(); i < songs_.size(); ++i) {
        searchIndex_.append(*songs_[i]);
    }
    return searchIndex_;
}
