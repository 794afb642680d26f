#include "views/album_window.h"

#include <commctrl.h>

#include <iterator>
#include <utility>

#include "catalogue/list_columns.h"
#include "catalogue/search.h"
#include "covers/plugin_state.h"
#include "resources/resource_ids.h"
#include "settings/list_sorts.h"
#include "settings/plugin_settings.h"
#include "settings/search_setting.h"
#include "settings/setting_keys.h"
#include "views/contents_view.h"
#include "views/cover_notice.h"
#include "views/view_windows.h"
#include "win/module_bitmaps.h"
#include "win/settings.h"

namespace {

constexpr int kTagButtonSize = 32;
// How long what became of a cover set by hand stays on the status line.
constexpr UINT kCoverNoticeMs = 4000;

// Anchors of the host's child-resize service: one hex digit per edge (left,
// top, right, bottom); 1 keeps that edge's distance to the right or bottom.
constexpr ResizeItem kResizeTable[] = {
    {IDC_SEARCH_EDIT, 0x0010, {}}, {IDC_ALBUM_LIST, 0x0011, {}},   {IDC_ENQUEUE, 0x0101, {}},
    {IDC_STATUS_LINE, 0x0111, {}}, {IDC_MODE_GROUP, 0x0000, {}},   {IDC_ARTIST_LABEL, 0x0000, {}},
    {IDC_SONG_LIST, 0x0011, {}},   {IDC_CLEAR_SEARCH, 0x1010, {}}, {IDC_ARTIST_VALUE, 0x0010, {}},
    {IDC_ALBUM_VALUE, 0x0010, {}}, {IDC_TRACKS_VALUE, 0x0010, {}}, {IDC_PLAYTIME_VALUE, 0x0010, {}},
    {IDC_YEAR_VALUE, 0x0010, {}},  {IDC_GENRES_VALUE, 0x0010, {}},
};

int g_borderTable[] = {IDC_SEARCH_EDIT + kBorderSunken, IDC_ALBUM_LIST, IDC_MODE_GROUP,
                       IDC_ARTIST_LABEL, IDC_SONG_LIST};

constexpr int kPanelStatics[] = {IDC_ARTIST_LABEL,   IDC_ARTIST_VALUE,   IDC_ALBUM_LABEL,
                                 IDC_ALBUM_VALUE,    IDC_TRACKS_LABEL,   IDC_TRACKS_VALUE,
                                 IDC_PLAYTIME_LABEL, IDC_PLAYTIME_VALUE, IDC_YEAR_LABEL,
                                 IDC_YEAR_VALUE,     IDC_GENRES_LABEL,   IDC_GENRES_VALUE};
constexpr int kCoversControls[] = {IDC_DENSITY_GROUP, IDC_DENSITY_LOW, IDC_DENSITY_HIGH,
                                   IDC_SHOW_TAGS};
constexpr int kContentsControls[] = {
    IDC_COVER_PICTURE, IDC_SONG_LIST,    IDC_PREVIOUS_ALBUM, IDC_NEXT_ALBUM,
    IDC_ALBUM_LABEL,   IDC_ALBUM_VALUE,  IDC_TRACKS_LABEL,   IDC_TRACKS_VALUE,
    IDC_ARTIST_LABEL,  IDC_ARTIST_VALUE, IDC_PLAYTIME_LABEL, IDC_PLAYTIME_VALUE,
    IDC_YEAR_LABEL,    IDC_YEAR_VALUE,   IDC_GENRES_LABEL,   IDC_GENRES_VALUE};

template <size_t N>
void showControls(HWND window, const int (&ids)[N], int show) {
    for (int id : ids) ShowWindow(GetDlgItem(window, id), show);
}

// 1234567 as "1,234,567".
std::string withThousands(int value) {
    std::string digits = std::to_string(value < 0 ? 0 : value);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) digits.insert(at, ",");
    return digits;
}

}  // namespace

AlbumWindow::AlbumWindow(HWND libraryWindow, std::optional<std::string> genre)
    : HostedView(libraryWindow),
      genre_(std::move(genre)),
      drag_(libraryWindow),
      albums_(drag_),
      songs_(libraryWindow, albums_, drag_) {
    std::copy(std::begin(kResizeTable), std::end(kResizeTable), resizeTable_);
}

INT_PTR AlbumWindow::onInitDialog() {
    g_albumWindow = window();
    takeHostServices();
    initResize(resizeTable_, static_cast<int>(std::size(resizeTable_)));
    SendDlgItemMessageA(window(), IDC_SEARCH_EDIT, EM_LIMITTEXT, kSearchTextLimit, 0);
    albums_.setUp(control(IDC_ALBUM_LIST), library(), hostColors());
    songs_.setUp(control(IDC_SONG_LIST), hostColors());
    readSortAndModeSettings();
    clickButton(storedMode_ > 0 ? IDC_MODE_COVERS : IDC_MODE_LIST);
    CheckRadioButton(window(), IDC_DENSITY_LOW, IDC_DENSITY_HIGH,
                     g_coverDensity > 0 ? IDC_DENSITY_HIGH : IDC_DENSITY_LOW);
    albums_.setCoverSpacing(g_coverDensity > 0);
    skinList(control(IDC_SONG_LIST));
    if (genre_) g_genreFilter = *genre_;
    SetDlgItemTextA(window(), IDC_STATUS_LINE, " ");
    SetTimer(window(), kRestoreFilterTimer, 50, nullptr);
    for (int id : kPanelStatics) applyHostFont(library(), control(id));
    albums_.updateSelectionInfo();
    CheckDlgButton(window(), IDC_SHOW_TAGS, g_showAlbumTags ? BST_CHECKED : BST_UNCHECKED);
    updateTagButton(g_showAlbumTags != 0);
    if (CoverEngine* engine = coverEngine()) engine->addListener(this);
    return FALSE;
}

void AlbumWindow::readSortAndModeSettings() {
    readListSort(g_listSorts.albums, kAlbumSortColumnKey, kAlbumSortDescendingKey,
                 kAlbumColumnCount);
    storedMode_ = readSettingInt(kViewModeKey, 0);
    readListSort(g_listSorts.songs, kSongSortColumnKey, kSongSortDescendingKey, kSongColumnCount);
}

// Modes.

void AlbumWindow::showViewControls(Mode mode) {
    if (mode == Mode::Contents) {
        ShowWindow(control(IDC_CLEAR_SEARCH), SW_HIDE);
        ShowWindow(control(IDC_ALBUM_LIST), SW_HIDE);
        showControls(window(), kContentsControls, SW_SHOW);
        return;
    }
    showControls(window(), kContentsControls, SW_HIDE);
    ShowWindow(control(IDC_CLEAR_SEARCH), SW_SHOW);
    ShowWindow(control(IDC_ALBUM_LIST), SW_SHOW);
}

void AlbumWindow::showList(int code) {
    const coverhall::RedrawPause pause(window());
    mode_ = Mode::List;
    EnableWindow(control(IDC_SEARCH_EDIT), TRUE);
    EnableWindow(control(IDC_CLEAR_SEARCH), TRUE);
    showControls(window(), kCoversControls, SW_HIDE);
    showViewControls(Mode::List);
    if (code == 0) {
        albums_.showAsTable();
        writeSetting(kViewModeKey, "0");
    }
    albums_.activateTagTips(false);
    SetFocus(albums_.list());
}

void AlbumWindow::showCovers(int code) {
    const coverhall::RedrawPause pause(window());
    mode_ = Mode::Covers;
    showControls(window(), kCoversControls, SW_SHOW);
    EnableWindow(control(IDC_SEARCH_EDIT), TRUE);
    EnableWindow(control(IDC_CLEAR_SEARCH), TRUE);
    showViewControls(Mode::Covers);
    if (code == 0) {
        albums_.showAsCovers();
        writeSetting(kViewModeKey, "1");
    }
    albums_.activateTagTips(g_showAlbumTags != 0);
    SetFocus(albums_.list());
}

void AlbumWindow::showContents() {
    // The button may be clicked by the program while disabled (and under
    // Wine a click on a disabled button still arrives): one album or none.
    if (albums_.selectedCount() != 1) {
        checkModeButton(mode_);
        return;
    }
    const coverhall::RedrawPause pause(window());
    showControls(window(), kCoversControls, SW_HIDE);
    mode_ = Mode::Contents;
    EnableWindow(control(IDC_SEARCH_EDIT), FALSE);
    EnableWindow(control(IDC_CLEAR_SEARCH), FALSE);
    showViewControls(Mode::Contents);
    showAlbumContents(window(), albums_.selectedIndex());
    songs_.selectFirstSong();
}

// The auto radio button took the click; the mark goes back to the mode shown.
void AlbumWindow::checkModeButton(Mode mode) {
    CheckDlgButton(window(), IDC_MODE_LIST, mode == Mode::List ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(window(), IDC_MODE_COVERS, mode == Mode::Covers ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(window(), IDC_MODE_CONTENTS,
                   mode == Mode::Contents ? BST_CHECKED : BST_UNCHECKED);
}

// Search.

void AlbumWindow::restoreSearchText() {
    KillTimer(window(), kRestoreFilterTimer);
    SetDlgItemTextA(window(), IDC_SEARCH_EDIT, readSearchSetting().c_str());
}

void AlbumWindow::runSearch() {
    KillTimer(window(), kSearchDelayTimer);
    char text[kSearchTextLimit + 1] = "";
    GetDlgItemTextA(window(), IDC_SEARCH_EDIT, text, sizeof text);
    writeSearchSetting(text);
    applySearch();
    albums_.updateSelectionInfo();
}

// Runs the search text with g_genreFilter and shows the result.
void AlbumWindow::applySearch() {
    PluginState* state = pluginState();
    if (!state) return;
    char text[kSearchTextLimit + 1] = "";
    GetDlgItemTextA(window(), IDC_SEARCH_EDIT, text, sizeof text);
    const ListSort& sort = g_listSorts.albums;
    const LibraryCatalogue& library = state->libraryCatalogue;
    std::unique_ptr<ViewCatalogue>& view = state->viewCatalogue;
    // The view is refilled in place: its memory, and the image list the
    // control shows, stay. A new cover size needs a new image list, and so
    // a new view; the control lets go of the old list first.
    const bool newSize = view && view->edge() != g_coverSize;
    if (newSize) {
        ListView_SetImageList(albums_.list(), nullptr, LVSIL_NORMAL);
        view.reset();
    }
    if (!view) view = std::make_unique<ViewCatalogue>(g_coverSize, library.coverImageListFactory());
    searchCatalogue(library, text, g_genreFilter, sort.column, sort.descending != 0, *view);
    if (newSize) albums_.setCoverSpacing(g_coverDensity > 0);
    albums_.refresh();
    endCoverNotice();
}

void AlbumWindow::coverSetStarted() {
    showCoverNotice(kSettingCoverText, true);
}

void AlbumWindow::coverSetEnded(const SetCoverOutcome& outcome) {
    showCoverNotice(coverSetText(outcome), false);
}

void AlbumWindow::endCoverNotice() {
    KillTimer(window(), kCoverNoticeTimer);
    coverNotice_.clear();
    writeStatusLine();
}

// A lasting notice stays until the next; the others go after a while.
void AlbumWindow::showCoverNotice(std::string text, bool lasting) {
    coverNotice_ = std::move(text);
    KillTimer(window(), kCoverNoticeTimer);
    if (!lasting) SetTimer(window(), kCoverNoticeTimer, kCoverNoticeMs, nullptr);
    writeStatusLine();
}

void AlbumWindow::writeStatusLine() {
    const PluginState* state = pluginState();
    if (!state) return;
    const CoverEngine& covers = state->coverEngine;
    if (covers.preparing()) {
        const std::string text = "Preparing covers: " + withThousands(covers.prepared()) + " of " +
                                 withThousands(covers.preparationTotal());
        SetDlgItemTextA(window(), IDC_STATUS_LINE, text.c_str());
    } else if (!coverNotice_.empty()) {
        SetDlgItemTextA(window(), IDC_STATUS_LINE, coverNotice_.c_str());
    } else if (state->viewCatalogue) {
        SetDlgItemTextA(window(), IDC_STATUS_LINE,
                        formatStatusLine(*state->viewCatalogue, state->libraryCatalogue).c_str());
    } else {
        SetDlgItemTextA(window(), IDC_STATUS_LINE, " ");
    }
}

// Density and tags.

void AlbumWindow::chooseDensity(bool high) {
    albums_.setCoverSpacing(high);
    InvalidateRect(albums_.list(), nullptr, TRUE);
    writeSetting(kCoverDensityKey, high ? "1" : "0");
    g_coverDensity = high ? 1 : 0;
    SetFocus(albums_.list());
}

void AlbumWindow::toggleTags() {
    g_showAlbumTags = IsDlgButtonChecked(window(), IDC_SHOW_TAGS) == BST_CHECKED ? 1 : 0;
    updateTagButton(g_showAlbumTags != 0);
    albums_.activateTagTips(g_showAlbumTags != 0);
    writeSetting(kShowAlbumTagsKey, g_showAlbumTags ? "1" : "0");
    SetFocus(albums_.list());
}

void AlbumWindow::updateTagButton(bool on) {
    coverhall::UniqueBitmap bitmap = loadBitmapResource(
        bitmapModule(), on ? IDB_TAGS_ON : IDB_TAGS_OFF, kTagButtonSize, kTagButtonSize);
    SendDlgItemMessageA(window(), IDC_SHOW_TAGS, BM_SETIMAGE, IMAGE_BITMAP,
                        reinterpret_cast<LPARAM>(bitmap.get()));
    // The button has let go of the old bitmap only now.
    tagButtonBitmap_ = std::move(bitmap);
}

void AlbumWindow::applySkin() {
    albums_.refreshSkin(hostColors());
    songs_.refreshSkin(hostColors());
}

// Dispatch.

INT_PTR AlbumWindow::onCommand(int id, int code, HWND) {
    switch (id) {
        case IDC_SEARCH_EDIT:
            if (code == EN_CHANGE) {
                KillTimer(window(), kSearchDelayTimer);
                SetTimer(window(), kSearchDelayTimer, 150, nullptr);
            }
            return FALSE;
        case IDC_SHOW_TAGS:
            toggleTags();
            return FALSE;
        case IDC_MODE_LIST:
            showList(code);
            return FALSE;
        case IDC_MODE_COVERS:
            showCovers(code);
            return FALSE;
        case IDC_MODE_CONTENTS:
            showContents();
            return FALSE;
        case IDC_ENQUEUE:
            songs_.enqueue(mode_ == Mode::Contents);
            return FALSE;
        case IDC_CLEAR_SEARCH:
            SetDlgItemTextA(window(), IDC_SEARCH_EDIT, "");
            return FALSE;
        case IDC_PREVIOUS_ALBUM:
            songs_.stepAlbum(-1);
            return FALSE;
        case IDC_NEXT_ALBUM:
            songs_.stepAlbum(1);
            return FALSE;
        case IDC_DENSITY_LOW:
        case IDC_DENSITY_HIGH:
            chooseDensity(id == IDC_DENSITY_HIGH);
            return FALSE;
        // The context menus: the album list's outside Contents, the song
        // list's in it.
        case ID_MENU_PLAY:
        case ID_MENU_ENQUEUE:
            songs_.send(mode_ == Mode::Contents, id == ID_MENU_ENQUEUE);
            return FALSE;
        case ID_MENU_OPEN_FOLDER:
            if (mode_ == Mode::Contents) {
                songs_.openFolder();
            } else {
                albums_.openFolder();
            }
            return FALSE;
        case ID_MENU_REFRESH_COVER:
            if (mode_ != Mode::Contents) albums_.refreshCover();
            return FALSE;
        case ID_MENU_SET_COVER:
            if (mode_ != Mode::Contents) albums_.chooseCover();
            return FALSE;
        case ID_MENU_PASTE_COVER:
            if (mode_ != Mode::Contents) albums_.pasteCover();
            return FALSE;
        default:
            return FALSE;
    }
}

INT_PTR AlbumWindow::notificationResult(const std::optional<LRESULT>& result) {
    if (!result) return FALSE;
    setMessageResult(*result);
    return TRUE;
}

INT_PTR AlbumWindow::onNotify(NMHDR& header) {
    if (header.code == HDN_ENDTRACKA || header.code == HDN_ENDTRACKW) {
        const auto& track = reinterpret_cast<const NMHEADERA&>(header);
        if (!albums_.saveColumnWidth(track)) songs_.saveColumnWidth(track);
        return FALSE;
    }
    if (header.idFrom == IDC_ALBUM_LIST) return notificationResult(albums_.onNotify(header));
    if (header.idFrom == IDC_SONG_LIST) return notificationResult(songs_.onNotify(header));
    return FALSE;
}

INT_PTR AlbumWindow::onTimer(UINT_PTR id) {
    if (id == kRestoreFilterTimer) restoreSearchText();
    if (id == kSearchDelayTimer) runSearch();
    if (id == kCoverNoticeTimer) endCoverNotice();
    return FALSE;
}

INT_PTR AlbumWindow::onSize(UINT type, int, int) {
    if (type == SIZE_MINIMIZED) return FALSE;
    applyResize(resizeTable_, static_cast<int>(std::size(resizeTable_)));
    InvalidateRect(albums_.list(), nullptr, TRUE);
    return FALSE;
}

INT_PTR AlbumWindow::onPaint() {
    paintBorders(g_borderTable, static_cast<int>(std::size(g_borderTable)));
    return FALSE;
}

INT_PTR AlbumWindow::onDestroy() {
    // A newer album window may already exist when the host makes the new view
    // before it destroys the old one: only the current window is forgotten.
    if (g_albumWindow == window()) g_albumWindow = nullptr;
    if (CoverEngine* engine = coverEngine()) {
        engine->removeListener(this);
        engine->dropVisible();
    }
    return HostedView::onDestroy();
}

void AlbumWindow::coverArrived(const CoverKey& key) {
    if (key.picture == CoverPicture::Thumbnail) {
        albums_.coverArrived(key.folder);
    } else if (mode_ == Mode::Contents) {
        showAlbumCover(window(), albums_.selectedIndex(), key.folder);
    }
}

INT_PTR AlbumWindow::onOtherMessage(UINT message, WPARAM, LPARAM) {
    switch (message) {
        case WM_DISPLAYCHANGE:
            applySkin();
            return FALSE;
        case kRerunSearchMessage:
            applySearch();
            return TRUE;
        case WM_MOUSEMOVE:
            if (drag_.active(window())) drag_.move(window());
            return FALSE;
        case WM_LBUTTONUP:
            if (drag_.active(window())) drag_.release(window(), mode_ != Mode::Contents);
            return FALSE;
        default:
            return FALSE;
    }
}
