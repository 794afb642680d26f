// Owns an ItemRecordList built from songs: the records, their texts and their
// extended entries stay valid until the storage is destroyed, which is how
// long the plug-in may read a query's results or a sent list.
#pragma once

#include "host/host_songs.h"
#include "win/host_interface.h"

#include <memory>
#include <string>
#include <vector>

namespace coverhall::host {

class ItemListStorage {
  public:
    // maxResults 0 takes every song.
    explicit ItemListStorage(const std::vector<HostSong>& songs, int maxResults = 0);
    ItemListStorage(const ItemListStorage&) = delete;
    ItemListStorage& operator=(const ItemListStorage&) = delete;

    ItemRecordList list() {
        return {records_.data(), static_cast<int32_t>(records_.size()),
                static_cast<int32_t>(records_.size())};
    }
    ItemRecordList* listPointer() {
        list_ = list();
        return &list_;
    }

  private:
    char* keep(const std::optional<std::string>& text);

    // Each text is its own block, so pointers handed out never move.
    std::vector<std::unique_ptr<char[]>> texts_;
    std::vector<std::vector<char*>> extended_;
    std::vector<ItemRecord> records_;
    ItemRecordList list_{};
};

// Copies what a plug-in hands over (a play request, a drop) into plain songs.
// Null texts become "", a null or negative-sized list gives nothing.
std::vector<PlayedSong> copyItemList(const ItemRecordList* list);

}  // namespace coverhall::host
