// One album: the songs that lie in one folder.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct SongRecord;

extern const char kVariousArtists[];  // "Various Artists"

struct AlbumRecord {
    // The first song's artist, or "Various Artists" once a song of another
    // artist (byte for byte) joined; it then stays so.
    std::string artist;
    // The first song's album text; later songs never change it.
    std::string title;
    // Scratch text for the views' cover label, kept here so that the text
    // handed to a list control outlives the request that built it.
    std::string displayBuffer;
    // Sum of the songs' lengths in seconds; 64 bits so no library overflows.
    int64_t length = 0;
    // The first song's genre, then every further distinct genre after ", ".
    std::string genres;
    int32_t year = 0;
    // The key: the first song's folder (folderOfFile), no trailing backslash.
    std::string folder;
    // Borrowed songs, in order of adding until a song sort reorders them.
    std::vector<SongRecord*> songs;

    int songCount() const { return static_cast<int>(songs.size()); }
};
