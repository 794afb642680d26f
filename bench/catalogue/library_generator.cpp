#include "bench/catalogue/library_generator.h"

#include <cstdio>

namespace {

const char* const kTitleWords[] = {
    "Rain",  "Night",  "Dream", "Fire",   "River",   "Heart",  "Love",     "Stone",
    "Light", "Road",   "Blue",  "Summer", "Winter",  "Shadow", "Sky",      "Ocean",
    "Dance", "City",   "Train", "Moon",   "Star",    "Gold",   "Silver",   "Time",
    "Wind",  "Echo",   "Ghost", "Wild",   "Sweet",   "Black",  "White",    "Red",
    "Home",  "Street", "Angel", "Devil",  "Mirror",  "Glass",  "Paper",    "Storm",
    "Sun",   "Song",   "Radio", "Money",  "Queen",   "King",   "Girl",     "Boy",
    "Fever", "Magic",  "Dust",  "Smoke",  "Thunder", "Bridge", "Garden",   "Window",
    "Tiger", "Wolf",   "Bird",  "Rose",   "Sugar",   "Honey",  "Mountain", "Valley"};
constexpr int kTitleWordCount = sizeof kTitleWords / sizeof kTitleWords[0];
constexpr int kLoveWord = 6;

// Album titles avoid "Love" so that the searched word lies in titles only.
const char* albumWord(uint32_t h) {
    const int word = static_cast<int>(h % (kTitleWordCount - 1));
    return kTitleWords[word >= kLoveWord ? word + 1 : word];
}

const char* const kNameParts[] = {"Mar", "Kel", "Dor", "Vin", "Sab",  "Tor", "Fen", "Gal",
                                  "Rim", "Bex", "Nor", "Pav", "Quin", "Zed", "Hal", "Jun"};
const char* const kGenreWords[] = {"Rock",  "Pop",    "Jazz",    "Blues",     "Soul",  "Funk",
                                   "Metal", "Folk",   "Country", "Reggae",    "Punk",  "Disco",
                                   "House", "Techno", "Ambient", "Classical", "Opera", "Gospel",
                                   "Swing", "Ska",    "Grunge",  "Trance",    "Dub",   "Latin",
                                   "Salsa", "Tango",  "Samba",   "Indie",     "Emo",   "Lounge"};
constexpr int kGenres = 300;

uint32_t mix(uint32_t x) {
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}

void genreName(char* out, std::size_t size, uint32_t genre) {
    std::snprintf(out, size, "%s %u", kGenreWords[genre % 30], genre / 30);
}

}  // namespace

GeneratedItem ItemGenerator::item(int index) {
    const auto i = static_cast<uint32_t>(index);
    const uint32_t folder = i / kSongsPerFolder;
    const uint32_t h = mix(i), fh = mix(folder + 0x9e37U);
    const uint32_t artistId = fh % 4000;
    // Every 17th folder is a compilation: one artist per song.
    const uint32_t who = folder % 17 == 0 ? 4000 + h % 50 : artistId;
    std::snprintf(artist_, sizeof artist_, "%s%s%s %s", who % 5 == 0 ? "The " : "",
                  kNameParts[who % 16], kNameParts[(who / 16) % 16], kNameParts[(who / 256) % 16]);
    std::snprintf(album_, sizeof album_, "%s of the %s %u", albumWord(fh), albumWord(fh >> 8),
                  folder);
    std::snprintf(title_, sizeof title_, "%s %s", kTitleWords[h % kTitleWordCount],
                  kTitleWords[(h >> 8) % kTitleWordCount]);
    const uint32_t genre = fh % kGenres;
    if (h % 50 == 0) {
        genre_[0] = '\0';
    } else if (h % 20 == 1) {
        char first[32], second[32];
        genreName(first, sizeof first, genre);
        genreName(second, sizeof second, (genre + 7) % kGenres);
        std::snprintf(genre_, sizeof genre_, "%s, %s", first, second);
    } else {
        genreName(genre_, sizeof genre_, h % 7 == 0 ? (genre + 1) % kGenres : genre);
    }
    const int track = static_cast<int>(i % kSongsPerFolder) + 1;
    // Every tenth album is a set of two discs.
    const char* disc = folder % 10 != 5 ? "" : track <= kSongsPerFolder / 2 ? "\\CD1" : "\\CD2";
    std::snprintf(fileName_, sizeof fileName_, "D:\\Music\\%s\\%s%s\\%02d %s.mp3", artist_, album_,
                  disc, track, title_);
    return {artist_,   title_,
            album_,    genre_,
            fileName_, static_cast<int32_t>(120 + h % 300),
            track,     static_cast<int32_t>(1960 + folder % 60)};
}

GeneratedLibrary::GeneratedLibrary(int songs) {
    ItemGenerator generator;
    std::vector<std::size_t> offsets;
    offsets.reserve(static_cast<std::size_t>(songs) * 5);
    items_.reserve(static_cast<std::size_t>(songs));
    for (int i = 0; i < songs; ++i) {
        GeneratedItem item = generator.item(i);
        for (const char* text : {item.artist, item.title, item.album, item.genre, item.fileName}) {
            offsets.push_back(texts_.size());
            texts_.append(text).push_back('\0');
        }
        items_.push_back(item);
    }
    // Point at the block only once it has stopped growing.
    for (std::size_t i = 0; i < items_.size(); ++i) {
        const std::size_t* at = &offsets[i * 5];
        items_[i].artist = texts_.data() + at[0];
        items_[i].title = texts_.data() + at[1];
        items_[i].album = texts_.data() + at[2];
        items_[i].genre = texts_.data() + at[3];
        items_[i].fileName = texts_.data() + at[4];
    }
}
