#include "views/album_list_pane.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <string>
#include <string_view>

#include "catalogue/list_columns.h"
#include "catalogue/song_record.h"
#include "catalogue/search.h"
#include "catalogue/text_functions.h"
#include "covers/cover_engine.h"
#include "covers/cover_image_list_win32.h"
#include "covers/plugin_state.h"
#include "resources/resource_ids.h"
#include "settings/list_sorts.h"
#include "settings/plugin_settings.h"
#include "settings/setting_keys.h"
#include "views/album_list_texts.h"
#include "views/button_click.h"
#include "views/cover_rule_setting.h"
#include "views/cover_sources.h"
#include "views/drag_source.h"
#include "views/folder_opener.h"
#include "views/host_services.h"
#include "views/list_text.h"
#include "views/list_view_helper.h"
#include "win/settings.h"

namespace {

constexpr ColumnSpec kAlbumColumns[] = {{"Album", 200},  {"Artist", 200}, {"Tracks", 64},
                                        {"Length", 64},  {"Year", 64},    {"Genre", 150},
                                        {"Filename", 80}};
static_assert(std::size(kAlbumColumns) == kAlbumColumnCount);

AlbumColumn albumSortColumn() {
    return static_cast<AlbumColumn>(g_listSorts.albums.column);
}

const AlbumRecord* shownAlbum(int index) {
    const AlbumCatalogue* view = viewCatalogue();
    return view ? view->shownAlbumAt(index) : nullptr;
}

// The edge of the wall's covers: its view's, which the next search remakes
// at the size the settings hold.
int wallEdge() {
    const AlbumCatalogue* view = viewCatalogue();
    return view ? view->edge() : g_coverSize;
}

// An icon spacing of the 100-pixel wall, grown with the covers.
int scaledSpacing(int base) {
    return (base * wallEdge() + 50) / 100;
}

void setListStyle(HWND list, int viewType, bool hideHeader) {
    LONG_PTR style = GetWindowLongPtrA(list, GWL_STYLE);
    style = (style & ~static_cast<LONG_PTR>(LVS_TYPEMASK)) | (viewType & LVS_TYPEMASK);
    if (hideHeader) {
        style |= LVS_NOCOLUMNHEADER;
    } else {
        style &= ~static_cast<LONG_PTR>(LVS_NOCOLUMNHEADER);
    }
    SetWindowLongPtrA(list, GWL_STYLE, style);
}

}  // namespace

void AlbumListPane::setUp(HWND list, HWND libraryWindow, HostColorFunction color) {
    attachList(list);
    addColumns(g_albumListHelper, libraryWindow, kAlbumColumns, kAlbumColumnCount);
    colourList(list, color);
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
    // A picture dropped from Explorer sets a cover; WM_DROPFILES needs no
    // OLE on the host's thread.
    DragAcceptFiles(list, TRUE);
}

void AlbumListPane::refreshSkin(HostColorFunction color) {
    colourList(list(), color);
    g_albumListHelper.refreshFont();
    setTagTipFont();
}

// The tips' six lines line up in a fixed-pitch face at the list font's height.
void AlbumListPane::setTagTipFont() {
    if (!tagTips_) return;
    LOGFONTA listFont{};
    auto font = reinterpret_cast<HFONT>(SendMessageA(list(), WM_GETFONT, 0, 0));
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

void AlbumListPane::showAsTable() {
    covers_ = false;
    if (CoverEngine* engine = coverEngine()) engine->dropVisible();
    setListStyle(list(), LVS_REPORT, false);
}

void AlbumListPane::showAsCovers() {
    covers_ = true;
    newPage_ = true;
    // An icon view becomes one anew through the report view, so that it
    // lays its items out again; from the report view that happens anyway.
    if ((GetWindowLongPtrA(list(), GWL_STYLE) & LVS_TYPEMASK) == LVS_ICON)
        setListStyle(list(), LVS_REPORT, true);
    setListStyle(list(), LVS_ICON, true);
}

void AlbumListPane::setCoverSpacing(bool high) {
    if (high) {
        ListView_SetIconSpacing(list(), scaledSpacing(103), scaledSpacing(103));
    } else {
        ListView_SetIconSpacing(list(), scaledSpacing(140), scaledSpacing(150));
    }
}

void AlbumListPane::activateTagTips(bool on) const {
    if (tagTips_) SendMessageA(tagTips_, TTM_ACTIVATE, on ? TRUE : FALSE, 0);
}

std::optional<LRESULT> AlbumListPane::onNotify(NMHDR& header) {
    switch (header.code) {
        case LVN_GETDISPINFOA:
            answerDisplay(reinterpret_cast<NMLVDISPINFOA&>(header).item);
            return std::nullopt;
        case LVN_GETDISPINFOW:
            answerDisplay(reinterpret_cast<NMLVDISPINFOW&>(header).item);
            return std::nullopt;
        case LVN_GETINFOTIPA: {
            auto& tip = reinterpret_cast<NMLVGETINFOTIPA&>(header);
            if (const AlbumRecord* album = shownAlbum(tip.iItem))
                copyListText(tagTipText(*album), tip.pszText, tip.cchTextMax);
            return std::nullopt;
        }
        case LVN_GETINFOTIPW: {
            auto& tip = reinterpret_cast<NMLVGETINFOTIPW&>(header);
            if (const AlbumRecord* album = shownAlbum(tip.iItem))
                copyListText(tagTipText(*album), tip.pszText, tip.cchTextMax);
            return std::nullopt;
        }
        case LVN_ODFINDITEMA: {
            auto& find = reinterpret_cast<NMLVFINDITEMA&>(header);
            if (!viewCatalogue()) return -1;
            return findAlbumByKey(*viewCatalogue(), find.iStart, find.lvfi.flags,
                                  find.lvfi.psz ? find.lvfi.psz : "", albumSortColumn());
        }
        case LVN_ODFINDITEMW: {
            // Wine's list view sends the wide form even to an ANSI dialog.
            auto& find = reinterpret_cast<NMLVFINDITEMW&>(header);
            if (!viewCatalogue()) return -1;
            return findAlbumByKey(*viewCatalogue(), find.iStart, find.lvfi.flags,
                                  narrowText(find.lvfi.psz), albumSortColumn());
        }
        case LVN_COLUMNCLICK:
            onColumnClick(reinterpret_cast<NMLISTVIEW&>(header).iSubItem);
            return std::nullopt;
        case LVN_ITEMCHANGED:
            updateSelectionInfo();
            return std::nullopt;
        case LVN_KEYDOWN:
            onKey(reinterpret_cast<NMLVKEYDOWN&>(header).wVKey);
            return std::nullopt;
        case NM_RETURN:
        case NM_DBLCLK:
            if (selectedCount() > 0) openSelectedAlbum();
            return std::nullopt;
        case LVN_BEGINDRAG:
            drag_.begin(owner());
            return std::nullopt;
        default:
            return std::nullopt;
    }
}

template <typename Item>
void AlbumListPane::answerDisplay(Item& item) {
    const AlbumRecord* album = shownAlbum(item.iItem);
    if (!album || !(item.mask & (LVIF_TEXT | LVIF_IMAGE | LVIF_STATE))) return;
    if (item.mask & LVIF_STATE) {
        if (firstSelection_) {
            firstSelection_ = false;
            g_albumListHelper.selectItem(0);
        }
        const UINT mark = selectedIndex() == item.iItem ? INDEXTOOVERLAYMASK(1) : 0;
        item.state = (item.state & ~LVIS_OVERLAYMASK) | mark;
    }
    if (item.mask & LVIF_TEXT) {
        std::string text;
        if (item.iSubItem == 0 && covers_) {
            if (g_coverDensity != 1) text = coverLabel(*album, albumSortColumn());
        } else {
            text = albumColumnText(*album, static_cast<AlbumColumn>(item.iSubItem));
        }
        copyListText(text, item.pszText, item.cchTextMax);
    }
    if ((item.mask & LVIF_IMAGE) && covers_) item.iImage = coverImage(item.iItem, *album);
}

// The thumbnail the engine holds, else the placeholder while it is asked
// for or when there is none.
int AlbumListPane::coverImage(int index, const AlbumRecord& album) {
    CoverEngine* engine = coverEngine();
    if (!engine) return NoCoverImage;
    drawnAt_[std::string(album.folder.c_str())] = index;
    const CoverState state =
        engine->showThumbnail(album, coverRuleInForce(), index, coverImageListOf(viewCatalogue()));
    return state == CoverState::Shown ? ThumbnailImage : NoCoverImage;
}

void AlbumListPane::coverArrived(const std::string& folder) const {
    if (!covers_ || !list()) return;
    const auto drawn = drawnAt_.find(folder);
    if (drawn == drawnAt_.end()) return;
    const AlbumRecord* album = shownAlbum(drawn->second);
    if (album && folder == album->folder.c_str())
        ListView_RedrawItems(list(), drawn->second, drawn->second);
}

bool AlbumListPane::onListMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    switch (message) {
        case WM_PAINT:
            if (covers_) askForPage();
            return false;
        case WM_DROPFILES:
            dropCover(reinterpret_cast<HDROP>(wParam));
            DragFinish(reinterpret_cast<HDROP>(wParam));
            result = 0;
            return true;
        case WM_KEYDOWN:
            if (wParam != 'V' || !(GetKeyState(VK_CONTROL) & 0x8000) ||
                (GetKeyState(VK_MENU) & 0x8000) || (GetKeyState(VK_SHIFT) & 0x8000))
                return false;
            pasteCover();
            return true;
        default:
            return false;
    }
}

void AlbumListPane::askForPage() {
    CoverEngine* engine = coverEngine();
    POINT origin{};
    ListView_GetOrigin(list(), &origin);
    if (!engine || (!newPage_ && origin.x == origin_.x && origin.y == origin_.y)) return;
    newPage_ = false;
    origin_ = origin;
    // The whole page is painted, so that each of its covers is asked for.
    InvalidateRect(list(), nullptr, FALSE);
    const CoverRule rule = coverRuleInForce();
    const int edge = wallEdge();
    const auto [first, end] = itemsInView();
    engine->beginVisiblePass();
    for (int index = first; index < end; ++index) {
        if (const AlbumRecord* album = shownAlbum(index)) {
            drawnAt_[std::string(album->folder.c_str())] = index;
            engine->requestThumbnail(*album, rule, edge, index);
        }
    }
    engine->endVisiblePass();
    engine->awaitVisible();
}

// The wall lays its items out in rows from its origin, at the icon spacing;
// the items' own places may not be laid out yet before the first paint.
std::pair<int, int> AlbumListPane::itemsInView() const {
    const int count = ListView_GetItemCount(list());
    RECT client{};
    POINT origin{};
    const DWORD spacing = ListView_GetItemSpacing(list(), FALSE);
    const int width = LOWORD(spacing), height = HIWORD(spacing);
    if (count <= 0 || !GetClientRect(list(), &client) || width <= 0 || height <= 0) return {0, 0};
    ListView_GetOrigin(list(), &origin);
    // How far the wall is scrolled down; Wine gives the origin negated.
    const int scrolled = std::abs(static_cast<int>(origin.y));
    const int perRow = std::max(1, static_cast<int>(client.right) / width);
    const int firstRow = scrolled / height;
    const int lastRow = (scrolled + static_cast<int>(client.bottom) - 1) / height;
    return {std::min(count, firstRow * perRow), std::min(count, (lastRow + 1) * perRow)};
}

void AlbumListPane::onColumnClick(int column) {
    if (column < 0 || column >= kAlbumColumnCount) return;
    g_listSorts.albums.applyClick(column);
    writeListSort(g_listSorts.albums, kAlbumSortColumnKey, kAlbumSortDescendingKey);
    sortAndRefresh();
    g_albumListHelper.selectItem(0);
    if (selectedCount() == 0) EnableWindow(GetDlgItem(owner(), IDC_MODE_CONTENTS), FALSE);
}

void AlbumListPane::onKey(WORD key) const {
    if (key == VK_SPACE && !modifierHeld() && selectedCount() > 0) openSelectedAlbum();
}

void AlbumListPane::openSelectedAlbum() const {
    clickEnabledButton(owner(), IDC_MODE_CONTENTS);
}

int AlbumListPane::contextMenuId() const {
    return IDR_ALBUM_MENU;
}

void AlbumListPane::openFolder() const {
    const AlbumRecord* album = shownAlbum(selectedIndex());
    if (!album) return;
    const SongRecord* first = album->songs.empty() ? nullptr : album->songs.front();
    // A disc set's folder opens with its first disc selected.
    const std::string_view selected = !first           ? std::string_view()
                                      : album->discSet ? folderOfFile(first->fileName)
                                                       : first->fileName;
    g_folderOpener(album->folder.c_str(), std::string(selected));
}

// The old thumbnail shows on the wall until the new one arrives.
void AlbumListPane::refreshCover() {
    const AlbumRecord* album = shownAlbum(selectedIndex());
    CoverEngine* engine = coverEngine();
    if (album && engine) engine->rebuild(*album, coverRuleInForce(), wallEdge());
}

void AlbumListPane::prepareMenu(HMENU popup) const {
    if (!clipboardHoldsCover(owner()))
        EnableMenuItem(popup, ID_MENU_PASTE_COVER, MF_BYCOMMAND | MF_GRAYED);
}

void AlbumListPane::pasteCover() {
    const AlbumRecord* album = shownAlbum(selectedIndex());
    if (album) setCover(album, coverFromClipboard(owner()));
}

void AlbumListPane::chooseCover() {
    const AlbumRecord* album = shownAlbum(selectedIndex());
    if (!album) return;
    const std::string folder(album->folder.c_str());
    std::optional<CoverSource> chosen = chooseCoverFile(owner(), folder.c_str());
    // The dialog ran the window's messages: a search may have refilled the
    // view meanwhile, the library's album stays.
    setCover(libraryCatalogue().albumWithFolder(folder.c_str()), std::move(chosen));
}

void AlbumListPane::dropCover(HDROP drop) {
    LVHITTESTINFO hit{};
    if (!DragQueryPoint(drop, &hit.pt)) return;
    const int item = ListView_HitTest(list(), &hit);
    if (item < 0) return;
    setCover(shownAlbum(item), coverFromDrop(drop));
}

void AlbumListPane::setCover(const AlbumRecord* album, std::optional<CoverSource> source) {
    CoverEngine* engine = coverEngine();
    if (album && source && engine)
        engine->setCover(*album, coverRuleInForce(), wallEdge(), std::move(*source));
}

void AlbumListPane::refresh() {
    if (CoverEngine* engine = coverEngine()) engine->dropVisible();
    drawnAt_.clear();
    newPage_ = true;
    const AlbumCatalogue* view = viewCatalogue();
    if (!list() || !view) return;
    refillListItems(list(), view->shownCount());
    // The catalogue owns its image list; the list only shows it.
    ListView_SetImageList(list(), coverImageListOf(viewCatalogue()), LVSIL_NORMAL);
}

void AlbumListPane::sortAndRefresh() {
    AlbumCatalogue* view = viewCatalogue();
    if (!view) return;
    view->sortShownAlbums(g_listSorts.albums.column, g_listSorts.albums.descending != 0);
    refresh();
}

void AlbumListPane::updateSelectionInfo() const {
    HWND window = owner();
    if (!window) return;
    const int selected = selectedCount();
    EnableWindow(GetDlgItem(window, IDC_MODE_CONTENTS), selected == 1);
    if (selected == 1) {
        const AlbumRecord* album = shownAlbum(selectedIndex());
        SetDlgItemTextA(window, IDC_ARTIST_VALUE, album ? std::string(album->artist).c_str() : "");
    } else {
        SetDlgItemTextA(window, IDC_ARTIST_VALUE,
                        selected == 0 ? "No Album Selected" : "Various Albums Selected");
    }
}

int AlbumListPane::selectedIndex() const {
    return list() ? ListView_GetNextItem(list(), -1, LVNI_SELECTED) : -1;
}

int AlbumListPane::selectedCount() const {
    return list() ? static_cast<int>(ListView_GetSelectedCount(list())) : 0;
}

int AlbumListPane::selectNeighbour(int direction) const {
    const AlbumCatalogue* view = viewCatalogue();
    const int count = view ? view->shownCount() : 0;
    if (count <= 0 || !list()) return -1;
    const int current = selectedIndex();
    int next = 0;
    if (direction < 0) {
        next = current < 1 ? count - 1 : current - 1;
    } else {
        next = current >= 0 && current < count - 1 ? current + 1 : 0;
    }
    // Without a selection every item is cleared (-1 stands for all).
    ListView_SetItemState(list(), current, 0, LVIS_SELECTED);
    g_albumListHelper.selectItem(next);
    return next;
}
