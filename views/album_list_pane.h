// The album list of the album window: a table in List mode and a wall of
// covers in Covers mode. It answers the list's display requests, tag tips
// and type-ahead, sorts on column clicks, and keeps the window's selection
// line (artist, "Contents" enabled) in step with its selection.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <string>

#include "views/list_pane.h"
#include "win/host_interface.h"
#include "win/win_handles.h"

class DragSource;

class AlbumListPane : public ListPane {
  public:
    explicit AlbumListPane(const DragSource& drag) : drag_(drag) {}

    // Columns, colours, the overlay mark of the selection and the tag tips.
    void setUp(HWND list, HWND libraryWindow, HostColorFunction color);
    // The host's font and colours again, and the tips' font with them.
    void refreshSkin(HostColorFunction color);

    // A table (List) or a wall of covers (Covers) with or without labels.
    void showAsTable();
    void showAsCovers();
    void setCoverSpacing(bool high);
    void activateTagTips(bool on) const;

    // A notification of the list; a value when it has a result to set.
    std::optional<LRESULT> onNotify(NMHDR& header);

    // Shows the view catalogue's shown albums in their current order, after
    // sorting them by the album sort when asked.
    void refresh() const;
    void sortAndRefresh() const;
    // Enables "Contents" for exactly one selected album and writes the
    // artist line: the artist, "No Album Selected" or "Various Albums
    // Selected".
    void updateSelectionInfo() const;
    int selectedIndex() const;
    int selectedCount() const;
    // Moves the selection to the album before (-1) or after (1) the selected
    // one, wrapping around; the album's index, or -1 with no albums shown.
    int selectNeighbour(int direction) const;

  private:
    template <typename Item>
    void answerDisplay(Item& item);
    void onColumnClick(int column);
    void onKey(WORD key) const;
    void openSelectedAlbum() const;
    void setTagTipFont();

    const DragSource& drag_;
    bool covers_ = false;
    // The first display request selects the first album.
    bool firstSelection_ = true;
    HWND tagTips_ = nullptr;
    coverhall::UniqueFont tagTipFont_;
};
