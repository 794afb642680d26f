// The song list of the album window's Contents mode: the selected album's
// songs, sorted on column clicks, sent to the player by Enter, a double
// click or "Enqueue", and the steps to the neighbouring albums.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <optional>

#include "views/list_pane.h"
#include "win/host_interface.h"

class AlbumListPane;
class DragSource;

class SongListPane : public ListPane {
  public:
    SongListPane(HWND libraryWindow, const AlbumListPane& albums, const DragSource& drag)
        : library_(libraryWindow), albums_(albums), drag_(drag) {}

    void setUp(HWND list, HostColorFunction color);
    void refreshSkin(HostColorFunction color) const;

    // A notification of the list; a value when it has a result to set.
    std::optional<LRESULT> onNotify(NMHDR& header) const;

    // Shows the album before (-1) or after (1) the selected one.
    void stepAlbum(int direction) const;
    // Sends the selected album's songs: all of them, sorted by the song sort,
    // from List and Covers; the selected songs from Contents. Enqueued while
    // Shift is held.
    void enqueue(bool inContents) const;
    // The same songs in the same request, enqueued or played as asked.
    void send(bool inContents, bool enqueue) const;
    // The first selected song in its folder in the file manager.
    void openFolder() const;
    // Selects, focuses and shows the first song.
    void selectFirstSong() const;

  protected:
    int contextMenuId() const override;

  private:
    void onColumnClick(int column) const;
    void onKey(WORD key) const;

    HWND library_;
    const AlbumListPane& albums_;
    const DragSource& drag_;
};
