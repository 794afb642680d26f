// The Configure and About dialogs of the built DLL, driven as a user would.
#include "host/modal_driver.h"
#include "plugin/about_dialog.h"
#include "resources/resource_ids.h"
#include "tests/plugin/plugin_test_support.h"

#include <gtest/gtest.h>

namespace coverhall::test {
namespace {

using host::ModalDriver;

LOGFONTA fontOf(HWND dialog, int id) {
    LOGFONTA font{};
    auto handle = reinterpret_cast<HFONT>(SendDlgItemMessageA(dialog, id, WM_GETFONT, 0, 0));
    GetObjectA(handle, sizeof(font), &font);
    return font;
}

TEST(Configure, OpensWithModeZeroAndTheNameDisabledButFilled) {
    PluginInstall install("configure_zero");
    writeIni(install.hostIni(), "FrontCoverDetection", "0");
    writeIni(install.hostIni(), "FrontCoverImageName", "folder.jpg");
    RunningPlugin plugin(install);
    ModalDriver driver;
    bool checked[3] = {};
    bool enabled = true;
    std::string name;
    driver.expectDialog("Configure Coverhall", [&](HWND dialog) {
        for (int i = 0; i < 3; ++i) checked[i] = isChecked(dialog, IDC_DETECT_ANY + i);
        enabled = IsWindowEnabled(GetDlgItem(dialog, IDC_IMAGE_NAME));
        name = controlText(dialog, IDC_IMAGE_NAME);
        // Radio buttons switch the edit on and off.
        host::clickButton(GetDlgItem(dialog, IDC_DETECT_NAMED_THEN_ANY));
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDC_IMAGE_NAME)));
        host::clickButton(GetDlgItem(dialog, IDC_DETECT_ANY));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_IMAGE_NAME)));
        host::clickDialogButton(dialog, IDOK);
    });
    EXPECT_EQ(plugin.host.configurePlugin(), 1);
    EXPECT_TRUE(checked[0] && !checked[1] && !checked[2]);
    EXPECT_FALSE(enabled);
    EXPECT_EQ(name, "folder.jpg");
    // OK with mode 0 still writes the unchanged name.
    const auto keys = iniSection(install.hostIni(), "ml_Coverhall");
    EXPECT_EQ(keys.at("FrontCoverDetection"), "0");
    EXPECT_EQ(keys.at("FrontCoverImageName"), "folder.jpg");
}

TEST(Configure, OkStoresTheChoiceAndCancelStoresNothing) {
    PluginInstall install("configure_ok_cancel");
    RunningPlugin plugin(install);
    ModalDriver driver;
    bool songPicturesByDefault = false, joinByDefault = true;
    driver.expectDialog("Configure Coverhall", [&](HWND dialog) {
        songPicturesByDefault = isChecked(dialog, IDC_SONG_PICTURES);
        joinByDefault = isChecked(dialog, IDC_JOIN_DISC_FOLDERS);
        host::clickButton(GetDlgItem(dialog, IDC_DETECT_NAMED));
        SetDlgItemTextA(dialog, IDC_IMAGE_NAME, "front.png");
        host::clickButton(GetDlgItem(dialog, IDC_SONG_PICTURES));
        host::clickButton(GetDlgItem(dialog, IDC_JOIN_DISC_FOLDERS));
        host::clickDialogButton(dialog, IDOK);
    });
    EXPECT_EQ(plugin.host.configurePlugin(), 1);
    EXPECT_TRUE(songPicturesByDefault);
    EXPECT_FALSE(joinByDefault);
    auto keys = iniSection(install.hostIni(), "ml_Coverhall");
    EXPECT_EQ(keys.at("JoinDiscFolders"), "1");
    EXPECT_EQ(keys.at("FrontCoverDetection"), "1");
    EXPECT_EQ(keys.at("FrontCoverImageName"), "front.png");
    EXPECT_EQ(keys.at("EmbeddedCovers"), "0");

    const std::string before = fileContents(install.hostIni());
    bool reopenedWithChoice = false;
    driver.expectDialog("Configure Coverhall", [&](HWND dialog) {
        reopenedWithChoice = isChecked(dialog, IDC_DETECT_NAMED) &&
                             controlText(dialog, IDC_IMAGE_NAME) == "front.png" &&
                             !isChecked(dialog, IDC_SONG_PICTURES) &&
                             isChecked(dialog, IDC_JOIN_DISC_FOLDERS);
        host::clickButton(GetDlgItem(dialog, IDC_DETECT_ANY));
        host::clickButton(GetDlgItem(dialog, IDC_SONG_PICTURES));
        host::clickButton(GetDlgItem(dialog, IDC_JOIN_DISC_FOLDERS));
        SetDlgItemTextA(dialog, IDC_IMAGE_NAME, "other.gif");
        host::clickDialogButton(dialog, IDCANCEL);
    });
    EXPECT_EQ(plugin.host.configurePlugin(), 1);
    EXPECT_TRUE(reopenedWithChoice);
    EXPECT_EQ(fileContents(install.hostIni()), before);
    // Nor did the globals change: the next opening shows the stored choice.
    driver.expectDialog("Configure Coverhall", [&](HWND dialog) {
        EXPECT_TRUE(isChecked(dialog, IDC_DETECT_NAMED));
        EXPECT_EQ(controlText(dialog, IDC_IMAGE_NAME), "front.png");
        host::clickDialogButton(dialog, IDCANCEL);
    });
    plugin.host.configurePlugin();
    EXPECT_TRUE(driver.done());
    EXPECT_TRUE(driver.unexpected().empty());
}

TEST(Configure, CoverSizeShowsOnlyTheThreeSizesAndOkStoresTheChoice) {
    // Stored by hand, as read at start.
    const struct {
        const char* stored;
        const char* shown;
    } cases[] = {{"abc", "100"}, {"300", "100"}, {"150", "150"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        PluginInstall install("configure_cover_size");
        writeIni(install.hostIni(), "CoverSize", c.stored);
        RunningPlugin plugin(install);
        ModalDriver driver;
        std::string shown;
        driver.expectDialog("Configure Coverhall", [&](HWND dialog) {
            shown = controlText(dialog, IDC_COVER_SIZE);
            SendDlgItemMessageA(dialog, IDC_COVER_SIZE, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                                reinterpret_cast<LPARAM>("200"));
            host::clickDialogButton(dialog, IDOK);
        });
        EXPECT_EQ(plugin.host.configurePlugin(), 1);
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(iniSection(install.hostIni(), "ml_Coverhall").at("CoverSize"), "200");
    }
}

TEST(About, ShowsTheVersionBlockWithItsFontsAndColours) {
    PluginInstall install("about_texts", false);
    RunningPlugin plugin(install, {song("A", "Rock")});
    ModalDriver driver;
    std::map<int, std::string> texts;
    LOGFONTA title{}, maker{}, group{};
    INT_PTR titleBrush = 0, otherBrush = 0;
    COLORREF titleColour = 0;
    std::string helpBox;
    bool stayedOpen = false;
    driver.expectMenu(ID_MENU_ABOUT);
    driver.expectDialog("Info about Coverhall", [&](HWND dialog) {
        for (int id :
             {IDC_ABOUT_VERSION, IDC_ABOUT_BUILD_DATE, IDC_ABOUT_DESCRIPTION, IDC_ABOUT_TITLE})
            texts[id] = controlText(dialog, id);
        title = fontOf(dialog, IDC_ABOUT_TITLE);
        maker = fontOf(dialog, IDC_ABOUT_MAKER);
        group = fontOf(dialog, IDC_ABOUT_RUNTIME_GROUP);
        HDC context = CreateCompatibleDC(nullptr);
        titleBrush = SendMessageA(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(context),
                                  reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_ABOUT_TITLE)));
        titleColour = GetTextColor(context);
        otherBrush = SendMessageA(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(context),
                                  reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_ABOUT_VERSION)));
        DeleteDC(context);
        // "Show ReadMe" without the guide: the warning, and the box stays.
        ModalDriver inner;
        inner.expectDialog("Show Coverhall Help File", [&](HWND box) {
            helpBox = controlText(box, 0xFFFF);
            host::clickDialogButton(box, IDOK);
        });
        host::clickButton(GetDlgItem(dialog, IDC_ABOUT_SHOW_README));
        stayedOpen = IsWindow(dialog) && IsWindowVisible(dialog);
        host::clickDialogButton(dialog, IDOK);
    });
    EXPECT_EQ(plugin.host.rightClickEntry(plugin.entry("Coverhall")), 1);
    EXPECT_TRUE(driver.done());
    EXPECT_EQ(texts[IDC_ABOUT_VERSION], "1.1.0.1");
    EXPECT_EQ(texts[IDC_ABOUT_BUILD_DATE], "15. June 2005");
    EXPECT_EQ(texts[IDC_ABOUT_DESCRIPTION].rfind("Coverhall adds the entry Coverhall", 0), 0u);
    EXPECT_EQ(texts[IDC_ABOUT_TITLE], "Coverhall for WINAMP");
    EXPECT_EQ(title.lfWeight, FW_BOLD);
    EXPECT_STREQ(title.lfFaceName, "Arial");
    EXPECT_EQ(title.lfHeight, 28);
    EXPECT_EQ(maker.lfWeight, FW_BOLD);
    EXPECT_STREQ(maker.lfFaceName, "Tahoma");
    EXPECT_EQ(maker.lfHeight, 16);
    EXPECT_EQ(group.lfWeight, FW_BOLD);
    EXPECT_EQ(titleBrush, reinterpret_cast<INT_PTR>(GetStockObject(NULL_BRUSH)));
    EXPECT_EQ(titleColour, kAboutTextColour);
    EXPECT_EQ(titleColour, static_cast<COLORREF>(0xB44B3D));
    // Other statics get the dialog's default brush.
    EXPECT_NE(otherBrush, reinterpret_cast<INT_PTR>(GetStockObject(NULL_BRUSH)));
    EXPECT_NE(otherBrush, 0);
    EXPECT_EQ(helpBox, "The help file 'ReadMeCoverhall.txt' does not exist.");
    EXPECT_TRUE(stayedOpen);
    // The host shows the description with the version.
    EXPECT_STREQ(plugin.host.plugin()->description,
                 "Coverhall plug-in from Quillet Varnou GmbH / Version 1.1.0.1");
}

TEST(About, TemplatesHoldTheirControlsAtTheirPlaces) {
    PluginInstall install("about_layout");
    RunningPlugin plugin(install);
    ModalDriver driver;
    RECT banner{}, okButton{};
    std::string readme, cancel;
    driver.expectMenu(ID_MENU_ABOUT);
    driver.expectDialog("Info about Coverhall", [&](HWND dialog) {
        RECT units{17, 8, 17 + 405, 8 + 54};
        MapDialogRect(dialog, &units);
        GetWindowRect(GetDlgItem(dialog, IDC_ABOUT_BANNER), &banner);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&banner), 2);
        EXPECT_EQ(banner.left, units.left);
        EXPECT_EQ(banner.top, units.top);
        EXPECT_TRUE(SendDlgItemMessageA(dialog, IDC_ABOUT_BANNER, STM_GETIMAGE, IMAGE_BITMAP, 0));
        EXPECT_TRUE(SendDlgItemMessageA(dialog, IDC_ABOUT_PICTURE, STM_GETIMAGE, IMAGE_BITMAP, 0));
        readme = controlText(dialog, IDC_ABOUT_SHOW_README);
        GetWindowRect(GetDlgItem(dialog, IDOK), &okButton);
        host::clickDialogButton(dialog, IDCANCEL);
    });
    plugin.host.rightClickEntry(plugin.entry("Coverhall"));
    EXPECT_TRUE(driver.done());
    EXPECT_EQ(readme, "Show ReadMe");
    driver.expectDialog("Configure Coverhall", [&](HWND dialog) {
        cancel = controlText(dialog, IDCANCEL);
        RECT units{0, 0, 300, 188};
        MapDialogRect(dialog, &units);
        RECT client{};
        GetClientRect(dialog, &client);
        EXPECT_EQ(client.right, units.right);
        EXPECT_EQ(client.bottom, units.bottom);
        EXPECT_TRUE(GetWindowLongA(GetDlgItem(dialog, IDC_DETECT_NAMED_THEN_ANY), GWL_STYLE) &
                    BS_MULTILINE);
        host::clickDialogButton(dialog, IDCANCEL);
    });
    plugin.host.configurePlugin();
    EXPECT_EQ(cancel, "&Cancel");
}

}  // namespace
}  // namespace coverhall::test
