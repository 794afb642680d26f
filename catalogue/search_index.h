// The searched texts of every song, case folded once and kept in one block.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

struct SongRecord;

// Entry i holds song i's album, artist and title in small letters, each
// followed by a zero byte. A search word never holds a zero byte, so a match
// never spans two fields or two songs.
class SearchIndex {
  public:
    // Room for exactly these songs, so a first build does not double.
    void reserveFor(const std::vector<SongRecord*>& songs);
    void append(const SongRecord& song);
    void clear();
    std::size_t songCount() const { return starts_.size(); }
    std::string_view text() const { return text_; }
    std::string_view entry(std::size_t song) const;
    // Start offset of entry i; entries lie one after the other.
    std::size_t start(std::size_t song) const { return starts_[song]; }
    // The song whose entry holds the offset, looked for from song `from` on.
    std::size_t songAt(std::size_t offset, std::size_t from) const;

  private:
    std::string text_;
    std::vector<std::size_t> starts_;
};
