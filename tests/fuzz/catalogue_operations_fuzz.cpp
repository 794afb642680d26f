// Random sequences of addSong, removeSongAt, restrictToGenre, sorts,
// searches and releases, checking after each step that song counts and
// lengths add up, that every song lies in exactly one album of its folder,
// that restrictions agree with the cached genre counts, that searches keep
// the library's order, that a reused view shows what a new one does and that
// sorts leave ordered arrays. The same steps go to the literal reference,
// whose shown albums, orders and counts must be the catalogue's, and to a
// library that joins disc folders, whose sets must keep the grouping rule.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "bench/catalogue/reference_catalogue.h"
#include "catalogue/comparators.h"
#include "catalogue/disc_names.h"
#include "catalogue/library_catalogue.h"
#include "catalogue/search.h"
#include "catalogue/text_functions.h"
#include "catalogue/view_catalogue.h"

namespace {

const char* const kTexts[] = {
    "",          "The Band",    "the band",  "Rock", "Pop",   "op",    " Jazz", "Unknown",
    "Rock, Pop", "Blues\tSoul", "\xE9t\xE9", "love", "Glove", "\"Q\"", "A\nB",  "x"};
const char* const kFiles[] = {"C:\\A\\1.mp3",
                              "C:\\A\\2.mp3",
                              "C:\\a\\1.mp3",
                              "D:\\x.mp3",
                              "plain.mp3",
                              "C:\\B\\C\\3",
                              "",
                              "\\",
                              "C:\\A\\CD1\\1.mp3",
                              "C:\\A\\CD2\\1.mp3",
                              "C:\\A\\Disc 10\\1.mp3",
                              "C:\\B\\cd 9\\1.mp3",
                              "C:\\B\\CD1\\2.mp3",
                              "C:\\B\\C\\CD2\\1",
                              "C:\\CD3\\x.mp3",
                              "CD1\\x.mp3"};

#define CHECK(condition) \
    if (!(condition)) std::abort()

class Reader {
  public:
    Reader(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool more() const { return at_ < size_; }
    uint8_t byte() { return at_ < size_ ? data_[at_++] : 0; }
    const char* text() { return kTexts[byte() % 16]; }
    std::string bytes() {
        const std::size_t n = byte() % 12;
        std::string out;
        for (std::size_t i = 0; i < n && more(); ++i) out.push_back(static_cast<char>(byte()));
        return out;
    }

  private:
    const uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

bool matches(const SongRecord& song, const std::vector<std::string>& words) {
    for (const std::string& word : words) {
        if (!containsWord(song.album, word) && !containsWord(song.artist, word) &&
            !containsWord(song.title, word)) {
            return false;
        }
    }
    return true;
}

void checkCatalogue(const AlbumCatalogue& c, int filedSongs) {
    int64_t albumLengths = 0;
    int albumSongs = 0;
    std::unordered_map<const SongRecord*, int> inAlbums;
    for (int i = 0; i < c.albumCount(); ++i) {
        const AlbumRecord* album = c.albumAt(i);
        CHECK(album && album->songCount() > 0);
        int64_t length = 0;
        for (const SongRecord* song : album->songs) {
            CHECK(folderOfFile(song->fileName) == album->folder);
            length += song->length;
            ++inAlbums[song];
        }
        CHECK(length == album->length);
        albumLengths += album->length;
        albumSongs += album->songCount();
        for (int j = 0; j < i; ++j) CHECK(c.albumAt(j)->folder != album->folder);
    }
    CHECK(albumSongs == filedSongs);
    CHECK(albumLengths == c.totalLength());
    for (const SongRecord* song : c.songs()) CHECK(inAlbums.count(song) == 1);
    CHECK(c.songAt(c.songCount()) == nullptr && c.shownAlbumAt(c.shownCount()) == nullptr);
}

// Each song in one album; a set's songs in disc folders directly inside its
// folder, disc by disc; no set's folder holds a song of its own.
void checkJoined(const AlbumCatalogue& c, int filedSongs) {
    std::unordered_set<std::string_view> songFolders;
    for (int i = 0; i < c.albumCount(); ++i) {
        for (const SongRecord* song : c.albumAt(i)->songs)
            songFolders.insert(folderOfFile(song->fileName));
    }
    int albumSongs = 0;
    std::unordered_set<std::string_view> albumFolders;
    for (int i = 0; i < c.albumCount(); ++i) {
        const AlbumRecord& album = *c.albumAt(i);
        CHECK(album.songCount() > 0 && albumFolders.insert(album.folder).second);
        albumSongs += album.songCount();
        int32_t disc = -1;
        for (const SongRecord* song : album.songs) {
            const std::string_view folder = folderOfFile(song->fileName);
            if (!album.discSet) {
                CHECK(folder == album.folder);
                continue;
            }
            CHECK(parentFolder(folder) == album.folder && discOfFile(song->fileName) >= disc);
            disc = discOfFile(song->fileName);
        }
        if (album.discSet) CHECK(songFolders.count(album.folder) == 0);
    }
    CHECK(albumSongs == filedSongs);
}

// Every genre the library lists counts the albums that the reference's
// literal restriction shows.
void checkGenreCounts(const LibraryCatalogue& library, reference::Catalogue& mirror) {
    for (const std::string& name : library.genreNames()) {
        mirror.restrictToGenre(name.empty() ? kUnknownGenre : name);
        CHECK(library.albumCountOfGenre(name) == mirror.shownCount());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    Reader in(data, size);
    LibraryCatalogue library(100, nullptr);
    // Files the library's songs again, borrowed.
    LibraryCatalogue joined(100, nullptr);
    joined.setJoinDiscFolders(true);
    // Declared after the library, whose songs it borrows, so freed first.
    ViewCatalogue reused(100, nullptr);
    auto mirror = std::make_unique<reference::Catalogue>();
    // The genre of the library's shown albums while nothing was filed since
    // its restriction: the reference restricted alike shows the same albums.
    std::optional<std::string> restricted;
    int filed = 0;
    while (in.more()) {
        switch (in.byte() % 8) {
            case 0:
            case 1: {
                const char* artist = in.text();
                const char* title = in.text();
                const char* album = in.text();
                const char* genre = in.text();
                const char* file = kFiles[in.byte() % 16];
                const int length = static_cast<int8_t>(in.byte()) * 1000003;
                SongRecord* added =
                    library.addSong(makeSongRecord(artist, title, album, length, in.byte(), genre,
                                                   static_cast<int8_t>(in.byte()), file, nullptr));
                mirror->addSong(added);
                joined.addSong(added);
                ++filed;
                restricted.reset();
                break;
            }
            case 2: {
                const int index = static_cast<int8_t>(in.byte());
                library.removeSongAt(index);
                mirror->removeSongAt(index);
                joined.removeSongAt(index);
                break;
            }
            case 3: {
                const std::string name = in.byte() % 2 ? in.text() : in.bytes();
                library.restrictToGenre(name);
                if (!name.empty()) CHECK(library.albumCountOfGenre(name) == library.shownCount());
                int64_t length = 0;
                for (const AlbumRecord* album : library.shownAlbums()) length += album->length;
                CHECK(length == library.shownLength());
                mirror->restrictToGenre(name);
                CHECK(mirror->shownCount() == library.shownCount());
                CHECK(mirror->shownLength() == library.shownLength());
                restricted = name;
                break;
            }
            case 4: {
                const int column = in.byte() % 8;
                const bool descending = in.byte() % 2;
                library.sortShownAlbums(column, descending);
                const auto& shown = library.shownAlbums();
                for (std::size_t i = 1; i < shown.size(); ++i) {
                    CHECK(compareAlbums(*shown[i - 1], *shown[i], column, descending) <= 0);
                }
                if (restricted) {
                    mirror->restrictToGenre(*restricted);
                    mirror->sortShown(column, descending);
                    CHECK(reference::differenceBetween(*mirror, library).empty());
                }
                break;
            }
            case 5: {
                const int column = in.byte() % 3;
                library.sortGenres(column, in.byte() % 2);
                // Each genre once, and each a piece as the restriction cuts them.
                std::unordered_set<std::string> listed;
                for (const std::string& name : library.genreNames()) {
                    CHECK(listed.insert(name).second);
                    CHECK(name.find_first_of(",\t\n") == std::string::npos);
                    CHECK(name.empty() || (name.front() != ' ' && name.back() != ' '));
                }
                checkGenreCounts(library, *mirror);
                // By "Albums" the shown albums are left restricted to some genre.
                if (column == 1) restricted.reset();
                break;
            }
            case 6: {
                const std::string text = in.bytes();
                const std::string genre = in.byte() % 2 ? in.text() : "";
                const int column = in.byte() % 8;
                const bool descending = in.byte() % 2;
                auto view = searchCatalogue(library, text, genre, column, descending);
                const auto words = splitSearchWords(text);
                std::size_t next = 0;
                for (const SongRecord* song : library.songs()) {
                    if (!matches(*song, words)) continue;
                    CHECK(next < view->songs().size() && view->songs()[next] == song);
                    ++next;
                }
                CHECK(next == view->songs().size());
                checkCatalogue(*view, view->songCount());
                const auto expected = mirror->search(text, genre, column, descending);
                CHECK(reference::differenceBetween(*expected, *view).empty());
                formatStatusLine(*view, library);
                // The reused view, refilled or kept, shows what the new one does.
                searchCatalogue(library, text, genre, column, descending, reused);
                CHECK(reused.songs() == view->songs());
                CHECK(reused.shownCount() == view->shownCount());
                CHECK(reused.shownLength() == view->shownLength());
                for (int i = 0; i < view->shownCount(); ++i) {
                    const AlbumRecord& a = *reused.shownAlbumAt(i);
                    const AlbumRecord& b = *view->shownAlbumAt(i);
                    CHECK(a.folder == b.folder && a.title == b.title && a.artist == b.artist);
                    CHECK(a.genres == b.genres && a.length == b.length && a.songs == b.songs);
                }
                CHECK(reference::differenceBetween(*expected, reused).empty());
                if (in.byte() % 4 == 0 && reused.shownCount() > 0) {
                    sortAlbumSongs(*reused.shownAlbumAt(0), in.byte() % 8, in.byte() % 2);
                }
                // The joined library's view holds the same songs, its sets
                // disc by disc as the library's.
                auto joinedView = searchCatalogue(joined, text, genre, column, descending);
                CHECK(joinedView->songs() == view->songs());
                checkJoined(*joinedView, joinedView->songCount());
                break;
            }
            case 7:
                if (in.byte() % 4 == 0) {
                    joined.releaseAllSongs();
                    library.releaseAllSongs();
                    mirror = std::make_unique<reference::Catalogue>();
                    restricted.reset();
                    filed = 0;
                }
                break;
        }
        checkCatalogue(library, filed);
        checkJoined(joined, filed);
    }
    return 0;
}
