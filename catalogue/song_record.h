// One song of the library, as the host's database returned it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "catalogue/song_text.h"

// Texts the host did not carry are empty. The texts are borrowed: a catalogue
// keeps the songs it owns, and their texts, at one address for its whole
// life, so albums and views may point at them.
struct SongRecord {
    SongText artist;
    SongText title;
    SongText album;
    int32_t length = 0;  // seconds
    int32_t track = 0;
    SongText genre;
    int32_t year = 0;
    SongText fileName;
    SongText ratingStars;  // 0 to kMaxRatingStars '*'
};

constexpr int kMaxRatingStars = 7;

// The rating text for the value of an item's "RATING" entry: as many '*' as
// its leading decimal integer, at most kMaxRatingStars. A null value (no
// entry), a negative or a non-numeric value gives the empty text.
std::string ratingStarsFor(const char* ratingValue);
// The same text, from a constant: it needs no copy.
SongText ratingStarsText(const char* ratingValue);
// The text of that many stars (0 to kMaxRatingStars), from the same constant.
SongText starsText(int stars);

// A song as the host hands it over; any text may be null.
struct HostSong {
    const char* artist;
    const char* title;
    const char* album;
    int32_t length;
    int32_t track;
    const char* genre;
    int32_t year;
    const char* fileName;
    const char* ratingValue;  // the "RATING" entry
};

// A song outside any catalogue with its own copies of the texts, for songs
// made before they are added. A catalogue adding it copies it again.
class StandaloneSong : public SongRecord {
  public:
    explicit StandaloneSong(const HostSong& host);
    // The record's texts point into this object.
    StandaloneSong(const StandaloneSong&) = delete;
    StandaloneSong& operator=(const StandaloneSong&) = delete;

    SongRecord& record() { return *this; }
    const SongRecord& record() const { return *this; }

  private:
    std::string texts_;  // each text followed by a zero byte
};

std::unique_ptr<StandaloneSong> makeSongRecord(const char* artist, const char* title,
                                               const char* album, int32_t length, int32_t track,
                                               const char* genre, int32_t year,
                                               const char* fileName, const char* ratingValue);
