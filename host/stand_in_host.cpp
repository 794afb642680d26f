#include "host/host_impl.h"

#include "host/window_capture.h"

#include <objbase.h>

namespace coverhall::host {
namespace {

std::string defaultIniFolder() {
    char path[MAX_PATH] = "";
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length < MAX_PATH ? length : 0);
    size_t slash = folder.find_last_of("\\/");
    folder = slash == std::string::npos ? std::string(".") : folder.substr(0, slash);
    return folder + "\\host-ini";
}

// Creates every missing folder of the path.
void createFolders(const std::string& path) {
    for (size_t i = 0; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '\\' || path[i] == '/') {
            std::string part = path.substr(0, i);
            if (!part.empty() && part.back() != ':') CreateDirectoryA(part.c_str(), nullptr);
        }
    }
}

INT_PTR asParam(const void* pointer) {
    return reinterpret_cast<INT_PTR>(pointer);
}

}  // namespace

StandInHost::Impl::Impl(HostOptions hostOptions) : options(std::move(hostOptions)) {
    iniFolder = options.iniFolder.empty() ? defaultIniFolder() : options.iniFolder;
    while (iniFolder.size() > 3 && (iniFolder.back() == '\\' || iniFolder.back() == '/')) {
        iniFolder.pop_back();
    }
    iniFile = iniFolder + "\\winamp.ini";
    createFolders(iniFolder + "\\Plugins");

    // The plug-in decodes images with COM objects on this thread, as it
    // would inside the player.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES |
                                                       ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    setActiveSkin(&skin);
    createWindows();
    if (options.withDevicesEntry) {
        TreeItemRecord devices{0, const_cast<char*>("Devices"), 1, 0};
        addTreeItem(&devices);
    }
}

StandInHost::Impl::~Impl() {
    stopUnload();
    library.reset();
    player.reset();
    setActiveSkin(nullptr);
    CoUninitialize();
}

void StandInHost::Impl::stopUnload() {
    destroyView();
    if (record && started && !stopped && record->stop) record->stop();
    stopped = true;
    record = nullptr;
    module.reset();
}

HTREEITEM StandInHost::Impl::nodeOf(int id) const {
    auto found = nodes.find(id);
    return found == nodes.end() ? nullptr : found->second;
}

INT_PTR StandInHost::Impl::callPlugin(int code, INT_PTR param1, INT_PTR param2, INT_PTR param3) {
    if (!record || !record->onMessage || !started || stopped) return 0;
    return record->onMessage(code, param1, param2, param3);
}

void StandInHost::Impl::destroyView() {
    HWND old = view;
    view = nullptr;
    viewEntry = 0;
    if (old && IsWindow(old)) DestroyWindow(old);
}

void StandInHost::Impl::showView(int id) {
    HTREEITEM node = nodeOf(id);
    if (node) {
        selecting = true;
        SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(node));
        selecting = false;
    }
    // Normally the old view goes first; a host may also make the new one
    // before it destroys the old, which a plug-in must survive.
    HWND old = view;
    if (!options.newViewFirst) destroyView();
    auto window =
        reinterpret_cast<HWND>(callPlugin(PluginCode::kCreateView, id, asParam(viewArea), 0));
    if (options.newViewFirst && old && IsWindow(old)) DestroyWindow(old);
    views.push_back({id, window});
    if (!window || !IsWindow(window)) return;
    if (GetParent(window) != viewArea) SetParent(window, viewArea);
    view = window;
    viewEntry = id;
    RECT area{};
    GetClientRect(viewArea, &area);
    SetWindowPos(window, nullptr, 0, 0, area.right, area.bottom,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

std::vector<SendToRecord> StandInHost::Impl::buildSendToMenu() {
    menuEntries.clear();
    sendToPopup.reset(CreatePopupMenu());
    buildingSendTo = true;
    callPlugin(PluginCode::kBuildSendTo, 0, asParam(sendToPopup.get()), 0);
    buildingSendTo = false;
    return menuEntries;
}

int StandInHost::Impl::sendLibraryTo(const SendToRecord& entry) {
    ItemListStorage storage(songs);
    return static_cast<int>(
        callPlugin(PluginCode::kSendTo, 0, asParam(storage.listPointer()), entry.userValue));
}

void StandInHost::Impl::showSendToMenu() {
    std::vector<SendToRecord> offered = buildSendToMenu();
    HMENU popup = sendToPopup.get();
    if (!popup) return;
    if (offered.empty()) AppendMenuA(popup, MF_STRING | MF_GRAYED, 1, "(no Send-to entries)");
    for (size_t i = 0; i < offered.size(); ++i) {
        AppendMenuA(popup, MF_STRING, HostCommand::kFirstSendToEntry + i, offered[i].label.c_str());
    }
    POINT cursor{};
    GetCursorPos(&cursor);
    UINT chosen = TrackPopupMenu(popup, TPM_RETURNCMD | TPM_NONOTIFY, cursor.x, cursor.y, 0,
                                 library.get(), nullptr);
    if (chosen >= HostCommand::kFirstSendToEntry &&
        chosen < HostCommand::kFirstSendToEntry + offered.size()) {
        sendLibraryTo(offered[chosen - HostCommand::kFirstSendToEntry]);
    }
}

StandInHost::StandInHost(HostOptions options) : impl_(std::make_unique<Impl>(std::move(options))) {}

StandInHost::~StandInHost() = default;

void StandInHost::setSongs(std::vector<HostSong> songs) {
    impl_->songs = std::move(songs);
}

bool StandInHost::loadLibraryFile(const std::string& path) {
    return readLibraryFile(path, impl_->songs);
}

const std::vector<HostSong>& StandInHost::songs() const {
    return impl_->songs;
}

bool StandInHost::loadPlugin(const std::string& dllPath) {
    impl_->stopUnload();
    UniqueModule module(LoadLibraryA(dllPath.c_str()));
    if (!module) return false;
    auto entry = reinterpret_cast<GetPluginRecordFunction>(
        reinterpret_cast<void*>(GetProcAddress(module.get(), "winampGetMediaLibraryPlugin")));
    PluginRecord* record = entry ? entry() : nullptr;
    if (!record) return false;
    attachPlugin(record, module.get());
    impl_->module = std::move(module);
    return true;
}

void StandInHost::attachPlugin(PluginRecord* record, HINSTANCE instance) {
    if (impl_->module || impl_->record) impl_->stopUnload();
    impl_->record = record;
    impl_->started = false;
    impl_->stopped = false;
    if (!record) return;
    record->playerWindow = impl_->player.get();
    record->libraryWindow = impl_->library.get();
    record->instance = instance;
}

PluginRecord* StandInHost::plugin() const {
    return impl_->record;
}

int StandInHost::startPlugin() {
    PluginRecord* record = impl_->record;
    if (!record || impl_->started) return 0;
    impl_->started = true;
    return record->start ? record->start() : 0;
}

void StandInHost::stopPlugin() {
    impl_->stopUnload();
}

INT_PTR StandInHost::sendToPlugin(int code, INT_PTR param1, INT_PTR param2, INT_PTR param3) {
    return impl_->callPlugin(code, param1, param2, param3);
}

const std::vector<TreeEntryRecord>& StandInHost::treeEntries() const {
    return impl_->entries;
}

std::optional<int> StandInHost::findEntry(const std::string& title) const {
    for (const TreeEntryRecord& entry : impl_->entries) {
        if (entry.title == title) return entry.id;
    }
    return std::nullopt;
}

std::vector<std::string> StandInHost::childTitles(int parentId) const {
    std::vector<std::string> titles;
    HWND tree = impl_->tree;
    HTREEITEM parent = parentId ? impl_->nodeOf(parentId) : nullptr;
    if (parentId && !parent) return titles;
    auto node = reinterpret_cast<HTREEITEM>(SendMessageA(
        tree, TVM_GETNEXTITEM, parent ? TVGN_CHILD : TVGN_ROOT, reinterpret_cast<LPARAM>(parent)));
    while (node) {
        char text[512] = "";
        TVITEMA item{};
        item.mask = TVIF_TEXT;
        item.hItem = node;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        titles.push_back(text);
        node = reinterpret_cast<HTREEITEM>(
            SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(node)));
    }
    return titles;
}

bool StandInHost::selectEntry(int id) {
    if (!impl_->nodeOf(id)) return false;
    impl_->showView(id);
    return true;
}

bool StandInHost::selectEntry(const std::string& title) {
    std::optional<int> id = findEntry(title);
    return id && selectEntry(*id);
}

int StandInHost::rightClickEntry(int id) {
    return static_cast<int>(
        impl_->callPlugin(PluginCode::kTreeClick, id, 0, asParam(impl_->library.get())));
}

HWND StandInHost::viewWindow() const {
    return IsWindow(impl_->view) ? impl_->view : nullptr;
}

HWND StandInHost::control(int id) const {
    HWND view = viewWindow();
    return view ? GetDlgItem(view, id) : nullptr;
}

const std::vector<ViewRecord>& StandInHost::viewRequests() const {
    return impl_->views;
}

void StandInHost::pump(int milliseconds) {
    const DWORD start = GetTickCount();
    const DWORD limit = milliseconds > 0 ? static_cast<DWORD>(milliseconds) : 0;
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                // Leave the quit for the program's own loop.
                PostQuitMessage(static_cast<int>(message.wParam));
                return;
            }
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= limit) return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, limit - elapsed, QS_ALLINPUT);
    }
}

std::vector<SendToRecord> StandInHost::buildSendToMenu() {
    return impl_->buildSendToMenu();
}

int StandInHost::sendLibraryTo(const SendToRecord& entry) {
    return impl_->sendLibraryTo(entry);
}

void StandInHost::changeSkin() {
    if (HWND shown = viewWindow())
        SendMessageA(shown, WM_DISPLAYCHANGE, 32, MAKELPARAM(1280, 1024));
}

bool StandInHost::hostFontAlive() const {
    return GetObjectType(impl_->skin.font()) == OBJ_FONT;
}

int StandInHost::configurePlugin() {
    return static_cast<int>(
        impl_->callPlugin(PluginCode::kConfigure, asParam(impl_->library.get()), 0, 0));
}

bool StandInHost::capture(const std::string& bmpPath) const {
    return captureWindow(impl_->library.get(), bmpPath);
}

const std::vector<PlayRecord>& StandInHost::playRequests() const {
    return impl_->plays;
}
const std::vector<DragTestRecord>& StandInHost::dragTests() const {
    return impl_->dragTests;
}
const std::vector<DropRecordCopy>& StandInHost::drops() const {
    return impl_->drops;
}
const std::vector<SendToRecord>& StandInHost::sendToEntries() const {
    return impl_->sendTo;
}
const std::vector<SkinRecord>& StandInHost::skinnedLists() const {
    return impl_->skins;
}
const std::vector<int>& StandInHost::playerRequests() const {
    return impl_->playerCodes;
}
const std::vector<int>& StandInHost::serviceRequests() const {
    return impl_->services;
}
std::vector<std::string> StandInHost::playlistTexts() const {
    return impl_->playlistLines;
}
int StandInHost::openQueries() const {
    return static_cast<int>(impl_->queries.size());
}

HWND StandInHost::playerWindow() const {
    return impl_->player.get();
}
HWND StandInHost::libraryWindow() const {
    return impl_->library.get();
}
HWND StandInHost::treeControl() const {
    return impl_->tree;
}
HWND StandInHost::viewArea() const {
    return impl_->viewArea;
}
HWND StandInHost::playlistPane() const {
    return impl_->playlist;
}
std::string StandInHost::iniFilePath() const {
    return impl_->iniFile;
}
std::string StandInHost::iniFolder() const {
    return impl_->iniFolder;
}

LRESULT StandInHost::libraryRequest(WPARAM argument, LPARAM code) const {
    return SendMessageA(impl_->library.get(), kLibraryMessage, argument, code);
}

LRESULT StandInHost::playerRequest(LPARAM code) const {
    return SendMessageA(impl_->player.get(), kPlayerMessage, 0, code);
}

int listItemCount(HWND list) {
    return list ? static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)) : 0;
}

std::string listItemText(HWND list, int item, int subItem) {
    if (!list) return {};
    char text[1024] = "";
    LVITEMA request{};
    request.iSubItem = subItem;
    request.pszText = text;
    request.cchTextMax = sizeof text;
    SendMessageA(list, LVM_GETITEMTEXTA, item, reinterpret_cast<LPARAM>(&request));
    // An owner-data list may point pszText at the plug-in's own buffer.
    const char* answer = request.pszText ? request.pszText : text;
    return answer;
}

std::string windowText(HWND window) {
    int length = window ? GetWindowTextLengthA(window) : 0;
    if (length <= 0) return {};
    std::string text(length + 1, '\0');
    text.resize(GetWindowTextA(window, text.data(), length + 1));
    return text;
}

void clickButton(HWND button) {
    if (button) SendMessageA(button, BM_CLICK, 0, 0);
}

void pressKey(HWND window, UINT virtualKey) {
    if (!window) return;
    SendMessageA(window, WM_KEYDOWN, virtualKey, 1);
    SendMessageA(window, WM_KEYUP, virtualKey, 0xC0000001);
}

void holdKey(UINT virtualKey, bool down) {
    BYTE state[256] = {};
    GetKeyboardState(state);
    state[virtualKey & 0xFF] = down ? 0x80 : 0;
    SetKeyboardState(state);
}

LRESULT sendNotify(HWND control, int code, NMHDR* extra) {
    if (!control) return 0;
    NMHDR plain{};
    NMHDR* header = extra ? extra : &plain;
    header->hwndFrom = control;
    header->idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(control));
    header->code = static_cast<UINT>(code);
    return SendMessageA(GetParent(control), WM_NOTIFY, header->idFrom,
                        reinterpret_cast<LPARAM>(header));
}

}  // namespace coverhall::host
