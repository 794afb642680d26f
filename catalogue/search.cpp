#include "catalogue/search.h"

#include <algorithm>
#include <cstdio>

#include "catalogue/library_catalogue.h"
#include "catalogue/text_functions.h"
#include "catalogue/view_catalogue.h"

std::vector<std::string> splitSearchWords(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    std::vector<std::string> words;
    std::string word;
    bool inQuotes = false;
    bool inWord = false;
    // An ended word that is empty ends the list; later text is ignored.
    auto endWord = [&]() {
        inWord = false;
        if (word.empty()) return false;
        words.push_back(std::move(word));
        word.clear();
        return true;
    };
    for (const char c : text) {
        if (c == ' ' || c == '\t') {
            if (inQuotes) {
                word.push_back(c);
            } else if (inWord) {
                endWord();
            }
        } else if (c == '"') {
            inQuotes = !inQuotes;
            if (!inQuotes && !endWord()) return words;
        } else {
            word.push_back(c);
            inWord = true;
        }
    }
    endWord();
    return words;
}

bool containsWord(std::string_view text, std::string_view word) {
    if (word.empty()) return true;
    if (word.size() > text.size()) return false;
    const auto equalFolded = [](char a, char b) { return asciiLower(a) == asciiLower(b); };
    return std::search(text.begin(), text.end(), word.begin(), word.end(), equalFolded) !=
           text.end();
}

bool containsWord(const char* text, std::string_view word) {
    return text && containsWord(std::string_view(text), word);
}

namespace {

// Refills the view with the library's songs holding every word in their
// album, artist or title. The longest word, likely the rarest, goes first.
void refillMatching(const LibraryCatalogue& library, std::vector<std::string> words,
                    ViewCatalogue& view) {
    view.startRefill(library);
    const int songs = library.songCount();
    if (words.empty()) {
        for (int i = 0; i < songs; ++i) view.refillWith(i);
        view.finishRefill();
        return;
    }
    for (auto& word : words) {
        for (char& c : word) c = asciiLower(c);
    }
    std::stable_sort(words.begin(), words.end(), [](const std::string& a, const std::string& b) {
        return a.size() > b.size();
    });
    library.searchIndex().forEachMatch(
        words, [&view](std::size_t song) { view.refillWith(static_cast<int>(song)); });
    view.finishRefill();
}

}  // namespace

void searchCatalogue(const LibraryCatalogue& library, std::string_view searchText,
                     std::string_view genre, int albumSortColumn, bool albumSortDescending,
                     ViewCatalogue& view) {
    std::vector<std::string> words = splitSearchWords(searchText);
    // Every song again, shown and sorted as before: the view stands.
    if (words.empty() && view.isFullViewOf(library, genre, albumSortColumn, albumSortDescending)) {
        return;
    }
    refillMatching(library, std::move(words), view);
    view.restrictToGenre(genre);
    view.sortShownAlbums(albumSortColumn, albumSortDescending);
}

std::unique_ptr<ViewCatalogue> searchCatalogue(const LibraryCatalogue& library,
                                               std::string_view searchText, std::string_view genre,
                                               int albumSortColumn, bool albumSortDescending) {
    auto view = std::make_unique<ViewCatalogue>(library.edge(), library.coverImageListFactory());
    searchCatalogue(library, searchText, genre, albumSortColumn, albumSortDescending, *view);
    return view;
}

std::string formatStatusLine(const AlbumCatalogue& view, const AlbumCatalogue& library) {
    // Only negative song lengths make a negative total; it shows as 0.
    const long long seconds = std::max<int64_t>(view.shownLength(), 0);
    char text[96];
    std::snprintf(text, sizeof text, "%s%d Albums [%lld:%02d:%02d]",
                  view.songCount() == library.songCount() ? "" : "Found: ", view.shownCount(),
                  seconds / 3600, static_cast<int>(seconds / 60 % 60),
                  static_cast<int>(seconds % 60));
    return text;
}
