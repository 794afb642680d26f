// The songs of the stand-in Media Library and the library file that holds
// them. Platform-free: the file format is plain text (see host/README.md).
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace coverhall::host {

// One song as the host's database holds it. An absent text (std::nullopt)
// reaches the plug-in as a null pointer, which the real host does too.
struct HostSong {
    std::optional<std::string> filename;
    std::optional<std::string> title;
    std::optional<std::string> album;
    std::optional<std::string> artist;
    std::optional<std::string> comment;
    std::optional<std::string> genre;
    int year = 0;
    int track = 0;
    int length = 0;  // seconds
    // Extended entries in order, e.g. {"RATING", "3"}.
    std::vector<std::pair<std::string, std::string>> extendedInfo;
};

// A song as the plug-in handed it over (play request, drop, sent list).
// Every field is recorded; a null text is recorded as "" and noted in
// nullTexts (bit 0 filename ... bit 5 genre, in record order).
struct PlayedSong {
    std::string filename;
    std::string title;
    std::string album;
    std::string artist;
    std::string comment;
    std::string genre;
    int year = 0;
    int track = 0;
    int length = 0;
    bool hasExtendedInfo = false;
    unsigned nullTexts = 0;
};

// Columns of the library file, in order.
inline constexpr const char* kLibraryColumns[] = {
    "filename", "title", "album", "artist", "genre", "year", "track", "length", "rating", "comment",
};
inline constexpr const char* kAbsentText = "\\N";

// Parses a library file's text. Unreadable numbers read as 0, short lines get
// absent texts for the missing columns, a line without a file name column is
// skipped; nothing here fails.
std::vector<HostSong> parseLibraryText(const std::string& text);

// Writes songs in the same format. Tabs and line breaks inside texts become
// spaces so that every song stays one line.
std::string formatLibraryText(const std::vector<HostSong>& songs);

// Reads the file; false when it cannot be opened (songs is then empty).
bool readLibraryFile(const std::string& path, std::vector<HostSong>& songs);
bool writeLibraryFile(const std::string& path, const std::vector<HostSong>& songs);

// The value of the "RATING" entry (name compared without regard to case), or
// nullopt when the song has none.
std::optional<std::string> ratingOf(const HostSong& song);

}  // namespace coverhall::host
