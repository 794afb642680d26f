// A generated library for the benchmarks: 10 songs per album, "The ..."
// artists, about 300 genres plus some multi-genre texts, a few mixed-artist
// albums, one album in ten split into the disc folders CD1 and CD2, and
// titles in which the word "love" occurs in a few percent.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct GeneratedItem {
    const char* artist;
    const char* title;
    const char* album;
    const char* genre;
    const char* fileName;
    int32_t length;
    int32_t track;
    int32_t year;
};

constexpr int kSongsPerFolder = 10;

// Texts of song i, valid until the next call on the same generator.
class ItemGenerator {
  public:
    GeneratedItem item(int index);

  private:
    char artist_[64], title_[64], album_[64], genre_[80], fileName_[256];  // genre: two names
};

// Every item of a library of `songs` songs, with texts in one block.
class GeneratedLibrary {
  public:
    explicit GeneratedLibrary(int songs);
    const std::vector<GeneratedItem>& items() const { return items_; }

  private:
    std::string texts_;
    std::vector<GeneratedItem> items_;
};
