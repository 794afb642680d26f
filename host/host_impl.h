// Inside of StandInHost, shared by its windows (host_windows.cpp), its
// answers to the plug-in (library_requests.cpp) and its public face
// (stand_in_host.cpp).
#pragma once

#include "host/host_skin.h"
#include "host/item_list_storage.h"
#include "host/stand_in_host.h"
#include "win/win_handles.h"

#include <commctrl.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace coverhall::host {

// Window classes of the host.
inline constexpr const char* kPlayerClass = "CoverhallPlayer";
inline constexpr const char* kLibraryClass = "CoverhallLibrary";
inline constexpr const char* kViewAreaClass = "CoverhallViewArea";

// Menu commands of the library window.
namespace HostCommand {
constexpr UINT kSendLibrary = 100;
constexpr UINT kConfigure = 101;
constexpr UINT kCapture = 102;
constexpr UINT kExit = 103;
constexpr UINT kFirstSendToEntry = 1000;  // + index of the Send-to entry
}  // namespace HostCommand

class StandInHost::Impl {
  public:
    explicit Impl(HostOptions options);
    ~Impl();

    // Windows (host_windows.cpp).
    void createWindows();
    void layout();
    LRESULT libraryProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT playerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void onTreeNotify(const NMHDR& header);
    void onMenuCommand(UINT command);
    void showSendToMenu();
    void addPlaylistLine(const std::string& text);
    void addPlaylistLines(const std::vector<PlayedSong>& songs);

    // Requests of the plug-in (library_requests.cpp).
    LRESULT onLibraryRequest(WPARAM argument, LPARAM code);
    LRESULT addTreeItem(TreeItemRecord* record);
    LRESULT findTreeItem(TreeItemRecord* record);
    LRESULT dragOver(DropRecord* record);
    LRESULT drop(DropRecord* record);
    LRESULT play(const PlayRequest* request);
    LRESULT addSendTo(const SendToEntry* entry);
    LRESULT skinList(HWND list);
    LRESULT unskinList(INT_PTR handle);
    LRESULT service(WPARAM selector);
    LRESULT query(LibraryQuery* query);
    LRESULT freeQuery();
    bool overPlaylist(int x, int y) const;

    // Tree and views (stand_in_host.cpp).
    HTREEITEM nodeOf(int id) const;
    void showView(int id);
    void destroyView();
    INT_PTR callPlugin(int code, INT_PTR param1, INT_PTR param2, INT_PTR param3);
    // Destroys the view, calls stop once and unloads a loaded DLL.
    void stopUnload();
    std::vector<SendToRecord> buildSendToMenu();
    int sendLibraryTo(const SendToRecord& entry);

    HostOptions options;
    std::string iniFile;
    std::string iniFolder;
    std::vector<HostSong> songs;

    HostSkin skin;
    UniqueWindow player;
    UniqueWindow library;
    HWND tree = nullptr;
    HWND viewArea = nullptr;
    HWND playlist = nullptr;
    HWND playlistLabel = nullptr;
    HWND statusBar = nullptr;
    UniqueMenu menu;
    HWND view = nullptr;
    int viewEntry = 0;

    UniqueModule module;
    PluginRecord* record = nullptr;
    bool started = false;
    bool stopped = false;
    // Set while the host itself selects a node, so that the selection
    // notification does not ask for the view a second time.
    bool selecting = false;

    int nextEntryId = 1001;
    std::vector<TreeEntryRecord> entries;
    std::map<int, HTREEITEM> nodes;
    std::vector<ViewRecord> views;
    std::vector<PlayRecord> plays;
    std::vector<DragTestRecord> dragTests;
    std::vector<DropRecordCopy> drops;
    std::vector<SendToRecord> sendTo;
    std::vector<SkinRecord> skins;
    std::vector<int> playerCodes;
    std::vector<int> services;
    std::vector<std::unique_ptr<ItemListStorage>> queries;
    std::vector<std::string> playlistLines;
    // Send-to entries offered by the last menu build, and its menu (the
    // context value handed to the plug-in).
    std::vector<SendToRecord> menuEntries;
    UniqueMenu sendToPopup;
    bool buildingSendTo = false;
};

}  // namespace coverhall::host
