#include "catalogue/search_index.h"

#include "catalogue/song_record.h"
#include "catalogue/text_functions.h"

namespace {

constexpr std::size_t kMaxText = UINT32_MAX;

}  // namespace

void SearchIndex::reserveFor(const std::vector<SongRecord*>& songs) {
    std::size_t bytes = 0;
    SongText album, artist;
    for (std::size_t i = 0; i < songs.size(); ++i) {
        const SongRecord& song = *songs[i];
        if (i == 0 || song.album != album || song.artist != artist) {
            album = song.album;
            artist = song.artist;
            bytes += album.size() + artist.size() + 2;
        }
        bytes += song.title.size() + 1;
    }
    text_.reserve(std::min(text_.size() + bytes, kMaxText));
    titleStarts_.reserve(titleStarts_.size() + songs.size());
}

void SearchIndex::appendFolded(SongText field) {
    if (text_.size() + field.size() + 1 > kMaxText) field = SongText();
    if (text_.size() + 1 > kMaxText) return;
    for (char c : field) text_.push_back(asciiLower(c));
    text_.push_back('\0');
}

void SearchIndex::append(const SongRecord& song) {
    if (runs_.empty() || song.album != lastAlbum_ || song.artist != lastArtist_) {
        runs_.push_back(
            {static_cast<uint32_t>(text_.size()), static_cast<uint32_t>(titleStarts_.size())});
        appendFolded(song.album);
        appendFolded(song.artist);
        lastAlbum_ = song.album;
        lastArtist_ = song.artist;
    }
    titleStarts_.push_back(static_cast<uint32_t>(text_.size()));
    appendFolded(song.title);
}

void SearchIndex::clear() {
    text_.clear();
    text_.shrink_to_fit();
    titleStarts_.clear();
    titleStarts_.shrink_to_fit();
    runs_.clear();
    runs_.shrink_to_fit();
    lastAlbum_ = SongText();
    lastArtist_ = SongText();
}

std::size_t SearchIndex::runAt(std::size_t offset, std::size_t from) const {
    // Most often the match lies in the run the scan started in.
    if (from + 1 == runs_.size() || runs_[from + 1].headerStart > offset) return from;
    return static_cast<std::size_t>(
        std::upper_bound(runs_.begin() + static_cast<std::ptrdiff_t>(from), runs_.end(), offset,
                         [](std::size_t at, const Run& run) { return at < run.headerStart; }) -
        runs_.begin() - 1);
}

std::size_t SearchIndex::runEnd(std::size_t run) const {
    return run + 1 < runs_.size() ? runs_[run + 1].firstSong : titleStarts_.size();
}

std::size_t SearchIndex::textEnd(std::size_t song, std::size_t run) const {
    if (song + 1 < runEnd(run)) return titleStarts_[song + 1];
    return run + 1 < runs_.size() ? runs_[run + 1].headerStart : text_.size();
}

bool SearchIndex::holdsOthers(const std::vector<std::string>& words, std::string_view header,
                              std::string_view title) const {
    for (std::size_t i = 1; i < words.size(); ++i) {
        if (findWord(header, words[i]) == std::string_view::npos &&
            findWord(title, words[i]) == std::string_view::npos) {
            return false;
        }
    }
    return true;
}
