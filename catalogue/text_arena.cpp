#include "catalogue/text_arena.h"

#include <cstring>

namespace {

// Large enough that a 200,000-song library needs some tens of blocks, small
// enough that the unused tail of the last one does not count.
constexpr std::size_t kBlockBytes = 256 * 1024;

}  // namespace

SongText TextArena::copy(std::string_view text) {
    if (text.empty()) return SongText();
    // SongText counts at most 32 bits of bytes: what is longer is cut.
    text = text.substr(0, UINT32_MAX - 1);
    char* bytes = room(text.size() + 1);
    std::memcpy(bytes, text.data(), text.size());
    bytes[text.size()] = '\0';
    return SongText::terminated(bytes, text.size());
}

char* TextArena::room(std::size_t bytes) {
    if (bytes > left_) {
        // A long text gets a block of its own; the current block stays open.
        if (bytes > kBlockBytes / 4) {
            blocks_.emplace_back(bytes);
            capacity_ += bytes;
            return blocks_.back().data();
        }
        blocks_.emplace_back(kBlockBytes);
        capacity_ += kBlockBytes;
        next_ = blocks_.back().data();
        left_ = kBlockBytes;
    }
    char* at = next_;
    next_ += bytes;
    left_ -= bytes;
    return at;
}

void TextArena::clear() {
    blocks_.clear();
    blocks_.shrink_to_fit();
    next_ = nullptr;
    left_ = 0;
    capacity_ = 0;
}
