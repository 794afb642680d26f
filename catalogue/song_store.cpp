#include "catalogue/song_store.h"

#include <new>
#include <type_traits>

namespace {

constexpr std::size_t kBlockSongs = 4096;
static_assert(std::is_trivially_destructible_v<SongRecord>);

}  // namespace

// Songs of one folder mostly arrive one after the other with the previous
// song's artist and album: those texts are shared instead of copied.
SongText SongStore::keep(SongText text, SongText previous) {
    if (text == previous) return previous;
    return texts_.copy(text);
}

SongText SongStore::keepGenre(SongText genre) {
    const auto found = genres_.find(genre);
    if (found != genres_.end()) return found->second;
    const SongText copy = texts_.copy(genre);
    genres_.emplace(copy, copy);
    return copy;
}

SongRecord* SongStore::add(const SongRecord& song) {
    if (count_ == blocks_.size() * kBlockSongs) {
        blocks_.emplace_back(kBlockSongs * sizeof(SongRecord));
    }
    SongRecord& kept = *new (blocks_[count_ / kBlockSongs].data() +
                             count_ % kBlockSongs * sizeof(SongRecord)) SongRecord;
    const SongRecord previous = last_ ? *last_ : SongRecord();
    kept.artist = keep(song.artist, previous.artist);
    kept.title = texts_.copy(song.title);
    kept.album = keep(song.album, previous.album);
    kept.length = song.length;
    kept.track = song.track;
    kept.genre = song.genre == previous.genre ? previous.genre : keepGenre(song.genre);
    kept.year = song.year;
    kept.fileName = texts_.copy(song.fileName);
    // Stars as ratingStarsText makes them need no copy.
    const bool onlyStars = song.ratingStars.size() <= kMaxRatingStars &&
                           song.ratingStars == starsText(static_cast<int>(song.ratingStars.size()));
    kept.ratingStars = onlyStars ? starsText(static_cast<int>(song.ratingStars.size()))
                                 : texts_.copy(song.ratingStars);
    ++count_;
    last_ = &kept;
    return &kept;
}

SongRecord* SongStore::add(const HostSong& host) {
    SongRecord song;
    song.artist = host.artist;
    song.title = host.title;
    song.album = host.album;
    song.length = host.length;
    song.track = host.track;
    song.genre = host.genre;
    song.year = host.year;
    song.fileName = host.fileName;
    song.ratingStars = ratingStarsText(host.ratingValue);
    return add(song);
}

void SongStore::clear() {
    // The last songs first, as they were added.
    while (!blocks_.empty()) blocks_.pop_back();
    blocks_.shrink_to_fit();
    count_ = 0;
    last_ = nullptr;
    genres_.clear();
    texts_.clear();
}
