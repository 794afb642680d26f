#include "catalogue/comparators.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "catalogue/album_catalogue.h"
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

std::string_view sortableRest(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size() && !isAsciiAlnum(text[at])) ++at;
    if (text.size() - at >= 4 && asciiLower(text[at]) == 't' && asciiLower(text[at + 1]) == 'h' &&
        asciiLower(text[at + 2]) == 'e' && text[at + 3] == ' ') {
        at += 4;
    }
    while (at < text.size() && text[at] == ' ') ++at;
    return text.substr(at);
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
constexpr std::string_view kUnknownGenre = "Unknown";

}  // namespace

int compareTitles(std::string_view a, std::string_view b) {
    return compareFolded(sortableRest(a), sortableRest(b));
}

int compareAlbums(const AlbumRecord& a, const AlbumRecord& b, int column, bool descending) {
    int direction = descending ? -1 : 1;
    for (int step = 0; step < kKeySteps; ++step) {
        int order;
        int next;
        switch (column) {
            case 0:
                order = compareTitles(a.title, b.title), next = 2;
                break;
            case 1:
                order = compareTitles(a.artist, b.artist), next = 0;
                break;
            case 2:
                order = compareNumbers(a.songCount(), b.songCount()), next = 0;
                break;
            case 3:
                order = compareNumbers(a.length, b.length), next = 1;
                break;
            case 4:
                order = compareNumbers(a.year, b.year), next = 1;
                break;
            case 5:
                order = compareTitles(a.genres, b.genres), next = 1;
                break;
            default:
                return 0;
        }
        if (order != 0) return sign(order) * direction;
        // Equal titles always go on by song count ascending.
        if (column == 0) direction = 1;
        column = next;
    }
    return 0;
}

int compareSongs(const SongRecord& a, const SongRecord& b, int column, bool descending) {
    const int direction = descending ? -1 : 1;
    for (int step = 0; step < kKeySteps; ++step) {
        int order;
        int next;
        switch (column) {
            case 0:
                order = compareNumbers(a.track, b.track), next = 1;
                break;
            case 1:
                order = compareTitles(a.title, b.title), next = 3;
                break;
            case 2:
                order = compareFolded(a.ratingStars, b.ratingStars), next = 0;
                break;
            case 3:
                order = compareTitles(a.artist, b.artist), next = 0;
                break;
            case 4:
                order = compareNumbers(a.length, b.length), next = 3;
                break;
            case 5:
                order = compareNumbers(a.year, b.year), next = 3;
                break;
            case 6:
                order = compareTitles(a.genre, b.genre), next = 3;
                break;
            default:
                return 0;
        }
        if (order != 0) return sign(order) * direction;
        column = next;
    }
    return 0;
}

int compareGenres(const AlbumCatalogue& library, std::string_view a, std::string_view b, int column,
                  bool descending) {
    if (a.empty()) a = kUnknownGenre;
    if (b.empty()) b = kUnknownGenre;
    int direction = descending ? -1 : 1;
    if (column == 1) {
        const int order =
            compareNumbers(library.albumCountOfGenre(a), library.albumCountOfGenre(b));
        if (order != 0) return order * direction;
        // Equal counts go by name ascending.
        column = 0;
        direction = 1;
    }
    if (column != 0) return 0;
    return sign(compareTitles(a, b)) * direction;
}

namespace {

// Appends the sortable rest of a text, folded: compared bytewise (unsigned),
// these keys order texts exactly as compareTitles does.
void appendTitleKey(std::string& keys, std::string_view text) {
    for (const char c : sortableRest(text)) keys.push_back(asciiLower(c));
}

const std::string& textOfColumn(const AlbumRecord& album, int column) {
    return column == 0 ? album.title : column == 1 ? album.artist : album.genres;
}

int64_t numberOfColumn(const AlbumRecord& album, int column) {
    const int64_t value = column == 2 ? album.songCount() : column == 3 ? album.length : album.year;
    return std::max<int64_t>(value, 0);
}

}  // namespace

void sortAlbums(std::vector<AlbumRecord*>& albums, int column, bool descending) {
    if (column < 0 || column > 5) return;  // every pair is equal
    // Keys for the first step, made once per album, settle most comparisons;
    // the full comparison runs only where they tie, so the order is that of
    // compareAlbums alone.
    struct Keyed {
        int64_t number;  // the number, or where the text key lies in `keys`
        uint32_t size;
        AlbumRecord* album;
    };
    const bool byText = column == 0 || column == 1 || column == 5;
    std::string keys;
    std::vector<Keyed> keyed;
    keyed.reserve(albums.size());
    if (byText) {
        std::size_t bytes = 0;
        for (const AlbumRecord* album : albums) bytes += textOfColumn(*album, column).size();
        keys.reserve(bytes);
    }
    for (AlbumRecord* album : albums) {
        if (byText) {
            const std::size_t start = keys.size();
            appendTitleKey(keys, textOfColumn(*album, column));
            keyed.push_back(
                {static_cast<int64_t>(start), static_cast<uint32_t>(keys.size() - start), album});
        } else {
            keyed.push_back({numberOfColumn(*album, column), 0, album});
        }
    }
    const std::string_view all(keys);
    std::stable_sort(keyed.begin(), keyed.end(), [&](const Keyed& a, const Keyed& b) {
        const int order = byText
                              ? all.substr(a.number, a.size).compare(all.substr(b.number, b.size))
                              : (a.number == b.number ? 0 : (a.number < b.number ? -1 : 1));
        if (order != 0) return descending ? order > 0 : order < 0;
        // Equal title keys are equal titles: by song count ascending.
        if (column == 0) return a.album->songCount() < b.album->songCount();
        return compareAlbums(*a.album, *b.album, column, descending) < 0;
    });
    for (std::size_t i = 0; i < keyed.size(); ++i) albums[i] = keyed[i].album;
}

void sortAlbumSongs(AlbumRecord& album, int column, bool descending) {
    std::stable_sort(album.songs.begin(), album.songs.end(),
                     [column, descending](const SongRecord* a, const SongRecord* b) {
                         return compareSongs(*a, *b, column, descending) < 0;
                     });
}
