#include "catalogue/search.h"

#include <algorithm>
#include <cstdio>

#include "catalogue/album_catalogue.h"
#include "catalogue/text_functions.h"

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

// Finds one word in the folded text of every song. The library's find
// looks for the first byte with memchr, which outruns a skip table here.
class WordFinder {
  public:
    explicit WordFinder(const std::string& word) : word_(word) {}

    std::size_t find(std::string_view text, std::size_t from) const {
        return text.find(word_, from);
    }

  private:
    const std::string& word_;
};

// Indexes of the library's songs holding every word (already folded) in
// their album, artist or title. The longest word, likely the rarest, is
// looked for across the whole folded text; the others only in the entries
// that hold it.
std::vector<int> matchingSongs(const AlbumCatalogue& library, std::vector<std::string> words) {
    std::vector<int> matching;
    const std::size_t songs = library.songs().size();
    if (words.empty()) {
        matching.resize(songs);
        for (std::size_t i = 0; i < songs; ++i) matching[i] = static_cast<int>(i);
        return matching;
    }
    for (auto& word : words) {
        for (char& c : word) c = asciiLower(c);
    }
    std::stable_sort(words.begin(), words.end(), [](const std::string& a, const std::string& b) {
        return a.size() > b.size();
    });
    const SearchIndex& index = library.searchIndex();
    const std::string_view text = index.text();
    const WordFinder finder(words[0]);
    std::size_t song = 0;
    for (std::size_t at = finder.find(text, 0); at != std::string_view::npos;
         at = finder.find(text, at)) {
        while (song + 1 < songs && index.start(song + 1) <= at) ++song;
        const std::string_view entry = index.entry(song);
        const bool all = std::all_of(words.begin() + 1, words.end(), [entry](const std::string& w) {
            return entry.find(w) != std::string_view::npos;
        });
        if (all) matching.push_back(static_cast<int>(song));
        if (song + 1 >= songs) break;
        at = index.start(song + 1);
    }
    return matching;
}

}  // namespace

std::unique_ptr<AlbumCatalogue> buildMatchingCatalogue(const AlbumCatalogue& library,
                                                       const std::vector<int>& matching) {
    auto view = std::make_unique<AlbumCatalogue>(library.edge_, library.factory_);
    AlbumCatalogue& v = *view;
    // The view's albums and genres correspond one to one to the library's,
    // so the groups are found by serial number instead of by folder text.
    std::vector<int32_t> viewAlbumOf(library.albumsBySerial_.size(), -1);
    std::vector<int32_t> viewGenreOf(library.genres_.size(), -1);
    v.songs_.reserve(matching.size());
    v.songLinks_.reserve(matching.size());
    const std::size_t albumsAtMost = std::min(matching.size(), library.albumsBySerial_.size());
    v.albums_.reserve(albumsAtMost);
    v.albumsBySerial_.reserve(albumsAtMost);
    v.lookupIndexesValid_ = false;
    for (const int index : matching) {
        SongRecord* song = library.songs_[index];
        const auto link = library.songLinks_[index];
        int32_t& genre = viewGenreOf[link.genreSerial];
        if (genre < 0) {
            genre = static_cast<int32_t>(v.genres_.size());
            v.genres_.push_back(song->genre);
            v.genreSerialByName_.emplace(song->genre, genre);
        }
        int32_t& album = viewAlbumOf[link.albumSerial];
        if (album < 0) {
            album = static_cast<int32_t>(v.albumsBySerial_.size());
            // The folder is the library album's; room for every song the
            // album has in the library, at most.
            const AlbumRecord& whole = *library.albumsBySerial_[link.albumSerial];
            v.newAlbum(*song, whole.folder).songs.reserve(whole.songs.size());
        } else {
            v.joinAlbum(*v.albumsBySerial_[album], *song);
        }
        v.songs_.push_back(song);
        v.songLinks_.push_back({album, genre});
        v.totalLength_ += song->length;
    }
    v.changed();
    return view;
}

std::unique_ptr<AlbumCatalogue> searchCatalogue(const AlbumCatalogue& library,
                                                std::string_view searchText, std::string_view genre,
                                                int albumSortColumn, bool albumSortDescending) {
    auto view =
        buildMatchingCatalogue(library, matchingSongs(library, splitSearchWords(searchText)));
    view->restrictToGenre(genre);
    view->sortShownAlbums(albumSortColumn, albumSortDescending);
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
