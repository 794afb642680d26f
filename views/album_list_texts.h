// What the album list shows of an album: its column texts, the cover label,
// the tag tip and the key of the type-ahead search.
#pragma once

#include <string>
#include <string_view>

#include "catalogue/list_columns.h"

struct AlbumRecord;
class AlbumCatalogue;

// Column text in List mode: title, artist, song count (1..999), total length
// "%d:%02d" (minutes not wrapped), year (1..4999), genre list, folder.
// Out-of-range numbers and columns give the empty text.
std::string albumColumnText(const AlbumRecord& album, AlbumColumn column);

// The label under a cover at Low density: "artist / title" when the list is
// sorted by artist, else "title / artist"; an empty part is "-".
std::string coverLabel(const AlbumRecord& album, AlbumColumn sortColumn);

// The six lines of an album tag tip, labels padded to nine characters.
std::string tagTipText(const AlbumRecord& album);

// Flags of a type-ahead request (LVFINDINFO).
constexpr unsigned kFindWholeString = 0x2;
constexpr unsigned kFindSubstring = 0x4;
constexpr unsigned kFindPartial = 0x8;
constexpr unsigned kFindWrap = 0x20;

// The first shown album from start on (0 when start is out of range) whose
// key in sortColumn begins with (partial, substring) or equals (whole
// string) the typed text, ignoring case; -1 when none does.
int findAlbumByKey(const AlbumCatalogue& view, int start, unsigned flags, std::string_view typed,
                   AlbumColumn sortColumn);
