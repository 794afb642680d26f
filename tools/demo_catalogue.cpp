#include "tools/demo_catalogue.h"

#include <cstdio>

namespace coverhall::tools {
namespace {

std::vector<DemoTrack> tracks(std::initializer_list<const char*> titles, int seed) {
    std::vector<DemoTrack> list;
    int i = 0;
    for (const char* title : titles) {
        DemoTrack track;
        track.title = title;
        track.length = 150 + (seed * 37 + i * 53) % 210;
        // Some tracks rated 1 to 5 stars, others without a rating.
        int r = (seed + i * 3) % 7;
        track.rating = r < 5 ? std::to_string(r + 1) : "";
        list.push_back(track);
        ++i;
    }
    return list;
}

}  // namespace

std::vector<DemoAlbum> demoAlbums() {
    std::vector<DemoAlbum> albums;
    auto add = [&](const char* folder, const char* artist, const char* album, const char* genre,
                   int year, std::vector<DemoImage> images, std::vector<DemoTrack> list) {
        albums.push_back(
            {folder, artist, album, genre, year, std::move(images), std::move(list), 1});
    };
    add("The Beatniks - Sunday Papers", "The Beatniks", "Sunday Papers", "Rock", 1966,
        {{"cover.jpg", 600}},
        tracks({"Paper Boy", "Rainy Crossing", "Tea At Four", "Hold The Line", "Late Edition"}, 1));
    add("Aurora Vale - Northern Lights", "Aurora Vale", "Northern Lights", "Ambient", 2003,
        {{"folder.png", 500}},
        tracks({"First Glow", "Magnetic North", "Polar Drift", "Silence"}, 2));
    add("The Lumens - Glass Houses", "The Lumens", "Glass Houses", "Rock, Pop", 1981,
        {{"front.gif", 300}},
        tracks({"Stones", "Window Light", "Reflections", "Brittle", "Shatterproof", "Glaze"}, 3));
    add("Marta Kell - Quiet Rooms", "Marta Kell", "Quiet Rooms", "Jazz", 1998, {{"COVER.JPG", 400}},
        tracks({"Hallway", "Blue Study", "The Attic", "Night Kitchen"}, 4));
    add("Dust Parade - Low Country", "Dust Parade", "Low Country", "Country", 1974, {},
        tracks({"Dry Creek", "Barn Dance", "Long Road Home"}, 5));
    albums.back().picturesInSongs = true;
    add("Summer Hits 1999", "", "Summer Hits 1999", "Pop", 1999, {{"cover.bmp", 200}}, {});
    {
        DemoAlbum& hits = albums.back();
        const char* artists[] = {"Kiko Rai", "The Lumens", "Sunny Days", "DJ Marlow",
                                 "Aurora Vale"};
        const char* titles[] = {"Beach Signal", "Heatwave", "Ice Cream Truck", "Boardwalk", "Salt"};
        for (int i = 0; i < 5; ++i) {
            hits.tracks.push_back({titles[i], artists[i], 190 + i * 17, i % 2 ? "" : "4"});
        }
    }
    // One cover in the folder above the two disc folders.
    add("Orchestra Nova - The Four Seasons\\Disc 1", "Orchestra Nova", "The Four Seasons",
        "Classical", 1988, {{"..\\cover.jpg", 640}},
        tracks({"Spring I. Allegro", "Spring II. Largo", "Spring III. Allegro", "Summer I",
                "Summer II", "Summer III"},
               6));
    add("Orchestra Nova - The Four Seasons\\Disc 2", "Orchestra Nova", "The Four Seasons",
        "Classical", 1988, {},
        tracks({"Autumn I", "Autumn II", "Autumn III", "Winter I", "Winter II", "Winter III"}, 7));
    albums.back().firstTrack = 7;
    add("Unknown Tapes", "Nobody Known", "Unknown Tapes", "", 0, {},
        tracks({"Tape A", "Tape B", "Tape C"}, 8));
    add("The Hollow Pines - Timber", "The Hollow Pines", "Timber", "Folk", 2011,
        {{"cover.png", 500}, {"back.jpg", 500}},
        tracks({"Axe And Oak", "Sawdust", "Clearing", "Ring Count", "Sapling"}, 9));
    add("Kiko Rai - Neon Harbor", "Kiko Rai", "Neon Harbor", "Electronic", 2015,
        {{"front.gif", 350}}, tracks({"Dock Lights", "Ferry", "Sodium", "Tide Table"}, 10));
    add("Sol Meridian - Tidal", "Sol Meridian", "Tidal", "Electronic", 2008,
        {{"cover.jpg", 1200}, {"inlay.png", 300}},
        tracks({"Ebb", "Flow", "Undertow", "Swell"}, 11));
    add("Benny Arlo Trio - Late Set", "Benny Arlo Trio", "Late Set", "Jazz", 1959,
        {{"cover.bmp", 300}}, tracks({"Last Call", "Smoke Rings", "Brushes", "Closing Time"}, 12));
    add("Anna Torv - Letters", "Anna Torv", "Letters", "Singer/Songwriter", 2019,
        {{"Scans\\front.jpg", 450}, {"Scans\\back.jpg", 450}},
        tracks({"Dear You", "Postmark", "Return To Sender"}, 13));
    return albums;
}

std::string trackFileName(int track, const std::string& title) {
    char number[16];
    std::snprintf(number, sizeof number, "%02d - ", track);
    std::string name = number;
    for (char c : title) name += std::string("\\/:*?\"<>|").find(c) == std::string::npos ? c : '_';
    return name + ".mp3";
}

std::vector<host::HostSong> demoSongs(const std::vector<DemoAlbum>& albums,
                                      const std::string& root) {
    std::vector<host::HostSong> songs;
    for (const DemoAlbum& album : albums) {
        int number = album.firstTrack;
        for (const DemoTrack& track : album.tracks) {
            host::HostSong song;
            song.filename = root + "\\" + album.folder + "\\" + trackFileName(number, track.title);
            song.title = track.title;
            song.album = album.album;
            song.artist = track.artist.empty() ? album.artist : track.artist;
            song.genre = album.genre;
            song.year = album.year;
            song.track = number;
            song.length = track.length;
            song.comment = "demo";
            if (!track.rating.empty()) song.extendedInfo.emplace_back("RATING", track.rating);
            songs.push_back(std::move(song));
            ++number;
        }
    }
    return songs;
}

std::vector<host::HostSong> largeLibrary(const std::string& root, int songCount, int folders) {
    static const char* const kGenres[] = {
        "Rock",   "Pop",    "Jazz",      "Blues", "Classical",  "Electronic", "Folk",    "Country",
        "Metal",  "Punk",   "Reggae",    "Soul",  "Funk",       "Hip-Hop",    "Ambient", "Latin",
        "World",  "Gospel", "Rock, Pop", "",      "Soundtrack", "Disco",      "House",   "Techno",
        "Trance", "Ska",    "Swing",     "Opera", "Chanson",    "Indie"};
    constexpr int kGenreCount = sizeof kGenres / sizeof kGenres[0];
    std::vector<host::HostSong> songs;
    if (songCount <= 0) return songs;
    if (folders <= 0) folders = 1;
    songs.reserve(songCount);
    uint32_t state = 12345;
    auto next = [&state] {
        state = state * 1103515245u + 12345u;
        return (state >> 8) & 0xFFFFFF;
    };
    for (int i = 0; i < songCount; ++i) {
        const int folder = static_cast<int>(static_cast<long long>(i) * folders / songCount);
        const int track =
            i -
            static_cast<int>((static_cast<long long>(folder) * songCount + folders - 1) / folders) +
            1;
        char text[64];
        host::HostSong song;
        std::snprintf(text, sizeof text, "\\big\\folder%05d\\track%03d.mp3", folder, track);
        song.filename = root + text;
        std::snprintf(text, sizeof text, "Song %d", i + 1);
        song.title = text;
        std::snprintf(text, sizeof text, "Album %05d", folder);
        song.album = text;
        // One folder in eight is a compilation with an artist per song.
        std::snprintf(text, sizeof text, "%sArtist %04d", folder % 5 == 0 ? "The " : "",
                      folder % 8 == 7 ? static_cast<int>(next() % 2000) : folder % 2000);
        song.artist = text;
        song.genre = kGenres[folder % kGenreCount];
        song.year = 1950 + folder % 75;
        song.track = track;
        song.length = 90 + static_cast<int>(next() % 400);
        int rating = static_cast<int>(next() % 7);
        if (rating > 0) song.extendedInfo.emplace_back("RATING", std::to_string(rating - 1));
        songs.push_back(std::move(song));
    }
    return songs;
}

}  // namespace coverhall::tools
