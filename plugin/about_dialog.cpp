#include "plugin/about_dialog.h"

#include <vector>

#include "plugin/help_file.h"
#include "plugin/plugin_entry.h"
#include "resources/resource_ids.h"
#include "win/dialog_base.h"
#include "win/plugin_globals.h"
#include "win/win_handles.h"

namespace {

class AboutDialog : public coverhall::DialogBase {
  protected:
    INT_PTR onInitDialog() override;
    INT_PTR onCommand(int id, int code, HWND control) override;
    INT_PTR onOtherMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void emboldenControl(int controlId, const char* face, LONG height);
    INT_PTR onStaticColour(HDC context, HWND control);

    // Fonts made for the controls; released with the dialog object, after
    // the controls are gone.
    std::vector<coverhall::UniqueFont> fonts_;
};

// Sets a bold copy of the control's font, with another face and height
// where given (null face, 0 height: unchanged).
void AboutDialog::emboldenControl(int controlId, const char* face, LONG height) {
    HWND control = GetDlgItem(window(), controlId);
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
    fonts_.push_back(std::move(made));
}

INT_PTR AboutDialog::onInitDialog() {
    emboldenControl(IDC_ABOUT_TITLE, "Arial", 28);
    for (int group : {IDC_ABOUT_DESCRIPTION_GROUP, IDC_ABOUT_RUNTIME_GROUP, IDC_ABOUT_AUTHORS_GROUP,
                      IDC_ABOUT_CREDIT_GROUP})
        emboldenControl(group, nullptr, 0);
    emboldenControl(IDC_ABOUT_MAKER, "Tahoma", 16);
    SetDlgItemTextA(window(), IDC_ABOUT_DESCRIPTION, g_commentsText);
    SetDlgItemTextA(window(), IDC_ABOUT_VERSION, g_versionText);
    SetDlgItemTextA(window(), IDC_ABOUT_BUILD_DATE, g_buildDateText);
    // The focus goes to OK, not to the description, which would show all its
    // text selected.
    SetFocus(GetDlgItem(window(), IDOK));
    return FALSE;
}

INT_PTR AboutDialog::onStaticColour(HDC context, HWND control) {
    const int id = GetDlgCtrlID(control);
    if (id != IDC_ABOUT_TITLE && id != IDC_ABOUT_MAKER) return FALSE;
    SetTextColor(context, kAboutTextColour);
    SetBkMode(context, TRANSPARENT);
    return reinterpret_cast<INT_PTR>(GetStockObject(NULL_BRUSH));
}

INT_PTR AboutDialog::onOtherMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_CTLCOLORSTATIC) return FALSE;
    return onStaticColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
}

INT_PTR AboutDialog::onCommand(int id, int, HWND) {
    switch (id) {
        case IDOK:
            EndDialog(window(), 1);
            return TRUE;
        case IDCANCEL:
            EndDialog(window(), 0);
            return TRUE;
        case IDC_ABOUT_SHOW_README:
            openHelpFile(window());
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

INT_PTR runAboutDialog(HWND owner) {
    AboutDialog dialog;
    const INT_PTR result = dialog.runModal(g_pluginRecord.instance, IDD_ABOUT, owner);
    return result == 1 ? 1 : 0;
}
