// The orders of the album, song and genre lists.
#pragma once

#include <string_view>

struct AlbumRecord;
struct SongRecord;
class AlbumCatalogue;

// Text order of every text column: leading bytes other than ASCII letters
// and digits are skipped, then one leading "the " (any case), then spaces;
// the rests are compared with ASCII capitals folded. Negative, 0 or positive.
int compareTitles(std::string_view a, std::string_view b);

// Columns are numbers of AlbumColumn, SongColumn and GenreColumn as the
// lists and the settings hold them; a number of no column compares equal.

// Album list columns; by Filename every pair is equal. Gives -1, 0 or 1.
int compareAlbums(const AlbumRecord& a, const AlbumRecord& b, int column, bool descending);

// Song list columns. Gives -1, 0 or 1.
int compareSongs(const SongRecord& a, const SongRecord& b, int column, bool descending);

// Genre list columns: the name, or the album counts of the library
// catalogue. The empty genre is compared as "Unknown". Gives -1, 0 or 1.
int compareGenres(const AlbumCatalogue& library, std::string_view a, std::string_view b, int column,
                  bool descending);

// Sorts the album's songs in place by compareSongs and marks them resorted;
// a disc set by the Track column goes disc by disc.
void sortAlbumSongs(AlbumRecord& album, int column, bool descending);
