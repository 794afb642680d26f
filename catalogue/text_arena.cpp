#include "catalogue/text_arena.h"

#include <algorithm>

namespace {

constexpr std::size_t kBlockSize = 64 * 1024;

}  // namespace

std::string_view TextArena::keep(std::string_view text) {
    const std::size_t need = text.size() + 1;
    if (blocks_.empty() || room_ - used_ < need) {
        room_ = std::max(kBlockSize, need);
        blocks_.push_back(std::make_unique<char[]>(room_));
        used_ = 0;
    }
    char* at = blocks_.back().get() + used_;
    std::copy(text.begin(), text.end(), at);
    at[text.size()] = '\0';
    used_ += need;
    return std::string_view(at, text.size());
}

void TextArena::clear() {
    blocks_.clear();
    used_ = 0;
    room_ = 0;
}
