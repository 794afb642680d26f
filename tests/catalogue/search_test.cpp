#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue/search.h"
#include "tests/catalogue/catalogue_fixture.h"

using Words = std::vector<std::string>;

TEST(SplitSearchWords, BlanksSeparateAndQuotesKeepThem) {
    EXPECT_EQ(splitSearchWords("abbey road"), (Words{"abbey", "road"}));
    EXPECT_EQ(splitSearchWords("\"abbey road\""), (Words{"abbey road"}));
    EXPECT_EQ(splitSearchWords("  a \t\t b  "), (Words{"a", "b"}));
    EXPECT_EQ(splitSearchWords("ab\"cd ef\"gh"), (Words{"abcd ef", "gh"}));
    EXPECT_EQ(splitSearchWords("\"open quote runs"), (Words{"open quote runs"}));
    EXPECT_EQ(splitSearchWords("\"\t\""), (Words{"\t"}));
    EXPECT_EQ(splitSearchWords("x\ny"), (Words{"x\ny"}));
}

TEST(SplitSearchWords, EmptyListsAndTheEarlyEnd) {
    EXPECT_TRUE(splitSearchWords("").empty());
    EXPECT_TRUE(splitSearchWords("   \t ").empty());
    EXPECT_TRUE(splitSearchWords("\"\" love").empty());
    EXPECT_EQ(splitSearchWords("love \"\" glove"), (Words{"love"}));
    EXPECT_EQ(splitSearchWords("\"a\"\"\"b"), (Words{"a"}));
    EXPECT_EQ(splitSearchWords("a \""), (Words{"a"}));
    EXPECT_EQ(splitSearchWords(std::string_view("a\0b c", 5)), (Words{"a"}));
    const std::string huge(100000, 'w');
    EXPECT_EQ(splitSearchWords(huge), (Words{huge}));
}

TEST(ContainsWord, IgnoresAsciiCaseAndFindsInsideWords) {
    EXPECT_TRUE(containsWord("Glove Story", "love"));
    EXPECT_TRUE(containsWord("glove", "LOVE"));
    EXPECT_TRUE(containsWord("abc", ""));
    EXPECT_TRUE(containsWord(std::string_view(), ""));
    EXPECT_FALSE(containsWord("", "a"));
    EXPECT_FALSE(containsWord(static_cast<const char*>(nullptr), ""));
    EXPECT_FALSE(containsWord(static_cast<const char*>(nullptr), "a"));
    EXPECT_FALSE(containsWord("lov", "love"));
    EXPECT_TRUE(containsWord("\xC9t\xE9", "\xE9"));
    EXPECT_FALSE(containsWord("\xC9", "\xE9"));  // only ASCII letters fold
}

namespace {

// A small library: two folders of one album tag, a mixed-artist folder, a
// jazz album.
std::unique_ptr<LibraryCatalogue> library() {
    auto c = emptyCatalogue();
    c->addSong(song({.artist = "Beatles",
                     .title = "Come Together",
                     .album = "Abbey Road",
                     .length = 260,
                     .genre = "Rock",
                     .fileName = "C:\\Abbey\\01.mp3"}));
    c->addSong(song({.artist = "Beatles",
                     .title = "Something",
                     .album = "Abbey Road",
                     .length = 183,
                     .genre = "Rock",
                     .fileName = "C:\\Abbey\\02.mp3"}));
    c->addSong(song({.artist = "Various",
                     .title = "Glove Song",
                     .album = "Mix",
                     .length = 3600,
                     .genre = "Pop",
                     .fileName = "C:\\Mix\\01.mp3"}));
    c->addSong(song({.artist = "Other",
                     .title = "Love Me",
                     .album = "Mix",
                     .length = 125,
                     .genre = "Jazz",
                     .fileName = "C:\\Mix\\02.mp3"}));
    c->addSong(song({.artist = "Miles",
                     .title = "So What",
                     .album = "Kind of Blue",
                     .length = 562,
                     .genre = "Jazz",
                     .fileName = "C:\\Kind\\01.mp3"}));
    return c;
}

}  // namespace

TEST(SearchCatalogue, EmptyOrBlankSearchListsEveryAlbumWithoutPrefix) {
    auto lib = library();
    for (const char* text : {"", "   ", "\"\" x"}) {
        auto view = searchCatalogue(*lib, text, "", 0, false);
        EXPECT_EQ(view->songCount(), 5);
        EXPECT_EQ(shownTitles(*view),
                  (std::vector<std::string>{"Abbey Road", "Kind of Blue", "Mix"}));
        EXPECT_EQ(formatStatusLine(*view, *lib), "3 Albums [1:18:50]");
    }
}

TEST(SearchCatalogue, GenreRestrictionCountsOnlyThatGenre) {
    auto lib = library();
    auto view = searchCatalogue(*lib, "", "Jazz", 0, true);
    EXPECT_EQ(shownTitles(*view), (std::vector<std::string>{"Mix", "Kind of Blue"}));
    EXPECT_EQ(formatStatusLine(*view, *lib), "2 Albums [1:11:27]");
    // Excluded songs outside the genre still give the prefix.
    auto found = searchCatalogue(*lib, "i", "Jazz", 0, false);  // drops "Come Together"
    EXPECT_EQ(found->songCount(), 4);
    EXPECT_EQ(formatStatusLine(*found, *lib), "Found: 2 Albums [1:11:27]");
}

TEST(SearchCatalogue, WordsMayLieInDifferentFieldsButAllMustMatch) {
    auto lib = library();
    auto both = searchCatalogue(*lib, "beatles ROAD", "", 0, false);
    EXPECT_EQ(both->songCount(), 2);
    auto one = searchCatalogue(*lib, "beatles blue", "", 0, false);
    EXPECT_EQ(one->songCount(), 0);
    EXPECT_EQ(formatStatusLine(*one, *lib), "Found: 0 Albums [0:00:00]");
    auto inner = searchCatalogue(*lib, "LOVE", "", 0, false);
    EXPECT_EQ(inner->songCount(), 2);  // "Glove Song" and "Love Me"
    auto genreNotSearched = searchCatalogue(*lib, "jazz", "", 0, false);
    EXPECT_EQ(genreNotSearched->songCount(), 0);
    auto fileNotSearched = searchCatalogue(*lib, "mp3", "", 0, false);
    EXPECT_EQ(fileNotSearched->songCount(), 0);
}

TEST(SearchCatalogue, QuotedPhraseMustOccurWithinOneField) {
    auto lib = library();
    EXPECT_EQ(searchCatalogue(*lib, "\"come together\"", "", 0, false)->songCount(), 1);
    EXPECT_EQ(searchCatalogue(*lib, "\"beatles come\"", "", 0, false)->songCount(), 0);
    EXPECT_EQ(searchCatalogue(*lib, "\"road\"\"\" nothing", "", 0, false)->songCount(), 2);
}

TEST(SearchCatalogue, ViewAlbumsHoldOnlyTheMatchingSongs) {
    auto lib = library();
    auto view = searchCatalogue(*lib, "love", "", 0, false);
    ASSERT_EQ(view->albumCount(), 1);
    const AlbumRecord* mix = view->albumAt(0);
    EXPECT_EQ(mix->artist, "Various Artists");
    EXPECT_EQ(mix->genres, "Pop, Jazz");
    auto single = searchCatalogue(*lib, "me", "", 0, false);
    ASSERT_EQ(single->albumCount(), 2);  // "Come Together" and "Love Me"
    EXPECT_EQ(single->albumAt(1)->artist, "Other");
    EXPECT_EQ(single->albumAt(1)->songCount(), 1);
    EXPECT_EQ(single->albumAt(1)->length, 125);
    EXPECT_EQ(single->albumAt(1)->genres, "Jazz");
    EXPECT_EQ(single->genreNames(), (std::vector<std::string>{"Rock", "Jazz"}));
    // Songs are shared, not copied.
    EXPECT_EQ(single->songAt(0), lib->songAt(0));
    EXPECT_EQ(view->edge(), lib->edge());
}

TEST(SearchCatalogue, SongsAddedAndRemovedAfterwards) {
    auto lib = library();
    // The library's new songs are searched as well.
    lib->addSong(song({.title = "Brand New", .fileName = "C:\\New\\1.mp3"}));
    EXPECT_EQ(searchCatalogue(*lib, "brand", "", 0, false)->songCount(), 1);
    lib->removeSongAt(0);
    EXPECT_EQ(searchCatalogue(*lib, "together", "", 0, false)->songCount(), 0);
    EXPECT_EQ(searchCatalogue(*lib, "brand", "", 0, false)->songCount(), 1);
}

TEST(SearchCatalogue, EmptyLibraryAndSortedResult) {
    auto empty = emptyCatalogue();
    auto view = searchCatalogue(*empty, "", "", 0, false);
    EXPECT_EQ(formatStatusLine(*view, *empty), "0 Albums [0:00:00]");
    auto none = searchCatalogue(*empty, "abc", "Rock", 0, false);
    EXPECT_EQ(formatStatusLine(*none, *empty), "0 Albums [0:00:00]");
    auto lib = library();
    auto byLength = searchCatalogue(*lib, "", "", 3, true);
    EXPECT_EQ(shownTitles(*byLength),
              (std::vector<std::string>{"Mix", "Kind of Blue", "Abbey Road"}));
}

TEST(StatusLine, TimeFormats) {
    auto lib = emptyCatalogue();
    auto add = [&lib](int length) {
        lib->addSong(song({.length = length, .fileName = "C:\\A\\1.mp3"}));
    };
    add(3725);
    EXPECT_EQ(formatStatusLine(*searchCatalogue(*lib, "", "", 0, false), *lib),
              "1 Albums [1:02:05]");
    add(360000 - 3725);
    EXPECT_EQ(formatStatusLine(*searchCatalogue(*lib, "", "", 0, false), *lib),
              "1 Albums [100:00:00]");
    add(-400000);  // a negative total shows as nothing played
    EXPECT_EQ(formatStatusLine(*searchCatalogue(*lib, "", "", 0, false), *lib),
              "1 Albums [0:00:00]");
    for (int i = 0; i < 4; ++i) add(2147483647);  // would overflow 32 bits
    EXPECT_EQ(formatStatusLine(*searchCatalogue(*lib, "", "", 0, false), *lib),
              "1 Albums [2386081:49:48]");
}
