// Album records side by side in one reserved block (block_reserve.h), so
// that a catalogue loaded again after a release reuses their pages.
#pragma once

#include <cstddef>
#include <memory>
#include <new>
#include <utility>

#include "catalogue/album_record.h"
#include "catalogue/block_reserve.h"

class AlbumBlock {
  public:
    // `count` default records.
    explicit AlbumBlock(std::size_t count) : block_(count * sizeof(AlbumRecord)), count_(count) {
        std::uninitialized_default_construct_n(records(), count_);
    }
    ~AlbumBlock() {
        if (block_.data()) std::destroy_n(records(), count_);
    }
    AlbumBlock(AlbumBlock&& other) noexcept
        : block_(std::move(other.block_)), count_(std::exchange(other.count_, 0)) {}
    AlbumBlock& operator=(AlbumBlock&&) = delete;
    AlbumBlock(const AlbumBlock&) = delete;
    AlbumBlock& operator=(const AlbumBlock&) = delete;

    AlbumRecord& operator[](std::size_t i) { return records()[i]; }

  private:
    AlbumRecord* records() { return std::launder(reinterpret_cast<AlbumRecord*>(block_.data())); }

    ReservedBlock block_;
    std::size_t count_;
};
