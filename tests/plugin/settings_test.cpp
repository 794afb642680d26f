// Settings in the host's INI file and the INI paths, through the built DLL;
// edited, broken and missing INI files end in the defaults.
#include "host/modal_driver.h"
#include "resources/resource_ids.h"
#include "tests/plugin/plugin_test_support.h"
#include "win/plugin_globals.h"
#include "win/settings.h"

#include <gtest/gtest.h>

namespace coverhall::test {
namespace {

using host::ModalDriver;

// The cover settings the plug-in holds, as its Configure dialog shows them
// (closed again with Cancel).
struct ShownSettings {
    int mode = -1;
    std::string imageName;
    bool nameEnabled = false;
    bool songPictures = false;
};

ShownSettings shownSettings(RunningPlugin& plugin) {
    ShownSettings shown;
    ModalDriver driver;
    driver.expectDialog("Configure Coverhall", [&](HWND dialog) {
        for (int mode = 0; mode < 3; ++mode)
            if (isChecked(dialog, IDC_DETECT_ANY + mode)) shown.mode = mode;
        shown.imageName = controlText(dialog, IDC_IMAGE_NAME);
        shown.nameEnabled = IsWindowEnabled(GetDlgItem(dialog, IDC_IMAGE_NAME));
        shown.songPictures = isChecked(dialog, IDC_SONG_PICTURES);
        host::clickDialogButton(dialog, IDCANCEL);
    });
    EXPECT_EQ(plugin.host.configurePlugin(), 1);
    EXPECT_TRUE(driver.done());
    return shown;
}

std::string winIniValue(const char* key) {
    char text[64] = "";
    GetProfileStringA("ml_Coverhall", key, "", text, sizeof(text));
    return text;
}

TEST(Settings, FirstStartWritesExactlyTheFourDefaults) {
    PluginInstall install("settings_fresh");
    RunningPlugin plugin(install, {song("A", "Rock")});
    const auto keys = iniSection(install.hostIni(), "ml_Coverhall");
    const std::map<std::string, std::string> expected = {{"FrontCoverDetection", "2"},
                                                         {"FrontCoverImageName", "cover.bmp"},
                                                         {"CoverDesity", "0"},
                                                         {"TreeGenreSortOrder", "0"}};
    EXPECT_EQ(keys, expected);
    const auto shown = shownSettings(plugin);
    EXPECT_EQ(shown.mode, 2);
    EXPECT_EQ(shown.imageName, "cover.bmp");
    EXPECT_TRUE(shown.nameEnabled);
    EXPECT_TRUE(shown.songPictures);
    // The host asked for both INI paths.
    const auto& asked = plugin.host.playerRequests();
    EXPECT_NE(std::find(asked.begin(), asked.end(), 334), asked.end());
    EXPECT_NE(std::find(asked.begin(), asked.end(), 335), asked.end());
}

TEST(Settings, DetectionOutOfRangeWorksAsTwoWhileTheFileKeepsIt) {
    PluginInstall install("settings_seven");
    writeIni(install.hostIni(), "FrontCoverDetection", "7");
    RunningPlugin plugin(install);
    EXPECT_EQ(shownSettings(plugin).mode, 2);
    const auto keys = iniSection(install.hostIni(), "ml_Coverhall");
    EXPECT_EQ(keys.at("FrontCoverDetection"), "7");
    // Not a first start: no image name is made up.
    EXPECT_EQ(keys.count("FrontCoverImageName"), 0u);
    EXPECT_EQ(shownSettings(plugin).imageName, "");
}

TEST(Settings, EditedValuesFallBackWithoutHarm) {
    PluginInstall install("settings_edited");
    writeIni(install.hostIni(), "FrontCoverDetection", "abc");
    writeIni(install.hostIni(), "FrontCoverImageName", std::string(1000, 'n').c_str());
    writeIni(install.hostIni(), "CoverDesity", std::string(400, '9').c_str());
    writeIni(install.hostIni(), "TreeGenreSortOrder", "99999999999999999999999");
    writeIni(install.hostIni(), "ShowAlbumTags", "zero");
    writeIni(install.hostIni(), "EmbeddedCovers", "0");
    RunningPlugin plugin(install, {song("A", "Alpha"), song("B", "Beta")});
    const auto shown = shownSettings(plugin);
    EXPECT_EQ(shown.mode, 0);  // non-numeric reads as 0
    EXPECT_FALSE(shown.songPictures);
    EXPECT_FALSE(shown.nameEnabled);
    EXPECT_EQ(shown.imageName, std::string(259, 'n'));
    // A huge order is "not 0": descending.
    const auto children = plugin.host.childTitles(plugin.entry("Genres"));
    EXPECT_EQ(children, (std::vector<std::string>{"Beta", "Alpha"}));
}

TEST(Settings, NullIniAnswersGiveDefaultsAndNeverTouchWinIni) {
    PluginInstall install("settings_null");
    auto options = install.options();
    options.iniFileAnswersNull = true;
    options.iniFolderAnswersNull = true;
    RunningPlugin plugin(install, {song("A", "Rock")}, options);
    ASSERT_TRUE(plugin.loaded);
    EXPECT_EQ(plugin.host.treeEntries().size(), 3u);
    auto shown = shownSettings(plugin);
    EXPECT_EQ(shown.mode, 2);
    EXPECT_EQ(shown.imageName, "cover.bmp");
    // Sort Genre and Configure OK change the settings in memory only.
    ModalDriver driver;
    driver.expectMenu(ID_MENU_SORT_GENRE);
    plugin.host.rightClickEntry(plugin.entry("Genres"));
    driver.expectDialog("Configure Coverhall", [](HWND dialog) {
        host::clickButton(GetDlgItem(dialog, IDC_DETECT_NAMED));
        host::clickDialogButton(dialog, IDOK);
    });
    plugin.host.configurePlugin();
    EXPECT_EQ(shownSettings(plugin).mode, 1);
    EXPECT_EQ(winIniValue("FrontCoverDetection"), "");
    EXPECT_EQ(winIniValue("TreeGenreSortOrder"), "");
    EXPECT_EQ(GetFileAttributesA(install.hostIni().c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(Settings, AnUnwritableIniFileGivesTheDefaults) {
    PluginInstall install("settings_unwritable");
    // A folder in place of the file: every read and write fails.
    CreateDirectoryA(install.hostIni().c_str(), nullptr);
    RunningPlugin plugin(install, {song("A", "Rock")});
    ASSERT_TRUE(plugin.loaded);
    EXPECT_EQ(plugin.host.treeEntries().size(), 3u);
    EXPECT_EQ(shownSettings(plugin).mode, 2);
    RemoveDirectoryA(install.hostIni().c_str());
}

TEST(SettingsUnit, NumbersParseLikeAtoiWithoutOverflow) {
    EXPECT_EQ(parseSettingNumber("2"), 2);
    EXPECT_EQ(parseSettingNumber(" -3x"), -3);
    EXPECT_EQ(parseSettingNumber("abc"), 0);
    EXPECT_EQ(parseSettingNumber(""), 0);
    EXPECT_EQ(parseSettingNumber(nullptr), 0);
    EXPECT_EQ(parseSettingNumber("99999999999999999999"), INT_MAX);
    EXPECT_EQ(parseSettingNumber("-99999999999999999999"), INT_MIN);
}

TEST(SettingsUnit, OwnIniPathIsBuiltOnlyWhenItFits) {
    char path[kPathSize];
    ASSERT_TRUE(buildOwnIniPath("C:\\Player", path, sizeof(path)));
    EXPECT_STREQ(path, "C:\\Player\\Plugins\\ml_Coverhall.ini");
    const std::string longest(kPathSize - 1 - strlen("\\Plugins\\ml_Coverhall.ini"), 'f');
    EXPECT_TRUE(buildOwnIniPath(longest.c_str(), path, sizeof(path)));
    EXPECT_EQ(strlen(path), static_cast<size_t>(kPathSize - 1));
    EXPECT_FALSE(buildOwnIniPath((longest + "f").c_str(), path, sizeof(path)));
    EXPECT_STREQ(path, "");
    EXPECT_FALSE(buildOwnIniPath(std::string(5000, 'x').c_str(), path, sizeof(path)));
    EXPECT_FALSE(buildOwnIniPath("", path, sizeof(path)));
    EXPECT_FALSE(buildOwnIniPath(nullptr, path, sizeof(path)));
    EXPECT_STREQ(path, "");
}

TEST(SettingsUnit, WithoutPathsNothingIsReadOrWritten) {
    g_hostIniPath = "";
    g_ownIniPath[0] = '\0';
    char text[8] = "x";
    readSetting("FrontCoverDetection", text, sizeof(text));
    EXPECT_STREQ(text, "");
    EXPECT_EQ(readSettingInt("ShowAlbumTags", 5), 5);
    EXPECT_FALSE(writeSettingInt("UsedView", 1));
    EXPECT_FALSE(writeColumnWidth("List4", "Album", 120));
    EXPECT_EQ(readColumnWidth("List4", "Album", 200), 200);
    EXPECT_EQ(winIniValue("UsedView"), "");
}

TEST(SettingsUnit, ColumnWidthsGoToTheOwnFile) {
    PluginInstall install("settings_columns");
    lstrcpynA(g_ownIniPath, install.ownIni().c_str(), kPathSize);
    EXPECT_TRUE(writeColumnWidth("List4", "Album", 123));
    EXPECT_EQ(readColumnWidth("List4", "Album", 200), 123);
    EXPECT_EQ(readColumnWidth("List4", "Genre", 150), 150);
    EXPECT_EQ(iniSection(install.ownIni(), "List4").at("Album"), "123");
    g_ownIniPath[0] = '\0';
}

}  // namespace
}  // namespace coverhall::test
