#include "views/hosted_view.h"

#include <utility>

ListSkin::ListSkin(HWND libraryWindow, HWND list)
    : library_(libraryWindow),
      handle_(SendMessageA(libraryWindow, kLibraryMessage, reinterpret_cast<WPARAM>(list),
                           LibraryCode::kSkinList)) {}

ListSkin::ListSkin(ListSkin&& other) noexcept
    : library_(other.library_), handle_(std::exchange(other.handle_, 0)) {}

void ListSkin::reset() {
    if (handle_)
        SendMessageA(library_, kLibraryMessage, static_cast<WPARAM>(handle_),
                     LibraryCode::kUnskinList);
    handle_ = 0;
}

void HostedView::takeHostServices() {
    services_ = queryHostServices(library_);
    g_hostDialogHook = services_.dialogHook;
}

void HostedView::initResize(ResizeItem* table, int count) const {
    if (services_.resizeInit) services_.resizeInit(window(), table, count);
}

void HostedView::applyResize(ResizeItem* table, int count) const {
    if (services_.resizeApply) services_.resizeApply(window(), table, count);
}

void HostedView::paintBorders(int* controlIds, int count) const {
    if (services_.paintBorders) services_.paintBorders(window(), controlIds, count);
}

void HostedView::skinList(HWND list) {
    skins_.emplace_back(library_, list);
}

INT_PTR HostedView::onDestroy() {
    skins_.clear();
    return FALSE;
}
