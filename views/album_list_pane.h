// The album list of the album window: a table in List mode and a wall of
// covers in Covers mode. It answers the list's display requests, tag tips
// and type-ahead, sorts on column clicks, and keeps the window's selection
// line (artist, "Contents" enabled) in step with its selection. Covers come
// from the cover engine: what it does not hold yet is drawn with the
// placeholder and redrawn when it arrives.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <optional>
#include <string>
#include <unordered_map>
#include <utility>

struct AlbumRecord;

#include "covers/cover_job.h"
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
    // sorting them by the album sort when asked. Covers asked for and not
    // yet made are dropped.
    void refresh();
    void sortAndRefresh();
    // Enables "Contents" for exactly one selected album and writes the
    // artist line: the artist, "No Album Selected" or "Various Albums
    // Selected".
    void updateSelectionInfo() const;
    // Redraws the album of that folder where the wall shows it: its
    // thumbnail arrived.
    void coverArrived(const std::string& folder) const;
    int selectedIndex() const;
    int selectedCount() const;
    // Moves the selection to the album before (-1) or after (1) the selected
    // one, wrapping around; the album's index, or -1 with no albums shown.
    int selectNeighbour(int direction) const;

    // The selected album's folder in the file manager, its first song
    // selected.
    void openFolder() const;
    // Builds the selected album's thumbnail and cache anew from its
    // source; the wall shows the new one when it arrives.
    void refreshCover();
    // Sets the selected album's cover from the clipboard's picture, or
    // from a file chosen in the system's dialog.
    void pasteCover();
    void chooseCover();

  protected:
    bool onListMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    int contextMenuId() const override;
    void prepareMenu(HMENU popup) const override;

  private:
    template <typename Item>
    void answerDisplay(Item& item);
    int coverImage(int index, const AlbumRecord& album);
    // Before a paint of a page not painted yet (the wall shown, scrolled or
    // refilled): asks for its covers, drops those of the page left, and
    // gives the answers a moment to come, so a cached page paints whole.
    void askForPage();
    // The first and the end index of the items in view.
    std::pair<int, int> itemsInView() const;
    void onColumnClick(int column);
    void onKey(WORD key) const;
    void openSelectedAlbum() const;
    // Explorer's files dropped onto an album: its cover, from the first
    // picture among them.
    void dropCover(HDROP drop);
    void setCover(const AlbumRecord* album, std::optional<CoverSource> source);
    void setTagTipFont();

    const DragSource& drag_;
    bool covers_ = false;
    // The first display request selects the first album.
    bool firstSelection_ = true;
    HWND tagTips_ = nullptr;
    coverhall::UniqueFont tagTipFont_;
    // The next paint shows a page anew; scrolling shows it by the origin.
    bool newPage_ = false;
    POINT origin_{};
    // Where the wall last drew each album, to redraw it when its cover
    // arrives; cleared with every refill.
    std::unordered_map<std::string, int> drawnAt_;
};
