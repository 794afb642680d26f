// The search index's runs of songs that share album and artist.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue/search.h"
#include "catalogue/search_index.h"
#include "tests/catalogue/catalogue_fixture.h"

namespace {

std::vector<std::size_t> matches(const SearchIndex& index, const std::vector<std::string>& words) {
    std::vector<std::size_t> songs;
    index.forEachMatch(words, [&songs](std::size_t song) { songs.push_back(song); });
    return songs;
}

struct Built {
    std::vector<std::unique_ptr<StandaloneSong>> songs;
    SearchIndex index;
    void add(const char* album, const char* artist, const char* title) {
        songs.push_back(makeSongRecord(artist, title, album, 0, 0, "", 0, "", nullptr));
        index.append(*songs.back());
    }
};

TEST(SearchIndex, HeaderMatchesReachEverySongOfTheRunAndOnlyThem) {
    Built b;
    b.add("Blue Album", "Ann", "One");   // run 0
    b.add("Blue Album", "Ann", "Two");   // run 0
    b.add("Blue Album", "Bob", "Blue");  // run 1: artist differs
    b.add("Red", "Bob", "Three");        // run 2
    b.add("Blue Album", "Ann", "Four");  // run 3: same texts, new run
    EXPECT_EQ(matches(b.index, {"blue"}), (std::vector<std::size_t>{0, 1, 2, 4}));
    EXPECT_EQ(matches(b.index, {"ann"}), (std::vector<std::size_t>{0, 1, 4}));
    EXPECT_EQ(matches(b.index, {"bob", "blue"}), (std::vector<std::size_t>{2}));
    // The first word in a title, the other in the run's header.
    EXPECT_EQ(matches(b.index, {"two", "ann"}), (std::vector<std::size_t>{1}));
    EXPECT_EQ(matches(b.index, {"three", "ann"}), (std::vector<std::size_t>{}));
    EXPECT_EQ(matches(b.index, {"e"}), (std::vector<std::size_t>{0, 1, 2, 3, 4}));
    // No match spans two texts.
    EXPECT_EQ(matches(b.index, {"bumann"}), (std::vector<std::size_t>{}));
    EXPECT_EQ(matches(b.index, {"onetwo"}), (std::vector<std::size_t>{}));
}

TEST(SearchIndex, ClearedIndexStartsNewRuns) {
    Built b;
    b.add("A", "B", "x");
    b.index.clear();
    EXPECT_EQ(b.index.songCount(), 0u);
    EXPECT_TRUE(matches(b.index, {"x"}).empty());
    b.add("A", "B", "y");
    EXPECT_EQ(matches(b.index, {"a"}), (std::vector<std::size_t>{0}));
    EXPECT_EQ(matches(b.index, {"y"}), (std::vector<std::size_t>{0}));
}

TEST(AlbumCatalogue, ReservingMoreSongsThanMemoryHoldsIsIgnored) {
    auto c = emptyCatalogue();
    c->reserveSongs(static_cast<std::size_t>(-1));
    c->addSong(song({}));
    EXPECT_EQ(c->songCount(), 1);
}

}  // namespace
