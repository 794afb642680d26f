// The plug-in's own start, stop and Send-to code compiled into this program
// and attached to the stand-in host, so that the catalogue and the tree rows
// it builds can be inspected directly.
#include "catalogue/block_reserve.h"
#include "covers/plugin_state.h"
#include "host/modal_driver.h"
#include "plugin/catalogue_load.h"
#include "plugin/plugin_entry.h"
#include "plugin/send_to.h"
#include "plugin/tree_entries.h"
#include "plugin/tree_menus.h"
#include "plugin/version_info.h"
#include "resources/resource_ids.h"
#include "tests/plugin/plugin_test_support.h"
#include "views/view_windows.h"
#include "win/plugin_globals.h"

#include <gtest/gtest.h>

namespace coverhall::test {
namespace {

using host::HostSong;

HostSong rated(const char* album, const char* name, const char* value) {
    HostSong song = test::song(album, "Rock", album);
    song.extendedInfo = {{"COMPOSER", "x"}, {name, value}};
    song.year = 1999;
    song.track = 4;
    song.length = 201;
    return song;
}

struct AttachedPlugin {
    explicit AttachedPlugin(const char* name, std::vector<HostSong> songs)
        : install(name), host(install.options()) {
        host.setSongs(std::move(songs));
        host.attachPlugin(&g_pluginRecord, GetModuleHandleA(nullptr));
        host.startPlugin();
    }
    ~AttachedPlugin() { host.stopPlugin(); }
    PluginInstall install;
    host::StandInHost host;
};

TEST(CatalogueLoad, ReadsEveryItemWithRatingsAndReleasesTheQuery) {
    HostSong bare;  // every text null
    AttachedPlugin plugin("inproc_load",
                          {rated("A", "RATING", "3"), rated("B", "rating", "12"),
                           rated("C", "Rating", "-2"), rated("D", "RATINGS", "5"), bare});
    EXPECT_EQ(plugin.host.openQueries(), 0);
    ASSERT_EQ(libraryCatalogue().songCount(), 5);
    const SongRecord* first = libraryCatalogue().songAt(0);
    EXPECT_EQ(first->ratingStars, "***");
    EXPECT_EQ(first->album, "A");
    EXPECT_EQ(first->title, "A");
    EXPECT_EQ(first->year, 1999);
    EXPECT_EQ(first->track, 4);
    EXPECT_EQ(first->length, 201);
    EXPECT_EQ(libraryCatalogue().songAt(1)->ratingStars, "*******");  // at most seven
    EXPECT_EQ(libraryCatalogue().songAt(2)->ratingStars, "");
    EXPECT_EQ(libraryCatalogue().songAt(3)->ratingStars, "");  // another entry's name
    EXPECT_EQ(libraryCatalogue().songAt(4)->fileName, "");
    // Without a module of the plug-in's name there is no version block.
    EXPECT_STREQ(g_pluginRecord.description,
                 "Coverhall plug-in from Quillet Varnou GmbH / Version ");
    EXPECT_EQ(g_treeEntryCount, 4);  // root, "Genres", "Rock", "Unknown"
}

TEST(CatalogueLoad, AStartAfterStopLoadsAFreshCatalogue) {
    {
        AttachedPlugin plugin("inproc_first", {rated("A", "RATING", "1")});
        EXPECT_EQ(libraryCatalogue().songCount(), 1);
    }
    EXPECT_EQ(libraryCatalogue().songCount(), 0);  // stop freed the songs
    EXPECT_EQ(reservedBytes(), 0u);                // and kept none of their blocks
    EXPECT_STREQ(g_pluginRecord.description, "");
    AttachedPlugin plugin("inproc_second", {rated("B", "RATING", "2"), rated("C", "RATING", "2")});
    EXPECT_EQ(libraryCatalogue().songCount(), 2);
    EXPECT_EQ(libraryCatalogue().albumCount(), 2);
}

TEST(SendToAppend, AddsTheItemsEveryTimeWithoutRatings) {
    AttachedPlugin plugin("inproc_send", {rated("A", "RATING", "4"), rated("B", "RATING", "4")});
    const auto offered = plugin.host.buildSendToMenu();
    ASSERT_EQ(offered.size(), 1u);
    EXPECT_EQ(offered[0].userValue, sendToUserValue());
    EXPECT_EQ(plugin.host.sendLibraryTo(offered[0]), 1);
    EXPECT_EQ(plugin.host.sendLibraryTo(offered[0]), 1);
    ASSERT_EQ(libraryCatalogue().songCount(), 6);
    EXPECT_EQ(libraryCatalogue().songAt(2)->ratingStars, "");
    EXPECT_EQ(libraryCatalogue().songAt(5)->album, "B");
    // No entries for genres that arrive later.
    EXPECT_EQ(g_treeEntryCount, 3);
    ItemRecord nulls{};
    ItemRecordList list{&nulls, 1, 1};
    EXPECT_EQ(appendItems(&list), 1);
    EXPECT_EQ(libraryCatalogue().songAt(6)->genre, "");
    EXPECT_EQ(appendItems(nullptr), 0);
    ItemRecordList negative{&nulls, -4, 0};
    EXPECT_EQ(appendItems(&negative), 0);
}

TEST(TreeRows, LongGenresKeepTheirWholeNameBesideTheCutRow) {
    const std::string longGenre(300, 'L');
    AttachedPlugin plugin("inproc_long", {test::song("A", longGenre.c_str()),
                                          test::song("B", "Genres"), test::song("C", "")});
    ASSERT_EQ(g_treeEntryCount, 5);
    const TreeEntry& row = g_treeEntries[2];
    EXPECT_EQ(strlen(row.name), 79u);
    EXPECT_EQ(row.fullName, longGenre);
    EXPECT_EQ(plugin.host.treeEntries()[2].title, longGenre);
    EXPECT_EQ(findTreeEntry(row.id), &row);
    EXPECT_EQ(g_treeEntries[4].fullName, "Unknown");
    // Only the "Genres" entry itself opens the genre list; a genre of that
    // name shows its albums like any other.
    EXPECT_TRUE(opensGenreList(g_treeEntries[1]));
    EXPECT_FALSE(opensGenreList(g_treeEntries[3]));
    EXPECT_EQ(g_treeEntries[3].fullName, "Genres");
    EXPECT_FALSE(opensGenreList(g_treeEntries[0]));
    EXPECT_NE(genresNode(), nullptr);
    EXPECT_EQ(findTreeEntry(0), nullptr);
}

TEST(TreeRows, SetTreeEntryTakesNullAndShortTitles) {
    TreeEntry row;
    setTreeEntry(row, 7, nullptr);
    EXPECT_EQ(row.id, 7);
    EXPECT_STREQ(row.name, "");
    setTreeEntry(row, 8, "Jazz");
    EXPECT_STREQ(row.name, "Jazz");
    EXPECT_EQ(row.fullName, "Jazz");
}

TEST(TreeMenus, SortLabelNamesTheOtherOrder) {
    EXPECT_STREQ(sortGenreLabel(0), "Sort &descending");
    EXPECT_STREQ(sortGenreLabel(-5), "Sort &descending");
    EXPECT_STREQ(sortGenreLabel(1), "Sort &ascending");
}

TEST(VersionInfo, FileNameFollowsTheWindowsFamily) {
    EXPECT_STREQ(versionBlockFileName(0x80000004u), ".\\Plugins\\ml_Coverhall.dll");
    EXPECT_STREQ(versionBlockFileName(0x1DB10106u), "ml_Coverhall.dll");
}

TEST(VersionInfo, ReadsTheBuiltDllAndEmptiesTextsWithoutABlock) {
    PluginInstall install("inproc_version");
    readVersionTexts("no_such_module.dll", install.dllPath.c_str());
    EXPECT_STREQ(g_versionText, "1.1.0.1");
    EXPECT_STREQ(g_buildDateText, "15. June 2005");
    EXPECT_GT(strlen(g_commentsText), 100u);
    EXPECT_EQ(makeDescription(), "Coverhall plug-in from Quillet Varnou GmbH / Version 1.1.0.1");
    readVersionTexts(nullptr, "");
    EXPECT_STREQ(g_versionText, "");
    EXPECT_STREQ(g_commentsText, "");
    EXPECT_STREQ(g_buildDateText, "");
    const std::string tooLong(5000, 'v');
    readVersionTexts(tooLong.c_str(), tooLong.c_str());
    EXPECT_STREQ(g_versionText, "");
}

TEST(ConfigureOk, RepaintsTheOpenAlbumList) {
    PluginInstall install("inproc_repaint");
    HMODULE dll = LoadLibraryA(install.dllPath.c_str());  // for its dialog templates
    ASSERT_TRUE(dll);
    const HINSTANCE savedInstance = g_pluginRecord.instance;
    g_pluginRecord.instance = dll;
    g_hostIniPath = "";
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200, nullptr,
                                  nullptr, nullptr, nullptr);
    HWND list = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, window,
                                reinterpret_cast<HMENU>(IDC_ALBUM_LIST), nullptr, nullptr);
    UpdateWindow(window);
    ValidateRect(list, nullptr);
    g_albumWindow = window;
    host::ModalDriver driver;
    driver.expectDialog("Configure Coverhall",
                        [](HWND dialog) { host::clickDialogButton(dialog, IDOK); });
    EXPECT_EQ(onMessage(0x400, 0, 0, 0), 1);
    EXPECT_TRUE(driver.done());
    RECT dirty{};
    EXPECT_TRUE(GetUpdateRect(list, &dirty, FALSE));
    // Without an album window OK repaints nothing and still succeeds.
    g_albumWindow = nullptr;
    driver.expectDialog("Configure Coverhall",
                        [](HWND dialog) { host::clickDialogButton(dialog, IDOK); });
    EXPECT_EQ(onMessage(0x400, 0, 0, 0), 1);
    DestroyWindow(window);
    g_pluginRecord.instance = savedInstance;
    FreeLibrary(dll);
}

TEST(Lifecycle, StartWithoutAHostReturnsZeroAndStopAlwaysReturns) {
    PluginRecord saved = g_pluginRecord;
    g_pluginRecord.playerWindow = nullptr;
    g_pluginRecord.libraryWindow = nullptr;
    g_pluginRecord.instance = nullptr;
    EXPECT_EQ(start(), 0);
    EXPECT_EQ(onMessage(0x101, g_treeEntries[0].id, 0, 0), 1);  // no menu, no crash
    EXPECT_EQ(onMessage(0x300, 0, 0, 0), 0);
    stop();
    stop();
    EXPECT_STREQ(g_pluginRecord.description, "");
    g_pluginRecord = saved;
}

TEST(Lifecycle, MessagesBeforeStartAndAfterStopFindAnEmptyLibraryAndChangeNothing) {
    HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                  nullptr, nullptr);
    ItemRecord nulls{};
    ItemRecordList items{&nulls, 1, 1};
    const auto sendOutsideTheRun = [&] {
        EXPECT_EQ(pluginState(), nullptr);
        // The rows of the last run stay after stop; their entries open nothing.
        for (int row = 0; row < 3; ++row) {
            const INT_PTR id = g_treeEntries[row].id;
            EXPECT_EQ(onMessage(PluginCode::kCreateView, id, reinterpret_cast<INT_PTR>(parent), 0),
                      0);
            EXPECT_EQ(onMessage(PluginCode::kTreeClick, id, 1, 0), 0);
        }
        EXPECT_EQ(
            onMessage(PluginCode::kSendTo, 0, reinterpret_cast<INT_PTR>(&items), sendToUserValue()),
            0);
        EXPECT_EQ(appendItems(&items), 0);
        loadLibraryCatalogue();
        releaseLibrarySongs();
        EXPECT_EQ(libraryCatalogue().songCount(), 0);
        EXPECT_EQ(viewCatalogue(), nullptr);
        EXPECT_EQ(GetWindow(parent, GW_CHILD), nullptr);
        EXPECT_EQ(pluginState(), nullptr);
    };
    sendOutsideTheRun();
    {
        AttachedPlugin plugin("inproc_outside", {test::song("A", "Rock")});
        EXPECT_EQ(g_treeEntryCount, 3);
        EXPECT_EQ(onMessage(PluginCode::kTreeClick, g_treeEntries[2].id, 1, 0), 1);
    }
    sendOutsideTheRun();
    DestroyWindow(parent);
}

}  // namespace
}  // namespace coverhall::test
