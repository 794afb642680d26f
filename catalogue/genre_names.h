// The genres a catalogue lists as tree entries and genre list rows: the
// pieces that the genre restriction matches, so that every genre listed
// opens the albums that hold it.
#pragma once

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

class GenreNames {
  public:
    // Lists what a song's genre text brings: each of its pieces (split and
    // trimmed as the restriction splits album genre lists) not listed yet,
    // in order. The empty text stands for the songs without genre
    // ("Unknown"); a text of separators and spaces only brings nothing.
    void addSongGenre(std::string_view text);
    void clear();

    // In order of first appearance until reordered in place.
    std::vector<std::string>& names() { return names_; }
    const std::vector<std::string>& names() const { return names_; }

  private:
    void add(std::string_view name);

    std::vector<std::string> names_;
    std::unordered_set<std::string> listed_;
};
