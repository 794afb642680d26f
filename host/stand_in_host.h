// The stand-in Media Library host: a player window, a library window with
// the tree "Tree1", a view area and a playlist pane, and the host side of
// every library and player code. Integration tests drive a plug-in through
// this class; coverhall-host.exe is a thin program around it.
//
// One StandInHost may exist per process at a time: the services handed to the
// plug-in are plain function pointers without a context argument.
// Everything runs on the thread that created the host.
#pragma once

#include "host/host_songs.h"
#include "win/host_interface.h"

#include <windows.h>

#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace coverhall::host {

struct HostOptions {
    // Folder answered by player code 335; "<folder>\winamp.ini" is answered by
    // 334. The folder and its "Plugins\" subfolder are created.
    std::string iniFolder;
    // Let the player codes answer null, as a broken host might.
    bool iniFileAnswersNull = false;
    bool iniFolderAnswersNull = false;
    // Services (0x600 selectors) answered with 0, to test a host without them.
    std::set<int> withheldServices;
    // Show the library window (tests may keep it hidden; captures need it shown).
    bool showWindow = true;
    // The host's own "Devices" entry, under which plug-ins put their roots.
    bool withDevicesEntry = false;
    // Ask for the new view before the old one is destroyed.
    bool newViewFirst = false;
    int width = 1180;
    int height = 760;
};

// What the host recorded of the plug-in's requests.
struct TreeEntryRecord {
    int id = 0;
    int parentId = 0;
    std::string title;  // a null title is recorded as ""
    bool hasChildren = false;
};

struct PlayRecord {
    bool enqueue = false;
    std::vector<PlayedSong> songs;
    // Time the host spent copying and listing the songs, so that a benchmark
    // can tell the plug-in's share of a send from the host's.
    double hostMs = 0;
};

struct DragTestRecord {
    POINT point{};
    int flag = 0;
    int result = 0;  // what the host answered
};

struct DropRecordCopy {
    POINT point{};
    bool accepted = false;  // over the playlist pane
    std::vector<PlayedSong> songs;
};

struct SendToRecord {
    std::string label;
    INT_PTR context = 0;
    intptr_t userValue = 0;
};

struct SkinRecord {
    HWND list = nullptr;
    INT_PTR handle = 0;
    bool released = false;
};

struct ViewRecord {
    int entryId = 0;
    HWND window = nullptr;  // what the plug-in returned for code 0x100
};

class StandInHost {
  public:
    explicit StandInHost(HostOptions options);
    // Stops and unloads a loaded plug-in, then destroys the windows.
    ~StandInHost();
    StandInHost(const StandInHost&) = delete;
    StandInHost& operator=(const StandInHost&) = delete;

    // The host's database. Replace it before the plug-in starts (it reads the
    // library once, at start) or any time for later queries.
    void setSongs(std::vector<HostSong> songs);
    bool loadLibraryFile(const std::string& path);
    const std::vector<HostSong>& songs() const;

    // Loads the DLL by path and fills playerWindow, libraryWindow and
    // instance of its record; false when the file or the export is missing.
    bool loadPlugin(const std::string& dllPath);
    // Uses a record of the caller's (a fake plug-in inside a test program).
    void attachPlugin(PluginRecord* record, HINSTANCE instance);
    PluginRecord* plugin() const;
    int startPlugin();
    // Calls stop (once) and FreeLibrary for a loaded DLL. The current view is
    // destroyed first, as the real host closes its views before stopping.
    void stopPlugin();
    // Calls onMessage, or returns 0 without a plug-in.
    INT_PTR sendToPlugin(int code, INT_PTR param1, INT_PTR param2, INT_PTR param3);

    // Tree entries in the order they were added.
    const std::vector<TreeEntryRecord>& treeEntries() const;
    std::optional<int> findEntry(const std::string& title) const;
    // Children of an entry in the tree control's current order (the plug-in
    // may sort them), as titles read back from the control.
    std::vector<std::string> childTitles(int parentId) const;
    // Selects the entry and shows the plug-in's view for it, as a click does.
    bool selectEntry(int id);
    bool selectEntry(const std::string& title);
    // Plug-in code 0x101 with click kind 0 and the library window as owner;
    // returns the plug-in's answer. The context menu it opens is modal: drive
    // it with a ModalDriver.
    int rightClickEntry(int id);

    // The plug-in's current view (null when none) and its controls.
    HWND viewWindow() const;
    HWND control(int id) const;
    const std::vector<ViewRecord>& viewRequests() const;

    // Runs the message loop for the given time (at least one pass).
    void pump(int milliseconds);

    // Host commands of the program's menu.
    // Builds the Send-to menu: plug-in code 0x300 with source kind 0; returns
    // the entries the plug-in added during that call.
    std::vector<SendToRecord> buildSendToMenu();
    // Sends every song of the library through an entry (0x301); returns the
    // plug-in's answer.
    int sendLibraryTo(const SendToRecord& entry);
    // Plug-in code 0x400 owned by the library window (modal in the plug-in).
    int configurePlugin();

    // A skin change as the host announces it to the view (WM_DISPLAYCHANGE).
    void changeSkin();
    // Whether the dialog font handed out (service 66) still exists.
    bool hostFontAlive() const;

    // Captures the library window into a 24-bit BMP file.
    bool capture(const std::string& bmpPath) const;

    // What the plug-in asked for and handed over.
    const std::vector<PlayRecord>& playRequests() const;
    const std::vector<DragTestRecord>& dragTests() const;
    const std::vector<DropRecordCopy>& drops() const;
    const std::vector<SendToRecord>& sendToEntries() const;
    const std::vector<SkinRecord>& skinnedLists() const;
    // Player codes asked for (334, 335), in order.
    const std::vector<int>& playerRequests() const;
    // 0x600 selectors asked for, in order.
    const std::vector<int>& serviceRequests() const;
    // Songs shown in the playlist pane (plays replace it, enqueues append).
    std::vector<std::string> playlistTexts() const;
    // Queries (0x700) not yet released with 0x705.
    int openQueries() const;

    HWND playerWindow() const;
    HWND libraryWindow() const;
    HWND treeControl() const;
    HWND viewArea() const;
    HWND playlistPane() const;
    std::string iniFilePath() const;
    std::string iniFolder() const;

    // The requests as the plug-in sends them (message 0x1400 / 0x400).
    LRESULT libraryRequest(WPARAM argument, LPARAM code) const;
    LRESULT playerRequest(LPARAM code) const;

    class Impl;

  private:
    std::unique_ptr<Impl> impl_;
};

// Helpers for tests and the program, on any window of this process.
// Item count and text of a list view (owner-data lists answer through their
// parent's LVN_GETDISPINFO).
int listItemCount(HWND list);
std::string listItemText(HWND list, int item, int subItem = 0);
std::string windowText(HWND window);
// A button click as the dialog sees it (BM_CLICK).
void clickButton(HWND button);
// A key press sent to a control (WM_KEYDOWN and WM_KEYUP).
void pressKey(HWND window, UINT virtualKey);
// Makes GetKeyState report a key (e.g. VK_SHIFT) held or released on this
// thread, for code that reads the key state.
void holdKey(UINT virtualKey, bool down);
// Sends a WM_NOTIFY from a control to its parent with the given header code;
// extra is the full notification record (its NMHDR is filled in) or null.
LRESULT sendNotify(HWND control, int code, NMHDR* extra = nullptr);

}  // namespace coverhall::host
