// What the demo library holds: albums in folders with their tracks and cover
// files, and the synthetic large libraries for benchmarks. Deterministic:
// the same arguments always give the same library.
#pragma once

#include "host/host_songs.h"

#include <string>
#include <vector>

namespace coverhall::tools {

struct DemoTrack {
    std::string title;
    std::string artist;  // the album artist when empty
    int length = 0;
    std::string rating;  // "" for no RATING entry
};

struct DemoImage {
    // Relative to the album folder: "cover.jpg", "Scans\\front.jpg" or, for
    // one disc of an album, "..\\cover.jpg" in the album's parent folder.
    std::string fileName;
    int size = 0;  // pixels, square
};

struct DemoAlbum {
    std::string folder;  // below the library folder
    std::string artist;
    std::string album;
    std::string genre;
    int year = 0;
    std::vector<DemoImage> images;
    std::vector<DemoTrack> tracks;
    int firstTrack = 1;
    // The front cover is stored inside every track's tag instead of a file.
    bool picturesInSongs = false;
};

std::vector<DemoAlbum> demoAlbums();

// The library's songs for the albums below root (a Windows folder path).
std::vector<host::HostSong> demoSongs(const std::vector<DemoAlbum>& albums,
                                      const std::string& root);

// songs spread over folders (at least 1) with artists, genres, years and
// ratings from a fixed generator; the files do not exist.
std::vector<host::HostSong> largeLibrary(const std::string& root, int songs, int folders);

// "01 - Title.mp3" with characters Windows forbids in names replaced.
std::string trackFileName(int track, const std::string& title);

}  // namespace coverhall::tools
