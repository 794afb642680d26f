// Texts kept in large blocks instead of one heap block each.
#pragma once

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

class TextArena {
  public:
    // A copy of the text followed by a zero byte, at an address that holds
    // until clear().
    std::string_view keep(std::string_view text);
    void clear();

  private:
    std::vector<std::unique_ptr<char[]>> blocks_;
    std::size_t used_ = 0;  // bytes used in the last block
    std::size_t room_ = 0;  // its size
};
