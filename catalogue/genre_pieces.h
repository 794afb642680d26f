// An album's genre list: the test that keeps each genre once in it, and its
// pieces as the genre restriction reads them.
#pragma once

#include <string_view>

// Whether genre + "," occurs in list + ",": the test that keeps each genre
// once in an album's list. A plain substring test, so "op" is found in "Pop".
inline bool listHoldsGenre(std::string_view list, std::string_view genre) {
    if (genre.empty()) return true;
    for (std::size_t at = list.find(genre); at != std::string_view::npos;
         at = list.find(genre, at + 1)) {
        const std::size_t end = at + genre.size();
        if (end == list.size() || list[end] == ',') return true;
    }
    return false;
}

// Calls f(piece) for every piece of the list split at ',', tab and line
// feed, skipping empty pieces, with leading and trailing spaces removed.
// Stops early when f returns true; gives whether it did.
template <class F>
bool forEachGenrePiece(std::string_view list, F f) {
    std::size_t begin = 0;
    while (begin < list.size()) {
        std::size_t end = list.find_first_of(",\t\n", begin);
        if (end == std::string_view::npos) end = list.size();
        std::string_view piece = list.substr(begin, end - begin);
        begin = end + 1;
        if (piece.empty()) continue;
        const std::size_t first = piece.find_first_not_of(' ');
        piece = first == std::string_view::npos
                    ? std::string_view()
                    : piece.substr(first, piece.find_last_not_of(' ') - first + 1);
        if (f(piece)) return true;
    }
    return false;
}
