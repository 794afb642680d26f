// The genre list window (dialog 123): every genre of the library with its
// number of albums; a genre opens its own album window through its tree entry.
#pragma once

#include <windows.h>

#include <string>

#include "resources/resource_ids.h"
#include "views/host_services.h"
#include "win/dialog_base.h"

// The open genre list window, null while none is open.
extern HWND g_genreListWindow;
extern int g_genreSortColumn;
extern int g_genreSortDescending;

// Posted to the window so that the tree entry is selected after the
// notification that asked for it has returned: the host destroys this window
// while it selects the entry.
constexpr UINT kViewGenreMessage = WM_APP + 0x22;

class GenreListWindow : public coverhall::DialogBase {
  public:
    explicit GenreListWindow(HWND libraryWindow) : library_(libraryWindow) {}

  protected:
    INT_PTR onInitDialog() override;
    INT_PTR onCommand(int id, int code, HWND control) override;
    INT_PTR onNotify(NMHDR& header) override;
    INT_PTR onSize(UINT type, int width, int height) override;
    INT_PTR onPaint() override;
    INT_PTR onDestroy() override;
    INT_PTR onOtherMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    HostDialogHook hostHook() const override { return g_hostDialogHook; }

  private:
    void sortAndRefresh();
    void onColumnClick(int column);
    void viewSelectedGenre();
    HWND list() const { return GetDlgItem(window(), IDC_GENRE_LIST); }

    HWND library_;
    HostServices services_;
    ResizeItem resizeTable_[2];
    INT_PTR skin_ = 0;
};

// Column texts of a genre row: 0 the name ("Unknown" for the empty one),
// 1 its album count.
std::string genreColumnText(int row, int column);
