#include "views/contents_view.h"

#include <commctrl.h>

#include "catalogue/comparators.h"
#include "catalogue/list_columns.h"
#include "covers/cover_engine.h"
#include "covers/plugin_state.h"
#include "resources/resource_ids.h"
#include "views/album_list_texts.h"
#include "views/cover_rule_setting.h"
#include "views/list_text.h"
#include "settings/list_sorts.h"
#include "settings/plugin_settings.h"

std::string songColumnText(const SongRecord& song, SongColumn column) {
    switch (column) {
        case SongColumn::Track:
            return song.track >= 1 && song.track <= 999 ? decimalText(song.track) : std::string();
        case SongColumn::Title:
            return std::string(song.title);
        case SongColumn::Rating:
            return std::string(song.ratingStars);
        case SongColumn::Artist:
            return std::string(song.artist);
        case SongColumn::Length:
            return minutesAndSeconds(song.length);
        case SongColumn::Year:
            return song.year >= 1 && song.year <= 4999 ? decimalText(song.year) : std::string();
        case SongColumn::Genre:
            return std::string(song.genre);
        default:
            return std::string();
    }
}

std::string panelYear(int year) {
    return year >= 1901 && year <= 2999 ? decimalText(year) : std::string("-");
}

AlbumRecord* selectedAlbum(HWND albumWindow) {
    AlbumCatalogue* view = viewCatalogue();
    if (!albumWindow || !view) return nullptr;
    HWND list = GetDlgItem(albumWindow, IDC_ALBUM_LIST);
    return view->shownAlbumAt(ListView_GetNextItem(list, -1, LVNI_SELECTED));
}

void sortAndRefreshSongList(HWND albumWindow) {
    AlbumRecord* album = selectedAlbum(albumWindow);
    if (!album) return;
    sortAlbumSongs(*album, g_listSorts.songs.column, g_listSorts.songs.descending != 0);
    HWND songs = GetDlgItem(albumWindow, IDC_SONG_LIST);
    refillListItems(songs, album->songCount());
}

void showAlbumContents(HWND albumWindow, int index) {
    const AlbumCatalogue* view = viewCatalogue();
    const AlbumRecord* album = view ? view->shownAlbumAt(index) : nullptr;
    if (!album) return;
    if (CoverEngine* engine = coverEngine())
        engine->showContentsCover(*album, coverRuleInForce(),
                                  GetDlgItem(albumWindow, IDC_COVER_PICTURE));
    SetDlgItemTextA(albumWindow, IDC_ARTIST_VALUE, std::string(album->artist).c_str());
    SetDlgItemTextA(albumWindow, IDC_ALBUM_VALUE, std::string(album->title).c_str());
    SetDlgItemTextA(albumWindow, IDC_TRACKS_VALUE, decimalText(album->songCount()).c_str());
    SetDlgItemTextA(albumWindow, IDC_PLAYTIME_VALUE,
                    albumColumnText(*album, AlbumColumn::Length).c_str());
    SetDlgItemTextA(albumWindow, IDC_YEAR_VALUE, panelYear(album->year).c_str());
    SetDlgItemTextA(albumWindow, IDC_GENRES_VALUE, album->genres.c_str());
    sortAndRefreshSongList(albumWindow);
}

void showAlbumCover(HWND albumWindow, int index, const std::string& folder) {
    const AlbumCatalogue* view = viewCatalogue();
    const AlbumRecord* album = view ? view->shownAlbumAt(index) : nullptr;
    CoverEngine* engine = coverEngine();
    if (album && engine && folder == album->folder.c_str())
        engine->showContentsCover(*album, coverRuleInForce(),
                                  GetDlgItem(albumWindow, IDC_COVER_PICTURE));
}
