#include "bench/catalogue/reference_catalogue.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "catalogue/comparators.h"

namespace reference {

namespace {

void boundedCopy(char* out, std::size_t size, const std::string& text) {
    std::strncpy(out, text.c_str(), size - 1);
    out[size - 1] = '\0';
}

}  // namespace

void Catalogue::addSong(std::unique_ptr<SongRecord> owned) {
    SongRecord* song = owned.get();
    songs_.push_back(std::move(owned));
    bool known = false;
    for (const std::string& genre : genres_) {
        if (genre == song->genre) {
            known = true;
            break;
        }
    }
    if (!known) genres_.push_back(song->genre);

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

void Catalogue::restrictToGenre(const std::string& name) {
    shown_.clear();
    for (const auto& album : albums_) {
        bool qualifies = false;
        if (name == "Unknown") {
            qualifies = album->genres[0] == '\0';
        } else {
            char pieces[256];
            boundedCopy(pieces, sizeof pieces, album->genres);
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
        shown_.push_back(std::move(copy));
    }
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
