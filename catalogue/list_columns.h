// The columns of the album, song and genre lists, in the order the lists
// show them and the settings store them.
#pragma once

enum class AlbumColumn { Title, Artist, Tracks, Length, Year, Genre, Folder, Count };
enum class SongColumn { Track, Title, Rating, Artist, Length, Year, Genre, Count };
enum class GenreColumn { Name, Albums, Count };

constexpr int kAlbumColumnCount = static_cast<int>(AlbumColumn::Count);
constexpr int kSongColumnCount = static_cast<int>(SongColumn::Count);
constexpr int kGenreColumnCount = static_cast<int>(GenreColumn::Count);
