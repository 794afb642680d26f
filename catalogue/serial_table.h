// Serial numbers found by their text, in one open-addressed array of
// (hash, serial) pairs: no heap block per entry, and the texts stay where
// their owner keeps them (keyOf(serial) gives the text of a serial).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

class SerialTable {
  public:
    // The serial filed under `text`, or -1.
    template <class KeyOf>
    int32_t find(std::string_view text, KeyOf keyOf) const {
        if (slots_.empty()) return -1;
        const uint32_t hash = hashOf(text);
        for (std::size_t i = hash & mask();; i = (i + 1) & mask()) {
            const Slot& slot = slots_[i];
            if (slot.serial < 0) return -1;
            if (slot.hash == hash && keyOf(slot.serial) == text) return slot.serial;
        }
    }

    // Files a serial whose text is not filed yet.
    void insert(std::string_view text, int32_t serial) {
        // At most half full, so that probes stay short.
        if ((count_ + 1) * 2 > slots_.size()) grow();
        place({hashOf(text), serial});
        ++count_;
    }

    void clear() {
        slots_.clear();
        count_ = 0;
    }

  private:
    struct Slot {
        uint32_t hash;
        int32_t serial;  // -1: empty
    };

    static uint32_t hashOf(std::string_view text) {
        return static_cast<uint32_t>(std::hash<std::string_view>()(text));
    }
    std::size_t mask() const { return slots_.size() - 1; }

    void place(Slot entry) {
        std::size_t i = entry.hash & mask();
        while (slots_[i].serial >= 0) i = (i + 1) & mask();
        slots_[i] = entry;
    }

    void grow() {
        std::vector<Slot> old(slots_.empty() ? 64 : slots_.size() * 2, Slot{0, -1});
        old.swap(slots_);
        for (const Slot& slot : old) {
            if (slot.serial >= 0) place(slot);
        }
    }

    std::vector<Slot> slots_;
    std::size_t count_ = 0;
};
