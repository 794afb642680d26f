// Large blocks that a freed catalogue leaves for the next one. Some heaps
// (Wine's) give freed blocks back to the system at once, so a library loaded
// again after a release pays a page fault on every page of its records and
// texts, which costs more than the load itself; glibc keeps them. Kept
// blocks are reused by exact size.
#pragma once

#include <cstddef>

class ReservedBlock {
  public:
    ReservedBlock() = default;
    // A block of `bytes` bytes, a kept one when one of that size is kept;
    // throws std::bad_alloc as new does.
    explicit ReservedBlock(std::size_t bytes);
    // Keeps the block for a later one of its size while the kept blocks hold
    // less than reserveLimitBytes(), else frees it.
    ~ReservedBlock();
    ReservedBlock(ReservedBlock&& other) noexcept;
    ReservedBlock& operator=(ReservedBlock&& other) noexcept;
    ReservedBlock(const ReservedBlock&) = delete;
    ReservedBlock& operator=(const ReservedBlock&) = delete;

    char* data() const { return data_; }
    std::size_t size() const { return size_; }

  private:
    char* data_ = nullptr;
    std::size_t size_ = 0;
};

// About what a 200,000-song library needs in large blocks.
constexpr std::size_t reserveLimitBytes() {
    return std::size_t{64} << 20;
}
// Bytes kept now, and freeing them all (at a plug-in's stop).
std::size_t reservedBytes();
void freeReservedBlocks();
