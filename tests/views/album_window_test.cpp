// The album window driven through the stand-in host as a user would: open,
// type, click, press keys and send the list's notifications.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/host_skin.h"
#include "host/list_probes.h"
#include "resources/resource_ids.h"
#include "tests/views/view_test_support.h"
#include "views/album_window.h"

namespace coverhall::test {
namespace {

using host::clickButton;
using host::requestDisplay;

TEST(AlbumWindowOpening, FirstOpeningOnAFreshIni) {
    PluginInstall install("views_first_open");
    RunningPlugin plugin(install, demoSongs());
    auto& host = plugin.host;
    host::clearServiceCalls();
    ASSERT_TRUE(host.selectEntry("Coverhall"));
    HWND window = host.viewWindow();
    ASSERT_TRUE(window);
    SendMessageA(window, WM_PAINT, 0, 0);
    // Until the search has run the list is empty and the status one blank.
    EXPECT_EQ(controlText(window, IDC_STATUS_LINE), " ");
    EXPECT_EQ(host::listItemCount(host.control(IDC_ALBUM_LIST)), 0);
    EXPECT_TRUE(isChecked(window, IDC_MODE_LIST));
    EXPECT_EQ(iniSection(install.hostIni(), "ml_Coverhall").at("UsedView"), "0");
    EXPECT_EQ(controlText(window, IDC_ARTIST_VALUE), "No Album Selected");
    EXPECT_FALSE(IsWindowEnabled(host.control(IDC_MODE_CONTENTS)));
    ASSERT_TRUE(waitForFirstSearch(host));
    EXPECT_EQ(controlText(window, IDC_STATUS_LINE), "4 Albums [0:33:00]");
    EXPECT_EQ(host::listItemCount(host.control(IDC_ALBUM_LIST)), 4);
    EXPECT_EQ(iniSection(install.hostIni(), "ml_Coverhall").at("lastfilter"), "");
    // Columns at their default widths, the song list skinned by the host.
    HWND list = host.control(IDC_ALBUM_LIST);
    const int widths[] = {200, 200, 64, 64, 64, 150, 80};
    for (int column = 0; column < 7; ++column)
        EXPECT_EQ(ListView_GetColumnWidth(list, column), widths[column]) << column;
    ASSERT_EQ(host.skinnedLists().size(), 1u);
    EXPECT_EQ(host.skinnedLists()[0].list, host.control(IDC_SONG_LIST));
    // The host laid the window out and painted its borders.
    bool resized = false, bordered = false;
    for (const host::ServiceCall& call : host::serviceCalls()) {
        if (call.window != window) continue;
        if (call.kind == host::ServiceCall::kResizeInit) resized = call.controlIds.size() == 14;
        if (call.kind == host::ServiceCall::kBorders)
            bordered = call.controlIds == std::vector<int>{IDC_SEARCH_EDIT + 0x10000,
                                                           IDC_ALBUM_LIST, IDC_MODE_GROUP,
                                                           IDC_ARTIST_LABEL, IDC_SONG_LIST};
    }
    EXPECT_TRUE(resized);
    EXPECT_TRUE(bordered);
}

TEST(AlbumWindowOpening, StoredModeAndSearchComeBackExactly) {
    PluginInstall install("views_stored");
    writeIni(install.hostIni(), "UsedView", "2");
    RunningPlugin plugin(install, demoSongs());
    auto& host = plugin.host;
    ASSERT_TRUE(host.selectEntry("Coverhall"));
    EXPECT_TRUE(isChecked(host.viewWindow(), IDC_MODE_COVERS));
    EXPECT_EQ(GetWindowLongPtrA(host.control(IDC_ALBUM_LIST), GWL_STYLE) & LVS_TYPEMASK, LVS_ICON);
    ASSERT_TRUE(waitForFirstSearch(host));
    // Texts the profile reader would trim come back as typed.
    for (const char* typed : {"\"abbey road\"", " padded ", "'quoted'", "plain words"}) {
        ASSERT_TRUE(searchFor(host, typed));
        ASSERT_TRUE(host.selectEntry("Genres"));
        ASSERT_TRUE(host.selectEntry("Coverhall"));
        ASSERT_TRUE(waitForFirstSearch(host));
        EXPECT_EQ(controlText(host.viewWindow(), IDC_SEARCH_EDIT), typed);
    }
    // The user can type no more than the search reads.
    EXPECT_EQ(SendMessageA(host.control(IDC_SEARCH_EDIT), EM_GETLIMITTEXT, 0, 0), 254);
}

// An edited settings file may hold a longer text than the field takes: the
// field used to show it whole while the search ran on its first 254.
TEST(AlbumWindowOpening, ALongStoredSearchIsCutToWhatIsSearched) {
    PluginInstall install("views_long_search");
    const std::string searched = "blue" + std::string(250, ' ');
    writeIni(install.hostIni(), "lastfilter", (searched + std::string(46, 'x')).c_str());
    RunningPlugin plugin(install, demoSongs());
    auto& host = plugin.host;
    ASSERT_TRUE(openAndSearch(host));
    EXPECT_EQ(controlText(host.viewWindow(), IDC_SEARCH_EDIT), searched);
    EXPECT_EQ(controlText(host.viewWindow(), IDC_STATUS_LINE), "Found: 1 Albums [0:06:00]");
    // Stored in quotes, for its trailing blanks.
    EXPECT_EQ(iniSection(install.hostIni(), "ml_Coverhall").at("lastfilter"), '"' + searched + '"');
}

TEST(AlbumWindowSearch, TypingIsDebouncedAndTheResultCounted) {
    PluginInstall install("views_debounce");
    RunningPlugin plugin(install, demoSongs());
    auto& host = plugin.host;
    ASSERT_TRUE(host.selectEntry("Coverhall"));
    ASSERT_TRUE(waitForFirstSearch(host));
    HWND window = host.viewWindow();
    ASSERT_TRUE(searchAfter(host, [&] {
        for (const char* partial : {"b", "bl", "blu", "blue"}) typeSearch(host, partial);
        // Each change only restarts the delay: nothing is searched yet.
        EXPECT_EQ(controlText(window, IDC_STATUS_LINE), "4 Albums [0:33:00]");
    }));
    EXPECT_EQ(controlText(window, IDC_STATUS_LINE), "Found: 1 Albums [0:06:00]");
    EXPECT_EQ(iniSection(install.hostIni(), "ml_Coverhall").at("lastfilter"), "blue");
    // The search used up the one delay the four changes left.
    EXPECT_FALSE(KillTimer(window, kSearchDelayTimer));
    ASSERT_TRUE(searchAfter(host, [&] { clickButton(host.control(IDC_CLEAR_SEARCH)); }));
    EXPECT_EQ(controlText(window, IDC_STATUS_LINE), "4 Albums [0:33:00]");
}

TEST(AlbumListAnswers, ColumnTextsAtTheirLimits) {
    PluginInstall install("views_columns");
    std::vector<host::HostSong> songs;
    addAlbum(songs, "Zero Year", "A", 0, 1, 3725);
    addAlbum(songs, "First Year", "B", 1, 1, 59);
    addAlbum(songs, "Last Year", "C", 4999, 999, 1);
    addAlbum(songs, "Past Years", "D", 5000, 1000, 1);
    RunningPlugin plugin(install, songs);
    auto& host = plugin.host;
    ASSERT_TRUE(openAndSearch(host));
    HWND list = host.control(IDC_ALBUM_LIST);
    // Sorted by album title: First Year, Last Year, Past Years, Zero Year.
    EXPECT_EQ(requestDisplay(list, 0, 4, LVIF_TEXT).text, "1");
    EXPECT_EQ(requestDisplay(list, 0, 2, LVIF_TEXT).text, "1");
    EXPECT_EQ(requestDisplay(list, 1, 4, LVIF_TEXT).text, "4999");
    EXPECT_EQ(requestDisplay(list, 1, 2, LVIF_TEXT).text, "999");
    EXPECT_EQ(requestDisplay(list, 2, 4, LVIF_TEXT).text, "");
    EXPECT_EQ(requestDisplay(list, 2, 2, LVIF_TEXT).text, "");
    EXPECT_EQ(requestDisplay(list, 3, 4, LVIF_TEXT).text, "");
    EXPECT_EQ(requestDisplay(list, 3, 3, LVIF_TEXT).text, "62:05");
    EXPECT_EQ(requestDisplay(list, 3, 0, LVIF_TEXT).text, "Zero Year");
    EXPECT_EQ(requestDisplay(list, 3, 1, LVIF_TEXT).text, "A");
    EXPECT_EQ(requestDisplay(list, 3, 6, LVIF_TEXT).text, "C:\\Music\\AZero Year");
    // Cut to the buffer; a null buffer, a size of 0 and foreign indexes are
    // left alone.
    EXPECT_EQ(requestDisplay(list, 3, 0, LVIF_TEXT, 5).text, "Zero");
    EXPECT_FALSE(requestDisplay(list, 3, 0, LVIF_TEXT, 0).textTouched);
    EXPECT_FALSE(requestDisplay(list, 4, 0, LVIF_TEXT).textTouched);
    EXPECT_FALSE(requestDisplay(list, -1, 0, LVIF_TEXT).textTouched);
    EXPECT_FALSE(requestDisplay(list, 0, 0, LVIF_PARAM).textTouched);
    EXPECT_EQ(host::requestDisplayWide(list, 3, 0, LVIF_TEXT).text, "Zero Year");
    EXPECT_EQ(host::requestDisplayWide(list, 3, 0, LVIF_TEXT, 3).text, "Ze");
}

TEST(AlbumListAnswers, CoverLabelsFollowDensityAndSortColumn) {
    PluginInstall install("views_labels");
    std::vector<host::HostSong> songs;
    addAlbum(songs, "", "Solo", 2000, 1, 60);
    addAlbum(songs, "Bright", "", 2000, 1, 60);
    writeIni(install.hostIni(), "UsedView", "1");
    writeIni(install.hostIni(), "CoverDesity", "2");
    RunningPlugin plugin(install, songs);
    auto& host = plugin.host;
    ASSERT_TRUE(openAndSearch(host));
    HWND list = host.control(IDC_ALBUM_LIST);
    // A stored density of 2 is High spacing but still labelled.
    EXPECT_EQ(requestDisplay(list, 0, 0, LVIF_TEXT).text, "- / Solo");
    EXPECT_EQ(requestDisplay(list, 1, 0, LVIF_TEXT).text, "Bright / -");
    host::sendColumnClick(list, 1);  // by artist: empty artist first
    EXPECT_EQ(requestDisplay(list, 0, 0, LVIF_TEXT).text, "- / Bright");
    EXPECT_EQ(requestDisplay(list, 1, 0, LVIF_TEXT).text, "Solo / -");
    clickButton(host.control(IDC_DENSITY_HIGH));
    EXPECT_EQ(requestDisplay(list, 0, 0, LVIF_TEXT).text, "");
    EXPECT_EQ(iniSection(install.hostIni(), "ml_Coverhall").at("CoverDesity"), "1");
    // Without a cover the image is the no-cover slot; the first selected
    // item carries the selection frame.
    const host::DisplayAnswer answer = requestDisplay(list, 0, 0, LVIF_IMAGE | LVIF_STATE);
    EXPECT_EQ(answer.image, 0);
    EXPECT_EQ(answer.state & LVIS_OVERLAYMASK, INDEXTOOVERLAYMASK(1));
    EXPECT_EQ(requestDisplay(list, 1, 0, LVIF_STATE).state & LVIS_OVERLAYMASK, 0u);
}

TEST(AlbumListAnswers, TagTipsHaveSixAlignedLines) {
    PluginInstall install("views_tips");
    std::vector<host::HostSong> songs;
    addAlbum(songs, "Long Player", "Band", 1999, 2, 150, "Rock");
    addAlbum(songs, "Many", "Crowd", 6000, 1000, 1, "Pop");
    RunningPlugin plugin(install, songs);
    auto& host = plugin.host;
    ASSERT_TRUE(openAndSearch(host));
    HWND list = host.control(IDC_ALBUM_LIST);
    EXPECT_EQ(host::requestInfoTip(list, 0, 512, "old"),
              "Album:   Long Player\nArtist:  Band\nTracks:  2\nLength:  5:00\n"
              "Year:    1999\nGenre:   Rock");
    EXPECT_EQ(host::requestInfoTip(list, 1, 512),
              "Album:   Many\nArtist:  Crowd\nTracks:  0 or >1000\nLength:  16:40\n"
              "Year:    \nGenre:   Pop");
    EXPECT_EQ(host::requestInfoTip(list, 0, 12), "Album:   Lo");
    EXPECT_EQ(host::requestInfoTip(list, 7, 64, "kept"), "kept");
}

TEST(AlbumListAnswers, TypeAheadOverEveryFlag) {
    PluginInstall install("views_find");
    std::vector<host::HostSong> songs;
    addAlbum(songs, "The Beatles", "B", 1968, 1, 60);
    addAlbum(songs, "...Baby", "C", 1970, 1, 60);
    addAlbum(songs, "Abbey", "A", 1969, 1, 60);
    addAlbum(songs, "Cats", "D", 0, 1, 60);
    RunningPlugin plugin(install, songs);
    auto& host = plugin.host;
    ASSERT_TRUE(openAndSearch(host));
    HWND list = host.control(IDC_ALBUM_LIST);
    // Sorted: Abbey, ...Baby, The Beatles, Cats.
    EXPECT_EQ(host::requestFind(list, 0, LVFI_PARTIAL, "bea"), 2);
    EXPECT_EQ(host::requestFind(list, 0, 0x4 /* substring */, "BA"), 1);
    EXPECT_EQ(host::requestFind(list, 0, LVFI_STRING, "abbey"), 0);
    EXPECT_EQ(host::requestFind(list, 0, LVFI_STRING, "abb"), -1);
    EXPECT_EQ(host::requestFind(list, 0, 0, "abbey"), -1);
    // The typed text keeps its "the ".
    EXPECT_EQ(host::requestFind(list, 0, LVFI_PARTIAL, "the"), -1);
    // Without wrap the search ends at the last album; with wrap it goes on.
    EXPECT_EQ(host::requestFind(list, 2, LVFI_PARTIAL, "ab"), -1);
    EXPECT_EQ(host::requestFind(list, 2, LVFI_PARTIAL | LVFI_WRAP, "ab"), 0);
    // Out-of-range starts begin at the first album.
    EXPECT_EQ(host::requestFind(list, -1, LVFI_PARTIAL, "ca"), 3);
    EXPECT_EQ(host::requestFind(list, 99, LVFI_PARTIAL, "ab"), 0);
    EXPECT_EQ(host::requestFind(list, -1, LVFI_PARTIAL, "beat", true), 2);
    // By year: digits find years; a year of 0 never matches.
    host::sendColumnClick(list, 4);
    EXPECT_EQ(host::requestFind(list, 0, LVFI_PARTIAL, "197"), 3);
    EXPECT_EQ(host::requestFind(list, 0, LVFI_PARTIAL, "0"), -1);
}

TEST(AlbumListSorting, ColumnClicksFlipOrSwitchAndAreStored) {
    PluginInstall install("views_sort");
    RunningPlugin plugin(install, demoSongs());
    auto& host = plugin.host;
    ASSERT_TRUE(openAndSearch(host));
    HWND list = host.control(IDC_ALBUM_LIST);
    const std::string first = requestDisplay(list, 0, 0, LVIF_TEXT).text;
    host::sendColumnClick(list, 0);  // same column: descending
    auto keys = iniSection(install.hostIni(), "ml_Coverhall");
    EXPECT_EQ(keys.at("sortdir"), "1");
    EXPECT_EQ(keys.at("sortcol"), "0");
    EXPECT_EQ(requestDisplay(list, 3, 0, LVIF_TEXT).text, first);
    EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_SELECTED), 0);
    host::sendColumnClick(list, 0);
    EXPECT_EQ(requestDisplay(list, 0, 0, LVIF_TEXT).text, first);
    host::sendColumnClick(list, 4);  // another column keeps the direction
    keys = iniSection(install.hostIni(), "ml_Coverhall");
    EXPECT_EQ(keys.at("sortdir"), "0");
    EXPECT_EQ(keys.at("sortcol"), "4");
    // On an empty list nothing is selected and Contents is disabled.
    ASSERT_TRUE(searchFor(host, "nothing matches this"));
    host::sendColumnClick(list, 1);
    EXPECT_EQ(ListView_GetSelectedCount(list), 0u);
    EXPECT_FALSE(IsWindowEnabled(host.control(IDC_MODE_CONTENTS)));
}

TEST(AlbumListSorting, EditedSortColumnsFallBack) {
    PluginInstall install("views_sort_edited");
    writeIni(install.hostIni(), "sortcol", "9");
    writeIni(install.hostIni(), "SongListSortedCol", "-4");
    RunningPlugin plugin(install, demoSongs());
    auto& host = plugin.host;
    ASSERT_TRUE(openAndSearch(host));
    HWND list = host.control(IDC_ALBUM_LIST);
    EXPECT_EQ(requestDisplay(list, 0, 0, LVIF_TEXT).text, "Blue Hour");  // by album
}

TEST(AlbumListWidths, EndOfAResizeIsStoredAndReadAtTheNextOpening) {
    PluginInstall install("views_widths");
    RunningPlugin plugin(install, demoSongs());
    auto& host = plugin.host;
    ASSERT_TRUE(openAndSearch(host));
    host::sendEndTrack(host.control(IDC_ALBUM_LIST), 1, 321);
    host::sendEndTrack(host.control(IDC_SONG_LIST), 0, 45);
    host::sendEndTrack(host.control(IDC_ALBUM_LIST), 2, 99, false);  // no item: ignored
    EXPECT_EQ(iniSection(install.ownIni(), "List4").at("Artist"), "321");
    EXPECT_EQ(iniSection(install.ownIni(), "List2").at("Track #"), "45");
    EXPECT_EQ(iniSection(install.ownIni(), "List4").count("Tracks"), 0u);
    ASSERT_TRUE(host.selectEntry("Genres"));
    ASSERT_TRUE(host.selectEntry("Coverhall"));
    EXPECT_EQ(ListView_GetColumnWidth(host.control(IDC_ALBUM_LIST), 1), 321);
    EXPECT_EQ(ListView_GetColumnWidth(host.control(IDC_SONG_LIST), 0), 45);
    // The columns are counted afresh at every opening.
    EXPECT_EQ(Header_GetItemCount(ListView_GetHeader(host.control(IDC_ALBUM_LIST))), 7);
}

TEST(AlbumWindowKeys, EnterSpaceAndDoubleClickOpenOnlyOneAlbum) {
    PluginInstall install("views_keys");
    RunningPlugin plugin(install, demoSongs());
    auto& host = plugin.host;
    ASSERT_TRUE(openAndSearch(host));
    HWND list = host.control(IDC_ALBUM_LIST);
    requestDisplay(list, 0, 0, LVIF_STATE);  // the first request selects item 0
    ASSERT_EQ(ListView_GetSelectedCount(list), 1u);
    EXPECT_TRUE(IsWindowEnabled(host.control(IDC_MODE_CONTENTS)));
    host::holdKey(VK_SHIFT, true);
    host::sendListKeyDown(list, VK_SPACE);
    host::holdKey(VK_SHIFT, false);
    EXPECT_FALSE(isChecked(host.viewWindow(), IDC_MODE_CONTENTS));
    host::sendListKeyDown(list, VK_SPACE);
    EXPECT_TRUE(isChecked(host.viewWindow(), IDC_MODE_CONTENTS));
    EXPECT_FALSE(shown(list));
    EXPECT_FALSE(IsWindowEnabled(host.control(IDC_SEARCH_EDIT)));
    // Space in the song list goes to the covers, also from List.
    host::sendListKeyDown(host.control(IDC_SONG_LIST), VK_SPACE);
    EXPECT_TRUE(isChecked(host.viewWindow(), IDC_MODE_COVERS));
    EXPECT_TRUE(shown(list));
    // With nothing selected Contents stays closed, even when clicked.
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
    host::sendNotify(list, NM_RETURN);
    // The command itself, as a stale click would deliver it.
    SendMessageA(host.viewWindow(), WM_COMMAND, MAKEWPARAM(IDC_MODE_CONTENTS, BN_CLICKED),
                 reinterpret_cast<LPARAM>(host.control(IDC_MODE_CONTENTS)));
    EXPECT_FALSE(shown(host.control(IDC_SONG_LIST)));
}

TEST(AlbumWindowLifetime, NewViewFirstKeepsTheNewWindowCurrent) {
    PluginInstall install("views_new_first");
    host::HostOptions options = install.options();
    options.newViewFirst = true;
    RunningPlugin plugin(install, demoSongs(), options);
    auto& host = plugin.host;
    ASSERT_TRUE(openAndSearch(host));
    ASSERT_TRUE(host.selectEntry("Rock"));
    ASSERT_TRUE(waitForFirstSearch(host));
    HWND window = host.viewWindow();
    EXPECT_EQ(controlText(window, IDC_STATUS_LINE), "1 Albums [0:09:00]");
    // The old window's destruction did not take the new one's place: a
    // Send-to still re-runs the search of the open window.
    const auto offered = host.buildSendToMenu();
    ASSERT_EQ(offered.size(), 1u);
    EXPECT_EQ(host.sendLibraryTo(offered[0]), 1);
    EXPECT_EQ(controlText(window, IDC_STATUS_LINE), "1 Albums [0:18:00]");
    // Each window handed its own skin handle back.
    host.selectEntry("Genres");
    int released = 0;
    for (const host::SkinRecord& skin : host.skinnedLists()) released += skin.released;
    EXPECT_GE(released, 2);
}

TEST(AlbumWindowLifetime, GenreEntriesFilterByTheirFullName) {
    PluginInstall install("views_genre_names");
    const std::string longGenre(100, 'g');
    std::vector<host::HostSong> songs = demoSongs();
    addAlbum(songs, "Long Genre Album", "X", 2001, 2, 60, longGenre.c_str());
    addAlbum(songs, "Named Genres", "Y", 2001, 1, 60, "Genres");
    RunningPlugin plugin(install, songs);
    auto& host = plugin.host;
    ASSERT_TRUE(host.selectEntry(longGenre));
    ASSERT_TRUE(waitForFirstSearch(host));
    EXPECT_EQ(controlText(host.viewWindow(), IDC_STATUS_LINE), "1 Albums [0:02:00]");
    // The genre named "Genres" is a genre row of its own and filters.
    const auto& entries = host.treeEntries();
    int genresGenre = 0;
    for (size_t i = 2; i < entries.size(); ++i)
        if (entries[i].title == "Genres") genresGenre = entries[i].id;
    ASSERT_NE(genresGenre, 0);
    ASSERT_TRUE(host.selectEntry(genresGenre));
    ASSERT_TRUE(waitForFirstSearch(host));
    EXPECT_EQ(controlText(host.viewWindow(), IDC_STATUS_LINE), "1 Albums [0:01:00]");
}

TEST(AlbumWindowLifetime, SkinChangesAndReopeningsKeepHostFontsAndFreeTheirOwn) {
    PluginInstall install("views_objects");
    RunningPlugin plugin(install, demoSongs());
    auto& host = plugin.host;
    std::vector<HGDIOBJ> seen;
    ASSERT_TRUE(host.selectEntry("Genres"));
    const size_t windowsBefore = processWindowCount();
    for (int i = 0; i < 100; ++i) {
        ASSERT_TRUE(host.selectEntry(i % 2 ? "Rock" : "Coverhall"));
        HWND window = host.viewWindow();
        host.changeSkin();
        seen.push_back(reinterpret_cast<HGDIOBJ>(
            SendDlgItemMessageA(window, IDC_SHOW_TAGS, BM_GETIMAGE, IMAGE_BITMAP, 0)));
        // (Wine's tooltip keeps a copy of every font it is given, so the tip
        // font cannot be followed from here.)
        ASSERT_TRUE(host.hostFontAlive()) << i;
    }
    ASSERT_TRUE(host.selectEntry("Genres"));
    int alive = 0;
    for (HGDIOBJ object : seen) alive += GetObjectType(object) != 0;
    EXPECT_EQ(alive, 0) << "tag bitmaps of closed windows are still alive";
    // Wine's list view leaves the tooltip it makes for each list behind; the
    // plug-in's own windows all went.
    EXPECT_EQ(processWindowCount(), windowsBefore);
    EXPECT_TRUE(host.hostFontAlive());
}

TEST(AlbumWindowLifetime, StopWithAnOpenWindowLeavesNothingRunning) {
    PluginInstall install("views_stop");
    RunningPlugin plugin(install, demoSongs());
    auto& host = plugin.host;
    ASSERT_TRUE(host.selectEntry("Coverhall"));
    HWND window = host.viewWindow();
    // The plug-in stops before the host destroyed the view and before the
    // search timers fired: stop closes the window itself, so nothing of the
    // DLL runs on freed songs.
    host.plugin()->stop();
    EXPECT_FALSE(IsWindow(window));
    // Its timers died with it; what stop left queued runs before the unload.
    host.pump(0);
    host.stopPlugin();
    EXPECT_EQ(host.viewWindow(), nullptr);
}

}  // namespace
}  // namespace coverhall::test
