// Random libraries and random sequences of searches, column clicks, song
// sorts and additions: every search result equals the literal reference's.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "bench/catalogue/reference_catalogue.h"
#include "catalogue/comparators.h"
#include "catalogue/search.h"
#include "catalogue/view_catalogue.h"
#include "tests/catalogue/catalogue_fixture.h"

namespace {

const char* const kArtists[] = {"The Band", "band", "ABBA", "\"Weird Al\"", "Zed", "", "the  End"};
const char* const kWords[] = {"love", "Glove", "road", "Abbey", "the", "End", "\xE9t\xE9", "x"};
const char* const kGenres[] = {"Rock", "Pop", "Rock, Pop", " Jazz ",
                               "op",   "",    "Unknown",   "Blues\tSoul"};
const char* const kShownGenres[] = {"", "", "Rock", "Pop", "Jazz", "Unknown", "rock", "Soul"};

class RandomLibrary {
  public:
    explicit RandomLibrary(unsigned seed) : random_(seed) {}

    template <std::size_t N>
    const char* pick(const char* const (&list)[N]) {
        return list[number(N)];
    }
    std::size_t number(std::size_t below) { return random_() % below; }

    std::string text(int words) {
        std::string out;
        for (int i = 0; i < words; ++i) out += std::string(i ? " " : "") + pick(kWords);
        return out;
    }

    // A song in one of a few folders, some differing only in case.
    std::unique_ptr<StandaloneSong> song() {
        const std::string title = text(1 + static_cast<int>(number(3)));
        const std::string album = text(1 + static_cast<int>(number(2)));
        const std::size_t folder = number(24);
        const std::string file = folder == 0   ? "plain.mp3"
                                 : folder == 1 ? "C:\\m\\F1\\s.mp3"
                                               : "C:\\M\\F" + std::to_string(folder) + "\\s.mp3";
        return makeSongRecord(pick(kArtists), title.c_str(), album.c_str(),
                              static_cast<int>(number(700)) - 50, static_cast<int>(number(20)),
                              pick(kGenres), static_cast<int>(number(30)) + 1990 - 5, file.c_str(),
                              nullptr);
    }

    // Words in any case, sometimes quoted, sometimes none.
    std::string searchText() {
        switch (number(6)) {
            case 0:
                return "";
            case 1:
                return "\"" + text(2) + "\"";
            case 2: {
                std::string upper = text(1);
                for (char& c : upper) c = (c >= 'a' && c <= 'z') ? char(c - 32) : c;
                return upper;
            }
            default:
                return text(1 + static_cast<int>(number(2)));
        }
    }

  private:
    std::mt19937 random_;
};

}  // namespace

TEST(SearchAgainstReference, EverySearchOfRandomSequencesGivesTheReferenceResult) {
    for (unsigned seed = 1; seed <= 6; ++seed) {
        RandomLibrary random(seed);
        auto library = emptyCatalogue();
        reference::Catalogue mirror;
        const auto add = [&] { mirror.addSong(library->addSong(random.song())); };
        for (int i = 0; i < 150; ++i) add();
        ViewCatalogue view(100, nullptr);
        std::string text, genre;
        int column = 0;
        bool descending = false;
        for (int step = 0; step < 120; ++step) {
            const std::size_t action = random.number(10);
            if (action < 5) {
                text = random.searchText();
                genre = random.pick(kShownGenres);
                column = static_cast<int>(random.number(9)) - 1;
                descending = random.number(2) == 1;
                searchCatalogue(*library, text, genre, column, descending, view);
            } else if (action == 5) {
                // A column click, then the same search again.
                column = static_cast<int>(random.number(7));
                descending = !descending;
                view.sortShownAlbums(column, descending);
                searchCatalogue(*library, text, genre, column, descending, view);
            } else if (action == 6 && view.shownCount() > 0) {
                // The contents view sorts one album's songs.
                sortAlbumSongs(*view.shownAlbumAt(0), 1, true);
                searchCatalogue(*library, text, genre, column, descending, view);
            } else if (action == 7) {
                add();  // songs sent to the library
                searchCatalogue(*library, text, genre, column, descending, view);
            } else {
                searchCatalogue(*library, "", genre, column, descending, view);
                text.clear();
            }
            const std::string difference =
                reference::differenceBetween(*mirror.search(text, genre, column, descending), view);
            ASSERT_EQ(difference, "")
                << "seed " << seed << " step " << step << " search \"" << text << "\" genre \""
                << genre << "\" column " << column << (descending ? " descending" : "");
        }
    }
}

TEST(SearchAgainstReference, EmptySearchKeepsTheFullViewOnlyWhileNothingChanged) {
    RandomLibrary random(7);
    auto library = emptyCatalogue();
    for (int i = 0; i < 60; ++i) library->addSong(random.song());
    ViewCatalogue view(100, nullptr);
    searchCatalogue(*library, "", "", 1, false, view);
    std::vector<AlbumRecord*> first = view.shownAlbums();
    const uint64_t built = view.version();
    searchCatalogue(*library, " ", "", 1, false, view);
    EXPECT_EQ(view.shownAlbums(), first);
    EXPECT_EQ(view.version(), built);  // not rebuilt

    // Another sort state, a song sort or a new library song rebuilds it.
    searchCatalogue(*library, "", "", 1, true, view);
    EXPECT_NE(view.version(), built);
    const uint64_t rebuilt = view.version();
    sortAlbumSongs(*view.shownAlbumAt(0), 0, false);
    searchCatalogue(*library, "", "", 1, true, view);
    EXPECT_NE(view.version(), rebuilt);
    SongRecord* added = library->addSong(random.song());
    searchCatalogue(*library, "", "", 1, true, view);
    EXPECT_EQ(view.songs().back(), added);
    EXPECT_EQ(formatStatusLine(view, *library).rfind("Found", 0), std::string::npos);
}
