// The search field's words and the view catalogue they select.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class AlbumCatalogue;
class LibraryCatalogue;
class ViewCatalogue;

// Words separated by spaces or tabs; double quotes keep blanks inside one
// word. The list ends early at an empty quoted word; an empty list lets
// every song through. The text ends at its first zero byte, if any.
std::vector<std::string> splitSearchWords(std::string_view text);

// True when the word occurs in the text, ASCII case ignored. An empty word
// is in every text, an empty text holds no other word; a null text holds
// nothing.
bool containsWord(std::string_view text, std::string_view word);
bool containsWord(const char* text, std::string_view word);

// A new view (same edge and image-list factory as the library)
// with the library's songs, in order, whose album, artist or title holds
// every search word; its shown albums are restricted to the genre (empty:
// all) and sorted by the album list's sort state. The songs stay owned by
// the library, which must outlive the result.
std::unique_ptr<ViewCatalogue> searchCatalogue(const LibraryCatalogue& library,
                                               std::string_view searchText, std::string_view genre,
                                               int albumSortColumn, bool albumSortDescending);
// The same into an existing view, whose memory is reused. An empty search
// with the genre and sort state of the view's last search keeps the view as
// it is while neither has changed since.
void searchCatalogue(const LibraryCatalogue& library, std::string_view searchText,
                     std::string_view genre, int albumSortColumn, bool albumSortDescending,
                     ViewCatalogue& view);

// "%d Albums [%d:%02d:%02d]" when the view holds every library song, else
// "Found: %d Albums [%d:%02d:%02d]": the shown albums and their total time.
std::string formatStatusLine(const AlbumCatalogue& view, const AlbumCatalogue& library);
