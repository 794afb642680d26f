#include "catalogue/song_record.h"

#include <algorithm>
#include <climits>

namespace {

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

std::size_t starCount(const char* ratingValue) {
    if (!ratingValue) return 0;
    const long stars = leadingInteger(ratingValue);
    if (stars <= 0) return 0;
    return static_cast<std::size_t>(stars < kMaxRatingStars ? stars : kMaxRatingStars);
}

constexpr char kStars[] = "*******";
static_assert(sizeof kStars == kMaxRatingStars + 1);

}  // namespace

std::string ratingStarsFor(const char* ratingValue) {
    return std::string(starCount(ratingValue), '*');
}

SongText ratingStarsText(const char* ratingValue) {
    return starsText(static_cast<int>(starCount(ratingValue)));
}

SongText starsText(int stars) {
    // A tail of the constant: that many stars and its zero byte.
    const auto count = static_cast<std::size_t>(stars < 0 ? 0 : std::min(stars, kMaxRatingStars));
    return SongText::terminated(kStars + kMaxRatingStars - count, count);
}

StandaloneSong::StandaloneSong(const HostSong& host) {
    const char* texts[] = {host.artist, host.title, host.album, host.genre, host.fileName};
    SongText SongRecord::*fields[] = {&SongRecord::artist, &SongRecord::title, &SongRecord::album,
                                      &SongRecord::genre, &SongRecord::fileName};
    std::size_t offsets[5];
    for (int i = 0; i < 5; ++i) {
        offsets[i] = texts_.size();
        if (texts[i]) texts_ += texts[i];
        texts_.push_back('\0');
    }
    // The block is complete: views into it stay valid.
    for (int i = 0; i < 5; ++i) {
        const std::size_t end = i + 1 < 5 ? offsets[i + 1] - 1 : texts_.size() - 1;
        this->*fields[i] = SongText::terminated(texts_.data() + offsets[i], end - offsets[i]);
    }
    length = host.length;
    track = host.track;
    year = host.year;
    ratingStars = ratingStarsText(host.ratingValue);
}

std::unique_ptr<StandaloneSong> makeSongRecord(const char* artist, const char* title,
                                               const char* album, int32_t length, int32_t track,
                                               const char* genre, int32_t year,
                                               const char* fileName, const char* ratingValue) {
    return std::make_unique<StandaloneSong>(
        HostSong{artist, title, album, length, track, genre, year, fileName, ratingValue});
}
