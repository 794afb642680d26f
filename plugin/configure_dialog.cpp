#include "plugin/configure_dialog.h"

#include <string>

#include "covers/cover_job.h"
#include "plugin/plugin_entry.h"
#include "resources/resource_ids.h"
#include "views/view_windows.h"
#include "win/dialog_base.h"
#include "settings/plugin_settings.h"
#include "settings/setting_keys.h"
#include "win/settings.h"

namespace {

class ConfigureDialog : public coverhall::DialogBase {
  protected:
    INT_PTR onInitDialog() override;
    INT_PTR onCommand(int id, int code, HWND control) override;

  private:
    void chooseMode(int mode);
    void onOk();

    // The mode chosen in the open dialog; taken over only by OK.
    int pendingMode_ = 2;
};

void ConfigureDialog::chooseMode(int mode) {
    pendingMode_ = mode;
    EnableWindow(GetDlgItem(window(), IDC_IMAGE_NAME), mode != 0);
}

INT_PTR ConfigureDialog::onInitDialog() {
    const int mode = g_coverDetectionMode;
    const int button = mode == 1   ? IDC_DETECT_NAMED
                       : mode == 2 ? IDC_DETECT_NAMED_THEN_ANY
                                   : IDC_DETECT_ANY;
    CheckRadioButton(window(), IDC_DETECT_ANY, IDC_DETECT_NAMED_THEN_ANY, button);
    chooseMode(button - IDC_DETECT_ANY);
    SendDlgItemMessageA(window(), IDC_IMAGE_NAME, EM_LIMITTEXT, kPathSize - 1, 0);
    SetDlgItemTextA(window(), IDC_IMAGE_NAME, g_frontCoverImageName);
    CheckDlgButton(window(), IDC_SONG_PICTURES, g_embeddedCovers ? BST_CHECKED : BST_UNCHECKED);
    // The stored choice, which the running library follows only from the
    // next start.
    CheckDlgButton(window(), IDC_JOIN_DISC_FOLDERS,
                   readSettingInt(kJoinDiscFoldersKey, 0) != 0 ? BST_CHECKED : BST_UNCHECKED);
    for (int size : kCoverSizes) {
        const LRESULT at =
            SendDlgItemMessageA(window(), IDC_COVER_SIZE, CB_ADDSTRING, 0,
                                reinterpret_cast<LPARAM>(std::to_string(size).c_str()));
        SendDlgItemMessageA(window(), IDC_COVER_SIZE, CB_SETITEMDATA, at, size);
        if (size == g_coverSize) SendDlgItemMessageA(window(), IDC_COVER_SIZE, CB_SETCURSEL, at, 0);
    }
    return TRUE;
}

void ConfigureDialog::onOk() {
    g_coverDetectionMode = pendingMode_;
    writeSettingInt(kCoverDetectionKey, g_coverDetectionMode);
    // Read also while the edit is disabled: the name stays for modes 1 and 2.
    char name[kPathSize] = "";
    GetDlgItemTextA(window(), IDC_IMAGE_NAME, name, sizeof(name));
    lstrcpynA(g_frontCoverImageName, name, sizeof(g_frontCoverImageName));
    writeSetting(kCoverImageNameKey, g_frontCoverImageName);
    g_embeddedCovers = IsDlgButtonChecked(window(), IDC_SONG_PICTURES) == BST_CHECKED;
    writeSettingInt(kSongPicturesKey, g_embeddedCovers ? 1 : 0);
    writeSettingInt(kJoinDiscFoldersKey,
                    IsDlgButtonChecked(window(), IDC_JOIN_DISC_FOLDERS) == BST_CHECKED ? 1 : 0);
    // The wall takes the size when its next view is made, at the next search.
    const LRESULT chosen = SendDlgItemMessageA(window(), IDC_COVER_SIZE, CB_GETCURSEL, 0, 0);
    if (chosen != CB_ERR) {
        g_coverSize = static_cast<int>(
            SendDlgItemMessageA(window(), IDC_COVER_SIZE, CB_GETITEMDATA, chosen, 0));
        writeSettingInt(kCoverSizeKey, g_coverSize);
    }
    repaintAlbumList();
    EndDialog(window(), 1);
}

INT_PTR ConfigureDialog::onCommand(int id, int, HWND) {
    switch (id) {
        case IDC_DETECT_ANY:
        case IDC_DETECT_NAMED:
        case IDC_DETECT_NAMED_THEN_ANY:
            chooseMode(id - IDC_DETECT_ANY);
            return TRUE;
        case IDOK:
            onOk();
            return TRUE;
        case IDCANCEL:
            EndDialog(window(), 0);
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

INT_PTR runConfigureDialog(HWND owner) {
    ConfigureDialog dialog;
    const INT_PTR result = dialog.runModal(g_pluginRecord.instance, IDD_CONFIGURE, owner);
    return result == 1 ? 1 : 0;
}
