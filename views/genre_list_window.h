// The genre list window (dialog 123): every genre of the library with its
// number of albums; a genre opens its own album window through its tree entry.
#pragma once

#include <windows.h>

#include <string>

#include "catalogue/list_columns.h"

#include "resources/resource_ids.h"
#include "views/hosted_view.h"
#include "views/view_windows.h"

// The open genre list window, null while none is open.
extern HWND g_genreListWindow;

// Posted to the window so that the tree entry is selected after the
// notification that asked for it has returned: the host destroys this window
// while it selects the entry.
constexpr UINT kViewGenreMessage = WM_APP + 0x22;

class GenreListWindow : public HostedView {
  public:
    // genreEntry gives a genre's tree entry id (0 for none); it may be null.
    GenreListWindow(HWND libraryWindow, GenreEntryLookup genreEntry)
        : HostedView(libraryWindow), genreEntry_(genreEntry) {}

  protected:
    INT_PTR onInitDialog() override;
    INT_PTR onCommand(int id, int code, HWND control) override;
    INT_PTR onNotify(NMHDR& header) override;
    INT_PTR onSize(UINT type, int width, int height) override;
    INT_PTR onPaint() override;
    INT_PTR onDestroy() override;
    INT_PTR onOtherMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void sortAndRefresh();
    void onColumnClick(int column);
    void viewSelectedGenre();
    HWND list() const { return control(IDC_GENRE_LIST); }

    GenreEntryLookup genreEntry_;
    ResizeItem resizeTable_[2];
};

// Column texts of a genre row: the name ("Unknown" for the empty one) and
// its album count.
std::string genreColumnText(int row, GenreColumn column);
