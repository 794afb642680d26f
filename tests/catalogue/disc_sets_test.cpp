// Disc folders of one parent filed as one album when the library joins them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bench/catalogue/reference_catalogue.h"
#include "catalogue/comparators.h"
#include "catalogue/disc_names.h"
#include "catalogue/list_columns.h"
#include "catalogue/search.h"
#include "tests/catalogue/catalogue_fixture.h"

namespace {

// Songs arriving as a host may list them: a later disc before an earlier
// one, a parent's own song after its disc's.
const SongSpec kSongs[] = {
    {.title = "Summer",
     .album = "Seasons 2",
     .track = 1,
     .genre = "Baroque",
     .year = 2002,
     .fileName = "C:\\M\\Seasons\\CD2\\01.mp3"},
    {.title = "Spring",
     .album = "Seasons 1",
     .track = 1,
     .genre = "Classical",
     .year = 2001,
     .fileName = "C:\\M\\Seasons\\CD1\\01.mp3"},
    {.artist = "Other",
     .title = "Autumn",
     .album = "Seasons 1",
     .track = 2,
     .genre = "Classical",
     .fileName = "C:\\M\\Seasons\\CD1\\02.mp3"},
    {.album = "Ten", .genre = "Classical", .fileName = "C:\\M\\Box\\Disc 10\\01.mp3"},
    {.album = "Nine", .genre = "Classical", .fileName = "C:\\M\\Box\\Disc 9\\01.mp3"},
    {.album = "Live 1", .fileName = "C:\\M\\Live\\CD1\\01.mp3"},
    {.album = "Live 1", .fileName = "C:\\M\\Live\\CD1\\02.mp3"},
    {.album = "Live", .fileName = "C:\\M\\Live\\intro.mp3"},
    {.album = "Live 2", .fileName = "C:\\M\\Live\\CD2\\01.mp3"},
    {.album = "A", .fileName = "C:\\M\\A\\CD1\\01.mp3"},
    {.album = "B", .fileName = "C:\\M\\B\\CD2\\01.mp3"},
    {.album = "Extras", .fileName = "C:\\M\\B\\CD-ROM Extras\\01.mp3"},
};

std::unique_ptr<LibraryCatalogue> library(bool join) {
    auto c = emptyCatalogue();
    c->setJoinDiscFolders(join);
    for (const SongSpec& s : kSongs) c->addSong(song(s));
    return c;
}

std::vector<std::string> folders(const AlbumCatalogue& c) {
    std::vector<std::string> out;
    for (int i = 0; i < c.albumCount(); ++i) out.emplace_back(c.albumAt(i)->folder);
    return out;
}

std::vector<std::string> titles(const AlbumRecord& album) {
    std::vector<std::string> out;
    for (const SongRecord* s : album.songs) out.emplace_back(s->title);
    return out;
}

}  // namespace

TEST(DiscNames, NamesAndNumbers) {
    const struct {
        const char* name;
        int32_t number;  // -1: no disc name
    } cases[] = {
        {"CD1", 1},
        {"cd 2", 2},
        {"Disc 1", 1},
        {"Disk02", 2},
        {"Disc 3 - Live", 3},
        {"CD_4", 4},
        {"disc.5", 5},
        {"Disc 9", 9},
        {"Disc 10", 10},
        {"CD99999999999", INT32_MAX},
        {"CD", -1},
        {"Disc", -1},
        {"Discography", -1},
        {"Disco Hits", -1},
        {"CD-ROM Extras", -1},
        {"CDs", -1},
        {"CD1x", -1},
        {"Disco 2", -1},
        {"Album CD1", -1},
        {"", -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(discNumber(c.name), c.number) << c.name;
        EXPECT_EQ(isDiscName(c.name), c.number >= 0) << c.name;
    }
    EXPECT_GT(discNumber("Disc 10"), discNumber("Disc 9"));
    // Where the number may be missing (a picture's name), the bare word counts.
    EXPECT_TRUE(isDiscName("cd", false));
    EXPECT_FALSE(isDiscName("cd ", false));
    EXPECT_FALSE(isDiscName("discography", false));
}

TEST(DiscSets, JoinOnlyDiscsOfOneParentWithoutSongsOfItsOwn) {
    // Off: every folder its album, exactly as the reference files them.
    auto off = library(false);
    reference::Catalogue theirs;
    for (SongRecord* s : off->songs()) theirs.addSong(s);
    EXPECT_EQ(reference::differenceBetween(*theirs.search("", "", 0, false),
                                           *searchCatalogue(*off, "", "", 0, false)),
              "");
    EXPECT_EQ(off->albumCount(), 10);
    EXPECT_EQ(off->albumCountOfGenre("Classical"), 3);

    auto on = library(true);
    EXPECT_EQ(folders(*on),
              (std::vector<std::string>{"C:\\M\\Seasons", "C:\\M\\Box", "C:\\M\\Live\\CD1",
                                        "C:\\M\\Live", "C:\\M\\Live\\CD2", "C:\\M\\A", "C:\\M\\B",
                                        "C:\\M\\B\\CD-ROM Extras"}));
    // The set's texts come from its songs disc by disc.
    const AlbumRecord& set = *on->albumAt(0);
    EXPECT_TRUE(set.discSet);
    EXPECT_EQ(titles(set), (std::vector<std::string>{"Spring", "Autumn", "Summer"}));
    EXPECT_EQ(set.title, "Seasons 1");
    EXPECT_EQ(set.year, 2001);
    EXPECT_EQ(set.artist, "Various Artists");
    EXPECT_EQ(set.genres, "Classical, Baroque");
    EXPECT_EQ(set.length, 300);
    EXPECT_EQ(on->albumAt(1)->title, "Nine");  // Disc 9 before Disc 10
    EXPECT_FALSE(on->albumAt(2)->discSet);     // Live holds a song: its discs stay apart
    EXPECT_EQ(on->albumAt(2)->songCount(), 2);
    EXPECT_EQ(on->albumCountOfGenre("Classical"), 2);
    EXPECT_EQ(on->albumWithFolder("C:\\M\\Seasons"), &set);
    EXPECT_EQ(on->albumWithFolder("C:\\M\\Live"), on->albumAt(3));
    // A set whose songs left the song order splits all the same.
    auto dropped = emptyCatalogue();
    dropped->setJoinDiscFolders(true);
    dropped->addSong(song({.fileName = "C:\\S\\CD1\\1.mp3"}));
    dropped->removeSongAt(0);
    dropped->addSong(song({.fileName = "C:\\S\\2.mp3"}));
    EXPECT_EQ(folders(*dropped), (std::vector<std::string>{"C:\\S\\CD1", "C:\\S"}));

    // A view shows the set as the library does, and finds it by any song.
    auto view = searchCatalogue(*on, "", "", 0, false);
    ASSERT_EQ(view->shownCount(), 8);
    ASSERT_EQ(view->shownAlbumAt(7)->folder, "C:\\M\\Seasons");
    AlbumRecord& shown = *view->shownAlbumAt(7);
    EXPECT_EQ(titles(shown), (std::vector<std::string>{"Spring", "Autumn", "Summer"}));
    EXPECT_EQ(shown.title, "Seasons 1");
    EXPECT_EQ(shown.genres, "Classical, Baroque");
    EXPECT_EQ(view->albumCountOfGenre("Classical"), 2);
    auto found = searchCatalogue(*on, "summer", "", 0, false);
    ASSERT_EQ(found->shownCount(), 1);
    EXPECT_EQ(found->shownAlbumAt(0)->title, "Seasons 2");

    // By track, disc by disc in either direction.
    const int track = static_cast<int>(SongColumn::Track);
    sortAlbumSongs(shown, track, true);
    EXPECT_EQ(titles(shown), (std::vector<std::string>{"Summer", "Autumn", "Spring"}));
    sortAlbumSongs(shown, track, false);
    EXPECT_EQ(titles(shown), (std::vector<std::string>{"Spring", "Autumn", "Summer"}));
}
