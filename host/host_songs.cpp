#include "host/host_songs.h"

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace coverhall::host {
namespace {

enum Column {
    kFilename,
    kTitle,
    kAlbum,
    kArtist,
    kGenre,
    kYear,
    kTrack,
    kLength,
    kRating,
    kComment
};
constexpr int kColumnCount = 10;

std::vector<std::string> splitTabs(const std::string& line) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;) {
        size_t tab = line.find('\t', start);
        if (tab == std::string::npos) {
            fields.push_back(line.substr(start));
            return fields;
        }
        fields.push_back(line.substr(start, tab - start));
        start = tab + 1;
    }
}

std::optional<std::string> textField(const std::vector<std::string>& fields, int column) {
    if (column >= static_cast<int>(fields.size()) || fields[column] == kAbsentText) {
        return std::nullopt;
    }
    return fields[column];
}

// Like atoi, but never overflows: out-of-range numbers read as 0.
int numberField(const std::vector<std::string>& fields, int column) {
    if (column >= static_cast<int>(fields.size())) return 0;
    const std::string& text = fields[column];
    char* end = nullptr;
    long long value = std::strtoll(text.c_str(), &end, 10);
    if (end == text.c_str() || value < INT32_MIN || value > INT32_MAX) return 0;
    return static_cast<int>(value);
}

bool isHeader(const std::string& line) {
    return line.compare(0, 9, "filename\t") == 0 || line == "filename";
}

std::string oneLine(const std::string& text) {
    std::string out = text;
    for (char& c : out) {
        if (c == '\t' || c == '\n' || c == '\r') c = ' ';
    }
    return out;
}

std::string formatText(const std::optional<std::string>& text) {
    return text ? oneLine(*text) : kAbsentText;
}

bool equalsIgnoringCase(const std::string& a, const char* b) {
    size_t i = 0;
    for (; i < a.size() && b[i]; ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return i == a.size() && !b[i];
}

}  // namespace

std::vector<HostSong> parseLibraryText(const std::string& text) {
    std::vector<HostSong> songs;
    std::istringstream input(text);
    std::string line;
    bool first = true;
    while (std::getline(input, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        bool header = first && isHeader(line);
        first = false;
        if (header || line.empty() || line[0] == '#') continue;
        std::vector<std::string> fields = splitTabs(line);
        HostSong song;
        song.filename = textField(fields, kFilename);
        song.title = textField(fields, kTitle);
        song.album = textField(fields, kAlbum);
        song.artist = textField(fields, kArtist);
        song.genre = textField(fields, kGenre);
        song.comment = textField(fields, kComment);
        song.year = numberField(fields, kYear);
        song.track = numberField(fields, kTrack);
        song.length = numberField(fields, kLength);
        if (kRating < static_cast<int>(fields.size()) && !fields[kRating].empty() &&
            fields[kRating] != kAbsentText) {
            song.extendedInfo.emplace_back("RATING", fields[kRating]);
        }
        songs.push_back(std::move(song));
    }
    return songs;
}

std::string formatLibraryText(const std::vector<HostSong>& songs) {
    std::string out;
    for (int i = 0; i < kColumnCount; ++i) {
        out += kLibraryColumns[i];
        out += i + 1 < kColumnCount ? '\t' : '\n';
    }
    for (const HostSong& song : songs) {
        std::optional<std::string> rating = ratingOf(song);
        out += formatText(song.filename) + '\t' + formatText(song.title) + '\t' +
               formatText(song.album) + '\t' + formatText(song.artist) + '\t' +
               formatText(song.genre) + '\t' + std::to_string(song.year) + '\t' +
               std::to_string(song.track) + '\t' + std::to_string(song.length) + '\t' +
               (rating ? oneLine(*rating) : std::string()) + '\t' + formatText(song.comment) + '\n';
    }
    return out;
}

bool readLibraryFile(const std::string& path, std::vector<HostSong>& songs) {
    songs.clear();
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    std::ostringstream text;
    text << file.rdbuf();
    songs = parseLibraryText(text.str());
    return true;
}

bool writeLibraryFile(const std::string& path, const std::vector<HostSong>& songs) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file) return false;
    file << formatLibraryText(songs);
    return static_cast<bool>(file.flush());
}

std::optional<std::string> ratingOf(const HostSong& song) {
    for (const auto& [name, value] : song.extendedInfo) {
        if (equalsIgnoringCase(name, "RATING")) return value;
    }
    return std::nullopt;
}

}  // namespace coverhall::host
