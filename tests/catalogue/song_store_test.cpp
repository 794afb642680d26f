// Song texts and the store that owns a catalogue's songs.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "catalogue/song_store.h"
#include "catalogue/text_arena.h"
#include "tests/catalogue/catalogue_fixture.h"

namespace {

HostSong hostSong(const char* artist, const char* album, const char* genre, const char* file) {
    return {artist, "Title", album, 60, 1, genre, 2001, file, "3"};
}

TEST(SongText, NullIsEmptyAndComparesByBytes) {
    const SongText none(nullptr);
    EXPECT_TRUE(none.empty());
    EXPECT_STREQ(none.c_str(), "");
    EXPECT_EQ(none, "");
    const std::string owned = "Abc";
    const SongText text(owned.c_str());
    EXPECT_EQ(text.size(), 3u);
    EXPECT_EQ(text, "Abc");
    EXPECT_EQ(text, owned);
    EXPECT_NE(text, "abc");
    EXPECT_NE(text, "Ab");
    EXPECT_EQ(text, SongText("Abc"));
    EXPECT_NE(SongText("Abd"), text);
}

// The word-at-a-time length and equality of Windows builds, at every
// alignment and length around a word, against the C library's.
TEST(SongText, WordLoopsAgreeWithTheCLibraryAtEveryAlignment) {
    alignas(8) char buffer[64];
    for (int start = 0; start < 8; ++start) {
        for (int length = 0; length < 24; ++length) {
            std::memset(buffer, 'x', sizeof buffer);
            buffer[start + length] = '\0';
            ASSERT_EQ(song_text_detail::wordTextLength(buffer + start), std::strlen(buffer + start))
                << start << " " << length;
        }
    }
    const std::string a = "0123456789abcdefghij", b = a;
    for (std::size_t size = 0; size <= a.size(); ++size) {
        std::string changed = b.substr(0, size);
        EXPECT_TRUE(song_text_detail::wordSameText(a.substr(0, size), changed));
        for (std::size_t at = 0; at < size; ++at) {
            changed[at] = '#';
            EXPECT_FALSE(song_text_detail::wordSameText(a.substr(0, size), changed))
                << size << " " << at;
            changed[at] = b[at];
        }
        if (size < a.size()) {
            EXPECT_FALSE(song_text_detail::wordSameText(a.substr(0, size), a.substr(0, size + 1)));
        }
    }
}

TEST(TextArena, CopiesAreTerminatedAndStayWhereTheyAre) {
    TextArena arena;
    std::vector<SongText> copies;
    std::vector<std::string> originals;
    // Enough to need many blocks, with a few texts longer than a block.
    for (int i = 0; i < 20000; ++i) {
        originals.push_back("text " + std::to_string(i) + std::string(i % 97, 'x'));
        if (i % 5000 == 1) originals.back() += std::string(300000, 'L');
        copies.push_back(arena.copy(originals.back()));
    }
    for (std::size_t i = 0; i < copies.size(); ++i) {
        ASSERT_EQ(copies[i], originals[i]);
        ASSERT_EQ(copies[i].c_str()[copies[i].size()], '\0');
    }
    EXPECT_GE(arena.capacity(), 4 * 300000u);
    arena.clear();
    EXPECT_EQ(arena.capacity(), 0u);
    EXPECT_EQ(arena.copy("again"), "again");
}

TEST(TextArena, EmptyTextsTakeNoRoom) {
    TextArena arena;
    EXPECT_TRUE(arena.copy("").empty());
    EXPECT_STREQ(arena.copy(std::string_view()).c_str(), "");
    EXPECT_EQ(arena.capacity(), 0u);
}

TEST(SongStore, CopiesTheHostsTextsAndTakesNullAsEmpty) {
    SongStore store;
    std::string artist = "Artist", file = "C:\\A\\1.mp3";
    const SongRecord* song = store.add(hostSong(artist.c_str(), "Album", "Rock", file.c_str()));
    // The host's buffers are reused for the next item.
    artist.assign("Changed");
    file.assign("C:\\Z\\9.mp3");
    EXPECT_EQ(song->artist, "Artist");
    EXPECT_EQ(song->fileName, "C:\\A\\1.mp3");
    EXPECT_EQ(song->ratingStars, "***");
    EXPECT_EQ(song->year, 2001);

    const SongRecord* bare = store.add(HostSong{});
    EXPECT_TRUE(bare->artist.empty() && bare->title.empty() && bare->album.empty());
    EXPECT_TRUE(bare->genre.empty() && bare->fileName.empty() && bare->ratingStars.empty());
    EXPECT_STREQ(bare->fileName.c_str(), "");
    EXPECT_EQ(store.size(), 2u);
}

TEST(SongStore, RepeatedTextsAreSharedAndRecordsNeverMove) {
    SongStore store;
    std::vector<const SongRecord*> songs;
    for (int i = 0; i < 10000; ++i) {
        const std::string file = "C:\\F" + std::to_string(i / 10) + "\\s.mp3";
        const char* genre = i % 3 ? "Pop" : "Jazz";
        songs.push_back(store.add(hostSong("Same", "One", genre, file.c_str())));
    }
    for (int i = 1; i < 10000; ++i) {
        ASSERT_EQ(songs[i]->artist.data(), songs[0]->artist.data());
        ASSERT_EQ(songs[i]->album.data(), songs[0]->album.data());
        ASSERT_EQ(songs[i]->genre.data(), songs[i % 3 ? 1 : 0]->genre.data());
        ASSERT_EQ(songs[i]->fileName, "C:\\F" + std::to_string(i / 10) + "\\s.mp3");
    }
    store.clear();
    EXPECT_EQ(store.size(), 0u);
    EXPECT_EQ(store.add(hostSong("New", "Two", "Pop", "C:\\x"))->artist, "New");
}

TEST(SongStore, StarsOtherThanTheRatingsAreCopied) {
    SongStore store;
    SongRecord song;
    std::string stars = "**x";
    song.ratingStars = SongText(stars.c_str());
    const SongRecord* kept = store.add(song);
    stars.assign("zzz");
    EXPECT_EQ(kept->ratingStars, "**x");
    std::string rating = "**";
    song.ratingStars = SongText(rating.c_str());
    kept = store.add(song);
    rating.assign("zz");
    EXPECT_EQ(kept->ratingStars, "**");
}

TEST(AlbumCatalogue, HostSongsFileLikeStandaloneOnes) {
    auto host = emptyCatalogue();
    auto made = emptyCatalogue();
    const HostSong songs[] = {
        hostSong("A", "X", "Rock", "C:\\1\\a"), hostSong("B", "X", "Pop", "C:\\1\\b"),
        hostSong(nullptr, nullptr, nullptr, nullptr), hostSong("A", "Y", "Rock", "C:\\2\\a")};
    for (const HostSong& s : songs) {
        host->addSong(s);
        made->addSong(std::make_unique<StandaloneSong>(s));
    }
    ASSERT_EQ(host->albumCount(), made->albumCount());
    for (int i = 0; i < host->albumCount(); ++i) {
        EXPECT_EQ(host->albumAt(i)->artist, made->albumAt(i)->artist);
        EXPECT_EQ(host->albumAt(i)->genres, made->albumAt(i)->genres);
        EXPECT_EQ(host->albumAt(i)->songCount(), made->albumAt(i)->songCount());
    }
    EXPECT_EQ(host->genreNames(), made->genreNames());
    EXPECT_EQ(host->albumAt(0)->artist, kVariousArtists);
}

}  // namespace
