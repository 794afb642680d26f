#include "catalogue/song_record.h"

#include <climits>

namespace {

std::string textOrEmpty(const char* text) {
    return text ? std::string(text) : std::string();
}

bool isCSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// The leading decimal integer as atoi reads it, saturated instead of
// overflowing: hostile INI or tag values must not be undefined behaviour.
long leadingInteger(const char* text) {
    while (isCSpace(*text)) ++text;
    bool negative = false;
    if (*text == '+' || *text == '-') negative = *text++ == '-';
    long value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        if (value < LONG_MAX / 10) value = value * 10 + (*text - '0');
    }
    return negative ? -value : value;
}

}  // namespace

std::string ratingStarsFor(const char* ratingValue) {
    if (!ratingValue) return {};
    const long stars = leadingInteger(ratingValue);
    if (stars <= 0) return {};
    return std::string(static_cast<std::size_t>(stars < kMaxRatingStars ? stars : kMaxRatingStars),
                       '*');
}

std::unique_ptr<SongRecord> makeSongRecord(const char* artist, const char* title, const char* album,
                                           int32_t length, int32_t track, const char* genre,
                                           int32_t year, const char* fileName,
                                           const char* ratingValue) {
    auto song = std::make_unique<SongRecord>();
    song->artist = textOrEmpty(artist);
    song->title = textOrEmpty(title);
    song->album = textOrEmpty(album);
    song->length = length;
    song->track = track;
    song->genre = textOrEmpty(genre);
    song->year = year;
    song->fileName = textOrEmpty(fileName);
    song->ratingStars = ratingStarsFor(ratingValue);
    return song;
}
