#include "host/modal_driver.h"

#include <map>

namespace coverhall::host {
namespace {

// Thread timers carry no context: each timer id finds its driver here.
std::map<UINT_PTR, ModalDriver*>& drivers() {
    static std::map<UINT_PTR, ModalDriver*> byTimer;
    return byTimer;
}

std::string classOf(HWND window) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string captionOf(HWND window) {
    char text[256] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

struct WindowSearch {
    const char* className;
    std::vector<HWND> found;
};

BOOL CALLBACK collectWindow(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<WindowSearch*>(context);
    if (IsWindowVisible(window) && classOf(window) == search->className) {
        search->found.push_back(window);
    }
    return TRUE;
}

// Visible top-level windows of this thread with the given class: other
// programs under the same display never interfere.
std::vector<HWND> threadWindows(const char* className) {
    WindowSearch search{className, {}};
    EnumThreadWindows(GetCurrentThreadId(), collectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<MenuItemSeen> readMenu(HMENU menu) {
    std::vector<MenuItemSeen> items;
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        char text[256] = "";
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = sizeof text - 1;
        if (!GetMenuItemInfoA(menu, i, TRUE, &info)) continue;
        MenuItemSeen item;
        item.separator = (info.fType & MFT_SEPARATOR) != 0;
        item.text = item.separator ? "" : text;
        item.commandId = info.wID;
        item.grayed = (info.fState & MFS_GRAYED) != 0;
        items.push_back(item);
    }
    return items;
}

}  // namespace

ModalDriver::ModalDriver(UINT tickMs, UINT dismissAfterMs)
    : tickMs_(tickMs ? tickMs : 20), dismissAfterMs_(dismissAfterMs) {
    timer_ = SetTimer(nullptr, 0, tickMs_, onTimer);
    if (timer_) drivers()[timer_] = this;
}

ModalDriver::~ModalDriver() {
    if (timer_) {
        KillTimer(nullptr, timer_);
        drivers().erase(timer_);
    }
}

void ModalDriver::expectMenu(UINT chooseCommand, std::function<void(HWND popup)> action) {
    Expectation expectation;
    expectation.menu = true;
    expectation.command = chooseCommand;
    expectation.action = std::move(action);
    pending_.push_back(std::move(expectation));
}

void ModalDriver::expectDialog(std::string caption, std::function<void(HWND dialog)> action) {
    Expectation expectation;
    expectation.caption = std::move(caption);
    expectation.action = std::move(action);
    pending_.push_back(std::move(expectation));
}

void CALLBACK ModalDriver::onTimer(HWND, UINT, UINT_PTR id, DWORD) {
    auto found = drivers().find(id);
    if (found == drivers().end()) return;
    try {
        found->second->tick();
    } catch (...) {
        // A failing action must not unwind through the modal loop.
    }
}

void ModalDriver::tick() {
    if (inAction_) return;
    if (!pending_.empty()) {
        Expectation& next = pending_.front();
        if (next.menu) {
            std::vector<HWND> popups = threadWindows("#32768");
            if (!popups.empty() && handleMenu(popups.front())) {
                strayMs_ = 0;
                return;
            }
        } else {
            for (HWND dialog : threadWindows("#32770")) {
                if (captionOf(dialog) != next.caption) continue;
                Expectation current = std::move(next);
                pending_.pop_front();
                dialogs_.push_back(current.caption);
                strayMs_ = 0;
                inAction_ = true;
                if (current.action) current.action(dialog);
                inAction_ = false;
                return;
            }
        }
    }
    dismissStray();
}

bool ModalDriver::handleMenu(HWND popup) {
    auto menu = reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0));
    if (!menu) return false;
    std::vector<MenuItemSeen> items = readMenu(menu);
    const Expectation current = std::move(pending_.front());
    const UINT command = current.command;
    pending_.pop_front();
    menus_.push_back(items);
    if (current.action) {
        inAction_ = true;
        current.action(popup);
        inAction_ = false;
    }
    if (command == 0) {
        PostMessageA(popup, WM_KEYDOWN, VK_ESCAPE, 0);
        return true;
    }

    // Keyboard navigation skips separators: count the items before the
    // wanted one, then step down to it and press Enter.
    int steps = -1;
    int selectable = 0;
    for (const MenuItemSeen& item : items) {
        if (item.separator) continue;
        if (item.commandId == command) {
            steps = selectable + 1;
            break;
        }
        ++selectable;
    }
    if (steps < 0) {
        unexpected_.push_back("menu without command " + std::to_string(command));
        EndMenu();
        return true;
    }
    for (int i = 0; i < steps; ++i) PostMessageA(popup, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(popup, WM_KEYDOWN, VK_RETURN, 0);
    return true;
}

void ModalDriver::dismissStray() {
    std::vector<HWND> popups = threadWindows("#32768");
    std::vector<HWND> dialogs = threadWindows("#32770");
    if (popups.empty() && dialogs.empty()) {
        strayMs_ = 0;
        return;
    }
    strayMs_ += tickMs_;
    if (strayMs_ < dismissAfterMs_) return;
    strayMs_ = 0;
    if (!popups.empty()) {
        unexpected_.push_back("popup menu");
        EndMenu();
        return;
    }
    for (HWND dialog : dialogs) {
        unexpected_.push_back(captionOf(dialog));
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    }
}

void clickDialogButton(HWND dialog, int id) {
    if (!dialog) return;
    HWND button = GetDlgItem(dialog, id);
    if (button && IsWindowEnabled(button)) {
        SendMessageA(button, BM_CLICK, 0, 0);
        return;
    }
    if (!button && (id == IDOK || id == IDCANCEL)) {
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
    }
}

}  // namespace coverhall::host
