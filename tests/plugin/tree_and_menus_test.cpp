// The plug-in's tree entries and their context menus, through the built DLL
// in the stand-in host.
#include "host/modal_driver.h"
#include "resources/resource_ids.h"
#include "tests/plugin/plugin_test_support.h"

#include <gtest/gtest.h>

namespace coverhall::test {
namespace {

using host::HostSong;
using host::ModalDriver;

const std::string kLongGenre(120, 'g');

std::vector<HostSong> mixedGenres() {
    return {
        song("A", "Rock"),    song("B", ""),     song("C", "jazz"),   song("D", "Blues"),
        song("E", "Unknown"), song("F", "rock"), song("G", "Genres"), song("H", kLongGenre.c_str()),
        song("I", "Rock"),    song("J", nullptr)};
}

void expectSorted(const std::vector<std::string>& titles, bool descending) {
    for (size_t i = 1; i < titles.size(); ++i) {
        const int order = lstrcmpiA(titles[i - 1].c_str(), titles[i].c_str());
        if (descending)
            EXPECT_GE(order, 0) << titles[i - 1] << " before " << titles[i];
        else
            EXPECT_LE(order, 0) << titles[i - 1] << " before " << titles[i];
    }
}

std::vector<std::string> menuTexts(const std::vector<host::MenuItemSeen>& items) {
    std::vector<std::string> texts;
    for (const auto& item : items) texts.push_back(item.separator ? "-" : item.text);
    return texts;
}

TEST(TreeEntries, RootGenresAndOneEntryPerGenreInFirstSeenOrder) {
    PluginInstall install("tree_titles");
    RunningPlugin plugin(install, mixedGenres());
    ASSERT_TRUE(plugin.loaded);
    const auto& entries = plugin.host.treeEntries();
    ASSERT_EQ(entries.size(), 10u);
    EXPECT_EQ(entries[0].title, "Coverhall");
    EXPECT_TRUE(entries[0].hasChildren);
    EXPECT_EQ(entries[1].title, "Genres");
    EXPECT_EQ(entries[1].parentId, entries[0].id);
    EXPECT_TRUE(entries[1].hasChildren);
    // Empty and null genres are one genre, "Unknown", besides the real
    // "Unknown"; genres differing in case are two entries; the long title
    // reaches the host whole.
    const std::vector<std::string> expected = {"Rock",    "Unknown", "jazz",   "Blues",
                                               "Unknown", "rock",    "Genres", kLongGenre};
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(entries[i + 2].title, expected[i]);
        EXPECT_EQ(entries[i + 2].parentId, entries[1].id);
        EXPECT_FALSE(entries[i + 2].hasChildren);
    }
    const auto children = plugin.host.childTitles(entries[1].id);
    EXPECT_EQ(children.size(), expected.size());
    expectSorted(children, false);
    EXPECT_EQ(children.front(), "Blues");
}

TEST(TreeEntries, EmptyLibraryShowsOnlyRootAndGenres) {
    PluginInstall install("tree_empty");
    RunningPlugin plugin(install);
    ASSERT_EQ(plugin.host.treeEntries().size(), 2u);
    EXPECT_TRUE(plugin.host.childTitles(plugin.entry("Genres")).empty());
}

TEST(TreeEntries, StoredDescendingOrderSortsZToA) {
    PluginInstall install("tree_descending");
    writeIni(install.hostIni(), "TreeGenreSortOrder", "1");
    RunningPlugin plugin(install, mixedGenres());
    const auto children = plugin.host.childTitles(plugin.entry("Genres"));
    expectSorted(children, true);
    EXPECT_EQ(children.back(), "Blues");
}

TEST(TreeEntries, UnderAHostsDevicesEntryTheGenresAreStillSorted) {
    PluginInstall install("tree_devices");
    writeIni(install.hostIni(), "TreeGenreSortOrder", "1");
    host::HostOptions options = install.options();
    options.withDevicesEntry = true;
    RunningPlugin plugin(install, mixedGenres(), options);
    const auto& entries = plugin.host.treeEntries();
    ASSERT_GE(entries.size(), 3u);
    EXPECT_EQ(entries[1].title, "Coverhall");
    EXPECT_EQ(entries[1].parentId, entries[0].id);  // below "Devices"
    const auto children = plugin.host.childTitles(plugin.entry("Genres"));
    expectSorted(children, true);
    EXPECT_EQ(children.back(), "Blues");
}

TEST(TreeEntries, GenresPastTheTableGetNoEntryAndNothingBreaks) {
    PluginInstall install("tree_many");
    std::vector<HostSong> songs;
    for (int i = 0; i < 300; ++i) {
        const std::string genre = "Genre " + std::to_string(1000 + i);
        songs.push_back(song(genre.c_str(), genre.c_str()));
    }
    RunningPlugin plugin(install, songs);
    const int genres = plugin.entry("Genres");
    EXPECT_EQ(plugin.host.childTitles(genres).size(), 254u);
    EXPECT_EQ(plugin.host.treeEntries().back().title, "Genre 1253");
    // The last row answers; a host id beyond the table is foreign.
    const int last = plugin.host.treeEntries().back().id;
    EXPECT_EQ(plugin.host.sendToPlugin(PluginCode::kTreeClick, last, 1, 0), 1);
    EXPECT_EQ(plugin.host.sendToPlugin(PluginCode::kTreeClick, last + 1, 1, 0), 0);
}

TEST(Dispatch, TreeCodesAnswerOnlyForTheirOwnEntries) {
    PluginInstall install("dispatch");
    RunningPlugin plugin(install, mixedGenres());
    auto& host = plugin.host;
    const int root = plugin.entry("Coverhall");
    const int genres = plugin.entry("Genres");
    ModalDriver driver;  // any menu that opened would be recorded as unexpected
    for (int code : {0x100, 0x101, 0x102, 0x150, 0x1FF}) {
        EXPECT_EQ(host.sendToPlugin(code, 987654, 0, 0), 0) << code;
        EXPECT_EQ(host.sendToPlugin(code, 0, 0, 0), 0) << code;
    }
    for (int code : {0x102, 0x103, 0x104, 0x105, 0x1FF})
        EXPECT_EQ(host.sendToPlugin(code, root, 0, 0), 0) << code;
    // The plug-in's own entries make their views.
    for (int id : {root, genres}) {
        auto view = reinterpret_cast<HWND>(host.sendToPlugin(
            PluginCode::kCreateView, id, reinterpret_cast<INT_PTR>(host.viewArea()), 0));
        EXPECT_TRUE(IsWindow(view)) << id;
        DestroyWindow(view);
    }
    EXPECT_EQ(host.sendToPlugin(PluginCode::kTreeClick, root, 1,
                                reinterpret_cast<INT_PTR>(host.libraryWindow())),
              1);
    EXPECT_EQ(host.sendToPlugin(PluginCode::kTreeClick, genres, 2, 0), 1);
    EXPECT_EQ(host.sendToPlugin(0x200, root, 0, 0), 0);
    EXPECT_EQ(host.sendToPlugin(-1, -1, -1, -1), 0);
    host.pump(0);  // whatever the codes posted is handled too
    EXPECT_TRUE(driver.menusSeen().empty());
    EXPECT_TRUE(driver.unexpected().empty());
}

TEST(SendTo, OffersItsEntryForItemListsOnlyAndTakesOnlyItsOwnValue) {
    PluginInstall install("send_to");
    RunningPlugin plugin(install, {song("A", "Rock")});
    auto& host = plugin.host;
    const auto offered = host.buildSendToMenu();
    ASSERT_EQ(offered.size(), 1u);
    EXPECT_EQ(offered[0].label, "ItemCacheEx");
    EXPECT_EQ(offered[0].userValue, reinterpret_cast<intptr_t>(host.plugin()->onMessage));
    EXPECT_EQ(host.sendLibraryTo(offered[0]), 1);
    EXPECT_EQ(host.sendLibraryTo(offered[0]), 1);  // twice is allowed
    const size_t before = host.sendToEntries().size();
    EXPECT_EQ(host.sendToPlugin(PluginCode::kBuildSendTo, 1, 7, 0), 0);
    EXPECT_EQ(host.sendToEntries().size(), before);

    ItemRecord item{};
    ItemRecordList list{&item, 1, 1};
    const INT_PTR listValue = reinterpret_cast<INT_PTR>(&list);
    const INT_PTR own = offered[0].userValue;
    EXPECT_EQ(host.sendToPlugin(PluginCode::kSendTo, 0, listValue, own + 4), 0);
    EXPECT_EQ(host.sendToPlugin(PluginCode::kSendTo, 1, listValue, own), 0);
    EXPECT_EQ(host.sendToPlugin(PluginCode::kSendTo, 0, 0, own), 0);
    // An item with nothing but null texts is taken without harm.
    EXPECT_EQ(host.sendToPlugin(PluginCode::kSendTo, 0, listValue, own), 1);
    ItemRecordList broken{nullptr, 5, 5};
    EXPECT_EQ(host.sendToPlugin(PluginCode::kSendTo, 0, reinterpret_cast<INT_PTR>(&broken), own),
              1);
}

TEST(ContextMenu, RootAndGenreEntriesOfferHelpAndAboutTheRootPreparingCoversToo) {
    PluginInstall install("menu_entries");
    RunningPlugin plugin(install, {song("A", "Rock")});
    ModalDriver driver;
    driver.expectMenu(0);
    driver.expectMenu(0);
    EXPECT_EQ(plugin.host.rightClickEntry(plugin.entry("Coverhall")), 1);
    EXPECT_EQ(plugin.host.rightClickEntry(plugin.entry("Rock")), 1);
    ASSERT_EQ(driver.menusSeen().size(), 2u);
    const std::vector<std::string> root = {"Prepare All Covers", "-", "&Help", "&About Coverhall"};
    const std::vector<std::string> genre = {"&Help", "&About Coverhall"};
    EXPECT_EQ(menuTexts(driver.menusSeen()[0]), root);
    EXPECT_EQ(driver.menusSeen()[0][0].commandId, static_cast<UINT>(ID_MENU_PREPARE_COVERS));
    EXPECT_EQ(menuTexts(driver.menusSeen()[1]), genre);
    for (const auto& menu : driver.menusSeen()) {
        EXPECT_EQ(menu[menu.size() - 2].commandId, static_cast<UINT>(ID_MENU_HELP));
        EXPECT_EQ(menu.back().commandId, static_cast<UINT>(ID_MENU_ABOUT));
    }
}

TEST(ContextMenu, SortGenreTogglesTheOrderAndStoresIt) {
    PluginInstall install("menu_sort");
    RunningPlugin plugin(install, mixedGenres());
    auto& host = plugin.host;
    const int genres = plugin.entry("Genres");
    ModalDriver driver;
    driver.expectMenu(ID_MENU_SORT_GENRE);
    EXPECT_EQ(host.rightClickEntry(genres), 1);
    ASSERT_EQ(driver.menusSeen().size(), 1u);
    const std::vector<std::string> first = {"Sort &descending", "-", "&Help", "&About Coverhall"};
    EXPECT_EQ(menuTexts(driver.menusSeen()[0]), first);
    expectSorted(host.childTitles(genres), true);
    EXPECT_EQ(iniSection(install.hostIni(), "ml_Coverhall")["TreeGenreSortOrder"], "1");

    driver.expectMenu(ID_MENU_SORT_GENRE);
    EXPECT_EQ(host.rightClickEntry(genres), 1);
    ASSERT_EQ(driver.menusSeen().size(), 2u);
    EXPECT_EQ(driver.menusSeen()[1][0].text, "Sort &ascending");
    expectSorted(host.childTitles(genres), false);
    EXPECT_EQ(iniSection(install.hostIni(), "ml_Coverhall")["TreeGenreSortOrder"], "0");

    driver.expectMenu(0);
    host.rightClickEntry(genres);
    EXPECT_EQ(driver.menusSeen()[2][0].text, "Sort &descending");
}

TEST(ContextMenu, HelpWithoutTheGuideShowsTheWarningBox) {
    PluginInstall install("menu_help_missing", false);
    RunningPlugin plugin(install, {song("A", "Rock")});
    ModalDriver driver;
    std::string message;
    driver.expectMenu(ID_MENU_HELP);
    driver.expectDialog("Show Coverhall Help File", [&](HWND box) {
        message = controlText(box, 0xFFFF);
        host::clickDialogButton(box, IDOK);
    });
    EXPECT_EQ(plugin.host.rightClickEntry(plugin.entry("Rock")), 1);
    EXPECT_TRUE(driver.done());
    EXPECT_EQ(message, "The help file 'ReadMeCoverhall.txt' does not exist.");
}

}  // namespace
}  // namespace coverhall::test
