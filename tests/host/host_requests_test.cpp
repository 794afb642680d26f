// The host's answers to every library and player code, driven by a fake
// plug-in inside this program so that each request can be checked alone.
#include "host/host_skin.h"
#include "host/stand_in_host.h"
#include "tests/host/test_paths.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>

namespace coverhall::host {
namespace {

// What the fake plug-in saw from the host.
struct FakeState {
    std::vector<int> createdFor;               // entry ids of 0x100
    std::vector<HWND> parents;                 // parent windows of 0x100
    std::vector<std::vector<INT_PTR>> clicks;  // 0x101: id, kind, owner
    int destroyedViews = 0;
    INT_PTR configureOwner = 0;
    INT_PTR buildContext = -1;
    const ItemRecordList* sentList = nullptr;
    int sentSize = -1;
    std::string sentFirstFile;
    INT_PTR sendToUser = 0;
};
FakeState g_fake;
HWND g_libraryWindow = nullptr;

LRESULT CALLBACK fakeViewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) ++g_fake.destroyedViews;
    return DefWindowProcA(window, message, wParam, lParam);
}

int __cdecl fakeStart() {
    TreeItemRecord devices{0, const_cast<char*>("Devices"), 0, 0};
    SendMessageA(g_libraryWindow, kLibraryMessage, reinterpret_cast<WPARAM>(&devices),
                 LibraryCode::kFindTreeItem);
    TreeItemRecord root{devices.id, const_cast<char*>("Fake"), 1, 0};
    SendMessageA(g_libraryWindow, kLibraryMessage, reinterpret_cast<WPARAM>(&root),
                 LibraryCode::kAddTreeItem);
    for (const char* title : {"Zeta", "Alpha", static_cast<const char*>(nullptr)}) {
        TreeItemRecord child{root.id, const_cast<char*>(title), 0, 0};
        SendMessageA(g_libraryWindow, kLibraryMessage, reinterpret_cast<WPARAM>(&child),
                     LibraryCode::kAddTreeItem);
    }
    return 0;
}

void __cdecl fakeStop() {}

INT_PTR __cdecl fakeMessage(int code, INT_PTR param1, INT_PTR param2, INT_PTR param3) {
    switch (code) {
        case PluginCode::kCreateView: {
            g_fake.createdFor.push_back(static_cast<int>(param1));
            auto parent = reinterpret_cast<HWND>(param2);
            g_fake.parents.push_back(parent);
            HWND view = CreateWindowExA(0, "CoverhallFakeView", "", WS_CHILD, 0, 0, 10, 10, parent,
                                        nullptr, GetModuleHandleA(nullptr), nullptr);
            return reinterpret_cast<INT_PTR>(view);
        }
        case PluginCode::kTreeClick:
            g_fake.clicks.push_back({param1, param2, param3});
            return 1;
        case PluginCode::kBuildSendTo: {
            g_fake.buildContext = param2;
            if (param1 != 0) return 0;
            SendToEntry entry{const_cast<char*>("ItemCacheEx"), param2,
                              reinterpret_cast<intptr_t>(&fakeMessage)};
            SendMessageA(g_libraryWindow, kLibraryMessage, reinterpret_cast<WPARAM>(&entry),
                         LibraryCode::kAddSendTo);
            return 0;
        }
        case PluginCode::kSendTo: {
            g_fake.sendToUser = param3;
            auto* list = reinterpret_cast<const ItemRecordList*>(param2);
            g_fake.sentSize = list ? list->size : -1;
            if (list && list->size > 0 && list->items[0].filename) {
                g_fake.sentFirstFile = list->items[0].filename;
            }
            return 1;
        }
        case PluginCode::kConfigure:
            g_fake.configureOwner = param1;
            return 1;
        default:
            return 0;
    }
}

PluginRecord g_fakeRecord = {kPluginInterfaceVersion,
                             const_cast<char*>("fake"),
                             fakeStart,
                             fakeStop,
                             fakeMessage,
                             nullptr,
                             nullptr,
                             nullptr};

HostSong song(const char* file, const char* title, const char* rating) {
    HostSong s;
    s.filename = file;
    s.title = title;
    s.album = "Album";
    s.artist = "Artist";
    s.genre = "Rock";
    s.year = 2001;
    s.track = 3;
    s.length = 180;
    if (rating) s.extendedInfo.emplace_back("RATING", rating);
    return s;
}

class HostRequests : public ::testing::Test {
  protected:
    void SetUp() override {
        g_fake = FakeState{};
        WNDCLASSA viewClass{};
        viewClass.lpfnWndProc = fakeViewProc;
        viewClass.hInstance = GetModuleHandleA(nullptr);
        viewClass.lpszClassName = "CoverhallFakeView";
        RegisterClassA(&viewClass);
        HostOptions options;
        options.iniFolder = test::outputFolder("requests");
        host_ = std::make_unique<StandInHost>(options);
        g_libraryWindow = host_->libraryWindow();
    }
    void TearDown() override { host_.reset(); }

    void startFake() {
        host_->attachPlugin(&g_fakeRecord, GetModuleHandleA(nullptr));
        host_->startPlugin();
    }

    std::unique_ptr<StandInHost> host_;
};

TEST_F(HostRequests, AttachFillsTheRecordsWindowsAndInstance) {
    startFake();
    EXPECT_EQ(g_fakeRecord.playerWindow, host_->playerWindow());
    EXPECT_EQ(g_fakeRecord.libraryWindow, host_->libraryWindow());
    EXPECT_EQ(g_fakeRecord.instance, GetModuleHandleA(nullptr));
    EXPECT_NE(host_->playerWindow(), host_->libraryWindow());
}

TEST_F(HostRequests, TreeEntriesKeepParentsTitlesIdsAndOrder) {
    startFake();
    // The tree is found the way the plug-in looks for it.
    HWND tree = FindWindowExA(host_->libraryWindow(), nullptr, "SysTreeView32", "Tree1");
    ASSERT_EQ(tree, host_->treeControl());

    const auto& entries = host_->treeEntries();
    ASSERT_EQ(entries.size(), 4u);  // no "Devices" in this host
    EXPECT_EQ(entries[0].title, "Fake");
    EXPECT_EQ(entries[0].parentId, 0);
    EXPECT_TRUE(entries[0].hasChildren);
    EXPECT_EQ(entries[1].title, "Zeta");
    EXPECT_EQ(entries[2].title, "Alpha");
    EXPECT_EQ(entries[3].title, "");  // a null title is kept as empty
    for (size_t i = 1; i < entries.size(); ++i) {
        EXPECT_EQ(entries[i].parentId, entries[0].id);
        EXPECT_FALSE(entries[i].hasChildren);
        EXPECT_NE(entries[i].id, entries[i - 1].id);
    }
    EXPECT_EQ(host_->childTitles(0), (std::vector<std::string>{"Fake"}));
    EXPECT_EQ(host_->childTitles(entries[0].id), (std::vector<std::string>{"Zeta", "Alpha", ""}));

    // Each node carries its entry id as item parameter.
    auto node = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    TVITEMA item{};
    item.mask = TVIF_PARAM;
    item.hItem = node;
    ASSERT_TRUE(SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    EXPECT_EQ(item.lParam, entries[0].id);
}

TEST_F(HostRequests, FindLeavesTheIdForUnknownTitlesAndFindsAddedOnes) {
    startFake();
    TreeItemRecord devices{0, const_cast<char*>("Devices"), 0, 0};
    host_->libraryRequest(reinterpret_cast<WPARAM>(&devices), LibraryCode::kFindTreeItem);
    EXPECT_EQ(devices.id, 0);
    TreeItemRecord alpha{0, const_cast<char*>("Alpha"), 0, 0};
    host_->libraryRequest(reinterpret_cast<WPARAM>(&alpha), LibraryCode::kFindTreeItem);
    EXPECT_EQ(alpha.id, *host_->findEntry("Alpha"));
}

TEST_F(HostRequests, SelectingAsksForTheViewAndReplacesThePreviousOne) {
    startFake();
    int zeta = *host_->findEntry("Zeta");
    int alpha = *host_->findEntry("Alpha");
    EXPECT_EQ(host_->libraryRequest(zeta, LibraryCode::kSelectTreeItem), 1);
    ASSERT_EQ(g_fake.createdFor, (std::vector<int>{zeta}));
    EXPECT_EQ(g_fake.parents[0], host_->viewArea());
    HWND first = host_->viewWindow();
    ASSERT_TRUE(first);
    EXPECT_TRUE(IsWindowVisible(first));
    RECT area{}, view{};
    GetClientRect(host_->viewArea(), &area);
    GetClientRect(first, &view);
    EXPECT_EQ(view.right, area.right);
    EXPECT_EQ(view.bottom, area.bottom);

    // A mouse selection (the tree's own selection change) does the same.
    HWND tree = host_->treeControl();
    auto root = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    auto child = reinterpret_cast<HTREEITEM>(
        SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(root)));
    child = reinterpret_cast<HTREEITEM>(
        SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(child)));
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(child));
    EXPECT_EQ(g_fake.createdFor, (std::vector<int>{zeta, alpha}));
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(g_fake.destroyedViews, 1);
    EXPECT_EQ(host_->viewRequests().size(), 2u);

    // Unknown ids select nothing and keep the view.
    HWND second = host_->viewWindow();
    EXPECT_EQ(host_->libraryRequest(999999, LibraryCode::kSelectTreeItem), 0);
    EXPECT_EQ(host_->viewWindow(), second);

    // Stopping closes the view before the plug-in stops.
    host_->stopPlugin();
    EXPECT_FALSE(IsWindow(second));
}

TEST_F(HostRequests, RightClickSendsKindZeroAndTheOwner) {
    startFake();
    int fake = *host_->findEntry("Fake");
    EXPECT_EQ(host_->rightClickEntry(fake), 1);
    ASSERT_EQ(g_fake.clicks.size(), 1u);
    EXPECT_EQ(g_fake.clicks[0][0], fake);
    EXPECT_EQ(g_fake.clicks[0][1], 0);
    EXPECT_EQ(reinterpret_cast<HWND>(static_cast<intptr_t>(g_fake.clicks[0][2])),
              host_->libraryWindow());
}

TEST_F(HostRequests, IniCodesAnswerTheFileAndTheFolderWithPluginsInside) {
    std::string folder = host_->iniFolder();
    auto file = reinterpret_cast<const char*>(host_->playerRequest(PlayerCode::kIniFilePath));
    auto dir = reinterpret_cast<const char*>(host_->playerRequest(PlayerCode::kIniFolder));
    ASSERT_TRUE(file && dir);
    EXPECT_EQ(std::string(file), folder + "\\winamp.ini");
    EXPECT_EQ(std::string(dir), folder);
    DWORD attributes = GetFileAttributesA((folder + "\\Plugins").c_str());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(host_->playerRequest(12345), 0);
    EXPECT_EQ(host_->playerRequests(), (std::vector<int>{334, 335}));
    // The answered path works with the profile functions the plug-in uses.
    EXPECT_TRUE(WritePrivateProfileStringA("ml_Coverhall", "probe", "1", file));
    EXPECT_EQ(GetPrivateProfileIntA("ml_Coverhall", "probe", 0, file), 1);
}

TEST(HostIni, NullAnswersOnRequestAndATrailingSlashIsDropped) {
    HostOptions options;
    const std::string folder = test::outputFolder("nullini");
    options.iniFolder = folder + "\\";
    options.iniFileAnswersNull = true;
    options.iniFolderAnswersNull = true;
    StandInHost host(options);
    EXPECT_EQ(host.playerRequest(PlayerCode::kIniFilePath), 0);
    EXPECT_EQ(host.playerRequest(PlayerCode::kIniFolder), 0);
    EXPECT_EQ(host.iniFolder(), folder);
}

TEST_F(HostRequests, QueryGivesEverySongWithNullTextsAndRatingUntilReleased) {
    HostSong bare;  // every text absent
    host_->setSongs({song("C:\\a\\1.mp3", "One", "3"), bare, song("C:\\a\\2.mp3", "Two", nullptr)});
    LibraryQuery query{const_cast<char*>(""), 0, {nullptr, 0, 0}};
    ASSERT_EQ(host_->libraryRequest(reinterpret_cast<WPARAM>(&query), LibraryCode::kQueryLibrary),
              1);
    ASSERT_EQ(query.results.size, 3);
    ASSERT_GE(query.results.capacity, query.results.size);
    const ItemRecord* items = query.results.items;
    EXPECT_STREQ(items[0].filename, "C:\\a\\1.mp3");
    EXPECT_STREQ(items[0].title, "One");
    EXPECT_STREQ(items[0].genre, "Rock");
    EXPECT_EQ(items[0].year, 2001);
    EXPECT_EQ(items[0].track, 3);
    EXPECT_EQ(items[0].length, 180);
    ASSERT_TRUE(items[0].extendedInfo);
    const char* entry = items[0].extendedInfo[0];
    EXPECT_STREQ(entry, "RATING");
    EXPECT_STREQ(entry + std::strlen(entry) + 1, "3");
    EXPECT_EQ(items[0].extendedInfo[1], nullptr);
    for (const char* text : {items[1].filename, items[1].title, items[1].album, items[1].artist,
                             items[1].comment, items[1].genre}) {
        EXPECT_EQ(text, nullptr);
    }
    EXPECT_EQ(items[1].extendedInfo, nullptr);
    EXPECT_EQ(items[2].extendedInfo, nullptr);
    EXPECT_EQ(host_->openQueries(), 1);

    // A limited query, then both released.
    LibraryQuery limited{const_cast<char*>(""), 2, {nullptr, 0, 0}};
    host_->libraryRequest(reinterpret_cast<WPARAM>(&limited), LibraryCode::kQueryLibrary);
    EXPECT_EQ(limited.results.size, 2);
    EXPECT_STREQ(query.results.items[2].title, "Two");  // the first results are still valid
    EXPECT_EQ(host_->libraryRequest(0, LibraryCode::kFreeQuery), 1);
    EXPECT_EQ(host_->libraryRequest(0, LibraryCode::kFreeQuery), 1);
    EXPECT_EQ(host_->openQueries(), 0);
    EXPECT_EQ(host_->libraryRequest(0, LibraryCode::kFreeQuery), 0);
}

TEST_F(HostRequests, DropsAreTakenOnlyOverThePlaylistPane) {
    RECT pane{};
    GetWindowRect(host_->playlistPane(), &pane);
    RECT tree{};
    GetWindowRect(host_->treeControl(), &tree);
    DropRecord over{0, nullptr, 0, (pane.left + pane.right) / 2, (pane.top + pane.bottom) / 2,
                    0, 0};
    DropRecord away{0, nullptr, 0, tree.left + 5, tree.top + 5, 0, 0};
    host_->libraryRequest(reinterpret_cast<WPARAM>(&over), LibraryCode::kDragOver);
    host_->libraryRequest(reinterpret_cast<WPARAM>(&away), LibraryCode::kDragOver);
    EXPECT_EQ(over.result, 1);
    EXPECT_EQ(away.result, 0);
    ASSERT_EQ(host_->dragTests().size(), 2u);
    EXPECT_EQ(host_->dragTests()[0].result, 1);

    HostSong nullTitle = song("C:\\b\\1.mp3", "x", nullptr);
    nullTitle.title = std::nullopt;
    host_->setSongs({song("C:\\b\\0.mp3", "Dropped", nullptr), nullTitle});
    LibraryQuery query{const_cast<char*>(""), 0, {nullptr, 0, 0}};
    host_->libraryRequest(reinterpret_cast<WPARAM>(&query), LibraryCode::kQueryLibrary);
    over.flag = 1;
    over.data = &query.results;
    EXPECT_EQ(host_->libraryRequest(reinterpret_cast<WPARAM>(&over), LibraryCode::kDrop), 1);
    away.data = &query.results;
    EXPECT_EQ(host_->libraryRequest(reinterpret_cast<WPARAM>(&away), LibraryCode::kDrop), 0);
    ASSERT_EQ(host_->drops().size(), 2u);
    EXPECT_TRUE(host_->drops()[0].accepted);
    ASSERT_EQ(host_->drops()[0].songs.size(), 2u);
    EXPECT_EQ(host_->drops()[0].songs[1].title, "");
    EXPECT_FALSE(host_->drops()[1].accepted);
    EXPECT_EQ(host_->playlistTexts().size(), 2u);  // only the accepted drop
    host_->libraryRequest(0, LibraryCode::kFreeQuery);
}

TEST_F(HostRequests, PlayReplacesAndEnqueueAppendsToThePlaylist) {
    host_->setSongs(
        {song("C:\\c\\1.mp3", "First", nullptr), song("C:\\c\\2.mp3", "Second", nullptr)});
    LibraryQuery query{const_cast<char*>(""), 0, {nullptr, 0, 0}};
    host_->libraryRequest(reinterpret_cast<WPARAM>(&query), LibraryCode::kQueryLibrary);
    PlayRequest enqueue{0, &query.results, 1};
    PlayRequest play{0, &query.results, 0};
    host_->libraryRequest(reinterpret_cast<WPARAM>(&enqueue), LibraryCode::kPlayItems);
    host_->libraryRequest(reinterpret_cast<WPARAM>(&enqueue), LibraryCode::kPlayItems);
    EXPECT_EQ(host_->playlistTexts().size(), 4u);
    host_->libraryRequest(reinterpret_cast<WPARAM>(&play), LibraryCode::kPlayItems);
    EXPECT_EQ(host_->playlistTexts().size(), 2u);
    EXPECT_EQ(SendMessageA(host_->playlistPane(), LB_GETCOUNT, 0, 0), 2);
    ASSERT_EQ(host_->playRequests().size(), 3u);
    EXPECT_TRUE(host_->playRequests()[0].enqueue);
    EXPECT_FALSE(host_->playRequests()[2].enqueue);
    EXPECT_EQ(host_->playRequests()[2].songs[1].filename, "C:\\c\\2.mp3");
    host_->libraryRequest(0, LibraryCode::kFreeQuery);
}

TEST_F(HostRequests, SendToMenuCollectsEntriesAndSendsTheLibrary) {
    startFake();
    host_->setSongs({song("C:\\d\\1.mp3", "One", nullptr), song("C:\\d\\2.mp3", "Two", nullptr)});
    std::vector<SendToRecord> entries = host_->buildSendToMenu();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].label, "ItemCacheEx");
    EXPECT_EQ(entries[0].context, g_fake.buildContext);
    EXPECT_NE(g_fake.buildContext, 0);
    EXPECT_EQ(entries[0].userValue, reinterpret_cast<intptr_t>(&fakeMessage));
    EXPECT_EQ(host_->sendLibraryTo(entries[0]), 1);
    EXPECT_EQ(g_fake.sentSize, 2);
    EXPECT_EQ(g_fake.sentFirstFile, "C:\\d\\1.mp3");
    EXPECT_EQ(g_fake.sendToUser, reinterpret_cast<INT_PTR>(&fakeMessage));
    EXPECT_EQ(host_->sendToEntries().size(), 1u);

    EXPECT_EQ(host_->configurePlugin(), 1);
    EXPECT_EQ(reinterpret_cast<HWND>(static_cast<intptr_t>(g_fake.configureOwner)),
              host_->libraryWindow());
}

TEST_F(HostRequests, SkinHandlesAreRecordedAndReleased) {
    HWND list = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD, 0, 0, 10, 10, host_->viewArea(),
                                nullptr, nullptr, nullptr);
    LRESULT handle = host_->libraryRequest(reinterpret_cast<WPARAM>(list), LibraryCode::kSkinList);
    EXPECT_NE(handle, 0);
    EXPECT_EQ(host_->libraryRequest(0, LibraryCode::kSkinList), 0);  // not a window
    ASSERT_EQ(host_->skinnedLists().size(), 1u);
    EXPECT_EQ(host_->skinnedLists()[0].list, list);
    EXPECT_FALSE(host_->skinnedLists()[0].released);
    EXPECT_EQ(host_->libraryRequest(handle, LibraryCode::kUnskinList), 1);
    EXPECT_TRUE(host_->skinnedLists()[0].released);
    EXPECT_EQ(host_->libraryRequest(777, LibraryCode::kUnskinList), 0);
    DestroyWindow(list);
}

TEST_F(HostRequests, ServicesAreOfferedWithTheirTypesAndAFont) {
    auto color = reinterpret_cast<HostColorFunction>(
        host_->libraryRequest(ServiceSelector::kColorFunction, LibraryCode::kGetService));
    ASSERT_TRUE(color);
    EXPECT_NE(color(0), color(1));      // background and text differ
    EXPECT_EQ(color(-1), color(1000));  // out of range: one fallback colour
    for (WPARAM selector : {ServiceSelector::kDialogHook, ServiceSelector::kBorderPainter,
                            ServiceSelector::kResizeInit, ServiceSelector::kResizeApply}) {
        EXPECT_NE(host_->libraryRequest(selector, LibraryCode::kGetService), 0) << selector;
    }
    auto font = reinterpret_cast<HFONT>(
        host_->libraryRequest(ServiceSelector::kDialogFont, LibraryCode::kGetService));
    LOGFONTA logFont{};
    EXPECT_EQ(GetObjectA(font, sizeof logFont, &logFont), static_cast<int>(sizeof logFont));
    EXPECT_EQ(host_->libraryRequest(7, LibraryCode::kGetService), 0);
    EXPECT_EQ(host_->serviceRequests().size(), 7u);
}

TEST(HostServices, WithheldServicesAnswerZero) {
    HostOptions options;
    options.iniFolder = test::outputFolder("withheld");
    options.withheldServices = {ServiceSelector::kDialogHook, ServiceSelector::kDialogFont};
    StandInHost host(options);
    EXPECT_EQ(host.libraryRequest(ServiceSelector::kDialogHook, LibraryCode::kGetService), 0);
    EXPECT_EQ(host.libraryRequest(ServiceSelector::kDialogFont, LibraryCode::kGetService), 0);
    EXPECT_NE(host.libraryRequest(ServiceSelector::kColorFunction, LibraryCode::kGetService), 0);
}

TEST_F(HostRequests, NullAndUnknownRequestsAreAnsweredWithZero) {
    for (LPARAM code : {LibraryCode::kAddTreeItem, LibraryCode::kFindTreeItem,
                        LibraryCode::kDragOver, LibraryCode::kDrop, LibraryCode::kPlayItems,
                        LibraryCode::kAddSendTo, LibraryCode::kQueryLibrary, LPARAM{0x999}}) {
        EXPECT_EQ(host_->libraryRequest(0, code), 0) << code;
    }
    // A title-less Send-to entry and a play request without a list are kept, empty.
    SendToEntry untitled{nullptr, 0, 0};
    EXPECT_EQ(host_->libraryRequest(reinterpret_cast<WPARAM>(&untitled), LibraryCode::kAddSendTo),
              1);
    PlayRequest empty{0, nullptr, 0};
    ItemRecordList negative{nullptr, -4, 0};
    PlayRequest broken{0, &negative, 1};
    host_->libraryRequest(reinterpret_cast<WPARAM>(&empty), LibraryCode::kPlayItems);
    host_->libraryRequest(reinterpret_cast<WPARAM>(&broken), LibraryCode::kPlayItems);
    EXPECT_EQ(host_->playRequests().size(), 2u);
    EXPECT_TRUE(host_->playRequests()[1].songs.empty());
    // The tree falls back to the top level for an unknown parent.
    TreeItemRecord orphan{424242, const_cast<char*>("Orphan"), 0, 0};
    host_->libraryRequest(reinterpret_cast<WPARAM>(&orphan), LibraryCode::kAddTreeItem);
    EXPECT_NE(orphan.id, 0);
    EXPECT_EQ(host_->childTitles(0), (std::vector<std::string>{"Orphan"}));
}

COLORREF pixelAt(HDC dc, int x, int y) {
    return GetPixel(dc, x, y);
}

TEST_F(HostRequests, DialogHookDrawsOwnerDrawnButtonsAndColoursTheDialog) {
    auto hook = reinterpret_cast<HostDialogHook>(
        host_->libraryRequest(ServiceSelector::kDialogHook, LibraryCode::kGetService));
    auto color = reinterpret_cast<HostColorFunction>(
        host_->libraryRequest(ServiceSelector::kColorFunction, LibraryCode::kGetService));
    ASSERT_TRUE(hook && color);
    HWND button =
        CreateWindowExA(0, "BUTTON", "Enqueue", WS_CHILD | BS_OWNERDRAW, 0, 0, 80, 20,
                        host_->viewArea(), reinterpret_cast<HMENU>(1017), nullptr, nullptr);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 80, 20);
    HGDIOBJ old = SelectObject(memory, bitmap);
    RECT white{0, 0, 80, 20};
    FillRect(memory, &white, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));

    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.CtlID = 1017;
    item.hwndItem = button;
    item.hDC = memory;
    item.rcItem = {0, 0, 80, 20};
    item.itemAction = ODA_DRAWENTIRE;
    EXPECT_NE(hook(host_->viewArea(), WM_DRAWITEM, 1017, reinterpret_cast<LPARAM>(&item)), 0);
    EXPECT_EQ(pixelAt(memory, 4, 4), color(SkinColor::kButtonFace));
    item.itemState = ODS_SELECTED;
    hook(host_->viewArea(), WM_DRAWITEM, 1017, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(pixelAt(memory, 4, 4), color(SkinColor::kSelectionBackground));
    // Text was drawn: some pixel of the middle row differs from the face.
    bool text = false;
    for (int x = 10; x < 70; ++x)
        text |= pixelAt(memory, x, 10) != color(SkinColor::kSelectionBackground);
    EXPECT_TRUE(text);

    // Other items, other messages and bad arguments are left to the dialog.
    item.CtlType = ODT_LISTVIEW;
    EXPECT_EQ(hook(host_->viewArea(), WM_DRAWITEM, 1017, reinterpret_cast<LPARAM>(&item)), 0);
    EXPECT_EQ(hook(host_->viewArea(), WM_DRAWITEM, 0, 0), 0);
    EXPECT_EQ(hook(host_->viewArea(), WM_COMMAND, 1017, 0), 0);
    EXPECT_EQ(hook(nullptr, WM_PAINT, 0, 0), 0);
    EXPECT_NE(hook(host_->viewArea(), WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(memory), 0), 0);

    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    DestroyWindow(button);
}

TEST_F(HostRequests, BorderPainterToleratesBadTables) {
    auto paint = reinterpret_cast<HostBorderPainter>(
        host_->libraryRequest(ServiceSelector::kBorderPainter, LibraryCode::kGetService));
    ASSERT_TRUE(paint);
    HWND list = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE, 10, 10, 100, 100,
                                host_->viewArea(), reinterpret_cast<HMENU>(1042), nullptr, nullptr);
    int ids[] = {1042 | kBorderSunken, 1031, -1};
    paint(host_->viewArea(), ids, 3);
    paint(host_->viewArea(), nullptr, 3);
    paint(host_->viewArea(), ids, -3);
    paint(nullptr, ids, 3);
    // The sunken edge lies just outside the control: its outer top-left line
    // is the shadow colour.
    HDC dc = GetDC(host_->viewArea());
    COLORREF edge = GetPixel(dc, 8, 50);
    ReleaseDC(host_->viewArea(), dc);
    EXPECT_EQ(edge, GetSysColor(COLOR_BTNSHADOW));
    DestroyWindow(list);
}

}  // namespace
}  // namespace coverhall::host
