#include "views/album_list_texts.h"

#include "catalogue/album_catalogue.h"
#include "catalogue/album_record.h"
#include "views/list_text.h"

namespace {

bool isAlphanumeric(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

char folded(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalFolded(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (folded(a[i]) != folded(b[i])) return false;
    return true;
}

// The key without leading non-alphanumerics, one leading "the " and spaces.
std::string_view typeAheadKey(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && !isAlphanumeric(text[i])) ++i;
    text.remove_prefix(i);
    if (text.size() >= 4 && equalFolded(text.substr(0, 4), "the ")) text.remove_prefix(4);
    i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    return text.substr(i);
}

bool keyMatches(std::string_view key, unsigned flags, std::string_view typed) {
    if (flags & (kFindPartial | kFindSubstring))
        return key.size() >= typed.size() && equalFolded(key.substr(0, typed.size()), typed);
    if (flags & kFindWholeString) return equalFolded(key, typed);
    return false;
}

}  // namespace

std::string albumColumnText(const AlbumRecord& album, AlbumColumn column) {
    switch (column) {
        case AlbumColumn::Title:
            return std::string(album.title);
        case AlbumColumn::Artist:
            return std::string(album.artist);
        case AlbumColumn::Tracks: {
            const int count = album.songCount();
            return count >= 1 && count <= 999 ? decimalText(count) : std::string();
        }
        case AlbumColumn::Length:
            return minutesAndSeconds(album.length);
        case AlbumColumn::Year:
            return album.year >= 1 && album.year <= 4999 ? decimalText(album.year) : std::string();
        case AlbumColumn::Genre:
            return album.genres;
        case AlbumColumn::Folder:
            return album.folder;
        default:
            return std::string();
    }
}

std::string coverLabel(const AlbumRecord& album, AlbumColumn sortColumn) {
    const std::string title = album.title.empty() ? std::string("-") : std::string(album.title);
    const std::string artist = album.artist.empty() ? std::string("-") : std::string(album.artist);
    return sortColumn == AlbumColumn::Artist ? artist + " / " + title : title + " / " + artist;
}

std::string tagTipText(const AlbumRecord& album) {
    const int count = album.songCount();
    std::string tip = "Album:   " + std::string(album.title);
    tip += "\nArtist:  " + std::string(album.artist);
    tip += "\nTracks:  " + (count >= 1 && count <= 999 ? decimalText(count) : "0 or >1000");
    tip += "\nLength:  " + minutesAndSeconds(album.length);
    tip += "\nYear:    " + albumColumnText(album, AlbumColumn::Year);
    tip += "\nGenre:   " + album.genres;
    return tip;
}

int findAlbumByKey(const AlbumCatalogue& view, int start, unsigned flags, std::string_view typed,
                   AlbumColumn sortColumn) {
    const int count = view.shownCount();
    if (count <= 0) return -1;
    if (start < 0 || start >= count) start = 0;
    const int candidates = (flags & kFindWrap) ? count : count - start;
    for (int step = 0; step < candidates; ++step) {
        const int index = (start + step) % count;
        const AlbumRecord* album = view.shownAlbumAt(index);
        if (!album) continue;
        const std::string text = albumColumnText(*album, sortColumn);
        if (keyMatches(typeAheadKey(text), flags, typed)) return index;
    }
    return -1;
}
