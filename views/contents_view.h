// One album's contents: the cover picture, the summary panel and the song
// list of the album window.
#pragma once

#include <windows.h>

#include <string>

#include "catalogue/list_columns.h"

struct AlbumRecord;
struct SongRecord;

// Fills the cover, the panel and the song list for shown album index of the
// view catalogue; an index with no album leaves everything as it was.
void showAlbumContents(HWND albumWindow, int index);

// Shows the cover of shown album index again, when it is the album of that
// folder: its picture arrived.
void showAlbumCover(HWND albumWindow, int index, const std::string& folder);

// The album of the album list's first selection, or null.
AlbumRecord* selectedAlbum(HWND albumWindow);

// Sorts the selected album's songs by the song sort state and shows them.
void sortAndRefreshSongList(HWND albumWindow);

// Song list column text: track (1..999), title, rating, artist, length
// "%d:%02d", year (1..4999), genre; another column gives the empty text.
std::string songColumnText(const SongRecord& song, SongColumn column);

// The panel's year: 1901..2999, else "-".
std::string panelYear(int year);
