// The album list of the album window: a table in List mode and a wall of
// covers in Covers mode. It answers the list's display requests, tag tips
// and type-ahead, sorts on column clicks, and keeps the window's selection
// line (artist, "Contents" enabled) in step with its selection. A cover
// whose thumbnail must be decoded is drawn with the placeholder first and
// filled in by steps on the list's timer, between the window's input and
// paints.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <string>

struct AlbumRecord;

#include "views/cover_fill_queue.h"
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
    // Pending covers are dropped.
    void refresh();
    void sortAndRefresh();
    // Enables "Contents" for exactly one selected album and writes the
    // artist line: the artist, "No Album Selected" or "Various Albums
    // Selected".
    void updateSelectionInfo() const;
    // Whether covers are queued for their decode.
    bool filling() const { return filling_; }
    int selectedIndex() const;
    int selectedCount() const;
    // Moves the selection to the album before (-1) or after (1) the selected
    // one, wrapping around; the album's index, or -1 with no albums shown.
    int selectNeighbour(int direction) const;

    // The selected album's folder in the file manager, its first song
    // selected.
    void openFolder() const;
    // Builds the selected album's thumbnail and cache anew from its source
    // and redraws it: through the fill queue on the wall, at once in List
    // (where no wall fills).
    void refreshCover();

  protected:
    bool onListMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    int contextMenuId() const override;

  private:
    template <typename Item>
    void answerDisplay(Item& item);
    int coverImage(int index, const AlbumRecord& album);
    // Decodes queued covers, one at a time, until input or a paint waits.
    void fillCovers();
    void startFilling();
    void stopFilling();
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
    CoverFillQueue fill_;
    bool filling_ = false;
};
