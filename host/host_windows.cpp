// The host's windows: the hidden player window that answers the INI path
// codes, and the library window with its tree, view area and playlist pane.
#include "host/host_impl.h"

#include "host/window_capture.h"

namespace coverhall::host {
namespace {

constexpr int kTreeWidth = 220;
constexpr int kPlaylistWidth = 300;
constexpr int kLabelHeight = 20;
constexpr int kTreeId = 10;
constexpr int kPlaylistId = 11;

StandInHost::Impl* implOf(HWND window) {
    return reinterpret_cast<StandInHost::Impl*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

// The Impl rides in the creation parameter and is kept in the user data.
template <LRESULT (StandInHost::Impl::*handler)(HWND, UINT, WPARAM, LPARAM)>
LRESULT CALLBACK dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    StandInHost::Impl* impl = implOf(window);
    if (!impl) return DefWindowProcA(window, message, wParam, lParam);
    try {
        return (impl->*handler)(window, message, wParam, lParam);
    } catch (...) {
        // Nothing may unwind through the window manager.
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

LRESULT CALLBACK viewAreaProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SIZE) {
        // The plug-in's view always fills the view area.
        HWND view = GetWindow(window, GW_CHILD);
        if (view) {
            SetWindowPos(view, nullptr, 0, 0, LOWORD(lParam), HIWORD(lParam),
                         SWP_NOZORDER | SWP_NOACTIVATE);
        }
        return 0;
    }
    if (message == WM_ERASEBKGND) {
        RECT rect{};
        GetClientRect(window, &rect);
        UniqueBrush brush(CreateSolidBrush(skinColor(SkinColor::kWindowBackground)));
        FillRect(reinterpret_cast<HDC>(wParam), &rect, brush.get());
        return 1;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void registerClass(const char* name, WNDPROC procedure, HBRUSH background) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = name;
    // A second host in the same process finds the classes registered.
    RegisterClassExA(&windowClass);
}

HMENU buildMenu() {
    HMENU bar = CreateMenu();
    HMENU library = CreatePopupMenu();
    AppendMenuA(library, MF_STRING, HostCommand::kSendLibrary, "&Send library to...");
    AppendMenuA(library, MF_STRING, HostCommand::kConfigure, "&Configure plug-in...");
    AppendMenuA(library, MF_STRING, HostCommand::kCapture, "C&apture window");
    AppendMenuA(library, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(library, MF_STRING, HostCommand::kExit, "E&xit");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(library), "&Library");
    return bar;
}

// The selected entry in the skin's selection colours, focused or not: the
// tree's own unfocused highlight would draw light text on a light bar.
LRESULT drawTreeItem(NMTVCUSTOMDRAW& draw) {
    switch (draw.nmcd.dwDrawStage) {
        case CDDS_PREPAINT:
            return CDRF_NOTIFYITEMDRAW;
        case CDDS_ITEMPREPAINT:
            if (draw.nmcd.uItemState & CDIS_SELECTED) {
                draw.clrText = skinColor(SkinColor::kSelectionText);
                draw.clrTextBk = skinColor(SkinColor::kSelectionBackground);
                draw.nmcd.uItemState &= ~(CDIS_SELECTED | CDIS_FOCUS);
            }
            return CDRF_DODEFAULT;
        default:
            return CDRF_DODEFAULT;
    }
}

}  // namespace

void StandInHost::Impl::createWindows() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    registerClass(kPlayerClass, dispatch<&Impl::playerProc>, nullptr);
    registerClass(kLibraryClass, dispatch<&Impl::libraryProc>,
                  reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    registerClass(kViewAreaClass, viewAreaProc, nullptr);

    player.reset(CreateWindowExA(0, kPlayerClass, "Coverhall Host Player", WS_OVERLAPPEDWINDOW,
                                 CW_USEDEFAULT, CW_USEDEFAULT, 200, 100, nullptr, nullptr, instance,
                                 this));
    menu.reset(buildMenu());
    library.reset(CreateWindowExA(0, kLibraryClass, "Coverhall Host - Media Library",
                                  WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, options.width,
                                  options.height, nullptr, menu.get(), instance, this));
    // The window owns the menu from here on.
    if (library) menu.release();
    HWND owner = library.get();
    tree = CreateWindowExA(WS_EX_CLIENTEDGE, WC_TREEVIEWA, "Tree1",
                           WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES |
                               TVS_LINESATROOT | TVS_SHOWSELALWAYS,
                           0, 0, 0, 0, owner, reinterpret_cast<HMENU>(kTreeId), instance, nullptr);
    viewArea = CreateWindowExA(WS_EX_CONTROLPARENT, kViewAreaClass, "",
                               WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, 0, owner, nullptr,
                               instance, nullptr);
    playlistLabel = CreateWindowExA(0, "STATIC", "Playlist", WS_CHILD | WS_VISIBLE | SS_LEFT, 0, 0,
                                    0, 0, owner, nullptr, instance, nullptr);
    playlist =
        CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "",
                        WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_NOSEL, 0, 0,
                        0, 0, owner, reinterpret_cast<HMENU>(kPlaylistId), instance, nullptr);
    for (HWND control : {tree, playlistLabel, playlist}) {
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(skin.font()), FALSE);
    }
    TreeView_SetBkColor(tree, skin.color(SkinColor::kItemBackground));
    TreeView_SetTextColor(tree, skin.color(SkinColor::kItemText));
    layout();
    if (options.showWindow && library) {
        ShowWindow(library.get(), SW_SHOWNORMAL);
        UpdateWindow(library.get());
    }
}

void StandInHost::Impl::layout() {
    if (!library) return;
    RECT client{};
    GetClientRect(library.get(), &client);
    const int width = client.right;
    const int height = client.bottom;
    const int viewWidth =
        width - kTreeWidth - kPlaylistWidth > 0 ? width - kTreeWidth - kPlaylistWidth : 0;
    MoveWindow(tree, 0, 0, kTreeWidth, height, TRUE);
    MoveWindow(viewArea, kTreeWidth, 0, viewWidth, height, TRUE);
    MoveWindow(playlistLabel, kTreeWidth + viewWidth + 4, 2, kPlaylistWidth - 4, kLabelHeight - 4,
               TRUE);
    MoveWindow(playlist, kTreeWidth + viewWidth, kLabelHeight, kPlaylistWidth,
               height > kLabelHeight ? height - kLabelHeight : 0, TRUE);
}

LRESULT StandInHost::Impl::playerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != kPlayerMessage) return DefWindowProcA(window, message, wParam, lParam);
    switch (lParam) {
        case PlayerCode::kIniFilePath:
            playerCodes.push_back(static_cast<int>(lParam));
            return options.iniFileAnswersNull ? 0 : reinterpret_cast<LRESULT>(iniFile.c_str());
        case PlayerCode::kIniFolder:
            playerCodes.push_back(static_cast<int>(lParam));
            return options.iniFolderAnswersNull ? 0 : reinterpret_cast<LRESULT>(iniFolder.c_str());
        default:
            return 0;
    }
}

LRESULT StandInHost::Impl::libraryProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case kLibraryMessage:
            return onLibraryRequest(wParam, lParam);
        case WM_SIZE:
            layout();
            return 0;
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header && header->hwndFrom == tree) {
                if (header->code == NM_CUSTOMDRAW)
                    return drawTreeItem(*reinterpret_cast<NMTVCUSTOMDRAW*>(lParam));
                if (header->code == NM_RCLICK) {
                    onTreeNotify(*header);
                    return TRUE;  // no default menu
                }
                onTreeNotify(*header);
            }
            return 0;
        }
        case WM_COMMAND:
            if (lParam == 0) onMenuCommand(LOWORD(wParam));
            return 0;
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORSTATIC:
            SetTextColor(reinterpret_cast<HDC>(wParam), skin.color(SkinColor::kItemText));
            SetBkColor(reinterpret_cast<HDC>(wParam), skin.color(SkinColor::kItemBackground));
            return reinterpret_cast<LRESULT>(skin.itemBrush());
        case WM_ERASEBKGND: {
            RECT rect{};
            GetClientRect(window, &rect);
            FillRect(reinterpret_cast<HDC>(wParam), &rect, skin.itemBrush());
            return 1;
        }
        case WM_CLOSE:
            // The program's loop ends; the owner of the host then stops the
            // plug-in and destroys the windows in order.
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

void StandInHost::Impl::onTreeNotify(const NMHDR& header) {
    if (header.code == TVN_SELCHANGEDA || header.code == TVN_SELCHANGEDW) {
        // Both notification records have the new item's lParam at one place.
        const auto& change = reinterpret_cast<const NMTREEVIEWA&>(header);
        if (!selecting && change.itemNew.hItem) showView(static_cast<int>(change.itemNew.lParam));
        return;
    }
    if (header.code == NM_RCLICK) {
        TVHITTESTINFO hit{};
        GetCursorPos(&hit.pt);
        ScreenToClient(tree, &hit.pt);
        auto node = reinterpret_cast<HTREEITEM>(
            SendMessageA(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
        if (!node) return;
        TVITEMA item{};
        item.mask = TVIF_PARAM;
        item.hItem = node;
        if (!SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return;
        callPlugin(PluginCode::kTreeClick, item.lParam, 0,
                   reinterpret_cast<INT_PTR>(library.get()));
    }
}

void StandInHost::Impl::onMenuCommand(UINT command) {
    switch (command) {
        case HostCommand::kSendLibrary:
            showSendToMenu();
            break;
        case HostCommand::kConfigure:
            callPlugin(PluginCode::kConfigure, reinterpret_cast<INT_PTR>(library.get()), 0, 0);
            break;
        case HostCommand::kCapture:
            captureWindow(library.get(), iniFolder + "\\coverhall-capture.bmp");
            break;
        case HostCommand::kExit:
            PostQuitMessage(0);
            break;
        default:
            break;
    }
}

void StandInHost::Impl::addPlaylistLine(const std::string& text) {
    playlistLines.push_back(text);
    if (playlist) SendMessageA(playlist, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

}  // namespace coverhall::host
