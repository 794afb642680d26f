// The library: every song, owned, filed one by one into the albums of their
// folders and their genres, with the lookups that filing needs and what the
// views refilled from it read (view_catalogue.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "catalogue/album_catalogue.h"
#include "catalogue/block_reserve.h"
#include "catalogue/search_index.h"
#include "catalogue/serial_table.h"
#include "catalogue/song_store.h"

class LibraryCatalogue final : public AlbumCatalogue {
  public:
    // The factory may be null (no image list, e.g. in tests).
    LibraryCatalogue(int edge, CoverImageListFactory factory);

    // Whether disc folders of one parent (Set\CD1, Set\CD2) are filed as one
    // album whose folder is the parent, unless the parent holds songs of its
    // own. Set while the catalogue holds no songs.
    void setJoinDiscFolders(bool join) { joinDiscFolders_ = join; }

    // Files the song under its genre and under the album of its folder.
    // These overloads keep a copy of the song and its texts; a null song is
    // ignored and gives null.
    SongRecord* addSong(const HostSong& song);
    SongRecord* addSong(std::unique_ptr<StandaloneSong> song);
    // Files a song that this catalogue does not copy (one sent again); it
    // must outlive the catalogue.
    SongRecord* addSong(SongRecord* song);
    // Room for this many songs in all, when a load knows how many come: the
    // song arrays then never grow, nor hold up to twice what they need.
    void reserveSongs(std::size_t count);

    // Drops the song from the song order (not from its album, not freed);
    // an index outside the range changes nothing.
    void removeSongAt(int index);
    // Frees every owned song, last first, and with them the albums, genres,
    // shown albums and indexes that point at them, so that nothing dangles
    // and a reload gives the same orders as a first load.
    void releaseAllSongs();

    // The album of the folder (exact text), or null.
    const AlbumRecord* albumWithFolder(std::string_view folder) const;

    // Album, artist and title of every song, case folded; made on first use
    // and extended as songs are added.
    const SearchIndex& searchIndex() const;

  private:
    // A refill reads the songs' links, the albums' folders and the ranks.
    friend class ViewCatalogue;

    struct SongLink {
        int32_t albumSerial;  // creation number of the song's album
        int32_t genreSerial;  // first-appearance number of the song's genre
        // The song's length, so that a refill reads no song record: over
        // 200,000 songs those reads are cache misses.
        int32_t length;
        int32_t disc;  // the disc number within a disc set; 0 elsewhere
    };
    // Ranks (title_ranks.h) of every song's album and artist text, made
    // once per version for the views refilled from it.
    struct SongRanks {
        uint64_t version = ~uint64_t{0};
        std::vector<uint32_t> album;     // parallel to songs_
        std::vector<uint32_t> artist;    // parallel to songs_
        std::vector<uint32_t> artistId;  // equal exactly where the texts are
        uint32_t variousArtists = 0;
    };

    SongRecord* file(SongRecord* song);
    int32_t genreSerialOf(std::string_view genre);
    // Files the song of a folder other than the previous song's; gives the
    // album's serial and the song's disc number within a set.
    int32_t fileByFolder(SongRecord& song, std::string_view folder, int32_t& disc);
    // The album keyed by this folder, which holds the song.
    int32_t fileUnder(SongRecord& song, std::string_view folder);
    int32_t newAlbumFor(SongRecord& song, std::string_view key, bool discSet);
    void joinAlbum(AlbumRecord& album, SongRecord& song, int32_t disc);
    // A set whose folder turns out to hold songs of its own: its discs
    // become albums of their own.
    void splitSet(int32_t serial);
    const SongRanks& songRanks() const;
    int32_t genreSerialCount() const { return static_cast<int32_t>(genreSerialByName_.size()); }
    auto folderOfSerial() const {
        return [this](int32_t serial) { return albumFolders_[static_cast<std::size_t>(serial)]; };
    }

    // The songs are freed before the base's arrays, which only point at
    // them and read none of them while they go.
    SongStore ownedSongs_;
    std::vector<SongLink, ReservedAllocator<SongLink>> songLinks_;  // parallel to songs_
    // The albums' folders by serial, side by side for refills to read.
    std::vector<SongText> albumFolders_;
    SerialTable albumSerialByFolder_;  // texts in albumFolders_
    bool joinDiscFolders_ = false;
    // The previous song's folder and album: songs of one folder mostly
    // arrive one after the other. -1: none to go by.
    std::string_view lastFolder_;
    int32_t lastAlbum_ = -1;
    int32_t lastDisc_ = 0;
    // Views into the songs' genre texts, which live as long as the songs.
    std::unordered_map<std::string_view, int32_t> genreSerialByName_;

    mutable SearchIndex searchIndex_;
    mutable SongRanks songRanks_;
};
