// The genre list window through the stand-in host: counts, sorting and
// opening a genre's album window.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "host/list_probes.h"
#include "resources/resource_ids.h"
#include "tests/views/view_test_support.h"

namespace coverhall::test {
namespace {

using host::clickButton;

std::vector<std::string> column(HWND list, int subItem) {
    std::vector<std::string> texts;
    for (int i = 0; i < host::listItemCount(list); ++i)
        texts.push_back(host::requestDisplay(list, i, subItem, LVIF_TEXT).text);
    return texts;
}

std::vector<host::HostSong> genreSongs() {
    std::vector<host::HostSong> songs;
    addAlbum(songs, "One", "A", 2000, 1, 60, "Rock");
    addAlbum(songs, "Two", "B", 2000, 1, 60, "Rock");
    addAlbum(songs, "Three", "C", 2000, 1, 60, "Jazz");
    addAlbum(songs, "Four", "D", 2000, 1, 60, "");
    addAlbum(songs, "Five", "E", 2000, 1, 60, "Blues");
    addAlbum(songs, "Six", "F", 2000, 1, 60, "Blues");
    return songs;
}

TEST(GenreList, CountsSortsAndStoresItsOrder) {
    PluginInstall install("genres_sort");
    RunningPlugin plugin(install, genreSongs());
    auto& host = plugin.host;
    ASSERT_TRUE(host.selectEntry("Genres"));
    HWND list = host.control(IDC_GENRE_LIST);
    EXPECT_EQ(column(list, 0), (std::vector<std::string>{"Blues", "Jazz", "Rock", "Unknown"}));
    EXPECT_EQ(column(list, 1), (std::vector<std::string>{"2", "1", "2", "1"}));
    EXPECT_EQ(ListView_GetColumnWidth(list, 0), 300);
    EXPECT_EQ(ListView_GetColumnWidth(list, 1), 64);
    host::sendColumnClick(list, 1);  // by albums, ties by name ascending
    EXPECT_EQ(column(list, 0), (std::vector<std::string>{"Jazz", "Unknown", "Blues", "Rock"}));
    host::sendColumnClick(list, 1);
    EXPECT_EQ(column(list, 0), (std::vector<std::string>{"Blues", "Rock", "Jazz", "Unknown"}));
    const auto keys = iniSection(install.hostIni(), "ml_Coverhall");
    EXPECT_EQ(keys.at("GenreListSortDir"), "1");
    EXPECT_EQ(keys.at("GenreListSortedCol"), "1");
    // The next window opens in the stored order.
    ASSERT_TRUE(host.selectEntry("Coverhall"));
    ASSERT_TRUE(host.selectEntry("Genres"));
    EXPECT_EQ(column(host.control(IDC_GENRE_LIST), 0),
              (std::vector<std::string>{"Blues", "Rock", "Jazz", "Unknown"}));
}

TEST(GenreList, EditedSortColumnCountsAsTheName) {
    PluginInstall install("genres_edited");
    writeIni(install.hostIni(), "GenreListSortedCol", "7");
    RunningPlugin plugin(install, genreSongs());
    auto& host = plugin.host;
    ASSERT_TRUE(host.selectEntry("Genres"));
    EXPECT_EQ(column(host.control(IDC_GENRE_LIST), 0),
              (std::vector<std::string>{"Blues", "Jazz", "Rock", "Unknown"}));
}

TEST(GenreList, ViewGenreOpensThatGenresOwnAlbumWindow) {
    PluginInstall install("genres_view");
    std::vector<host::HostSong> songs = genreSongs();
    const std::string longGenre(100, 'L');
    addAlbum(songs, "Seven", "G", 2000, 3, 60, longGenre.c_str());
    addAlbum(songs, "Eight", "H", 2000, 1, 60, "Coverhall");
    RunningPlugin plugin(install, songs);
    auto& host = plugin.host;
    ASSERT_TRUE(host.selectEntry("Genres"));
    HWND list = host.control(IDC_GENRE_LIST);
    // Without a selection the button does nothing.
    clickButton(host.control(IDC_VIEW_GENRE));
    host.pump(0);  // the posted request is handled
    EXPECT_EQ(GetDlgItem(host.viewWindow(), IDC_GENRE_LIST), list);
    const std::vector<std::string> names = column(list, 0);
    for (const std::string& genre : {longGenre, std::string("Coverhall"), std::string("Unknown")}) {
        ASSERT_TRUE(host.selectEntry("Genres"));
        list = host.control(IDC_GENRE_LIST);
        const auto at = std::find(names.begin(), names.end(), genre) - names.begin();
        ListView_SetItemState(list, static_cast<int>(at), LVIS_SELECTED, LVIS_SELECTED);
        // The double click destroys the window while it is handled.
        host::sendNotify(list, NM_DBLCLK);
        ASSERT_TRUE(waitForFirstSearch(host)) << genre;
        HWND albums = host.control(IDC_ALBUM_LIST);
        ASSERT_TRUE(albums) << genre;
        const int expected = genre == longGenre ? 3 : 1;
        EXPECT_EQ(controlText(host.viewWindow(), IDC_STATUS_LINE)
                      .rfind(std::to_string(host::listItemCount(albums)) + " Albums", 0),
                  0u);
        EXPECT_EQ(host::listItemCount(albums), 1) << genre;
        EXPECT_EQ(host::requestDisplay(albums, 0, 2, LVIF_TEXT).text, std::to_string(expected));
    }
}

// A song genre holding a comma used to be a tree entry and a row of its own
// that never showed an album.
TEST(GenreList, MultiValuedGenresAreListedByTheirPieces) {
    PluginInstall install("genres_pieces");
    std::vector<host::HostSong> songs;
    addAlbum(songs, "One", "A", 2000, 2, 60, "Rock, Pop");
    addAlbum(songs, "Two", "B", 2000, 1, 60, "Rock");
    addAlbum(songs, "Three", "C", 2000, 1, 60, " Pop ");
    addAlbum(songs, "Four", "D", 2000, 1, 60, "Rock");
    RunningPlugin plugin(install, songs);
    auto& host = plugin.host;
    const std::vector<std::string> genres = {"Pop", "Rock"};
    EXPECT_EQ(host.childTitles(plugin.entry("Genres")), genres);
    ASSERT_TRUE(host.selectEntry("Genres"));
    EXPECT_EQ(column(host.control(IDC_GENRE_LIST), 0), genres);
    EXPECT_EQ(column(host.control(IDC_GENRE_LIST), 1), (std::vector<std::string>{"2", "3"}));
    const std::vector<std::string> albums[] = {{"One", "Three"}, {"Four", "One", "Two"}};
    for (int row = 0; row < 2; ++row) {
        ASSERT_TRUE(host.selectEntry("Genres"));
        ListView_SetItemState(host.control(IDC_GENRE_LIST), row, LVIS_SELECTED, LVIS_SELECTED);
        clickButton(host.control(IDC_VIEW_GENRE));
        // The genre's search runs on the window's timer, late on a busy machine.
        ASSERT_TRUE(waitForFirstSearch(host)) << genres[row];
        EXPECT_EQ(column(host.control(IDC_ALBUM_LIST), 0), albums[row]) << genres[row];
    }
}

TEST(GenreList, ALibraryWithoutSongsShowsAnEmptyList) {
    PluginInstall install("genres_empty");
    RunningPlugin plugin(install, {});
    auto& host = plugin.host;
    ASSERT_TRUE(host.selectEntry("Genres"));
    EXPECT_EQ(host::listItemCount(host.control(IDC_GENRE_LIST)), 0);
    clickButton(host.control(IDC_VIEW_GENRE));
    host.pump(0);  // the posted request is handled
    EXPECT_TRUE(host.control(IDC_GENRE_LIST));
    host.changeSkin();
    EXPECT_EQ(host::listItemCount(host.control(IDC_GENRE_LIST)), 0);
}

}  // namespace
}  // namespace coverhall::test
