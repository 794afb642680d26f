// The songs a catalogue owns: records in blocks that never move, so albums
// and views may point at them, and their texts in one arena.
#pragma once

#include <cstddef>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "catalogue/block_reserve.h"
#include "catalogue/song_record.h"
#include "catalogue/text_arena.h"

class SongStore {
  public:
    // A copy of the song whose texts are this store's.
    SongRecord* add(const SongRecord& song);
    SongRecord* add(const HostSong& host);
    // Frees every record and text.
    void clear();
    std::size_t size() const { return count_; }

  private:
    SongText keep(SongText text, SongText previous);
    SongText keepGenre(SongText genre);

    TextArena texts_;
    // Raw blocks of records, which need no destruction.
    std::vector<ReservedBlock> blocks_;
    std::size_t count_ = 0;
    const SongRecord* last_ = nullptr;
    // Few distinct genres among many songs: each is copied once.
    std::unordered_map<std::string_view, SongText> genres_;
};
