// Songs and catalogues for the catalogue tests.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "catalogue/library_catalogue.h"
#include "catalogue/song_record.h"
#include "catalogue/view_catalogue.h"

struct SongSpec {
    const char* artist = "Artist";
    const char* title = "Title";
    const char* album = "Album";
    int length = 100;
    int track = 1;
    const char* genre = "Rock";
    int year = 2000;
    const char* fileName = "C:\\Music\\Album\\01.mp3";
};

inline std::unique_ptr<StandaloneSong> song(const SongSpec& s) {
    return makeSongRecord(s.artist, s.title, s.album, s.length, s.track, s.genre, s.year,
                          s.fileName, nullptr);
}

inline std::unique_ptr<LibraryCatalogue> emptyCatalogue() {
    return std::make_unique<LibraryCatalogue>(100, nullptr);
}

inline std::vector<std::string> shownTitles(const AlbumCatalogue& catalogue) {
    std::vector<std::string> titles;
    for (const AlbumRecord* album : catalogue.shownAlbums()) titles.emplace_back(album->title);
    return titles;
}
