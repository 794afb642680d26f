// One song of the library, as the host's database returned it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

// Texts the host did not carry are empty. A catalogue that owns a song keeps
// it at one address for its whole life, so albums and views may point at it.
struct SongRecord {
    std::string artist;
    std::string title;
    std::string album;
    int32_t length = 0;  // seconds
    int32_t track = 0;
    std::string genre;
    int32_t year = 0;
    std::string fileName;
    std::string ratingStars;  // 0 to kMaxRatingStars '*'
};

constexpr int kMaxRatingStars = 7;

// The rating text for the value of an item's "RATING" entry: as many '*' as
// its leading decimal integer, at most kMaxRatingStars. A null value (no
// entry), a negative or a non-numeric value gives the empty text.
std::string ratingStarsFor(const char* ratingValue);

// Makes a song from the host's texts; any of them may be null.
std::unique_ptr<SongRecord> makeSongRecord(const char* artist, const char* title, const char* album,
                                           int32_t length, int32_t track, const char* genre,
                                           int32_t year, const char* fileName,
                                           const char* ratingValue);
