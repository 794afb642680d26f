// Zero-terminated copies of many short texts in a few large blocks, freed
// together: one heap block per text costs memory and, under some C
// runtimes, most of a library's load time.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "catalogue/block_reserve.h"
#include "catalogue/song_text.h"

class TextArena {
  public:
    // The copy stays at its address until clear().
    SongText copy(std::string_view text);
    // Room for `bytes` bytes that the caller fills, at its address until
    // clear().
    char* room(std::size_t bytes);
    void clear();
    // Bytes held in blocks, used or not.
    std::size_t capacity() const { return capacity_; }

  private:
    std::vector<ReservedBlock> blocks_;
    char* next_ = nullptr;
    std::size_t left_ = 0;
    std::size_t capacity_ = 0;
};
