// The base of the view windows that live inside the host's library window:
// the host's services, its dialog message handler, its resize and border
// services, and the lists it skins, handed back when the window goes.
#pragma once

#include <windows.h>

#include <vector>

#include "views/host_services.h"
#include "win/dialog_base.h"
#include "win/host_interface.h"

// A list the host skins: the handle its skin request gave, handed back with
// the unskin request when this is reset or destroyed.
class ListSkin {
  public:
    ListSkin(HWND libraryWindow, HWND list);
    ~ListSkin() { reset(); }
    ListSkin(const ListSkin&) = delete;
    ListSkin& operator=(const ListSkin&) = delete;
    ListSkin(ListSkin&& other) noexcept;
    ListSkin& operator=(ListSkin&&) = delete;

    void reset();

  private:
    HWND library_;
    INT_PTR handle_;
};

class HostedView : public coverhall::DialogBase {
  protected:
    explicit HostedView(HWND libraryWindow) : library_(libraryWindow) {}

    // Asks the host for its services (WM_INITDIALOG); its dialog message
    // handler stays known for the next window's first messages.
    void takeHostServices();
    // The host's resize service: the table is filled once, then applied.
    void initResize(ResizeItem* table, int count) const;
    void applyResize(ResizeItem* table, int count) const;
    void paintBorders(int* controlIds, int count) const;
    // Has the host skin the list until the window is destroyed.
    void skinList(HWND list);
    HostColorFunction hostColors() const { return services_.color; }

    // Hands the skinned lists back; a derived handler calls it last.
    INT_PTR onDestroy() override;
    HostDialogHook hostHook() const override { return g_hostDialogHook; }

    HWND control(int id) const { return GetDlgItem(window(), id); }
    HWND library() const { return library_; }

  private:
    HWND library_;
    HostServices services_;
    std::vector<ListSkin> skins_;
};
