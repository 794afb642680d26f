#include "host/item_list_storage.h"

#include <cstring>

namespace coverhall::host {

ItemListStorage::ItemListStorage(const std::vector<HostSong>& songs, int maxResults) {
    size_t count = songs.size();
    if (maxResults > 0 && static_cast<size_t>(maxResults) < count) count = maxResults;
    records_.reserve(count);
    extended_.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        const HostSong& song = songs[i];
        ItemRecord record{};
        record.filename = keep(song.filename);
        record.title = keep(song.title);
        record.album = keep(song.album);
        record.artist = keep(song.artist);
        record.comment = keep(song.comment);
        record.genre = keep(song.genre);
        record.year = song.year;
        record.track = song.track;
        record.length = song.length;
        if (!song.extendedInfo.empty()) {
            std::vector<char*> entries;
            for (const auto& [name, value] : song.extendedInfo) {
                // One text "name\0value\0".
                std::string both = name;
                both.push_back('\0');
                both += value;
                auto block = std::make_unique<char[]>(both.size() + 1);
                std::memcpy(block.get(), both.data(), both.size());
                block[both.size()] = '\0';
                entries.push_back(block.get());
                texts_.push_back(std::move(block));
            }
            entries.push_back(nullptr);
            extended_.push_back(std::move(entries));
            record.extendedInfo = extended_.back().data();
        }
        records_.push_back(record);
    }
}

char* ItemListStorage::keep(const std::optional<std::string>& text) {
    if (!text) return nullptr;
    auto block = std::make_unique<char[]>(text->size() + 1);
    std::memcpy(block.get(), text->c_str(), text->size() + 1);
    char* pointer = block.get();
    texts_.push_back(std::move(block));
    return pointer;
}

std::vector<PlayedSong> copyItemList(const ItemRecordList* list) {
    std::vector<PlayedSong> songs;
    if (!list || !list->items || list->size <= 0) return songs;
    songs.reserve(list->size);
    for (int32_t i = 0; i < list->size; ++i) {
        const ItemRecord& item = list->items[i];
        PlayedSong song;
        const char* texts[] = {item.filename, item.title,   item.album,
                               item.artist,   item.comment, item.genre};
        std::string* fields[] = {&song.filename, &song.title,   &song.album,
                                 &song.artist,   &song.comment, &song.genre};
        for (unsigned t = 0; t < 6; ++t) {
            if (texts[t]) {
                *fields[t] = texts[t];
            } else {
                song.nullTexts |= 1u << t;
            }
        }
        song.year = item.year;
        song.track = item.track;
        song.length = item.length;
        song.hasExtendedInfo = item.extendedInfo != nullptr;
        songs.push_back(std::move(song));
    }
    return songs;
}

}  // namespace coverhall::host
