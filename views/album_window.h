// The album window (dialog 221): the album list in List and Covers modes, one
// album's contents, the search field, the mode, density and tag switches and
// the status line. Its two lists are panes of their own; the window lays
// them out, switches modes, searches and routes their notifications.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "covers/cover_engine.h"
#include "views/album_list_pane.h"
#include "views/button_click.h"
#include "views/drag_source.h"
#include "views/hosted_view.h"
#include "views/song_list_pane.h"
#include "win/host_interface.h"
#include "win/win_handles.h"

constexpr UINT_PTR kRestoreFilterTimer = 32;
constexpr UINT_PTR kSearchDelayTimer = 500;
constexpr UINT_PTR kCoverNoticeTimer = 33;

class AlbumWindow : public HostedView, private CoverListener {
  public:
    // genre: the filter of the tree entry; none leaves g_genreFilter as it is.
    AlbumWindow(HWND libraryWindow, std::optional<std::string> genre);

    // The status line: the progress of preparing covers while that runs,
    // else what became of a cover set by hand, for a few seconds or until
    // the next search, else the result of the last search.
    void writeStatusLine();

  protected:
    INT_PTR onInitDialog() override;
    INT_PTR onCommand(int id, int code, HWND control) override;
    INT_PTR onNotify(NMHDR& header) override;
    INT_PTR onTimer(UINT_PTR id) override;
    INT_PTR onSize(UINT type, int width, int height) override;
    INT_PTR onPaint() override;
    INT_PTR onDestroy() override;
    INT_PTR onOtherMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    enum class Mode { List, Covers, Contents };

    // What the cover engine tells.
    void coverArrived(const CoverKey& key) override;
    void preparationProgressed() override { writeStatusLine(); }
    void coverSetStarted() override;
    void coverSetEnded(const SetCoverOutcome& outcome) override;
    void showCoverNotice(std::string text, bool lasting);
    // The status line shows the search result again.
    void endCoverNotice();

    void readSortAndModeSettings();
    // Modes; code is the button's notification code (0 for a click).
    void showList(int code);
    void showCovers(int code);
    void showContents();
    void showViewControls(Mode mode);
    void checkModeButton(Mode mode);
    // Search, density, tags, skin.
    void restoreSearchText();
    void runSearch();
    void applySearch();
    void chooseDensity(bool high);
    void toggleTags();
    void updateTagButton(bool on);
    void applySkin();
    void clickButton(int id) const { clickEnabledButton(window(), id); }
    INT_PTR notificationResult(const std::optional<LRESULT>& result);

    std::optional<std::string> genre_;
    Mode mode_ = Mode::List;
    // The mode stored in the settings when the window opened.
    int storedMode_ = 0;
    // Filled by the host's resize initialisation and used by every resize.
    ResizeItem resizeTable_[14];
    DragSource drag_;
    AlbumListPane albums_;
    SongListPane songs_;
    coverhall::UniqueBitmap tagButtonBitmap_;
    std::string coverNotice_;  // "" when the status line shows no notice
};
