// Drives modal UI (popup menus, dialogs, message boxes) that the plug-in runs
// in its own message loop. A thread timer keeps firing inside TrackPopupMenu
// and DialogBoxParam, so each tick looks for the expected window and acts on
// it. Create the driver and queue expectations before the call that opens
// the modal UI; the actions run on this thread.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace coverhall::host {

struct MenuItemSeen {
    std::string text;  // "" for a separator
    UINT commandId = 0;
    bool separator = false;
    bool grayed = false;
};

class ModalDriver {
  public:
    // tickMs: how often the timer looks. Anything modal that appears while
    // nothing is expected is dismissed after dismissAfterMs, so a test that
    // does not expect a menu or dialog fails instead of hanging.
    explicit ModalDriver(UINT tickMs = 20, UINT dismissAfterMs = 3000);
    ~ModalDriver();
    ModalDriver(const ModalDriver&) = delete;
    ModalDriver& operator=(const ModalDriver&) = delete;

    // When the next popup menu opens: record its items, run the action on it
    // (e.g. capture it), then choose the item with this command id (0: close
    // the menu with Escape, as a user would).
    void expectMenu(UINT chooseCommand, std::function<void(HWND popup)> action = {});
    // When a dialog or message box with this caption opens: run the action on
    // it (e.g. read controls, then clickDialogButton(dialog, IDOK)).
    void expectDialog(std::string caption, std::function<void(HWND dialog)> action);

    // Menus seen, in order, each as its items.
    const std::vector<std::vector<MenuItemSeen>>& menusSeen() const { return menus_; }
    // Captions of dialogs acted on, then of those dismissed unexpectedly.
    const std::vector<std::string>& dialogsSeen() const { return dialogs_; }
    const std::vector<std::string>& unexpected() const { return unexpected_; }
    // Whether every expectation has been met.
    bool done() const { return pending_.empty(); }

  private:
    struct Expectation {
        bool menu = false;
        UINT command = 0;
        std::string caption;
        std::function<void(HWND)> action;
    };
    static void CALLBACK onTimer(HWND, UINT, UINT_PTR, DWORD);
    void tick();
    bool handleMenu(HWND popup);
    void dismissStray();

    UINT_PTR timer_ = 0;
    UINT tickMs_;
    UINT dismissAfterMs_;
    DWORD strayMs_ = 0;
    bool inAction_ = false;
    std::deque<Expectation> pending_;
    std::vector<std::vector<MenuItemSeen>> menus_;
    std::vector<std::string> dialogs_;
    std::vector<std::string> unexpected_;
};

// Presses a dialog's button as a user would (WM_COMMAND BN_CLICKED from the
// dialog's control, or the plain id for IDOK/IDCANCEL without a control).
void clickDialogButton(HWND dialog, int id);

}  // namespace coverhall::host
