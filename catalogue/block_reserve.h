// Large blocks that a freed catalogue leaves for the next one. Some heaps
// (Wine's) give freed blocks back to the system at once, so a library loaded
// again after a release pays a page fault on every page of its records and
// texts, which costs more than the load itself; glibc keeps them. Kept
// blocks are reused by exact size.
#pragma once

#include <cstddef>
#include <new>

class ReservedBlock {
  public:
    ReservedBlock() = default;
    // A block of `bytes` bytes, a kept one when one of that size is kept;
    // throws std::bad_alloc as new does.
    explicit ReservedBlock(std::size_t bytes);
    // Keeps the block for a later one of its size, freeing the oldest kept
    // ones beyond reserveLimitBytes() (or this one, when larger).
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

// The reserve's two ends, for what is not a ReservedBlock: a block of
// `bytes` bytes (kept or new; throws std::bad_alloc), and giving one back.
char* takeReservedBlock(std::size_t bytes);
void giveReservedBlock(char* data, std::size_t bytes) noexcept;

// For containers whose arrays grow large (a song per element): arrays of
// 64 KB or more come from the reserve, smaller ones from the heap.
template <class T>
struct ReservedAllocator {
    using value_type = T;
    static constexpr std::size_t kFromReserve = 64 * 1024;

    ReservedAllocator() = default;
    template <class U>
    ReservedAllocator(const ReservedAllocator<U>&) {}

    T* allocate(std::size_t n) {
        if (n > static_cast<std::size_t>(-1) / sizeof(T)) throw std::bad_array_new_length();
        const std::size_t bytes = n * sizeof(T);
        return reinterpret_cast<T*>(bytes >= kFromReserve
                                        ? takeReservedBlock(bytes)
                                        : static_cast<char*>(::operator new(bytes)));
    }
    void deallocate(T* p, std::size_t n) noexcept {
        const std::size_t bytes = n * sizeof(T);
        if (bytes >= kFromReserve) {
            giveReservedBlock(reinterpret_cast<char*>(p), bytes);
        } else {
            ::operator delete(p);
        }
    }
    friend bool operator==(ReservedAllocator, ReservedAllocator) { return true; }
    friend bool operator!=(ReservedAllocator, ReservedAllocator) { return false; }
};

// About what a 200,000-song library needs in large blocks.
constexpr std::size_t reserveLimitBytes() {
    return std::size_t{64} << 20;
}
// Bytes kept now, and freeing them all (at a plug-in's stop).
std::size_t reservedBytes();
void freeReservedBlocks();
