// The searched texts of every song, case folded once and kept in one block.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/song_text.h"
#include "catalogue/word_scan.h"

struct SongRecord;

// Songs in runs that share the album and artist texts, as the songs of one
// folder mostly do: each run holds its album and artist in small letters
// once, then the title of each of its songs, every text followed by a zero
// byte. A search word never holds a zero byte, so a match never spans two
// texts; a song holds a word when its run's header or its title does.
class SearchIndex {
  public:
    // Room for exactly these songs, so a first build does not double.
    void reserveFor(const std::vector<SongRecord*>& songs);
    void append(const SongRecord& song);
    void clear();
    std::size_t songCount() const { return titleStarts_.size(); }

    // Calls f(song) for every song holding every word, in ascending order.
    // The words are folded, not empty, the first one likely the rarest: it
    // is looked for across the whole text, the others only in the songs
    // that hold it.
    template <class F>
    void forEachMatch(const std::vector<std::string>& words, F f) const;

  private:
    struct Run {
        uint32_t headerStart;
        uint32_t firstSong;
    };
    std::size_t runAt(std::size_t offset, std::size_t from) const;
    std::size_t runEnd(std::size_t run) const;
    std::size_t textEnd(std::size_t song, std::size_t run) const;
    bool holdsOthers(const std::vector<std::string>& words, std::string_view header,
                     std::string_view title) const;
    void appendFolded(SongText field);

    std::string text_;
    // Offsets fit 32 bits: texts beyond 4 GB, which no host holds, are left
    // out of the index.
    std::vector<uint32_t> titleStarts_;
    std::vector<Run> runs_;
    SongText lastAlbum_, lastArtist_;
};

template <class F>
void SearchIndex::forEachMatch(const std::vector<std::string>& words, F f) const {
    const std::string_view text = text_;
    const std::size_t songs = songCount();
    std::size_t run = 0;
    for (std::size_t at = findWord(text, words[0], 0); at != std::string_view::npos;) {
        run = runAt(at, run);
        const std::size_t first = runs_[run].firstSong;
        const std::size_t end = runEnd(run);
        const std::string_view header =
            text.substr(runs_[run].headerStart, titleStarts_[first] - runs_[run].headerStart);
        std::size_t next;
        if (at < titleStarts_[first]) {
            // In the header: every song of the run holds the first word.
            for (std::size_t song = first; song < end; ++song) {
                const std::string_view title =
                    text.substr(titleStarts_[song], textEnd(song, run) - titleStarts_[song]);
                if (holdsOthers(words, header, title)) f(song);
            }
            next = end;
        } else {
            const auto after =
                std::upper_bound(titleStarts_.begin() + first, titleStarts_.begin() + end, at);
            const auto song = static_cast<std::size_t>(after - titleStarts_.begin() - 1);
            const std::string_view title =
                text.substr(titleStarts_[song], textEnd(song, run) - titleStarts_[song]);
            if (holdsOthers(words, header, title)) f(song);
            next = song + 1;
        }
        if (next >= songs) break;
        at =
            findWord(text, words[0], next == end ? runs_[run + 1].headerStart : titleStarts_[next]);
    }
}
