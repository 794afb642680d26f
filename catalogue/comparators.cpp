#include "catalogue/comparators.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "catalogue/album_catalogue.h"
#include "catalogue/disc_names.h"
#include "catalogue/list_columns.h"
#include "catalogue/text_functions.h"

namespace {

// ASCII capitals folded, bytes compared unsigned; a proper prefix first.
int compareFolded(std::string_view a, std::string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const auto ca = static_cast<unsigned char>(asciiLower(a[i]));
        const auto cb = static_cast<unsigned char>(asciiLower(b[i]));
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

// Numbers below 0 sort as 0.
int compareNumbers(int64_t a, int64_t b) {
    a = std::max<int64_t>(a, 0);
    b = std::max<int64_t>(b, 0);
    return a == b ? 0 : (a < b ? -1 : 1);
}

int sign(int value) {
    return (value > 0) - (value < 0);
}

constexpr int kKeySteps = 4;

}  // namespace

int compareTitles(std::string_view a, std::string_view b) {
    return compareFolded(titleSortRest(a), titleSortRest(b));
}

int compareAlbums(const AlbumRecord& a, const AlbumRecord& b, int column, bool descending) {
    int direction = descending ? -1 : 1;
    auto key = static_cast<AlbumColumn>(column);
    for (int step = 0; step < kKeySteps; ++step) {
        int order;
        AlbumColumn next;
        switch (key) {
            case AlbumColumn::Title:
                order = compareTitles(a.title, b.title), next = AlbumColumn::Tracks;
                break;
            case AlbumColumn::Artist:
                order = compareTitles(a.artist, b.artist), next = AlbumColumn::Title;
                break;
            case AlbumColumn::Tracks:
                order = compareNumbers(a.songCount(), b.songCount()), next = AlbumColumn::Title;
                break;
            case AlbumColumn::Length:
                order = compareNumbers(a.length, b.length), next = AlbumColumn::Artist;
                break;
            case AlbumColumn::Year:
                order = compareNumbers(a.year, b.year), next = AlbumColumn::Artist;
                break;
            case AlbumColumn::Genre:
                order = compareTitles(a.genres, b.genres), next = AlbumColumn::Artist;
                break;
            default:
                return 0;
        }
        if (order != 0) return sign(order) * direction;
        // Equal titles always go on by song count ascending.
        if (key == AlbumColumn::Title) direction = 1;
        key = next;
    }
    return 0;
}

int compareSongs(const SongRecord& a, const SongRecord& b, int column, bool descending) {
    const int direction = descending ? -1 : 1;
    auto key = static_cast<SongColumn>(column);
    for (int step = 0; step < kKeySteps; ++step) {
        int order;
        SongColumn next;
        switch (key) {
            case SongColumn::Track:
                order = compareNumbers(a.track, b.track), next = SongColumn::Title;
                break;
            case SongColumn::Title:
                order = compareTitles(a.title, b.title), next = SongColumn::Artist;
                break;
            case SongColumn::Rating:
                order = compareFolded(a.ratingStars, b.ratingStars), next = SongColumn::Track;
                break;
            case SongColumn::Artist:
                order = compareTitles(a.artist, b.artist), next = SongColumn::Track;
                break;
            case SongColumn::Length:
                order = compareNumbers(a.length, b.length), next = SongColumn::Artist;
                break;
            case SongColumn::Year:
                order = compareNumbers(a.year, b.year), next = SongColumn::Artist;
                break;
            case SongColumn::Genre:
                order = compareTitles(a.genre, b.genre), next = SongColumn::Artist;
                break;
            default:
                return 0;
        }
        if (order != 0) return sign(order) * direction;
        key = next;
    }
    return 0;
}

int compareGenres(const AlbumCatalogue& library, std::string_view a, std::string_view b, int column,
                  bool descending) {
    if (a.empty()) a = kUnknownGenre;
    if (b.empty()) b = kUnknownGenre;
    int direction = descending ? -1 : 1;
    if (column == static_cast<int>(GenreColumn::Albums)) {
        const int order =
            compareNumbers(library.albumCountOfGenre(a), library.albumCountOfGenre(b));
        if (order != 0) return order * direction;
        // Equal counts go by name ascending.
        column = static_cast<int>(GenreColumn::Name);
        direction = 1;
    }
    if (column != static_cast<int>(GenreColumn::Name)) return 0;
    return sign(compareTitles(a, b)) * direction;
}

void sortAlbumSongs(AlbumRecord& album, int column, bool descending) {
    if (album.discSet && column == static_cast<int>(SongColumn::Track)) {
        // A set's track numbers start again on each disc: disc, then track.
        std::vector<std::pair<int32_t, SongRecord*>> byDisc;
        byDisc.reserve(album.songs.size());
        for (SongRecord* song : album.songs) byDisc.emplace_back(discOfFile(song->fileName), song);
        std::stable_sort(byDisc.begin(), byDisc.end(),
                         [column, descending](const auto& a, const auto& b) {
                             if (a.first != b.first)
                                 return descending ? a.first > b.first : a.first < b.first;
                             return compareSongs(*a.second, *b.second, column, descending) < 0;
                         });
        for (std::size_t i = 0; i < byDisc.size(); ++i) album.songs[i] = byDisc[i].second;
    } else {
        std::stable_sort(album.songs.begin(), album.songs.end(),
                         [column, descending](const SongRecord* a, const SongRecord* b) {
                             return compareSongs(*a, *b, column, descending) < 0;
                         });
    }
    album.songsResorted = true;
}
