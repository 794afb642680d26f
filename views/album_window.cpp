#include "views/album_window.h"

#include <commctrl.h>

#include <iterator>

#include "catalogue/search.h"
#include "covers/cover_image_list_win32.h"
#include "covers/plugin_state.h"
#include "resources/resource_ids.h"
#include "views/contents_view.h"
#include "views/list_text.h"
#include "views/list_view_helper.h"
#include "views/search_setting.h"
#include "views/view_state.h"
#include "views/view_windows.h"
#include "win/module_bitmaps.h"
#include "win/plugin_globals.h"
#include "win/setting_keys.h"
#include "win/settings.h"

WNDPROC g_albumListProcedure = nullptr;
WNDPROC g_songListProcedure = nullptr;

namespace {

constexpr int kTagButtonSize = 32;

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

// A column's title, which is also its width key, and its default width.
struct ColumnSpec {
    const char* title;
    int width;
};
constexpr ColumnSpec kAlbumColumns[] = {{"Album", 200},  {"Artist", 200}, {"Tracks", 64},
                                        {"Length", 64},  {"Year", 64},    {"Genre", 150},
                                        {"Filename", 80}};
constexpr ColumnSpec kSongColumns[] = {{"Track #", 64}, {"Title", 200}, {"Rating", 64},
                                       {"Artist", 200}, {"Length", 64}, {"Year", 64},
                                       {"Genre", 150}};

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

// The lists want every key, so Enter, Escape, Tab and the arrows reach them
// instead of the dialog manager.
LRESULT CALLBACK wantAllKeys(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_GETDLGCODE) return DLGC_WANTALLKEYS;
    const WNDPROC original =
        GetDlgCtrlID(list) == IDC_SONG_LIST ? g_songListProcedure : g_albumListProcedure;
    return original ? CallWindowProcA(original, list, message, wParam, lParam)
                    : DefWindowProcA(list, message, wParam, lParam);
}

void subclass(HWND list, WNDPROC& original) {
    if (!list) return;
    const auto previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&wantAllKeys)));
    if (previous != &wantAllKeys) original = previous;
}

void showControls(HWND window, const int* ids, size_t count, int show) {
    for (size_t i = 0; i < count; ++i) ShowWindow(GetDlgItem(window, ids[i]), show);
}

template <size_t N>
void showControls(HWND window, const int (&ids)[N], int show) {
    showControls(window, ids, N, show);
}

// Attaches the helper to the list and adds the columns at the widths stored
// in the list's section of the width file, which its window text names.
template <size_t N>
void setUpColumns(ListViewHelper& helper, HWND list, HWND hostWindow,
                  const ColumnSpec (&columns)[N]) {
    helper.hostWindow = hostWindow;
    helper.attach(list);
    char section[81] = "";
    GetWindowTextA(list, section, sizeof section);
    for (const ColumnSpec& column : columns)
        helper.addColumn(column.title, readColumnWidth(section, column.title, column.width));
}

}  // namespace

void setAlbumListStyle(HWND list, int viewType, bool hideHeader) {
    LONG_PTR style = GetWindowLongPtrA(list, GWL_STYLE);
    style = (style & ~static_cast<LONG_PTR>(LVS_TYPEMASK)) | (viewType & LVS_TYPEMASK);
    if (hideHeader) {
        style |= LVS_NOCOLUMNHEADER;
    } else {
        style &= ~static_cast<LONG_PTR>(LVS_NOCOLUMNHEADER);
    }
    SetWindowLongPtrA(list, GWL_STYLE, style);
}

AlbumWindow::AlbumWindow(HWND libraryWindow, std::optional<std::string> genre)
    : library_(libraryWindow), genre_(std::move(genre)) {
    std::copy(std::begin(kResizeTable), std::end(kResizeTable), resizeTable_);
}

// A click acts only on an enabled button, as the user's would (Wine's
// BM_CLICK would click a disabled one).
void AlbumWindow::clickButton(int id) const {
    HWND button = control(id);
    if (button && IsWindowEnabled(button)) SendMessageA(button, BM_CLICK, 0, 0);
}

INT_PTR AlbumWindow::onInitDialog() {
    firstSelection_ = true;
    g_albumWindow = window();
    services_ = queryHostServices(library_);
    g_hostDialogHook = services_.dialogHook;
    if (services_.resizeInit)
        services_.resizeInit(window(), resizeTable_, static_cast<int>(std::size(resizeTable_)));
    SendDlgItemMessageA(window(), IDC_SEARCH_EDIT, EM_LIMITTEXT, kSearchTextLimit, 0);
    setUpAlbumList();
    setUpSongList();
    readSortAndModeSettings();
    clickButton(g_viewMode > 0 ? IDC_MODE_COVERS : IDC_MODE_LIST);
    CheckRadioButton(window(), IDC_DENSITY_LOW, IDC_DENSITY_HIGH,
                     g_coverDensity > 0 ? IDC_DENSITY_HIGH : IDC_DENSITY_LOW);
    applyDensity(g_coverDensity > 0);
    songListSkin_ =
        SendMessageA(library_, kLibraryMessage, reinterpret_cast<WPARAM>(control(IDC_SONG_LIST)),
                     LibraryCode::kSkinList);
    if (genre_) g_genreFilter = *genre_;
    SetDlgItemTextA(window(), IDC_STATUS_LINE, " ");
    SetTimer(window(), kRestoreFilterTimer, 50, nullptr);
    for (int id : kPanelStatics) applyHostFont(library_, control(id));
    updateSelectionInfo(window());
    CheckDlgButton(window(), IDC_SHOW_TAGS, g_showAlbumTags ? BST_CHECKED : BST_UNCHECKED);
    updateTagButton(g_showAlbumTags != 0);
    subclassLists();
    return FALSE;
}

void AlbumWindow::setUpAlbumList() {
    HWND list = control(IDC_ALBUM_LIST);
    setUpColumns(g_albumListHelper, list, library_, kAlbumColumns);
    colourList(list, services_.color);
    ListView_SetCallbackMask(list, LVIS_OVERLAYMASK);
    tagTips_ = ListView_GetToolTips(list);
    if (tagTips_) {
        SendMessageA(tagTips_, TTM_SETDELAYTIME, TTDT_INITIAL, 50);
        SendMessageA(tagTips_, TTM_SETDELAYTIME, TTDT_AUTOPOP, 10000);
        SendMessageA(tagTips_, TTM_SETDELAYTIME, TTDT_RESHOW, 0);
        SetWindowLongPtrA(tagTips_, GWL_STYLE,
                          GetWindowLongPtrA(tagTips_, GWL_STYLE) | TTS_ALWAYSTIP);
    }
    ListView_SetExtendedListViewStyleEx(list, LVS_EX_INFOTIP, LVS_EX_INFOTIP);
    setTagTipFont();
}

void AlbumWindow::setUpSongList() {
    HWND list = control(IDC_SONG_LIST);
    setUpColumns(g_songListHelper, list, library_, kSongColumns);
    colourList(list, services_.color);
}

void AlbumWindow::readSortAndModeSettings() {
    g_albumSortDescending = readSettingInt(kAlbumSortDescendingKey, 0) != 0;
    g_albumSortColumn =
        clampSortColumn(readSettingInt(kAlbumSortColumnKey, g_albumSortColumn), g_albumSortColumn);
    g_viewMode = readSettingInt(kViewModeKey, 0);
    g_songSortDescending = readSettingInt(kSongSortDescendingKey, 0) != 0;
    g_songSortColumn =
        clampSortColumn(readSettingInt(kSongSortColumnKey, g_songSortColumn), g_songSortColumn);
}

void AlbumWindow::applyDensity(bool high) {
    HWND list = control(IDC_ALBUM_LIST);
    if (high) {
        ListView_SetIconSpacing(list, 103, 103);
    } else {
        ListView_SetIconSpacing(list, 140, 150);
    }
}

void AlbumWindow::subclassLists() {
    subclass(control(IDC_ALBUM_LIST), g_albumListProcedure);
    subclass(control(IDC_SONG_LIST), g_songListProcedure);
}

// Modes.

void AlbumWindow::showViewControls(int mode) {
    if (mode == Contents) {
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
    g_viewMode = List;
    EnableWindow(control(IDC_SEARCH_EDIT), TRUE);
    EnableWindow(control(IDC_CLEAR_SEARCH), TRUE);
    showControls(window(), kCoversControls, SW_HIDE);
    showViewControls(List);
    if (code == 0) {
        setAlbumListStyle(control(IDC_ALBUM_LIST), LVS_REPORT, false);
        writeSetting(kViewModeKey, "0");
    }
    activateTagTips(false);
    SetFocus(control(IDC_ALBUM_LIST));
}

void AlbumWindow::showCovers(int code) {
    const coverhall::RedrawPause pause(window());
    g_viewMode = Covers;
    showControls(window(), kCoversControls, SW_SHOW);
    EnableWindow(control(IDC_SEARCH_EDIT), TRUE);
    EnableWindow(control(IDC_CLEAR_SEARCH), TRUE);
    showViewControls(Covers);
    if (code == 0) {
        // Through report view first, so the icon view lays its items out anew.
        setAlbumListStyle(control(IDC_ALBUM_LIST), LVS_REPORT, true);
        setAlbumListStyle(control(IDC_ALBUM_LIST), LVS_ICON, true);
        writeSetting(kViewModeKey, "1");
    }
    activateTagTips(g_showAlbumTags != 0);
    SetFocus(control(IDC_ALBUM_LIST));
}

void AlbumWindow::showContents() {
    // The button may be clicked by the program while disabled (and under
    // Wine a click on a disabled button still arrives): one album or none.
    if (ListView_GetSelectedCount(control(IDC_ALBUM_LIST)) != 1) {
        checkModeButton(g_viewMode);
        return;
    }
    const coverhall::RedrawPause pause(window());
    showControls(window(), kCoversControls, SW_HIDE);
    g_viewMode = Contents;
    EnableWindow(control(IDC_SEARCH_EDIT), FALSE);
    EnableWindow(control(IDC_CLEAR_SEARCH), FALSE);
    showViewControls(Contents);
    showAlbumContents(window(), ListView_GetNextItem(control(IDC_ALBUM_LIST), -1, LVNI_SELECTED));
    g_songListHelper.selectItem(0);
}

// The auto radio button took the click; the mark goes back to the mode shown.
void AlbumWindow::checkModeButton(int mode) {
    CheckDlgButton(window(), IDC_MODE_LIST, mode == List ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(window(), IDC_MODE_COVERS, mode == Covers ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(window(), IDC_MODE_CONTENTS, mode == Contents ? BST_CHECKED : BST_UNCHECKED);
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
    applySearch(g_genreFilter);
    updateSelectionInfo(window());
}

// Density and tags.

void AlbumWindow::chooseDensity(bool high) {
    applyDensity(high);
    InvalidateRect(control(IDC_ALBUM_LIST), nullptr, TRUE);
    writeSetting(kCoverDensityKey, high ? "1" : "0");
    g_coverDensity = high ? 1 : 0;
    SetFocus(control(IDC_ALBUM_LIST));
}

void AlbumWindow::toggleTags() {
    g_showAlbumTags = IsDlgButtonChecked(window(), IDC_SHOW_TAGS) == BST_CHECKED ? 1 : 0;
    updateTagButton(g_showAlbumTags != 0);
    activateTagTips(g_showAlbumTags != 0);
    writeSetting(kShowAlbumTagsKey, g_showAlbumTags ? "1" : "0");
    SetFocus(control(IDC_ALBUM_LIST));
}

void AlbumWindow::updateTagButton(bool on) {
    coverhall::UniqueBitmap bitmap = loadBitmapResource(
        bitmapModule(), on ? IDB_TAGS_ON : IDB_TAGS_OFF, kTagButtonSize, kTagButtonSize);
    SendDlgItemMessageA(window(), IDC_SHOW_TAGS, BM_SETIMAGE, IMAGE_BITMAP,
                        reinterpret_cast<LPARAM>(bitmap.get()));
    // The button has let go of the old bitmap only now.
    tagButtonBitmap_ = std::move(bitmap);
}

void AlbumWindow::activateTagTips(bool on) {
    if (tagTips_) SendMessageA(tagTips_, TTM_ACTIVATE, on ? TRUE : FALSE, 0);
}

// The tips' six lines line up in a fixed-pitch face at the list font's height.
void AlbumWindow::setTagTipFont() {
    if (!tagTips_) return;
    LOGFONTA listFont{};
    auto font = reinterpret_cast<HFONT>(SendMessageA(control(IDC_ALBUM_LIST), WM_GETFONT, 0, 0));
    if (!font || GetObjectA(font, sizeof listFont, &listFont) != sizeof listFont)
        GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof listFont, &listFont);
    LOGFONTA tipFont{};
    font = reinterpret_cast<HFONT>(SendMessageA(tagTips_, WM_GETFONT, 0, 0));
    if (!font || GetObjectA(font, sizeof tipFont, &tipFont) != sizeof tipFont)
        GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof tipFont, &tipFont);
    lstrcpynA(tipFont.lfFaceName, "Courier New", LF_FACESIZE);
    tipFont.lfHeight = listFont.lfHeight;
    coverhall::UniqueFont made(CreateFontIndirectA(&tipFont));
    if (!made) return;
    SendMessageA(tagTips_, WM_SETFONT, reinterpret_cast<WPARAM>(made.get()), FALSE);
    tagTipFont_ = std::move(made);
}

void AlbumWindow::applySkin() {
    colourList(control(IDC_ALBUM_LIST), services_.color);
    g_albumListHelper.refreshFont();
    setTagTipFont();
    colourList(control(IDC_SONG_LIST), services_.color);
    g_songListHelper.refreshFont();
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
            onEnqueue();
            return FALSE;
        case IDC_CLEAR_SEARCH:
            SetDlgItemTextA(window(), IDC_SEARCH_EDIT, "");
            return FALSE;
        case IDC_PREVIOUS_ALBUM:
            stepAlbum(-1);
            return FALSE;
        case IDC_NEXT_ALBUM:
            stepAlbum(1);
            return FALSE;
        case IDC_DENSITY_LOW:
        case IDC_DENSITY_HIGH:
            chooseDensity(id == IDC_DENSITY_HIGH);
            return FALSE;
        default:
            return FALSE;
    }
}

INT_PTR AlbumWindow::onNotify(NMHDR& header) {
    if (header.code == HDN_ENDTRACKA || header.code == HDN_ENDTRACKW) {
        for (int id : {IDC_ALBUM_LIST, IDC_SONG_LIST}) {
            if (header.hwndFrom == ListView_GetHeader(control(id)) && header.hwndFrom)
                saveColumnWidth(reinterpret_cast<NMHEADERA&>(header));
        }
        return FALSE;
    }
    if (header.idFrom == IDC_ALBUM_LIST) return onAlbumListNotify(header);
    if (header.idFrom == IDC_SONG_LIST) return onSongListNotify(header);
    return FALSE;
}

INT_PTR AlbumWindow::onTimer(UINT_PTR id) {
    if (id == kRestoreFilterTimer) restoreSearchText();
    if (id == kSearchDelayTimer) runSearch();
    return FALSE;
}

INT_PTR AlbumWindow::onSize(UINT type, int, int) {
    if (type == SIZE_MINIMIZED) return FALSE;
    if (services_.resizeApply)
        services_.resizeApply(window(), resizeTable_, static_cast<int>(std::size(resizeTable_)));
    InvalidateRect(control(IDC_ALBUM_LIST), nullptr, TRUE);
    return FALSE;
}

INT_PTR AlbumWindow::onPaint() {
    if (services_.paintBorders)
        services_.paintBorders(window(), g_borderTable, static_cast<int>(std::size(g_borderTable)));
    return FALSE;
}

INT_PTR AlbumWindow::onDestroy() {
    // A newer album window may already exist when the host makes the new view
    // before it destroys the old one: only the current window is forgotten.
    if (g_albumWindow == window()) g_albumWindow = nullptr;
    if (songListSkin_)
        SendMessageA(library_, kLibraryMessage, static_cast<WPARAM>(songListSkin_),
                     LibraryCode::kUnskinList);
    songListSkin_ = 0;
    return FALSE;
}

INT_PTR AlbumWindow::onOtherMessage(UINT message, WPARAM, LPARAM) {
    switch (message) {
        case WM_DISPLAYCHANGE:
            applySkin();
            return FALSE;
        case kRerunSearchMessage:
            applySearch(g_genreFilter);
            return TRUE;
        case WM_MOUSEMOVE:
            if (GetCapture() == window()) onDragMove();
            return FALSE;
        case WM_LBUTTONUP:
            if (GetCapture() == window()) onDragRelease();
            return FALSE;
        default:
            return FALSE;
    }
}

// Operations on the open album window.

HWND openAlbumList() {
    return g_albumWindow ? GetDlgItem(g_albumWindow, IDC_ALBUM_LIST) : nullptr;
}

void refreshAlbumList() {
    HWND list = openAlbumList();
    const AlbumCatalogue* view = viewCatalogue();
    if (!list || !view) return;
    refillListItems(list, view->shownCount());
    // The catalogue owns its image list; the list only shows it.
    ListView_SetImageList(list, coverImageListOf(view), LVSIL_NORMAL);
}

void sortAndRefreshAlbumList() {
    AlbumCatalogue* view = viewCatalogue();
    if (!view) return;
    view->sortShownAlbums(g_albumSortColumn, g_albumSortDescending != 0);
    refreshAlbumList();
}

void updateSelectionInfo(HWND albumWindow) {
    if (!albumWindow) return;
    HWND list = GetDlgItem(albumWindow, IDC_ALBUM_LIST);
    const int selected = list ? ListView_GetSelectedCount(list) : 0;
    EnableWindow(GetDlgItem(albumWindow, IDC_MODE_CONTENTS), selected == 1);
    if (selected == 1) {
        const int index = ListView_GetNextItem(list, -1, LVNI_SELECTED);
        const AlbumCatalogue* view = viewCatalogue();
        const AlbumRecord* album = view ? view->shownAlbumAt(index) : nullptr;
        SetDlgItemTextA(albumWindow, IDC_ARTIST_VALUE,
                        album ? std::string(album->artist).c_str() : "");
    } else {
        SetDlgItemTextA(albumWindow, IDC_ARTIST_VALUE,
                        selected == 0 ? "No Album Selected" : "Various Albums Selected");
    }
}

void applySearch(const std::string& genre) {
    PluginState* state = pluginState();
    if (!g_albumWindow || !state) return;
    char text[kSearchTextLimit + 1] = "";
    GetDlgItemTextA(g_albumWindow, IDC_SEARCH_EDIT, text, sizeof text);
    const AlbumCatalogue& library = state->libraryCatalogue;
    std::unique_ptr<AlbumCatalogue>& view = state->viewCatalogue;
    // The view is refilled in place: its memory, and the image list the
    // control shows, stay.
    if (view) {
        searchCatalogue(library, text, genre, g_albumSortColumn, g_albumSortDescending != 0, *view);
    } else {
        view = searchCatalogue(library, text, genre, g_albumSortColumn, g_albumSortDescending != 0);
    }
    refreshAlbumList();
    SetDlgItemTextA(g_albumWindow, IDC_STATUS_LINE, formatStatusLine(*view, library).c_str());
}
