#include "plugin/about_dialog.h"

#include <vector>

#include "plugin/help_file.h"
#include "plugin/plugin_entry.h"
#include "resources/resource_ids.h"
#include "win/plugin_globals.h"
#include "win/win_handles.h"

namespace {

// Fonts made for the open dialog; released once it has ended.
std::vector<coverhall::UniqueFont> g_aboutFonts;

// Sets a bold copy of the control's font, with another face and height
// where given (null face, 0 height: unchanged).
void emboldenControl(HWND dialog, int controlId, const char* face, LONG height) {
    HWND control = GetDlgItem(dialog, controlId);
    if (!control) return;
    auto current = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
    LOGFONTA font{};
    if (!current || GetObjectA(current, sizeof(font), &font) != sizeof(font)) {
        current = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
        if (GetObjectA(current, sizeof(font), &font) != sizeof(font)) return;
    }
    font.lfWeight = FW_BOLD;
    if (face) lstrcpynA(font.lfFaceName, face, LF_FACESIZE);
    if (height) font.lfHeight = height;
    coverhall::UniqueFont made(CreateFontIndirectA(&font));
    if (!made) return;
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(made.get()), FALSE);
    g_aboutFonts.push_back(std::move(made));
}

void onInitDialog(HWND dialog) {
    emboldenControl(dialog, IDC_ABOUT_TITLE, "Arial", 28);
    for (int group : {IDC_ABOUT_DESCRIPTION_GROUP, IDC_ABOUT_RUNTIME_GROUP, IDC_ABOUT_AUTHORS_GROUP,
                      IDC_ABOUT_CREDIT_GROUP})
        emboldenControl(dialog, group, nullptr, 0);
    emboldenControl(dialog, IDC_ABOUT_MAKER, "Tahoma", 16);
    SetDlgItemTextA(dialog, IDC_ABOUT_DESCRIPTION, g_commentsText);
    SetDlgItemTextA(dialog, IDC_ABOUT_VERSION, g_versionText);
    SetDlgItemTextA(dialog, IDC_ABOUT_BUILD_DATE, g_buildDateText);
}

INT_PTR onStaticColour(HDC context, HWND control) {
    const int id = GetDlgCtrlID(control);
    if (id != IDC_ABOUT_TITLE && id != IDC_ABOUT_MAKER) return FALSE;
    SetTextColor(context, kAboutTextColour);
    SetBkMode(context, TRANSPARENT);
    return reinterpret_cast<INT_PTR>(GetStockObject(NULL_BRUSH));
}

INT_PTR CALLBACK aboutProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        switch (message) {
            case WM_INITDIALOG:
                onInitDialog(dialog);
                return TRUE;
            case WM_CTLCOLORSTATIC:
                return onStaticColour(reinterpret_cast<HDC>(wParam),
                                      reinterpret_cast<HWND>(lParam));
            case WM_COMMAND:
                switch (LOWORD(wParam)) {
                    case IDOK:
                        EndDialog(dialog, 1);
                        return TRUE;
                    case IDCANCEL:
                        EndDialog(dialog, 0);
                        return TRUE;
                    case IDC_ABOUT_SHOW_README:
                        openHelpFile(dialog);
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

INT_PTR runAboutDialog(HWND owner) {
    const INT_PTR result =
        DialogBoxParamA(g_pluginRecord.instance, MAKEINTRESOURCEA(IDD_ABOUT),
                        owner && IsWindow(owner) ? owner : nullptr, aboutProcedure, 0);
    // The controls are gone now; their fonts can go too.
    g_aboutFonts.clear();
    return result == 1 ? 1 : 0;
}
