// Load, search, sort and genre-count figures of the catalogue on generated
// libraries, and the same work by the reference algorithms at 50,000 songs,
// whose search results the catalogue's must equal.
#include <cstdio>
#include <memory>
#include <string>

#include "bench/bench_report.h"
#include "bench/catalogue/library_generator.h"
#include "bench/catalogue/reference_catalogue.h"
#include "catalogue/block_reserve.h"
#include "catalogue/library_catalogue.h"
#include "catalogue/search.h"
#include "catalogue/view_catalogue.h"

namespace {

constexpr int kLargeLibrary = 200000;
constexpr int kRatioLibrary = 50000;
constexpr int kRepeats = 7;
constexpr int kReferenceRepeats = 3;
// Figures compared with each other, taken in turns.
constexpr int kPairedRepeats = 15;
constexpr int kEdge = 100;

// The host's item as the plug-in hands it to the library catalogue.
HostSong hostSong(const GeneratedItem& item) {
    return {item.artist, item.title, item.album,    item.length, item.track,
            item.genre,  item.year,  item.fileName, "3"};
}

// A song with its own texts, as the reference keeps them.
std::unique_ptr<StandaloneSong> songOf(const GeneratedItem& item) {
    return std::make_unique<StandaloneSong>(hostSong(item));
}

std::unique_ptr<LibraryCatalogue> load(const GeneratedLibrary& library, bool joinDiscs = false) {
    // As the plug-in loads the host's query result.
    auto catalogue = std::make_unique<LibraryCatalogue>(kEdge, nullptr);
    catalogue->setJoinDiscFolders(joinDiscs);
    catalogue->reserveSongs(library.items().size());
    for (const GeneratedItem& item : library.items()) catalogue->addSong(hostSong(item));
    return catalogue;
}

// Peak memory of a loaded 200,000-song library that has been searched,
// measured first, while no pre-generated text block exists.
void measurePeakMemory() {
    LibraryCatalogue catalogue(kEdge, nullptr);
    ItemGenerator generator;
    catalogue.reserveSongs(kLargeLibrary);
    for (int i = 0; i < kLargeLibrary; ++i) catalogue.addSong(hostSong(generator.item(i)));
    // Each search refills the one view catalogue of the album window.
    ViewCatalogue view(kEdge, nullptr);
    searchCatalogue(catalogue, "e", "", 0, false, view);
    searchCatalogue(catalogue, "", "", 0, false, view);
    report("peak_rss_200k_mb", peakRssMb(), "MB");
}

// The same search again and again into one view, as typing repeats it.
double searchMs(const LibraryCatalogue& library, const char* text, const char* genre) {
    ViewCatalogue view(kEdge, nullptr);
    searchCatalogue(library, text, genre, 0, false, view);
    return medianMs(
        kRepeats, [] {}, [&] { searchCatalogue(library, text, genre, 0, false, view); });
}

void largeLibraryFigures() {
    const GeneratedLibrary items(kLargeLibrary);
    std::unique_ptr<LibraryCatalogue> library;
    // Reloads, as after a library change (the blocks of the released
    // catalogue are kept for them), with the disc sets apart and joined in
    // turns: joining must cost next to nothing.
    std::unique_ptr<LibraryCatalogue> joined;
    const auto [loadMs, joinedLoadMs] = medianMsInTurns(
        kPairedRepeats, [&] { library.reset(); }, [&] { library = load(items); },
        [&] { joined.reset(); }, [&] { joined = load(items, true); });
    report("load_200k_ms", loadMs, "ms");
    report("load_200k_joined_ms", joinedLoadMs, "ms");
    report("ratio_load_200k_joined", joinedLoadMs / loadMs, "x");
    report("albums_200k", library->albumCount(), "albums");
    report("albums_200k_joined", joined->albumCount(), "albums");
    // A load with nothing kept, as the first one after the plug-in starts.
    report("load_cold_200k_ms",
           medianMs(
               3,
               [&] {
                   library.reset();
                   freeReservedBlocks();
               },
               [&] { library = load(items); }),
           "ms");

    double start = nowMs();
    auto first = searchCatalogue(*library, "love", "", 0, false);
    report("search_first_200k_ms", nowMs() - start, "ms");
    report("search_word_matches_200k", first->songCount(), "songs");
    first.reset();
    ViewCatalogue wordView(kEdge, nullptr), joinedWordView(kEdge, nullptr);
    const auto [wordMs, joinedWordMs] = medianMsInTurns(
        kPairedRepeats * 3, [] {},
        [&] { searchCatalogue(*library, "love", "", 0, false, wordView); }, [] {},
        [&] { searchCatalogue(*joined, "love", "", 0, false, joinedWordView); });
    report("search_word_200k_ms", wordMs, "ms");
    report("search_word_200k_joined_ms", joinedWordMs, "ms");
    report("ratio_search_word_200k_joined", joinedWordMs / wordMs, "x");
    joined.reset();
    report("search_two_words_200k_ms", searchMs(*library, "love mar", ""), "ms");
    report("search_letter_200k_ms", searchMs(*library, "e", ""), "ms");
    report("search_empty_200k_ms", searchMs(*library, "", ""), "ms");
    report("search_empty_genre_200k_ms", searchMs(*library, "", "Rock 1"), "ms");

    std::unique_ptr<ViewCatalogue> view;
    report("sort_albums_artist_20k_ms",
           medianMs(
               kRepeats, [&] { view = searchCatalogue(*library, "", "", 0, false); },
               [&] { view->sortShownAlbums(1, false); }),
           "ms");
    report("genre_counts_sort_ms",
           medianMs(
               kRepeats, [&] { view = searchCatalogue(*library, "", "", 0, false); },
               [&] {
                   view->sortGenres(1, true);
                   for (const std::string& genre : view->genreNames()) {
                       view->albumCountOfGenre(genre);
                   }
               }),
           "ms");
    report("genres_200k", view->genreCount(), "genres");
}

struct Search {
    const char* text;
    const char* genre;
    int column;
    bool descending;
};

// Every search gives the result of the reference holding the same songs; the
// letter search is timed. Gives whether all agreed.
bool searchFigures(const LibraryCatalogue& ours) {
    reference::Catalogue theirs;
    for (SongRecord* song : ours.songs()) theirs.addSong(song);
    const Search searches[] = {{"e", "", 0, false},       {"love", "", 1, true},
                               {"", "", 3, false},        {"", "Rock 1", 5, true},
                               {"love mar", "", 2, true}, {"\"of the\"", "Pop 3", 4, false},
                               {"xyz", "", 0, false},     {"e", "", 6, false}};
    ViewCatalogue view(kEdge, nullptr);
    bool agreed = true;
    for (const Search& s : searches) {
        searchCatalogue(ours, s.text, s.genre, s.column, s.descending, view);
        const std::string difference = reference::differenceBetween(
            *theirs.search(s.text, s.genre, s.column, s.descending), view);
        if (!difference.empty()) {
            std::printf("search \"%s\" in \"%s\" differs from the reference: %s\n", s.text, s.genre,
                        difference.c_str());
            agreed = false;
        }
    }
    report("search_results_match_reference", agreed ? 1 : 0, "bool");
    const double oursMs = medianMs(
        kRepeats, [] {}, [&] { searchCatalogue(ours, "e", "", 0, false, view); });
    const double theirsMs = medianMs(
        kReferenceRepeats, [] {}, [&] { theirs.search("e", "", 0, false); });
    report("search_letter_50k_ms", oursMs, "ms");
    report("reference_search_letter_50k_ms", theirsMs, "ms");
    report("ratio_search_letter_50k", theirsMs / oursMs, "x");
    return agreed;
}

// Gives whether the searches agreed with the reference.
bool ratioFigures() {
    const GeneratedLibrary items(kRatioLibrary);
    std::unique_ptr<LibraryCatalogue> ours;
    const double oursLoad = medianMs(
        kRepeats, [&] { ours.reset(); }, [&] { ours = load(items); });
    std::unique_ptr<reference::Catalogue> theirs;
    const double referenceLoad = medianMs(
        kReferenceRepeats, [&] { theirs = std::make_unique<reference::Catalogue>(); },
        [&] {
            for (const GeneratedItem& item : items.items()) theirs->addSong(songOf(item));
        });
    report("load_50k_ms", oursLoad, "ms");
    report("reference_load_50k_ms", referenceLoad, "ms");
    report("ratio_load_50k", referenceLoad / oursLoad, "x");

    std::unique_ptr<ViewCatalogue> view;
    const double oursSort = medianMs(
        kRepeats, [&] { view = searchCatalogue(*ours, "", "", 0, false); },
        [&] { view->sortGenres(1, true); });
    const double referenceSort = medianMs(
        kReferenceRepeats, [] {}, [&] { theirs->sortGenresByAlbums(true); });
    report("genre_sort_50k_ms", oursSort, "ms");
    report("reference_genre_sort_50k_ms", referenceSort, "ms");
    report("ratio_genre_sort_50k", referenceSort / oursSort, "x");
    return searchFigures(*ours);
}

}  // namespace

// --no-reference leaves out the 50,000-song comparisons, whose literal
// algorithms take minutes under Wine.
int main(int argc, char** argv) {
    measurePeakMemory();
    largeLibraryFigures();
    if (argc > 1 && std::string(argv[1]) == "--no-reference") return 0;
    // A result that differs from the reference fails the run.
    return ratioFigures() ? 0 : 1;
}
