// The album window (dialog 221): the album list in List and Covers modes, one
// album's contents, the search field, the mode, density and tag switches and
// the status line.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "views/host_services.h"
#include "win/dialog_base.h"
#include "win/host_interface.h"
#include "win/win_handles.h"

constexpr UINT_PTR kRestoreFilterTimer = 32;
constexpr UINT_PTR kSearchDelayTimer = 500;

class AlbumWindow : public coverhall::DialogBase {
  public:
    // genre: the filter of the tree entry; none leaves g_genreFilter as it is.
    AlbumWindow(HWND libraryWindow, std::optional<std::string> genre);

  protected:
    INT_PTR onInitDialog() override;
    INT_PTR onCommand(int id, int code, HWND control) override;
    INT_PTR onNotify(NMHDR& header) override;
    INT_PTR onTimer(UINT_PTR id) override;
    INT_PTR onSize(UINT type, int width, int height) override;
    INT_PTR onPaint() override;
    INT_PTR onDestroy() override;
    INT_PTR onOtherMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    HostDialogHook hostHook() const override { return g_hostDialogHook; }

  private:
    // Opening.
    void setUpAlbumList();
    void setUpSongList();
    void readSortAndModeSettings();
    void applyDensity(bool high);
    void subclassLists();
    // Modes.
    void showList(int code);
    void showCovers(int code);
    void showContents();
    void showViewControls(int mode);
    void checkModeButton(int mode);
    // Search, density, tags, skin.
    void restoreSearchText();
    void runSearch();
    void chooseDensity(bool high);
    void toggleTags();
    void updateTagButton(bool on);
    void setTagTipFont();
    void activateTagTips(bool on);
    void applySkin();
    // Album list (album_list_notify.cpp).
    INT_PTR onAlbumListNotify(NMHDR& header);
    void answerAlbumDisplay(LVITEMA& item);
    void answerAlbumDisplay(LVITEMW& item);
    INT_PTR answerTagTip(char* text, int size, int item);
    INT_PTR answerTagTip(wchar_t* text, int size, int item);
    INT_PTR answerFind(int start, unsigned flags, const std::string& typed);
    void onAlbumColumnClick(int column);
    void onAlbumListKey(WORD key);
    void openSelectedAlbum();
    void saveColumnWidth(const NMHEADERA& header);
    // Song list, stepping, Enqueue (song_list_notify.cpp).
    INT_PTR onSongListNotify(NMHDR& header);
    void onSongListKey(WORD key);
    void stepAlbum(int direction);
    void onEnqueue();
    // Drag and drop (song_list_notify.cpp).
    void onDragMove();
    void onDragRelease();

    HWND control(int id) const { return GetDlgItem(window(), id); }
    void clickButton(int id) const;

    HWND library_;
    std::optional<std::string> genre_;
    HostServices services_;
    // Filled by the host's resize initialisation and used by every resize.
    ResizeItem resizeTable_[14];
    bool firstSelection_ = true;
    INT_PTR songListSkin_ = 0;
    HWND tagTips_ = nullptr;
    coverhall::UniqueFont tagTipFont_;
    coverhall::UniqueBitmap tagButtonBitmap_;
};

// The album list of the open album window, or null.
HWND openAlbumList();
// Sorts the view catalogue's shown albums by the album sort state and shows them.
void sortAndRefreshAlbumList();
// Shows the view catalogue's shown albums in their current order: item count 0,
// then the shown count, one repaint, and the view's image list.
void refreshAlbumList();
// Enables "Contents" for exactly one selected album and writes the artist
// line: the artist, "No Album Selected" or "Various Albums Selected".
void updateSelectionInfo(HWND albumWindow);
// Runs the search of the open album window's search text with the genre.
void applySearch(const std::string& genre);
