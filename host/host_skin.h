// The host's look and the services of library code 0x600 that draw with it:
// colour function, dialog message handler (which draws owner-drawn buttons),
// border painter, child resize and the dialog font. The functions have the
// plain signatures of the host interface, so the skin they draw with is the
// one of the host that is alive (set by StandInHost).
#pragma once

#include "win/host_interface.h"
#include "win/win_handles.h"

#include <vector>

namespace coverhall::host {

// Colour indices of the colour function.
namespace SkinColor {
constexpr int kItemBackground = 0;
constexpr int kItemText = 1;
constexpr int kWindowBackground = 2;
constexpr int kWindowText = 3;
constexpr int kButtonFace = 4;
constexpr int kButtonText = 5;
constexpr int kSelectionBackground = 6;
constexpr int kSelectionText = 7;
constexpr int kBorder = 8;
constexpr int kCount = 9;
}  // namespace SkinColor

class HostSkin {
  public:
    HostSkin();
    HostSkin(const HostSkin&) = delete;
    HostSkin& operator=(const HostSkin&) = delete;

    COLORREF color(int index) const;
    HFONT font() const { return font_.get(); }
    HBRUSH windowBrush() const { return windowBrush_.get(); }
    HBRUSH itemBrush() const { return itemBrush_.get(); }

  private:
    UniqueFont font_;
    UniqueBrush windowBrush_;
    UniqueBrush itemBrush_;
};

// The skin the services draw with; null makes them do nothing.
void setActiveSkin(const HostSkin* skin);

COLORREF __cdecl skinColor(int index);
INT_PTR __cdecl skinDialogHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void __cdecl paintBorders(HWND window, int* controlIds, int count);
void __cdecl initChildResize(HWND window, ResizeItem* items, int count);
void __cdecl applyChildResize(HWND window, ResizeItem* items, int count);

// A call of the border painter or of a child-resize function, as recorded
// for tests: which service, for which window, with which control ids.
struct ServiceCall {
    enum Kind { kBorders, kResizeInit, kResizeApply } kind;
    HWND window;
    std::vector<int> controlIds;
};
const std::vector<ServiceCall>& serviceCalls();
void clearServiceCalls();

// Draws one owner-drawn button face with its text and pressed, focus and
// disabled states.
void drawSkinnedButton(const DRAWITEMSTRUCT& item, const HostSkin& skin);

}  // namespace coverhall::host
