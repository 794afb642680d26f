#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue/search.h"
#include "catalogue/text_functions.h"
#include "tests/catalogue/catalogue_fixture.h"

namespace {

// Records the order in which a catalogue's image list goes relative to the
// catalogue's albums.
std::vector<std::string>* g_events = nullptr;

class RecordingImageList : public CoverImageList {
  public:
    explicit RecordingImageList(int edge) : edge(edge) { g_events->push_back("made"); }
    ~RecordingImageList() override { g_events->push_back("destroyed"); }
    int edge;
};

std::unique_ptr<CoverImageList> makeRecordingList(int edge) {
    return std::make_unique<RecordingImageList>(edge);
}

}  // namespace

TEST(TextFunctions, FolderOfFile) {
    EXPECT_EQ(folderOfFile("D:\\Music\\Album\\01.mp3"), "D:\\Music\\Album");
    EXPECT_EQ(folderOfFile("D:\\01.mp3"), "D:");
    EXPECT_EQ(folderOfFile("01.mp3"), "01.mp3");
    EXPECT_EQ(folderOfFile(""), "");
    const std::string longPath = "C:\\" + std::string(400, 'd') + "\\" + std::string(300, 'f');
    EXPECT_EQ(folderOfFile(longPath).size(), 403u);
}

TEST(TextFunctions, TrimTrailing) {
    std::string path = "C:\\Music\\\\";
    trimTrailing(path, '\\');
    EXPECT_EQ(path, "C:\\Music");
    std::string only = "\\\\\\";
    trimTrailing(only, '\\');
    EXPECT_EQ(only, "");
    std::string none = "abc";
    trimTrailing(none, 'x');
    EXPECT_EQ(none, "abc");
}

TEST(AlbumCatalogue, GroupsSongsByFolderWithVariousArtists) {
    auto c = emptyCatalogue();
    c->addSong(song({.artist = "A", .album = "First", .fileName = "C:\\M\\X\\1.mp3"}));
    c->addSong(song({.artist = "B", .album = "Second", .fileName = "C:\\M\\X\\2.mp3"}));
    c->addSong(song({.artist = "A", .fileName = "C:\\M\\X\\3.mp3"}));
    c->addSong(song({.artist = "a", .fileName = "C:\\M\\Y\\1.mp3"}));
    c->addSong(song({.artist = "A", .fileName = "C:\\M\\Y\\2.mp3"}));
    c->addSong(song({.artist = "A", .album = "Disc", .fileName = "C:\\M\\y\\1.mp3"}));
    c->addSong(song({.artist = "Solo", .fileName = "noslash.mp3"}));
    c->addSong(song({.artist = "Root", .fileName = "D:\\root.mp3"}));
    ASSERT_EQ(c->albumCount(), 5);
    EXPECT_EQ(c->albumAt(0)->artist, "Various Artists");
    EXPECT_EQ(c->albumAt(0)->title, "First");  // later album tags never rename it
    EXPECT_EQ(c->albumAt(0)->songCount(), 3);
    EXPECT_EQ(c->albumAt(0)->folder, "C:\\M\\X");
    EXPECT_EQ(c->albumAt(1)->artist, "Various Artists");  // case counts
    EXPECT_EQ(c->albumAt(2)->folder, "C:\\M\\y");         // folders are case-sensitive
    EXPECT_EQ(c->albumAt(2)->artist, "A");
    EXPECT_EQ(c->albumAt(3)->folder, "noslash.mp3");
    EXPECT_EQ(c->albumAt(4)->folder, "D:");
    EXPECT_EQ(c->albumAt(5), nullptr);
    EXPECT_EQ(c->albumAt(-1), nullptr);
}

TEST(AlbumCatalogue, FirstSongGivesYearAndLengthsAddUp) {
    auto c = emptyCatalogue();
    c->addSong(song({.length = 100, .year = 1990}));
    c->addSong(song({.length = 50, .year = 2005}));
    c->addSong(song({.length = 7, .fileName = "C:\\Other\\1.mp3"}));
    auto twice = c->addSong(song({.length = 3}));
    c->addSong(twice);  // the same song sent again counts again
    EXPECT_EQ(c->albumAt(0)->year, 1990);
    EXPECT_EQ(c->albumAt(0)->length, 156);
    EXPECT_EQ(c->albumAt(0)->songCount(), 4);
    EXPECT_EQ(c->totalLength(), 163);
    EXPECT_EQ(c->songCount(), 5);
    EXPECT_EQ(c->songAt(3), c->songAt(4));
}

TEST(AlbumCatalogue, AlbumGenreListKeepsEachGenreOnceBySubstringTest) {
    auto c = emptyCatalogue();
    for (const char* g : {"Rock", "Pop", "Rock"}) c->addSong(song({.genre = g}));
    EXPECT_EQ(c->albumAt(0)->genres, "Rock, Pop");

    auto d = emptyCatalogue();
    for (const char* g : {"Pop", "op", ""}) d->addSong(song({.genre = g}));
    EXPECT_EQ(d->albumAt(0)->genres, "Pop");

    auto e = emptyCatalogue();
    for (const char* g : {"", "Rock"}) e->addSong(song({.genre = g}));
    EXPECT_EQ(e->albumAt(0)->genres, ", Rock");
    e->restrictToGenre("Rock");
    EXPECT_EQ(e->shownCount(), 1);
    e->restrictToGenre("Unknown");
    EXPECT_EQ(e->shownCount(), 0);
}

// The genres are the pieces that the restriction matches: a song genre
// holding a comma used to be a genre of its own that selected no album.
TEST(AlbumCatalogue, GenreNamesArePiecesInFirstAppearanceOrder) {
    auto c = emptyCatalogue();
    int n = 0;
    for (const char* g : {"Rock", "rock", "", "Rock", " Pop ", "Rock, Pop", "", "Jazz;Funk",
                          "Folk\tSoul\n", " , ", "Pop,Blues"}) {
        const std::string file = "C:\\" + std::to_string(n++) + "\\a";
        c->addSong(song({.genre = g, .fileName = file.c_str()}));
    }
    const std::vector<std::string> expected = {"Rock",      "rock", "",     "Pop",
                                               "Jazz;Funk", "Folk", "Soul", "Blues"};
    EXPECT_EQ(c->genreNames(), expected);
    EXPECT_EQ(c->genreCount(), 8);
    for (const std::string& name : expected) {
        if (name.empty()) continue;
        c->restrictToGenre(name);
        EXPECT_GT(c->shownCount(), 0) << name;
    }
    // A view refilled from every song lists the same genres.
    EXPECT_EQ(searchCatalogue(*c, "", "", 0, false)->genreNames(), expected);
}

TEST(AlbumCatalogue, RestrictToGenreSplitsTrimsAndMatchesExactly) {
    auto c = emptyCatalogue();
    c->addSong(song({.album = "Comma", .genre = "Rock, Pop", .fileName = "C:\\1\\a"}));
    c->addSong(song({.album = "Spaced", .genre = " Jazz ", .fileName = "C:\\2\\a"}));
    c->addSong(song({.album = "Tabbed", .genre = "Blues\tSoul", .fileName = "C:\\3\\a"}));
    c->addSong(song({.album = "Empty", .genre = "", .fileName = "C:\\4\\a"}));
    c->addSong(song({.album = "Literal", .genre = "Unknown", .fileName = "C:\\5\\a"}));
    c->addSong(song({.album = "Lines", .genre = "Folk\nRock", .fileName = "C:\\6\\a"}));

    c->restrictToGenre("Rock, Pop");
    EXPECT_EQ(c->shownCount(), 0);
    c->restrictToGenre("Rock");
    EXPECT_EQ(shownTitles(*c), (std::vector<std::string>{"Comma", "Lines"}));
    c->restrictToGenre("Pop");
    EXPECT_EQ(shownTitles(*c), std::vector<std::string>{"Comma"});
    c->restrictToGenre(" Jazz ");
    EXPECT_EQ(c->shownCount(), 0);
    c->restrictToGenre("Jazz");
    EXPECT_EQ(shownTitles(*c), std::vector<std::string>{"Spaced"});
    c->restrictToGenre("Soul");
    EXPECT_EQ(shownTitles(*c), std::vector<std::string>{"Tabbed"});
    c->restrictToGenre("Unknown");
    EXPECT_EQ(shownTitles(*c), std::vector<std::string>{"Empty"});
    c->restrictToGenre("unknown");
    EXPECT_EQ(c->shownCount(), 0);
    c->restrictToGenre("rock");
    EXPECT_EQ(c->shownCount(), 0);
    EXPECT_EQ(c->shownLength(), 0);
}

TEST(AlbumCatalogue, EmptyRestrictionShowsEveryAlbumAndItsTotals) {
    auto c = emptyCatalogue();
    c->addSong(song({.length = 10, .genre = "A", .fileName = "C:\\1\\a"}));
    c->addSong(song({.length = 20, .genre = "B", .fileName = "C:\\2\\a"}));
    c->addSong(song({.length = 30, .genre = "B", .fileName = "C:\\2\\b"}));
    EXPECT_EQ(c->shownCount(), 0);  // nothing shown before the first restriction
    c->restrictToGenre("");
    EXPECT_EQ(c->shownCount(), c->albumCount());
    EXPECT_EQ(c->shownLength(), c->totalLength());
    c->restrictToGenre("B");
    EXPECT_EQ(c->shownCount(), 1);
    EXPECT_EQ(c->shownLength(), 50);
    EXPECT_EQ(c->shownAlbumAt(0), c->albumAt(1));
    EXPECT_EQ(c->shownAlbumAt(1), nullptr);
    EXPECT_EQ(c->shownAlbumAt(-1), nullptr);
}

TEST(AlbumCatalogue, SortingSharedShownAlbumsReordersTheAlbums) {
    auto c = emptyCatalogue();
    for (const char* t : {"Charlie", "Alpha", "Bravo"}) {
        c->addSong(song({.album = t, .fileName = (std::string("C:\\") + t + "\\1").c_str()}));
    }
    c->restrictToGenre("");
    c->sortShownAlbums(0, false);
    EXPECT_EQ(shownTitles(*c), (std::vector<std::string>{"Alpha", "Bravo", "Charlie"}));
    EXPECT_EQ(c->albumAt(0)->title, "Alpha");
    // A restricted sort leaves the albums as they are.
    c->restrictToGenre("Rock");
    c->sortShownAlbums(0, true);
    EXPECT_EQ(shownTitles(*c), (std::vector<std::string>{"Charlie", "Bravo", "Alpha"}));
    EXPECT_EQ(c->albumAt(0)->title, "Alpha");
    // New songs still find their albums after the reorder.
    c->addSong(song({.album = "x", .fileName = "C:\\Charlie\\2"}));
    EXPECT_EQ(c->albumCount(), 3);
    EXPECT_EQ(c->albumAt(2)->songCount(), 2);
}

TEST(AlbumCatalogue, GenreCountsEqualTheRestrictionCounts) {
    auto c = emptyCatalogue();
    const char* genres[] = {"Rock",       "Pop",      "Rock, Pop", " Jazz", "", "Unknown",
                            "Rock\tRock", "Pop,,Pop", "rock",      "Jazz ", ""};
    int n = 0;
    for (const char* g : genres) {
        const std::string folder = "C:\\F" + std::to_string(n % 5) + "\\" + std::to_string(n);
        c->addSong(song({.genre = g, .fileName = folder.c_str()}));
        ++n;
    }
    for (const std::string name : {"Rock", "Pop", "Jazz", "Unknown", "rock", "Rock, Pop", "Folk"}) {
        c->restrictToGenre(name);
        EXPECT_EQ(c->albumCountOfGenre(name), c->shownCount()) << name;
    }
    c->restrictToGenre("Unknown");
    EXPECT_EQ(c->albumCountOfGenre(""), c->shownCount());
    // Counts follow later additions.
    const int before = c->albumCountOfGenre("Folk");
    c->addSong(song({.genre = "Folk", .fileName = "C:\\New\\1"}));
    EXPECT_EQ(c->albumCountOfGenre("Folk"), before + 1);
}

TEST(AlbumCatalogue, SongAtAndRemoveSongAtRespectTheirRange) {
    auto c = emptyCatalogue();
    EXPECT_EQ(c->songAt(0), nullptr);
    c->removeSongAt(0);  // absent array: nothing happens
    SongRecord* a = c->addSong(song({.title = "a"}));
    SongRecord* b = c->addSong(song({.title = "b"}));
    SongRecord* d = c->addSong(song({.title = "d"}));
    EXPECT_EQ(c->songAt(-1), nullptr);
    EXPECT_EQ(c->songAt(3), nullptr);
    c->removeSongAt(3);
    c->removeSongAt(-1);
    EXPECT_EQ(c->songCount(), 3);
    c->removeSongAt(1);
    EXPECT_EQ(c->songCount(), 2);
    EXPECT_EQ(c->songAt(0), a);
    EXPECT_EQ(c->songAt(1), d);
    EXPECT_EQ(c->albumAt(0)->songs[1], b);  // the album keeps it; it stays alive
    EXPECT_EQ(b->title, "b");
}

TEST(AlbumCatalogue, NullSongsAreIgnored) {
    auto c = emptyCatalogue();
    EXPECT_EQ(c->addSong(std::unique_ptr<StandaloneSong>()), nullptr);
    EXPECT_EQ(c->addSong(static_cast<SongRecord*>(nullptr)), nullptr);
    EXPECT_EQ(c->songCount(), 0);
    EXPECT_EQ(c->albumCount(), 0);
}

// A release used to leave the albums and genres pointing at freed songs, so a
// reload (or anything reading the albums after stop) read freed memory.
TEST(AlbumCatalogue, ReleaseLeavesNothingDanglingAndReloadGivesTheSameOrders) {
    auto c = emptyCatalogue();
    auto load = [&c]() {
        c->addSong(song({.artist = "X", .album = "One", .genre = "Pop", .fileName = "C:\\1\\a"}));
        c->addSong(song({.artist = "Y", .album = "Two", .genre = "Rock", .fileName = "C:\\2\\a"}));
        c->addSong(song({.artist = "Z", .album = "One", .genre = "Jazz", .fileName = "C:\\1\\b"}));
    };
    load();
    c->restrictToGenre("");
    c->sortShownAlbums(0, true);
    const std::vector<std::string> firstGenres = c->genreNames();
    c->releaseAllSongs();
    EXPECT_EQ(c->songCount(), 0);
    EXPECT_EQ(c->albumCount(), 0);
    EXPECT_EQ(c->genreCount(), 0);
    EXPECT_EQ(c->shownCount(), 0);
    EXPECT_EQ(c->shownAlbumAt(0), nullptr);
    EXPECT_EQ(c->totalLength(), 0);
    EXPECT_EQ(c->albumCountOfGenre("Pop"), 0);

    load();
    EXPECT_EQ(c->genreNames(), firstGenres);
    ASSERT_EQ(c->albumCount(), 2);
    EXPECT_EQ(c->albumAt(0)->title, "One");
    EXPECT_EQ(c->albumAt(0)->artist, "Various Artists");
    EXPECT_EQ(c->albumAt(0)->genres, "Pop, Jazz");
    EXPECT_EQ(c->albumAt(0)->songCount(), 2);
    EXPECT_EQ(c->albumAt(0)->songs[1]->artist, "Z");
    EXPECT_EQ(c->totalLength(), 300);
    c->restrictToGenre("Rock");
    EXPECT_EQ(c->shownAlbumAt(0)->songs[0]->title, "Title");
}

TEST(AlbumCatalogue, ImageListIsMadeWithTheEdgeAndDestroyedLast) {
    std::vector<std::string> events;
    g_events = &events;
    {
        LibraryCatalogue c(100, makeRecordingList);
        ASSERT_NE(c.coverImageList(), nullptr);
        EXPECT_EQ(static_cast<RecordingImageList*>(c.coverImageList())->edge, 100);
        EXPECT_EQ(c.edge(), 100);
        c.addSong(song({}));
        c.restrictToGenre("Rock");
    }
    EXPECT_EQ(events, (std::vector<std::string>{"made", "destroyed"}));
    g_events = nullptr;
    LibraryCatalogue without(100, nullptr);
    EXPECT_EQ(without.coverImageList(), nullptr);
}

TEST(AlbumCatalogue, TextsOfAnyLengthWork) {
    auto c = emptyCatalogue();
    const std::string folder = "C:\\" + std::string(600, 'x');
    std::string genreList;
    for (int i = 0; i < 200; ++i) {
        const std::string genre = "Genre number " + std::to_string(i);
        const std::string file = folder + "\\" + std::to_string(i) + std::string(300, 'n');
        c->addSong(song({.genre = genre.c_str(), .fileName = file.c_str()}));
        genreList += (i ? ", " : "") + genre;
    }
    ASSERT_EQ(c->albumCount(), 1);
    EXPECT_EQ(c->albumAt(0)->folder, folder);
    EXPECT_EQ(c->albumAt(0)->genres, genreList);  // well past 511 characters
    c->restrictToGenre("Genre number 199");
    EXPECT_EQ(c->shownCount(), 1);
    EXPECT_EQ(c->albumCountOfGenre("Genre number 150"), 1);
}
