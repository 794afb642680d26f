#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "catalogue/comparators.h"
#include "tests/catalogue/catalogue_fixture.h"

namespace {

int signOf(int v) {
    return (v > 0) - (v < 0);
}

AlbumRecord album(const char* title, const char* artist, int songs, int64_t length = 0,
                  int year = 0, const char* genres = "") {
    AlbumRecord a;
    a.title = title;
    a.artist = artist;
    a.length = length;
    a.year = year;
    a.genres = genres;
    a.songs.assign(static_cast<std::size_t>(songs), nullptr);
    return a;
}

SongRecord songRecord(int track, const char* title, const char* artist, const char* stars = "",
                      int length = 0, int year = 0, const char* genre = "") {
    SongRecord s;
    s.track = track;
    s.title = title;
    s.artist = artist;
    s.ratingStars = stars;
    s.length = length;
    s.year = year;
    s.genre = genre;
    return s;
}

}  // namespace

TEST(CompareTitles, LeadingTheAndPunctuationAreSkipped) {
    EXPECT_EQ(compareTitles("The Beatles", "Beatles"), 0);
    EXPECT_EQ(compareTitles("THE BAND", "band"), 0);
    EXPECT_LT(compareTitles("Theatre", "Thf"), 0);  // no space after "the": kept
    EXPECT_GT(compareTitles("Theatre", "atre"), 0);
    EXPECT_EQ(compareTitles("The", "the"), 0);
    EXPECT_GT(compareTitles("The", "He"), 0);  // "The" alone keeps its letters
    EXPECT_EQ(compareTitles("\"Quoted\"", "quoted\""), 0);
    EXPECT_EQ(compareTitles("...The Who", "Who"), 0);   // "the " after punctuation goes too
    EXPECT_LT(compareTitles("The The Who", "Who"), 0);  // only once: "the who" stays
    EXPECT_EQ(compareTitles("the   spaced", "spaced"), 0);
    EXPECT_EQ(compareTitles("\xC9mile", "mile"), 0);  // an accented first letter is skipped
    EXPECT_EQ(compareTitles("?!. ,", ""), 0);
}

TEST(CompareTitles, EmptyFirstThenCaseFoldedBytesAndPrefixFirst) {
    EXPECT_LT(compareTitles("", "a"), 0);
    EXPECT_LT(compareTitles("", "0"), 0);
    EXPECT_EQ(compareTitles("", ""), 0);
    EXPECT_LT(compareTitles("abc", "abcd"), 0);
    EXPECT_GT(compareTitles("b", "A"), 0);
    EXPECT_EQ(compareTitles("MiXeD", "mixed"), 0);
    EXPECT_LT(compareTitles("a_", "a\xE9"), 0);  // bytes unsigned: 0xE9 after '_'
    EXPECT_EQ(signOf(compareTitles("x", "y")), -signOf(compareTitles("y", "x")));
}

TEST(CompareAlbums, TitleTiesGoToSongCountAscendingWhateverTheDirection) {
    const AlbumRecord big = album("Same", "A", 9), small = album("Same", "A", 2);
    EXPECT_EQ(compareAlbums(small, big, 0, false), -1);
    EXPECT_EQ(compareAlbums(small, big, 0, true), -1);
    const AlbumRecord a = album("Abbey Road", "Z", 1), b = album("The Bends", "A", 1);
    EXPECT_EQ(compareAlbums(a, b, 0, false), -1);
    EXPECT_EQ(compareAlbums(a, b, 0, true), 1);
}

TEST(CompareAlbums, TieChainsOfEveryColumn) {
    // Artist: artist, then title in the direction, then song count ascending.
    EXPECT_EQ(compareAlbums(album("B", "X", 1), album("A", "X", 1), 1, false), 1);
    EXPECT_EQ(compareAlbums(album("B", "X", 1), album("A", "X", 1), 1, true), -1);
    EXPECT_EQ(compareAlbums(album("A", "X", 5), album("A", "X", 1), 1, true), 1);
    // Tracks: song count, then title.
    EXPECT_EQ(compareAlbums(album("B", "X", 3), album("A", "X", 3), 2, true), -1);
    // Length, Year and Genre: key, artist, title, song count ascending.
    EXPECT_EQ(compareAlbums(album("A", "B", 1, 60), album("A", "A", 1, 60), 3, true), -1);
    EXPECT_EQ(compareAlbums(album("B", "A", 1, 0, 1999), album("A", "A", 1, 0, 1999), 4, true), -1);
    EXPECT_EQ(
        compareAlbums(album("A", "A", 1, 0, 0, "Pop"), album("A", "A", 1, 0, 0, "Rock"), 5, false),
        -1);
    EXPECT_EQ(
        compareAlbums(album("A", "A", 4, 0, 0, "Pop"), album("A", "A", 2, 0, 0, "Pop"), 5, true),
        1);
    EXPECT_EQ(compareAlbums(album("A", "A", 4, 9), album("A", "A", 2, 9), 3, true), 1);
    EXPECT_EQ(compareAlbums(album("A", "A", 1), album("A", "A", 1), 3, false), 0);
}

TEST(CompareAlbums, NegativeNumbersAreZeroAndOtherColumnsAreEqual) {
    EXPECT_EQ(compareAlbums(album("A", "A", 1, 0, -5), album("A", "A", 1, 0, 0), 4, false), 0);
    EXPECT_EQ(compareAlbums(album("A", "A", 1, -9), album("A", "A", 1, 0), 3, false), 0);
    EXPECT_EQ(compareAlbums(album("A", "A", 1), album("Z", "Z", 9), 6, false), 0);
    EXPECT_EQ(compareAlbums(album("A", "A", 1), album("Z", "Z", 9), -1, true), 0);
    EXPECT_EQ(compareAlbums(album("A", "A", 1), album("Z", "Z", 9), 99, false), 0);
}

TEST(CompareSongs, TieChainsKeepTheDirection) {
    // Track #: track, title, artist.
    EXPECT_EQ(compareSongs(songRecord(2, "a", "a"), songRecord(1, "z", "z"), 0, false), 1);
    EXPECT_EQ(compareSongs(songRecord(1, "b", "a"), songRecord(1, "a", "z"), 0, true), -1);
    EXPECT_EQ(compareSongs(songRecord(1, "a", "b"), songRecord(1, "a", "a"), 0, true), -1);
    EXPECT_EQ(compareSongs(songRecord(-3, "a", "a"), songRecord(0, "a", "a"), 0, false), 0);
    // Title: title, artist, track.
    EXPECT_EQ(compareSongs(songRecord(5, "The End", "a"), songRecord(1, "end", "a"), 1, false), 1);
    // Artist: artist, track, title.
    EXPECT_EQ(compareSongs(songRecord(2, "a", "The X"), songRecord(1, "b", "x"), 3, true), -1);
    // Length, Year, Genre: key, artist, track.
    EXPECT_EQ(
        compareSongs(songRecord(1, "a", "b", "", 60), songRecord(1, "a", "a", "", 60), 4, false),
        1);
    EXPECT_EQ(compareSongs(songRecord(1, "a", "a", "", 0, -1), songRecord(1, "a", "a", "", 0, 0), 5,
                           false),
              0);
    EXPECT_EQ(compareSongs(songRecord(1, "a", "a", "", 0, 0, "The Pop"),
                           songRecord(1, "a", "a", "", 0, 0, "pop"), 6, false),
              0);
    EXPECT_EQ(compareSongs(songRecord(1, "a", "a"), songRecord(9, "z", "z"), 7, false), 0);
}

TEST(CompareSongs, RatingSortsByStarsThenTrackThenTitle) {
    std::vector<SongRecord> songs = {songRecord(2, "b", "x", "**"), songRecord(1, "a", "x", "*"),
                                     songRecord(3, "c", "x", ""), songRecord(1, "z", "x", "**"),
                                     songRecord(1, "y", "x", "**")};
    AlbumRecord a;
    for (auto& s : songs) a.songs.push_back(&s);
    sortAlbumSongs(a, 2, false);
    std::vector<std::string> order;
    for (const SongRecord* s : a.songs)
        order.push_back(std::string(s->ratingStars) + std::string(s->title));
    EXPECT_EQ(order, (std::vector<std::string>{"c", "*a", "**y", "**z", "**b"}));
}

TEST(CompareGenres, ByNameWithEmptyAsUnknown) {
    auto c = emptyCatalogue();
    EXPECT_EQ(compareGenres(*c, "", "Unknown", 0, false), 0);
    EXPECT_EQ(compareGenres(*c, "", "Rock", 0, false), 1);  // "Unknown" after "Rock"
    EXPECT_EQ(compareGenres(*c, "", "Rock", 0, true), -1);
    EXPECT_EQ(compareGenres(*c, "The Pop", "pop", 0, true), 0);
    EXPECT_EQ(compareGenres(*c, "A", "B", 2, false), 0);
}

TEST(SortGenres, ByAlbumsDescendingThenNameAscending) {
    auto c = emptyCatalogue();
    int n = 0;
    auto add = [&](const char* genre, int albums) {
        for (int i = 0; i < albums; ++i) {
            const std::string file = "C:\\" + std::to_string(n++) + "\\s.mp3";
            c->addSong(song({.genre = genre, .fileName = file.c_str()}));
        }
    };
    add("Rock", 3);
    add("Jazz", 1);
    add("", 2);
    add("Pop", 3);
    add("Blues", 1);
    c->sortGenres(1, true);
    EXPECT_EQ(c->genreNames(), (std::vector<std::string>{"Pop", "Rock", "", "Blues", "Jazz"}));
    c->sortGenres(1, false);
    EXPECT_EQ(c->genreNames(), (std::vector<std::string>{"Blues", "Jazz", "", "Pop", "Rock"}));
    // The library's shown albums are left as a genre restriction.
    EXPECT_GE(c->shownCount(), 1);
    EXPECT_LT(c->shownCount(), c->albumCount());
    c->sortGenres(0, false);
    EXPECT_EQ(c->genreNames(), (std::vector<std::string>{"Blues", "Jazz", "Pop", "Rock", ""}));
    c->sortGenres(5, false);  // every pair equal: the order stays
    EXPECT_EQ(c->genreNames(), (std::vector<std::string>{"Blues", "Jazz", "Pop", "Rock", ""}));
}

TEST(SortShownAlbums, ArtistOrderWithTheRule) {
    auto c = emptyCatalogue();
    const char* artists[] = {"The Who", "ABBA", "\"Weird Al\"", "the beatles", "Zappa"};
    int n = 0;
    for (const char* a : artists) {
        const std::string file = "C:\\" + std::to_string(n++) + "\\s.mp3";
        c->addSong(song({.artist = a, .fileName = file.c_str()}));
    }
    c->restrictToGenre("");
    c->sortShownAlbums(1, false);
    std::vector<std::string> order;
    for (const AlbumRecord* a : c->shownAlbums()) order.emplace_back(a->artist);
    EXPECT_EQ(order, (std::vector<std::string>{"ABBA", "the beatles", "\"Weird Al\"", "The Who",
                                               "Zappa"}));
}
