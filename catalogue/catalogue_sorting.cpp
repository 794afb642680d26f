// The catalogues' sorts: shown albums by integer keys made from ranked texts,
// genres by compareGenres; and the library's ranks of every song's texts,
// which the views refilled from it sort by.
#include <algorithm>
#include <string>
#include <unordered_map>

#include "catalogue/album_catalogue.h"
#include "catalogue/comparators.h"
#include "catalogue/list_columns.h"
#include "catalogue/library_catalogue.h"
#include "catalogue/title_ranks.h"

namespace {

// Ranks of one text field of every song and, when asked, numbers equal
// exactly where the texts are; `extra` is ranked among them.
void rankField(const std::vector<SongRecord*>& songs, SongText SongRecord::*field,
               std::string_view extra, std::vector<uint32_t>& ranks, std::vector<uint32_t>* textIds,
               uint32_t& extraRank) {
    // Songs of one folder mostly repeat a text, so the previous song's text
    // is tried before the map.
    std::unordered_map<std::string_view, uint32_t> idByText;
    std::vector<std::string_view> distinct;
    const auto idOf = [&](std::string_view text) {
        const auto [at, added] = idByText.try_emplace(text, static_cast<uint32_t>(distinct.size()));
        if (added) distinct.push_back(text);
        return at->second;
    };
    ranks.resize(songs.size());
    std::string_view previous;
    uint32_t previousId = 0;
    for (std::size_t i = 0; i < songs.size(); ++i) {
        const std::string_view text = songs[i]->*field;
        if (i == 0 || text != previous) {
            previous = text;
            previousId = idOf(text);
        }
        ranks[i] = previousId;
    }
    const uint32_t extraId = idOf(extra);
    if (textIds) *textIds = ranks;
    std::vector<uint32_t> rankOfId;
    rankTitles(distinct, rankOfId);
    for (uint32_t& rank : ranks) rank = rankOfId[rank];
    extraRank = rankOfId[extraId];
}

// Ranks of one text of each album, by position.
template <class Text>
void rankAlbumTexts(const std::vector<AlbumRecord*>& albums, Text AlbumRecord::*field,
                    std::vector<uint32_t>& ranks) {
    std::vector<std::string_view> texts;
    texts.reserve(albums.size());
    for (const AlbumRecord* album : albums) texts.push_back(album->*field);
    rankTitles(texts, ranks);
}

uint64_t notNegative(int64_t value) {
    return static_cast<uint64_t>(std::max<int64_t>(value, 0));
}

}  // namespace

const LibraryCatalogue::SongRanks& LibraryCatalogue::songRanks() const {
    if (songRanks_.version == version()) return songRanks_;
    uint32_t unused;
    rankField(songs_, &SongRecord::album, "", songRanks_.album, nullptr, unused);
    rankField(songs_, &SongRecord::artist, kVariousArtists, songRanks_.artist, &songRanks_.artistId,
              songRanks_.variousArtists);
    songRanks_.version = version();
    return songRanks_;
}

void AlbumCatalogue::rankShownAlbums(std::vector<uint32_t>& titles,
                                     std::vector<uint32_t>* artists) const {
    rankAlbumTexts(shown_, &AlbumRecord::title, titles);
    if (artists) rankAlbumTexts(shown_, &AlbumRecord::artist, *artists);
}

void AlbumCatalogue::makeSortKeys(int column, bool descending) {
    // The whole tie chain of compareAlbums for the column: its key in the
    // direction, then (Length, Year, Genre) artist and title in the
    // direction, then what follows a title tie, the song count ascending.
    const auto key = static_cast<AlbumColumn>(column);
    const bool byText = column >= 0 && key < AlbumColumn::Folder;
    const bool byArtist = key == AlbumColumn::Artist || key >= AlbumColumn::Length;
    std::vector<uint32_t> titles, artists;
    if (byText) rankShownAlbums(titles, byArtist ? &artists : nullptr);
    if (key == AlbumColumn::Genre) rankAlbumTexts(shown_, &AlbumRecord::genres, rankScratch_);

    const auto directed = [descending](uint64_t key) { return descending ? ~key : key; };
    const auto directed32 = [descending](uint32_t key) -> uint64_t {
        return descending ? ~key : key;
    };
    sortKeys_.clear();
    for (std::size_t i = 0; i < shown_.size(); ++i) {
        AlbumRecord* album = shown_[i];
        const uint64_t count = notNegative(album->songCount());
        uint32_t title = 0, artist = 0;
        if (byText) title = titles[i];
        if (byText && byArtist) artist = artists[i];
        const uint64_t artistThenTitle = directed32(artist) << 32 | directed32(title);
        SortKey sortKey{0, 0, 0, album};
        switch (key) {
            case AlbumColumn::Title:
                sortKey = {directed(title), count, 0, album};
                break;
            case AlbumColumn::Artist:
                sortKey = {directed(artist), directed(title), count, album};
                break;
            case AlbumColumn::Tracks:
                sortKey = {directed(count), directed(title), 0, album};
                break;
            case AlbumColumn::Length:
                sortKey = {directed(notNegative(album->length)), artistThenTitle, count, album};
                break;
            case AlbumColumn::Year:
                sortKey = {directed(notNegative(album->year)), artistThenTitle, count, album};
                break;
            case AlbumColumn::Genre:
                sortKey = {directed(rankScratch_[i]), artistThenTitle, count, album};
                break;
            default:
                break;
        }
        sortKeys_.push_back(sortKey);
    }
}

void AlbumCatalogue::sortShownAlbums(int column, bool descending) {
    makeSortKeys(column, descending);
    // Albums equal in every key keep their order of creation.
    std::sort(sortKeys_.begin(), sortKeys_.end(), [](const SortKey& a, const SortKey& b) {
        if (a.first != b.first) return a.first < b.first;
        if (a.second != b.second) return a.second < b.second;
        if (a.third != b.third) return a.third < b.third;
        return a.album->serial < b.album->serial;
    });
    for (std::size_t i = 0; i < sortKeys_.size(); ++i) shown_[i] = sortKeys_[i].album;
    // Shared with every album: the albums take the same order.
    if (shownAreAllAlbums()) albums_.assign(shown_.begin(), shown_.end());
    shownOrder_ = ShownOrder{column, descending};
}

void AlbumCatalogue::sortGenres(int column, bool descending) {
    // Counting by restriction would leave the shown albums restricted to the
    // second genre of the last comparison; one restriction at the end does.
    bool compared = false;
    std::string lastSecond;
    std::vector<std::string>& names = genres_.names();
    std::stable_sort(names.begin(), names.end(), [&](const std::string& a, const std::string& b) {
        if (column == static_cast<int>(GenreColumn::Albums)) {
            compared = true;
            lastSecond = b;
        }
        return compareGenres(*this, a, b, column, descending) < 0;
    });
    if (compared)
        restrictToGenre(lastSecond.empty() ? kUnknownGenre : std::string_view(lastSecond));
}
