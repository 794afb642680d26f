#include "catalogue/block_reserve.h"

#include <mutex>
#include <new>
#include <vector>

namespace {

struct Kept {
    char* data;
    std::size_t size;
};

// Set once the reserve is destroyed at exit: blocks of catalogues that live
// longer (statics) are then freed at once. Constant-initialised, so it is
// valid through the whole static destruction.
bool g_reserveGone = false;

// Freed when the module unloads.
class Reserve {
  public:
    ~Reserve() {
        freeAll();
        g_reserveGone = true;
    }

    char* take(std::size_t bytes) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            // The last kept first: it was touched most recently.
            for (std::size_t i = kept_.size(); i-- > 0;) {
                if (kept_[i].size != bytes) continue;
                char* data = kept_[i].data;
                kept_.erase(kept_.begin() + static_cast<std::ptrdiff_t>(i));
                bytes_ -= bytes;
                return data;
            }
        }
        return static_cast<char*>(::operator new(bytes));
    }

    void give(char* data, std::size_t bytes) noexcept {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            // Past the limit the oldest kept blocks go first: the newest are
            // what a load like the last one asks for.
            while (bytes <= reserveLimitBytes() && bytes_ + bytes > reserveLimitBytes()) {
                ::operator delete(kept_.front().data);
                bytes_ -= kept_.front().size;
                kept_.erase(kept_.begin());
            }
            if (bytes_ + bytes <= reserveLimitBytes()) {
                try {
                    kept_.push_back({data, bytes});
                    bytes_ += bytes;
                    return;
                } catch (const std::bad_alloc&) {
                }
            }
        }
        ::operator delete(data);
    }

    std::size_t bytes() {
        std::lock_guard<std::mutex> lock(mutex_);
        return bytes_;
    }

    void freeAll() {
        std::vector<Kept> kept;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            kept.swap(kept_);
            bytes_ = 0;
        }
        for (const Kept& block : kept) ::operator delete(block.data);
    }

  private:
    std::mutex mutex_;
    std::vector<Kept> kept_;
    std::size_t bytes_ = 0;
};

Reserve& reserve() {
    static Reserve instance;
    return instance;
}

void giveBack(char* data, std::size_t bytes) noexcept {
    if (!data) return;
    if (g_reserveGone) {
        ::operator delete(data);
    } else {
        reserve().give(data, bytes);
    }
}

}  // namespace

char* takeReservedBlock(std::size_t bytes) {
    return g_reserveGone ? static_cast<char*>(::operator new(bytes)) : reserve().take(bytes);
}

void giveReservedBlock(char* data, std::size_t bytes) noexcept {
    giveBack(data, bytes);
}

ReservedBlock::ReservedBlock(std::size_t bytes) : data_(takeReservedBlock(bytes)), size_(bytes) {}

ReservedBlock::~ReservedBlock() {
    giveBack(data_, size_);
}

ReservedBlock::ReservedBlock(ReservedBlock&& other) noexcept
    : data_(other.data_), size_(other.size_) {
    other.data_ = nullptr;
    other.size_ = 0;
}

ReservedBlock& ReservedBlock::operator=(ReservedBlock&& other) noexcept {
    if (this != &other) {
        giveBack(data_, size_);
        data_ = other.data_;
        size_ = other.size_;
        other.data_ = nullptr;
        other.size_ = 0;
    }
    return *this;
}

std::size_t reservedBytes() {
    return g_reserveGone ? 0 : reserve().bytes();
}

void freeReservedBlocks() {
    if (!g_reserveGone) reserve().freeAll();
}
