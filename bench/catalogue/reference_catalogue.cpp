#include "bench/catalogue/reference_catalogue.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "catalogue/album_catalogue.h"
#include "catalogue/comparators.h"
#include "catalogue/search.h"

namespace reference {

namespace {

void boundedCopy(char* out, std::size_t size, SongText text) {
    const std::size_t length = strnlen(text.c_str(), size - 1);
    std::memcpy(out, text.c_str(), length);
    out[length] = '\0';
}

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The word compared with the text at every starting position. Named apart
// from the catalogue's own containsWord, which overload resolution would
// otherwise prefer for a song's texts.
bool containsLiterally(std::string_view text, std::string_view word) {
    if (word.empty()) return true;
    for (std::size_t start = 0; start < text.size(); ++start) {
        std::size_t i = 0;
        while (i < word.size() && start + i < text.size() &&
               lower(text[start + i]) == lower(word[i])) {
            ++i;
        }
        if (i == word.size()) return true;
    }
    return false;
}

AlbumRecord recordOf(const Album& album) {
    AlbumRecord record;
    record.artist = album.artist;
    record.title = album.title;
    record.length = album.length;
    record.genres = album.genres;
    record.year = album.year;
    record.folder = album.folder;
    record.songs = album.songs;
    return record;
}

}  // namespace

void Catalogue::addSong(std::unique_ptr<StandaloneSong> owned) {
    owned_.push_back(std::move(owned));
    addSong(&owned_.back()->record());
}

void Catalogue::addSong(SongRecord* song) {
    songs_.push_back(song);
    bool known = false;
    for (const std::string& genre : genres_) {
        if (genre == song->genre) {
            known = true;
            break;
        }
    }
    if (!known) genres_.emplace_back(song->genre);

    char folder[256];
    boundedCopy(folder, sizeof folder, song->fileName);
    if (char* slash = std::strrchr(folder, '\\')) *slash = '\0';
    for (auto& album : albums_) {
        if (std::strcmp(album->folder.c_str(), folder) != 0) continue;
        if (album->artist != song->artist && album->artist != "Various Artists") {
            album->artist = "Various Artists";
        }
        album->length += song->length;
        totalLength_ += song->length;
        album->songs.push_back(song);
        char list[256], wanted[256];
        std::snprintf(list, sizeof list, "%s,", album->genres);
        std::snprintf(wanted, sizeof wanted, "%s,", song->genre.c_str());
        if (!std::strstr(list, wanted)) {
            const std::size_t used = std::strlen(album->genres);
            std::snprintf(album->genres + used, sizeof album->genres - used, ", %s",
                          song->genre.c_str());
        }
        return;
    }
    auto album = std::make_unique<Album>();
    album->artist = song->artist;
    album->title = song->album;
    album->displayBuffer.assign(album->artist.size() + album->title.size() + 20, '\0');
    album->length = song->length;
    boundedCopy(album->genres, sizeof album->genres, song->genre);
    album->year = song->year;
    album->folder = folder;
    album->songs.push_back(song);
    albums_.push_back(std::move(album));
    totalLength_ += song->length;
}

void Catalogue::removeSongAt(int index) {
    if (index < 0 || index >= songCount()) return;
    songs_.erase(songs_.begin() + index);
}

void Catalogue::restrictToGenre(const std::string& name) {
    shown_.clear();
    shownLength_ = 0;
    if (name.empty()) {
        for (const auto& album : albums_) shown_.push_back(std::make_unique<Album>(*album));
        shownLength_ = totalLength_;
        return;
    }
    for (const auto& album : albums_) {
        bool qualifies = false;
        if (name == "Unknown") {
            qualifies = album->genres[0] == '\0';
        } else {
            char pieces[256];
            boundedCopy(pieces, sizeof pieces, SongText(album->genres));
            for (char* piece = std::strtok(pieces, ",\t\n"); piece && !qualifies;
                 piece = std::strtok(nullptr, ",\t\n")) {
                while (*piece == ' ') ++piece;
                std::size_t n = std::strlen(piece);
                while (n > 0 && piece[n - 1] == ' ') piece[--n] = '\0';
                qualifies = name == piece;
            }
        }
        if (!qualifies) continue;
        auto copy = std::make_unique<Album>();
        copy->artist = album->artist;
        copy->title = album->title;
        copy->displayBuffer.assign(copy->artist.size() + copy->title.size() + 20, '\0');
        copy->length = album->length;
        std::memcpy(copy->genres, album->genres, sizeof copy->genres);
        copy->year = album->year;
        copy->folder = album->folder;
        copy->songs = album->songs;
        shownLength_ += copy->length;
        shown_.push_back(std::move(copy));
    }
}

void Catalogue::sortShown(int column, bool descending) {
    std::stable_sort(shown_.begin(), shown_.end(),
                     [column, descending](const auto& a, const auto& b) {
                         return compareAlbums(recordOf(*a), recordOf(*b), column, descending) < 0;
                     });
}

std::unique_ptr<Catalogue> Catalogue::search(const std::string& text, const std::string& genre,
                                             int column, bool descending) const {
    const std::vector<std::string> words = splitSearchWords(text);
    auto view = std::make_unique<Catalogue>();
    for (SongRecord* song : songs_) {
        bool all = true;
        for (const std::string& word : words) {
            all = containsLiterally(song->album, word) || containsLiterally(song->artist, word) ||
                  containsLiterally(song->title, word);
            if (!all) break;
        }
        if (all) view->addSong(song);
    }
    view->restrictToGenre(genre);
    view->sortShown(column, descending);
    return view;
}

void Catalogue::sortGenresByAlbums(bool descending) {
    auto count = [this](const std::string& genre) {
        restrictToGenre(genre.empty() ? "Unknown" : genre);
        return shownCount();
    };
    std::sort(genres_.begin(), genres_.end(), [&](const std::string& a, const std::string& b) {
        const int ca = count(a), cb = count(b);
        if (ca != cb) return descending ? ca > cb : ca < cb;
        return compareTitles(a.empty() ? "Unknown" : a, b.empty() ? "Unknown" : b) < 0;
    });
}

}  // namespace reference

namespace reference {

std::string differenceBetween(const Catalogue& reference, const AlbumCatalogue& view) {
    if (reference.songs() != view.songs()) return "the songs differ";
    if (reference.shownCount() != view.shownCount()) {
        return "shown " + std::to_string(view.shownCount()) + " albums instead of " +
               std::to_string(reference.shownCount());
    }
    if (reference.shownLength() != view.shownLength()) return "the shown length differs";
    for (int i = 0; i < reference.shownCount(); ++i) {
        const Album& want = *reference.shown()[i];
        const AlbumRecord& got = *view.shownAlbumAt(i);
        if (got.title != want.title || got.artist != want.artist || got.genres != want.genres ||
            got.length != want.length || got.year != want.year || got.folder != want.folder ||
            got.songs != want.songs) {
            return "shown album " + std::to_string(i) + " is " + std::string(got.folder) + " / " +
                   std::string(got.title) + " instead of " + want.folder + " / " + want.title;
        }
    }
    return {};
}

}  // namespace reference
