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

// Album list columns: 0 Album, 1 Artist, 2 Tracks, 3 Length, 4 Year,
// 5 Genre, 6 Filename (every pair equal). Gives -1, 0 or 1.
int compareAlbums(const AlbumRecord& a, const AlbumRecord& b, int column, bool descending);

// Song list columns: 0 Track #, 1 Title, 2 Rating, 3 Artist, 4 Length,
// 5 Year, 6 Genre. Gives -1, 0 or 1.
int compareSongs(const SongRecord& a, const SongRecord& b, int column, bool descending);

// Genre list columns: 0 Genre, 1 Albums (the album counts of the library
// catalogue). The empty genre is compared as "Unknown". Gives -1, 0 or 1.
int compareGenres(const AlbumCatalogue& library, std::string_view a, std::string_view b, int column,
                  bool descending);

// Sorts the album's songs in place by compareSongs and marks them resorted.
void sortAlbumSongs(AlbumRecord& album, int column, bool descending);
