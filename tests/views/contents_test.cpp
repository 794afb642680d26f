// Contents and sending songs: the panel, the song list, stepping between
// albums, Enqueue, double click and drag and drop, through the stand-in host.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/drag_probes.h"
#include "host/list_probes.h"
#include "resources/resource_ids.h"
#include "tests/views/view_test_support.h"

namespace coverhall::test {
namespace {

using host::clickButton;
using host::requestDisplay;

// Selects album index in the album list and opens Contents.
void openContents(host::StandInHost& host, int index) {
    HWND list = host.control(IDC_ALBUM_LIST);
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
    ListView_SetItemState(list, index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    clickButton(host.control(IDC_MODE_CONTENTS));
}

std::string panel(host::StandInHost& host, int id) {
    return controlText(host.viewWindow(), id);
}

TEST(ContentsPanel, ShowsTheAlbumAtTheLimitsOfItsTexts) {
    PluginInstall install("contents_panel");
    std::vector<host::HostSong> songs;
    addAlbum(songs, "A1900", "Old", 1900, 1, 60);
    addAlbum(songs, "B1901", "Early", 1901, 1, 60);
    addAlbum(songs, "C2999", "Late", 2999, 1, 60);
    addAlbum(songs, "D3000", "Future", 3000, 1, 3725);
    songs.back().track = 0;
    RunningPlugin plugin(install, songs);
    auto& host = plugin.host;
    ASSERT_TRUE(openAndSearch(host));
    const char* years[] = {"-", "1901", "2999", "-"};
    for (int i = 0; i < 4; ++i) {
        openContents(host, i);
        EXPECT_EQ(panel(host, IDC_YEAR_VALUE), years[i]) << i;
    }
    EXPECT_TRUE(shown(host.control(IDC_SONG_LIST)));
    EXPECT_FALSE(shown(host.control(IDC_ALBUM_LIST)));
    EXPECT_EQ(panel(host, IDC_ALBUM_VALUE), "D3000");
    EXPECT_EQ(panel(host, IDC_ARTIST_VALUE), "Future");
    EXPECT_EQ(panel(host, IDC_TRACKS_VALUE), "1");
    EXPECT_EQ(panel(host, IDC_PLAYTIME_VALUE), "62:05");
    EXPECT_EQ(panel(host, IDC_GENRES_VALUE), "Jazz");
    // The placeholder picture, at 200 x 200.
    auto picture = reinterpret_cast<HBITMAP>(
        SendMessageA(host.control(IDC_COVER_PICTURE), STM_GETIMAGE, IMAGE_BITMAP, 0));
    BITMAP info{};
    ASSERT_EQ(GetObjectA(picture, sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.bmWidth, 200);
    HWND songList = host.control(IDC_SONG_LIST);
    EXPECT_EQ(host::listItemCount(songList), 1);
    EXPECT_EQ(requestDisplay(songList, 0, 0, LVIF_TEXT).text, "");  // track 0
    EXPECT_EQ(requestDisplay(songList, 0, 4, LVIF_TEXT).text, "62:05");
    EXPECT_EQ(requestDisplay(songList, 0, 5, LVIF_TEXT).text, "3000");
    EXPECT_FALSE(requestDisplay(songList, 1, 0, LVIF_TEXT).textTouched);
}

TEST(ContentsSongList, ColumnClicksSortAndAreStored) {
    PluginInstall install("contents_sort");
    RunningPlugin plugin(install, demoSongs());
    auto& host = plugin.host;
    ASSERT_TRUE(openAndSearch(host));
    openContents(host, 2);  // Dance, four songs
    HWND songs = host.control(IDC_SONG_LIST);
    EXPECT_EQ(requestDisplay(songs, 0, 1, LVIF_TEXT).text, "Dance song 1");
    host::sendColumnClick(songs, 0);
    auto keys = iniSection(install.hostIni(), "ml_Coverhall");
    EXPECT_EQ(keys.at("SongListSortDir"), "1");
    EXPECT_EQ(keys.at("SongListSortedCol"), "0");
    EXPECT_EQ(requestDisplay(songs, 0, 1, LVIF_TEXT).text, "Dance song 4");
    host::sendColumnClick(songs, 1);
    keys = iniSection(install.hostIni(), "ml_Coverhall");
    EXPECT_EQ(keys.at("SongListSortedCol"), "1");
    EXPECT_EQ(keys.at("SongListSortDir"), "1");
}

TEST(ContentsStepping, PreviousAndNextWrapAround) {
    PluginInstall install("contents_step");
    RunningPlugin plugin(install, demoSongs());
    auto& host = plugin.host;
    ASSERT_TRUE(openAndSearch(host));
    openContents(host, 0);
    HWND albums = host.control(IDC_ALBUM_LIST);
    clickButton(host.control(IDC_PREVIOUS_ALBUM));
    EXPECT_EQ(panel(host, IDC_ALBUM_VALUE), "Echoes");
    EXPECT_EQ(ListView_GetNextItem(albums, -1, LVNI_SELECTED), 3);
    EXPECT_EQ(ListView_GetSelectedCount(albums), 1u);
    clickButton(host.control(IDC_NEXT_ALBUM));
    EXPECT_EQ(panel(host, IDC_ALBUM_VALUE), "Blue Hour");
    // The arrow keys of the song list step too; the first song is selected.
    HWND songs = host.control(IDC_SONG_LIST);
    host::sendListKeyDown(songs, VK_RIGHT);
    EXPECT_EQ(panel(host, IDC_ALBUM_VALUE), "Cold Rock");
    host::sendListKeyDown(songs, VK_LEFT);
    EXPECT_EQ(panel(host, IDC_ALBUM_VALUE), "Blue Hour");
    EXPECT_EQ(ListView_GetNextItem(songs, -1, LVNI_SELECTED), 0);
}

TEST(Enqueue, SendsTheWholeAlbumOutsideContentsAndTheSelectionInside) {
    PluginInstall install("contents_enqueue");
    writeIni(install.hostIni(), "SongListSortDir", "1");
    RunningPlugin plugin(install, demoSongs());
    auto& host = plugin.host;
    ASSERT_TRUE(openAndSearch(host));
    HWND albums = host.control(IDC_ALBUM_LIST);
    ListView_SetItemState(albums, 1, LVIS_SELECTED, LVIS_SELECTED);  // Cold Rock
    clickButton(host.control(IDC_ENQUEUE));
    ASSERT_EQ(host.playRequests().size(), 1u);
    const host::PlayRecord& whole = host.playRequests()[0];
    EXPECT_FALSE(whole.enqueue);
    ASSERT_EQ(whole.songs.size(), 3u);
    // Sorted by the song list's order (track, descending), field by field.
    const host::PlayedSong& first = whole.songs[0];
    EXPECT_EQ(first.filename, "C:\\Music\\BandCold Rock\\3.mp3");
    EXPECT_EQ(first.title, "Cold Rock song 3");
    EXPECT_EQ(first.album, "Cold Rock");
    EXPECT_EQ(first.artist, "Band");
    EXPECT_EQ(first.genre, "Rock");
    EXPECT_EQ(first.year, 1971);
    EXPECT_EQ(first.track, 3);
    EXPECT_EQ(first.length, 180);
    EXPECT_FALSE(first.hasExtendedInfo);
    EXPECT_EQ(whole.songs[2].track, 1);
    // With Shift held (as GetAsyncKeyState sees it) the songs are enqueued.
    INPUT shift{};
    shift.type = INPUT_KEYBOARD;
    shift.ki.wVk = VK_SHIFT;
    SendInput(1, &shift, sizeof shift);
    clickButton(host.control(IDC_ENQUEUE));
    shift.ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(1, &shift, sizeof shift);
    ASSERT_EQ(host.playRequests().size(), 2u);
    EXPECT_TRUE(host.playRequests()[1].enqueue);
    // In Contents only the selected songs go, in the list's order.
    openContents(host, 1);
    HWND songs = host.control(IDC_SONG_LIST);
    ListView_SetItemState(songs, -1, 0, LVIS_SELECTED);
    ListView_SetItemState(songs, 0, LVIS_SELECTED, LVIS_SELECTED);
    ListView_SetItemState(songs, 2, LVIS_SELECTED, LVIS_SELECTED);
    clickButton(host.control(IDC_ENQUEUE));
    ASSERT_EQ(host.playRequests().size(), 3u);
    ASSERT_EQ(host.playRequests()[2].songs.size(), 2u);
    EXPECT_EQ(host.playRequests()[2].songs[0].track, 3);
    EXPECT_EQ(host.playRequests()[2].songs[1].track, 1);
    // A double click sends the selection too; nothing selected sends nothing.
    host::sendNotify(songs, NM_DBLCLK);
    EXPECT_EQ(host.playRequests().size(), 4u);
    ListView_SetItemState(songs, -1, 0, LVIS_SELECTED);
    clickButton(host.control(IDC_ENQUEUE));
    host::sendListKeyDown(songs, VK_RETURN);
    host::sendNotify(songs, NM_RETURN);
    EXPECT_EQ(host.playRequests().size(), 4u);
    EXPECT_FALSE(host.playlistTexts().empty());
}

TEST(Enqueue, NothingIsSentWithoutASelectedAlbumAndBigAlbumsGoWhole) {
    PluginInstall install("contents_big");
    std::vector<host::HostSong> songs;
    addAlbum(songs, "Box Set", "Everyone", 2000, 5000, 200);
    RunningPlugin plugin(install, songs);
    auto& host = plugin.host;
    ASSERT_TRUE(openAndSearch(host));
    clickButton(host.control(IDC_ENQUEUE));
    EXPECT_TRUE(host.playRequests().empty());
    ListView_SetItemState(host.control(IDC_ALBUM_LIST), 0, LVIS_SELECTED, LVIS_SELECTED);
    clickButton(host.control(IDC_ENQUEUE));
    ASSERT_EQ(host.playRequests().size(), 1u);
    EXPECT_EQ(host.playRequests()[0].songs.size(), 5000u);
    // A search that leaves a stale selection index sends nothing.
    ASSERT_TRUE(searchFor(host, "no such album"));
    clickButton(host.control(IDC_ENQUEUE));
    EXPECT_EQ(host.playRequests().size(), 1u);
}

TEST(DragAndDrop, AlbumsAndSongsDropOntoThePlaylistOnly) {
    PluginInstall install("contents_drag");
    host::HostOptions options = install.options();
    options.showWindow = true;  // the cursor finds windows only where they are shown
    RunningPlugin plugin(install, demoSongs(), options);
    auto& host = plugin.host;
    ASSERT_TRUE(openAndSearch(host));
    HWND albums = host.control(IDC_ALBUM_LIST);
    // Nothing selected: the host is asked, nothing is dropped.
    ListView_SetItemState(albums, -1, 0, LVIS_SELECTED);
    host::dragListTo(host, albums, host.playlistPane());
    EXPECT_TRUE(host.drops().empty());
    ListView_SetItemState(albums, 0, LVIS_SELECTED, LVIS_SELECTED);
    host::dragListTo(host, albums, host.playlistPane());
    ASSERT_EQ(host.drops().size(), 1u);
    EXPECT_EQ(host.drops()[0].songs.size(), 2u);
    ASSERT_GE(host.dragTests().size(), 2u);
    EXPECT_EQ(host.dragTests().back().flag, 1);
    // Over the album window itself: no test, no drop, not-allowed cursor.
    const size_t tests = host.dragTests().size();
    host::beginListDrag(albums);
    EXPECT_EQ(GetCapture(), host.viewWindow());
    host::moveDragTo(host, host::centreOf(host.control(IDC_STATUS_LINE)));
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_NO));
    host::releaseDrag();
    EXPECT_EQ(host.dragTests().size(), tests);
    EXPECT_EQ(host.drops().size(), 1u);
    EXPECT_NE(GetCapture(), host.viewWindow());
    // In Contents the selected songs are dropped.
    openContents(host, 0);
    HWND songs = host.control(IDC_SONG_LIST);
    ListView_SetItemState(songs, -1, 0, LVIS_SELECTED);
    ListView_SetItemState(songs, 1, LVIS_SELECTED, LVIS_SELECTED);
    host::dragListTo(host, songs, host.playlistPane());
    ASSERT_EQ(host.drops().size(), 2u);
    ASSERT_EQ(host.drops()[1].songs.size(), 1u);
    EXPECT_EQ(host.drops()[1].songs[0].track, 2);
}

}  // namespace
}  // namespace coverhall::test
