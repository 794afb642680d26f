#include "plugin/configure_dialog.h"

#include <cstdio>

#include "plugin/plugin_entry.h"
#include "resources/resource_ids.h"
#include "views/view_windows.h"
#include "win/plugin_globals.h"
#include "win/settings.h"

namespace {

// The mode chosen in the open dialog; taken over only by OK.
int g_pendingDetectionMode = 2;

void chooseMode(HWND dialog, int mode) {
    g_pendingDetectionMode = mode;
    EnableWindow(GetDlgItem(dialog, IDC_IMAGE_NAME), mode != 0);
}

void onInitDialog(HWND dialog) {
    const int mode = g_coverDetectionMode;
    const int button = mode == 1   ? IDC_DETECT_NAMED
                       : mode == 2 ? IDC_DETECT_NAMED_THEN_ANY
                                   : IDC_DETECT_ANY;
    CheckRadioButton(dialog, IDC_DETECT_ANY, IDC_DETECT_NAMED_THEN_ANY, button);
    chooseMode(dialog, button - IDC_DETECT_ANY);
    SendDlgItemMessageA(dialog, IDC_IMAGE_NAME, EM_LIMITTEXT, kPathSize - 1, 0);
    SetDlgItemTextA(dialog, IDC_IMAGE_NAME, g_frontCoverImageName);
}

void onOk(HWND dialog) {
    g_coverDetectionMode = g_pendingDetectionMode;
    writeSettingInt("FrontCoverDetection", g_coverDetectionMode);
    // Read also while the edit is disabled: the name stays for modes 1 and 2.
    char name[kPathSize] = "";
    GetDlgItemTextA(dialog, IDC_IMAGE_NAME, name, sizeof(name));
    lstrcpynA(g_frontCoverImageName, name, sizeof(g_frontCoverImageName));
    writeSetting("FrontCoverImageName", g_frontCoverImageName);
    repaintAlbumList();
    EndDialog(dialog, 1);
}

INT_PTR CALLBACK configureProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    try {
        switch (message) {
            case WM_INITDIALOG:
                onInitDialog(dialog);
                return TRUE;
            case WM_COMMAND:
                switch (LOWORD(wParam)) {
                    case IDC_DETECT_ANY:
                        chooseMode(dialog, 0);
                        return TRUE;
                    case IDC_DETECT_NAMED:
                        chooseMode(dialog, 1);
                        return TRUE;
                    case IDC_DETECT_NAMED_THEN_ANY:
                        chooseMode(dialog, 2);
                        return TRUE;
                    case IDOK:
                        onOk(dialog);
                        return TRUE;
                    case IDCANCEL:
                        EndDialog(dialog, 0);
                        return TRUE;
                    default:
                        return FALSE;
                }
            default:
                return FALSE;
        }
    } catch (...) {
        return FALSE;
    }
}

}  // namespace

INT_PTR runConfigureDialog(HWND owner) {
    const INT_PTR result =
        DialogBoxParamA(g_pluginRecord.instance, MAKEINTRESOURCEA(IDD_CONFIGURE),
                        owner && IsWindow(owner) ? owner : nullptr, configureProcedure, 0);
    return result == 1 ? 1 : 0;
}
