#include "host/host_skin.h"

#include "host/anchor_layout.h"

#include <string>

namespace coverhall::host {
namespace {

const HostSkin* g_activeSkin = nullptr;

constexpr COLORREF kPalette[SkinColor::kCount] = {
    RGB(20, 22, 26),     // item background
    RGB(222, 226, 232),  // item text
    RGB(34, 37, 43),     // window background
    RGB(210, 214, 220),  // window text
    RGB(58, 63, 72),     // button face
    RGB(236, 238, 242),  // button text
    RGB(52, 96, 160),    // selection background
    RGB(255, 255, 255),  // selection text
    RGB(90, 96, 108),    // border
};

// Counts from the host may be garbage: nothing beyond this is read.
constexpr int kMaxTableEntries = 4096;

bool usableTable(const void* table, int count) {
    return table && count > 0 && count <= kMaxTableEntries;
}

INT_PTR colorControl(WPARAM dc, int text, int background, HBRUSH brush) {
    SetTextColor(reinterpret_cast<HDC>(dc), skinColor(text));
    SetBkColor(reinterpret_cast<HDC>(dc), skinColor(background));
    return reinterpret_cast<INT_PTR>(brush);
}

RECT childRect(HWND parent, HWND child) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

}  // namespace

HostSkin::HostSkin()
    : font_(CreateFontA(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                        DEFAULT_PITCH | FF_SWISS, "Tahoma")),
      windowBrush_(CreateSolidBrush(kPalette[SkinColor::kWindowBackground])),
      itemBrush_(CreateSolidBrush(kPalette[SkinColor::kItemBackground])) {}

COLORREF HostSkin::color(int index) const {
    // Unknown indices get the item text colour: readable on every background.
    if (index < 0 || index >= SkinColor::kCount) return kPalette[SkinColor::kItemText];
    return kPalette[index];
}

void setActiveSkin(const HostSkin* skin) {
    g_activeSkin = skin;
}

COLORREF __cdecl skinColor(int index) {
    if (!g_activeSkin) return 0;
    return g_activeSkin->color(index);
}

void drawSkinnedButton(const DRAWITEMSTRUCT& item, const HostSkin& skin) {
    HDC dc = item.hDC;
    RECT rect = item.rcItem;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    COLORREF face = skin.color(pressed ? SkinColor::kSelectionBackground : SkinColor::kButtonFace);
    UniqueBrush faceBrush(CreateSolidBrush(face));
    FillRect(dc, &rect, faceBrush.get());
    DrawEdge(dc, &rect, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);

    char text[256] = "";
    GetWindowTextA(item.hwndItem, text, sizeof text);
    RECT textRect = rect;
    if (pressed) OffsetRect(&textRect, 1, 1);
    int oldMode = SetBkMode(dc, TRANSPARENT);
    COLORREF oldColor = SetTextColor(
        dc, disabled ? skin.color(SkinColor::kBorder) : skin.color(SkinColor::kButtonText));
    auto font = reinterpret_cast<HFONT>(SendMessageA(item.hwndItem, WM_GETFONT, 0, 0));
    HGDIOBJ oldFont = SelectObject(dc, font ? font : skin.font());
    DrawTextA(dc, text, -1, &textRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    SelectObject(dc, oldFont);
    SetTextColor(dc, oldColor);
    SetBkMode(dc, oldMode);

    if (item.itemState & ODS_FOCUS) {
        RECT focus = rect;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(dc, &focus);
    }
}

INT_PTR __cdecl skinDialogHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!g_activeSkin || !IsWindow(window)) return 0;
    switch (message) {
        case WM_DRAWITEM: {
            auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (!item || item->CtlType != ODT_BUTTON) return 0;
            drawSkinnedButton(*item, *g_activeSkin);
            return TRUE;
        }
        case WM_CTLCOLORDLG:
            return reinterpret_cast<INT_PTR>(g_activeSkin->windowBrush());
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            return colorControl(wParam, SkinColor::kWindowText, SkinColor::kWindowBackground,
                                g_activeSkin->windowBrush());
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
            return colorControl(wParam, SkinColor::kItemText, SkinColor::kItemBackground,
                                g_activeSkin->itemBrush());
        default:
            return 0;
    }
}

namespace {

std::vector<ServiceCall> g_serviceCalls;

int controlIdOf(const ResizeItem& item) {
    return item.controlId;
}

template <typename Entry, typename IdOf>
void recordCall(ServiceCall::Kind kind, HWND window, const Entry* entries, int count, IdOf idOf) {
    ServiceCall call{kind, window, {}};
    for (int i = 0; entries && i < count; ++i) call.controlIds.push_back(idOf(entries[i]));
    g_serviceCalls.push_back(std::move(call));
}

}  // namespace

const std::vector<ServiceCall>& serviceCalls() {
    return g_serviceCalls;
}

void clearServiceCalls() {
    g_serviceCalls.clear();
}

void __cdecl paintBorders(HWND window, int* controlIds, int count) {
    if (usableTable(controlIds, count))
        recordCall(ServiceCall::kBorders, window, controlIds, count, [](int id) { return id; });
    if (!g_activeSkin || !IsWindow(window) || !usableTable(controlIds, count)) return;
    WindowDc dc(window);
    if (!dc.get()) return;
    UniqueBrush frame(CreateSolidBrush(g_activeSkin->color(SkinColor::kBorder)));
    for (int i = 0; i < count; ++i) {
        const bool sunken = (controlIds[i] & kBorderSunken) != 0;
        HWND control = GetDlgItem(window, controlIds[i] & 0xFFFF);
        if (!control || !IsWindowVisible(control)) continue;
        RECT rect = childRect(window, control);
        InflateRect(&rect, 1, 1);
        if (sunken) {
            InflateRect(&rect, 1, 1);
            DrawEdge(dc.get(), &rect, EDGE_SUNKEN, BF_RECT);
        } else {
            FrameRect(dc.get(), &rect, frame.get());
        }
    }
}

void __cdecl initChildResize(HWND window, ResizeItem* items, int count) {
    if (usableTable(items, count))
        recordCall(ServiceCall::kResizeInit, window, items, count, controlIdOf);
    if (!IsWindow(window) || !usableTable(items, count)) return;
    RECT client{};
    GetClientRect(window, &client);
    for (int i = 0; i < count; ++i) {
        HWND control = GetDlgItem(window, items[i].controlId);
        if (!control) continue;
        RECT rect = childRect(window, control);
        recordAnchoredEdges({rect.left, rect.top, rect.right, rect.bottom}, client.right,
                            client.bottom, items[i].anchor, items[i].hostWords);
    }
}

void __cdecl applyChildResize(HWND window, ResizeItem* items, int count) {
    if (usableTable(items, count))
        recordCall(ServiceCall::kResizeApply, window, items, count, controlIdOf);
    if (!IsWindow(window) || !usableTable(items, count)) return;
    RECT client{};
    GetClientRect(window, &client);
    for (int i = 0; i < count; ++i) {
        HWND control = GetDlgItem(window, items[i].controlId);
        if (!control) continue;
        EdgeRect rect =
            anchoredRect(items[i].hostWords, client.right, client.bottom, items[i].anchor);
        SetWindowPos(control, nullptr, rect.left, rect.top, rect.right - rect.left,
                     rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    InvalidateRect(window, nullptr, TRUE);
}

}  // namespace coverhall::host
