// The library file: what a person writes by hand must load as expected, and
// any damage reads as absent texts and zero numbers.
#include "host/host_songs.h"

#include <gtest/gtest.h>

namespace coverhall::host {
namespace {

const char* const kHeader =
    "filename\ttitle\talbum\tartist\tgenre\tyear\ttrack\tlength\trating\tcomment\n";

TEST(LibraryFile, ReadsEveryColumnAndTheRating) {
    std::vector<HostSong> songs = parseLibraryText(
        std::string(kHeader) +
        "C:\\Music\\A\\01.mp3\tOne\tAlbum A\tThe Band\tRock, Pop\t1999\t1\t215\t3\tfirst\n");
    ASSERT_EQ(songs.size(), 1u);
    const HostSong& song = songs[0];
    EXPECT_EQ(song.filename, "C:\\Music\\A\\01.mp3");
    EXPECT_EQ(song.title, "One");
    EXPECT_EQ(song.album, "Album A");
    EXPECT_EQ(song.artist, "The Band");
    EXPECT_EQ(song.genre, "Rock, Pop");
    EXPECT_EQ(song.year, 1999);
    EXPECT_EQ(song.track, 1);
    EXPECT_EQ(song.length, 215);
    EXPECT_EQ(song.comment, "first");
    EXPECT_EQ(ratingOf(song), "3");
}

TEST(LibraryFile, AbsentTextsEmptyTextsAndNoRatingAreDistinct) {
    std::vector<HostSong> songs =
        parseLibraryText(std::string(kHeader) + "a.mp3\t\\N\t\t\\N\t\t0\t0\t0\t\t\\N\n");
    ASSERT_EQ(songs.size(), 1u);
    EXPECT_FALSE(songs[0].title.has_value());
    EXPECT_EQ(songs[0].album, "");
    EXPECT_FALSE(songs[0].artist.has_value());
    EXPECT_EQ(songs[0].genre, "");
    EXPECT_FALSE(songs[0].comment.has_value());
    EXPECT_FALSE(ratingOf(songs[0]).has_value());
    EXPECT_TRUE(songs[0].extendedInfo.empty());
}

TEST(LibraryFile, DamagedLinesFallBackWithoutFailing) {
    std::vector<HostSong> songs = parseLibraryText(
        "b.mp3\tonly a title\r\n"  // short line, no header, CRLF
        "\n"                       // empty line
        "# a comment line\n"       // skipped
        "c.mp3\tt\tal\tar\tg\tnot a year\t99999999999\t-5\tx\tc\textra\n");
    ASSERT_EQ(songs.size(), 2u);
    EXPECT_EQ(songs[0].filename, "b.mp3");
    EXPECT_EQ(songs[0].title, "only a title");
    EXPECT_FALSE(songs[0].album.has_value());
    EXPECT_EQ(songs[0].year, 0);
    EXPECT_EQ(songs[1].year, 0);   // not a number
    EXPECT_EQ(songs[1].track, 0);  // out of range
    EXPECT_EQ(songs[1].length, -5);
    EXPECT_EQ(ratingOf(songs[1]), "x");  // kept as the host would: the plug-in judges it
}

TEST(LibraryFile, HeaderIsOnlyRecognisedOnTheFirstLine) {
    std::vector<HostSong> songs = parseLibraryText(std::string(kHeader) + "filename\tt\n");
    ASSERT_EQ(songs.size(), 1u);
    EXPECT_EQ(songs[0].filename, "filename");
}

TEST(LibraryFile, FormatRoundTripsNullsHugeTextsAndFlattensLineBreaks) {
    HostSong song;
    song.filename = "d:\\x\\y.mp3";
    song.title = std::string(70000, 'T');
    song.album = std::nullopt;
    song.artist = "two\tparts\nand lines";
    song.genre = "";
    song.year = 2004;
    song.track = 7;
    song.length = 3600;
    song.extendedInfo = {{"rating", "5"}};
    std::vector<HostSong> back = parseLibraryText(formatLibraryText({song}));
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].title, song.title);
    EXPECT_FALSE(back[0].album.has_value());
    EXPECT_EQ(back[0].artist, "two parts and lines");
    EXPECT_EQ(back[0].genre, "");
    EXPECT_FALSE(back[0].comment.has_value());
    EXPECT_EQ(back[0].year, 2004);
    EXPECT_EQ(back[0].track, 7);
    EXPECT_EQ(back[0].length, 3600);
    // The rating entry is found regardless of case and comes back as "RATING".
    ASSERT_EQ(back[0].extendedInfo.size(), 1u);
    EXPECT_EQ(back[0].extendedInfo[0].first, "RATING");
    EXPECT_EQ(back[0].extendedInfo[0].second, "5");
}

TEST(LibraryFile, MissingFileReadsAsFailureWithNoSongs) {
    std::vector<HostSong> songs(3);
    EXPECT_FALSE(readLibraryFile("Z:\\no\\such\\folder\\library.tsv", songs));
    EXPECT_TRUE(songs.empty());
}

}  // namespace
}  // namespace coverhall::host
