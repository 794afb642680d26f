#include "catalogue/search_index.h"

#include <algorithm>

#include "catalogue/song_record.h"
#include "catalogue/text_functions.h"

namespace {

void appendFolded(std::string& out, std::string_view field) {
    for (char c : field) out.push_back(asciiLower(c));
    out.push_back('\0');
}

}  // namespace

void SearchIndex::reserveFor(const std::vector<SongRecord*>& songs) {
    std::size_t bytes = 0;
    for (const SongRecord* song : songs) {
        bytes += song->album.size() + song->artist.size() + song->title.size() + 3;
    }
    text_.reserve(text_.size() + bytes);
    starts_.reserve(starts_.size() + songs.size());
}

void SearchIndex::append(const SongRecord& song) {
    starts_.push_back(text_.size());
    appendFolded(text_, song.album);
    appendFolded(text_, song.artist);
    appendFolded(text_, song.title);
}

void SearchIndex::clear() {
    text_.clear();
    text_.shrink_to_fit();
    starts_.clear();
    starts_.shrink_to_fit();
}

std::string_view SearchIndex::entry(std::size_t song) const {
    const std::size_t end = song + 1 < starts_.size() ? starts_[song + 1] : text_.size();
    return std::string_view(text_).substr(starts_[song], end - starts_[song]);
}

std::size_t SearchIndex::songAt(std::size_t offset, std::size_t from) const {
    // Most often the match lies in the entry the scan started in.
    if (from + 1 == starts_.size() || starts_[from + 1] > offset) return from;
    return static_cast<std::size_t>(
        std::upper_bound(starts_.begin() + static_cast<std::ptrdiff_t>(from), starts_.end(),
                         offset) -
        starts_.begin() - 1);
}
