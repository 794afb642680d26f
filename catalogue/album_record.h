// One album: the songs that lie in one folder.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "catalogue/album_text.h"

struct SongRecord;

// The artist of an album whose songs name different artists.
inline constexpr char kVariousArtists[] = "Various Artists";
// How the empty genre is named to the user, and the genre restriction that
// selects the albums with an empty genre list.
inline constexpr char kUnknownGenre[] = "Unknown";

// Artist and title are borrowed from the album's first song (or are "Various
// Artists"), never copied per album, and end with a zero byte.
struct AlbumRecord {
    // The first song's artist, or "Various Artists" once a song of another
    // artist (byte for byte) joined; it then stays so.
    std::string_view artist;
    // The first song's album text; later songs never change it.
    std::string_view title;
    // Sum of the songs' lengths in seconds; 64 bits so no library overflows.
    int64_t length = 0;
    // The first song's genre, then every further distinct genre after ", ".
    AlbumText genres;
    int32_t year = 0;
    // Bytes the catalogue set aside for `genres` where it lies, so that
    // further genres are written after it in place; 0 when it has none.
    uint32_t genresRoom = 0;
    // The key: the first song's folder (folderOfFile), no trailing backslash;
    // for a disc set, the folder that holds its disc folders.
    AlbumText folder;
    // Borrowed songs, in order of adding until a song sort reorders them; a
    // disc set's disc by disc, each disc's in order of adding.
    std::vector<SongRecord*> songs;
    // Creation number within its catalogue: albums that sort equal keep
    // this order whatever order they had before.
    int32_t serial = 0;
    // Set by a song sort: the songs are no longer in the order of adding.
    bool songsResorted = false;
    // The songs of the disc folders (CD1, CD2 ...) of one folder, joined.
    bool discSet = false;

    int songCount() const { return static_cast<int>(songs.size()); }
};
