// The host side of the library codes (message 0x1400 to the library window).
// Every pointer comes from the plug-in and may be null; a null or malformed
// request is answered with 0 and changes nothing.
#include <cstdio>

#include "host/host_impl.h"

namespace coverhall::host {
namespace {

std::string textOrEmpty(const char* text) {
    return text ? text : "";
}

class Stopwatch {
  public:
    Stopwatch() { QueryPerformanceCounter(&start_); }
    double elapsedMs() const {
        LARGE_INTEGER now, frequency;
        QueryPerformanceCounter(&now);
        QueryPerformanceFrequency(&frequency);
        return double(now.QuadPart - start_.QuadPart) * 1000.0 / double(frequency.QuadPart);
    }

  private:
    LARGE_INTEGER start_;
};

// A playlist line as a player shows it: "3. Artist - Title  4:21"; the file's
// own name when the song has no title.
std::string songLine(size_t number, const PlayedSong& song) {
    std::string name = song.title;
    if (name.empty()) {
        const size_t slash = song.filename.find_last_of("\\/");
        name = slash == std::string::npos ? song.filename : song.filename.substr(slash + 1);
    } else if (!song.artist.empty()) {
        name = song.artist + " - " + name;
    }
    std::string line = std::to_string(number) + ". " + name;
    if (song.length > 0) {
        char time[32];
        std::snprintf(time, sizeof time, "  %d:%02d", song.length / 60, song.length % 60);
        line += time;
    }
    return line;
}

}  // namespace

LRESULT StandInHost::Impl::onLibraryRequest(WPARAM argument, LPARAM code) {
    switch (code) {
        case LibraryCode::kAddTreeItem:
            return addTreeItem(reinterpret_cast<TreeItemRecord*>(argument));
        case LibraryCode::kFindTreeItem:
            return findTreeItem(reinterpret_cast<TreeItemRecord*>(argument));
        case LibraryCode::kSelectTreeItem:
            if (!nodeOf(static_cast<int>(argument))) return 0;
            showView(static_cast<int>(argument));
            return 1;
        case LibraryCode::kDragOver:
            return dragOver(reinterpret_cast<DropRecord*>(argument));
        case LibraryCode::kDrop:
            return drop(reinterpret_cast<DropRecord*>(argument));
        case LibraryCode::kPlayItems:
            return play(reinterpret_cast<const PlayRequest*>(argument));
        case LibraryCode::kAddSendTo:
            return addSendTo(reinterpret_cast<const SendToEntry*>(argument));
        case LibraryCode::kSkinList:
            return skinList(reinterpret_cast<HWND>(argument));
        case LibraryCode::kUnskinList:
            return unskinList(static_cast<INT_PTR>(argument));
        case LibraryCode::kGetService:
            return service(argument);
        case LibraryCode::kQueryLibrary:
            return query(reinterpret_cast<LibraryQuery*>(argument));
        case LibraryCode::kFreeQuery:
            return freeQuery();
        default:
            return 0;
    }
}

LRESULT StandInHost::Impl::addTreeItem(TreeItemRecord* record) {
    if (!record) return 0;
    TreeEntryRecord entry;
    entry.id = nextEntryId++;
    entry.parentId = record->parentId;
    entry.title = textOrEmpty(record->title);
    entry.hasChildren = record->hasChildren != 0;

    TVINSERTSTRUCTA insert{};
    // An unknown parent puts the entry at the top level rather than losing it.
    HTREEITEM parent = nodeOf(record->parentId);
    insert.hParent = parent ? parent : TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_CHILDREN;
    insert.item.pszText = const_cast<char*>(entry.title.c_str());
    insert.item.lParam = entry.id;
    insert.item.cChildren = entry.hasChildren ? 1 : 0;
    auto node = reinterpret_cast<HTREEITEM>(
        SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
    if (!node) return 0;
    if (parent) SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(parent));
    nodes[entry.id] = node;
    record->id = entry.id;
    entries.push_back(std::move(entry));
    return record->id;
}

LRESULT StandInHost::Impl::findTreeItem(TreeItemRecord* record) {
    if (!record || !record->title) return 0;
    // This host has no entries of its own (no "Devices"): only what plug-ins
    // added can be found, and the record stays as it came otherwise.
    for (const TreeEntryRecord& entry : entries) {
        if (entry.title == record->title) {
            record->id = entry.id;
            return entry.id;
        }
    }
    return 0;
}

bool StandInHost::Impl::overPlaylist(int x, int y) const {
    if (!playlist || !IsWindowVisible(playlist)) return false;
    RECT rect{};
    GetWindowRect(playlist, &rect);
    POINT point{x, y};
    return PtInRect(&rect, point) != FALSE;
}

LRESULT StandInHost::Impl::dragOver(DropRecord* record) {
    if (!record) return 0;
    record->result = overPlaylist(record->x, record->y) ? 1 : 0;
    dragTests.push_back({{record->x, record->y}, record->flag, record->result});
    if (record->flag == 0) {
        SetCursor(LoadCursor(nullptr, record->result ? IDC_ARROW : IDC_NO));
    }
    return record->result;
}

LRESULT StandInHost::Impl::drop(DropRecord* record) {
    if (!record) return 0;
    DropRecordCopy copy;
    copy.point = {record->x, record->y};
    copy.accepted = overPlaylist(record->x, record->y);
    if (record->kind == 0)
        copy.songs = copyItemList(static_cast<const ItemRecordList*>(record->data));
    if (copy.accepted) {
        addPlaylistLines(copy.songs);
    }
    record->result = copy.accepted ? 1 : 0;
    drops.push_back(std::move(copy));
    return record->result;
}

void StandInHost::Impl::addPlaylistLines(const std::vector<PlayedSong>& songs) {
    // One repaint for the whole list, not one per song.
    if (playlist) SendMessageA(playlist, WM_SETREDRAW, FALSE, 0);
    for (const PlayedSong& song : songs) addPlaylistLine(songLine(playlistLines.size() + 1, song));
    if (playlist) {
        SendMessageA(playlist, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(playlist, nullptr, TRUE);
    }
}

LRESULT StandInHost::Impl::play(const PlayRequest* request) {
    if (!request) return 0;
    const Stopwatch stopwatch;
    PlayRecord copy;
    copy.enqueue = request->enqueue != 0;
    if (request->kind == 0) copy.songs = copyItemList(request->data);
    // Playing replaces the playlist, enqueueing appends to it.
    if (!copy.enqueue) {
        playlistLines.clear();
        if (playlist) SendMessageA(playlist, LB_RESETCONTENT, 0, 0);
    }
    addPlaylistLines(copy.songs);
    copy.hostMs = stopwatch.elapsedMs();
    plays.push_back(std::move(copy));
    return 1;
}

LRESULT StandInHost::Impl::addSendTo(const SendToEntry* entry) {
    if (!entry) return 0;
    SendToRecord copy{textOrEmpty(entry->label), entry->context, entry->userValue};
    sendTo.push_back(copy);
    if (buildingSendTo) menuEntries.push_back(std::move(copy));
    return 1;
}

LRESULT StandInHost::Impl::skinList(HWND list) {
    if (!list || !IsWindow(list)) return 0;
    SkinRecord copy{list, static_cast<int>(skins.size()) + 1, false};
    skins.push_back(copy);
    return copy.handle;
}

LRESULT StandInHost::Impl::unskinList(INT_PTR handle) {
    if (handle <= 0 || handle > static_cast<INT_PTR>(skins.size())) return 0;
    skins[handle - 1].released = true;
    return 1;
}

LRESULT StandInHost::Impl::service(WPARAM selector) {
    services.push_back(static_cast<int>(selector));
    if (options.withheldServices.count(static_cast<int>(selector))) return 0;
    switch (selector) {
        case ServiceSelector::kColorFunction:
            return reinterpret_cast<LRESULT>(static_cast<HostColorFunction>(skinColor));
        case ServiceSelector::kDialogHook:
            return reinterpret_cast<LRESULT>(static_cast<HostDialogHook>(skinDialogHook));
        case ServiceSelector::kBorderPainter:
            return reinterpret_cast<LRESULT>(static_cast<HostBorderPainter>(paintBorders));
        case ServiceSelector::kResizeInit:
            return reinterpret_cast<LRESULT>(static_cast<HostResizeFunction>(initChildResize));
        case ServiceSelector::kResizeApply:
            return reinterpret_cast<LRESULT>(static_cast<HostResizeFunction>(applyChildResize));
        case ServiceSelector::kDialogFont:
            return reinterpret_cast<LRESULT>(skin.font());
        default:
            return 0;
    }
}

LRESULT StandInHost::Impl::query(LibraryQuery* request) {
    if (!request) return 0;
    // The query text is not interpreted: this host answers every song (up to
    // maxResults), which is what the plug-in asks for with "".
    queries.push_back(std::make_unique<ItemListStorage>(songs, request->maxResults));
    request->results = queries.back()->list();
    return 1;
}

LRESULT StandInHost::Impl::freeQuery() {
    if (queries.empty()) return 0;
    queries.pop_back();
    return 1;
}

}  // namespace coverhall::host
