// The records and codes exchanged with the player's Media Library. Both sides
// of this project (the plug-in and the stand-in host) include this header, so
// every field is laid out as the host expects it: on the 32-bit build (the
// product) plain 32-bit fields, checked below. The 64-bit test build keeps the
// same fields with pointer-sized values where pointers or handles travel.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

// Returned by winampGetMediaLibraryPlugin. The host fills the last three
// fields before it calls start.
struct PluginRecord {
    int32_t version;
    char* description;
    int(__cdecl* start)();
    void(__cdecl* stop)();
    INT_PTR(__cdecl* onMessage)(int code, INT_PTR param1, INT_PTR param2, INT_PTR param3);
    HWND playerWindow;
    HWND libraryWindow;
    HINSTANCE instance;
};
constexpr int32_t kPluginInterfaceVersion = 0x15;
using GetPluginRecordFunction = PluginRecord*(__cdecl*)();

struct TreeItemRecord {
    int32_t parentId;
    char* title;
    int32_t hasChildren;
    int32_t id;  // written by the host
};

struct ItemRecord {
    char* filename;
    char* title;
    char* album;
    char* artist;
    char* comment;
    char* genre;
    int32_t year;
    int32_t track;
    int32_t length;  // seconds
    // Null-ended array of texts, each "name\0value".
    char** extendedInfo;
};

struct ItemRecordList {
    ItemRecord* items;
    int32_t size;
    int32_t capacity;
};

struct LibraryQuery {
    char* query;
    int32_t maxResults;  // 0: no limit
    ItemRecordList results;
};

struct SendToEntry {
    char* label;
    INT_PTR context;  // the host's menu context, handed back unchanged
    intptr_t userValue;
};

struct DropRecord {
    int32_t kind;  // 0: data is an ItemRecordList
    void* data;
    int32_t result;  // set by the host: above 0 when the target takes the items
    int32_t x;       // screen coordinates
    int32_t y;
    int32_t flag;  // 0 while dragging, 1 on release
    int32_t reserved;
};

struct PlayRequest {
    int32_t kind;  // 0: data is an ItemRecordList
    ItemRecordList* data;
    int32_t enqueue;
};

// One control of a child-resize table. The anchor code has one hex digit per
// edge (left, top, right, bottom); 1 keeps that edge's distance to the
// parent's right or bottom side. The four words are filled by the host.
struct ResizeItem {
    int32_t controlId;
    int32_t anchor;
    int32_t hostWords[4];
};

// Exact layouts: the 32-bit one is what the player expects; the 64-bit one is
// the natural layout of the same fields, checked so that the test build and
// the stand-in host agree on it too.
#ifdef _WIN64
#define COVERHALL_LAYOUT(bits32, bits64) (bits64)
#else
#define COVERHALL_LAYOUT(bits32, bits64) (bits32)
#endif
#define COVERHALL_CHECK_SIZE(record, bits32, bits64) \
    static_assert(sizeof(record) == COVERHALL_LAYOUT(bits32, bits64), #record)
#define COVERHALL_CHECK_FIELD(record, field, bits32, bits64) \
    static_assert(offsetof(record, field) == COVERHALL_LAYOUT(bits32, bits64), #record "." #field)
COVERHALL_CHECK_SIZE(PluginRecord, 32, 64);
COVERHALL_CHECK_FIELD(PluginRecord, description, 4, 8);
COVERHALL_CHECK_FIELD(PluginRecord, start, 8, 16);
COVERHALL_CHECK_FIELD(PluginRecord, stop, 12, 24);
COVERHALL_CHECK_FIELD(PluginRecord, onMessage, 16, 32);
COVERHALL_CHECK_FIELD(PluginRecord, playerWindow, 20, 40);
COVERHALL_CHECK_FIELD(PluginRecord, libraryWindow, 24, 48);
COVERHALL_CHECK_FIELD(PluginRecord, instance, 28, 56);
COVERHALL_CHECK_SIZE(TreeItemRecord, 16, 24);
COVERHALL_CHECK_FIELD(TreeItemRecord, title, 4, 8);
COVERHALL_CHECK_FIELD(TreeItemRecord, hasChildren, 8, 16);
COVERHALL_CHECK_FIELD(TreeItemRecord, id, 12, 20);
COVERHALL_CHECK_SIZE(ItemRecord, 40, 72);
COVERHALL_CHECK_FIELD(ItemRecord, genre, 20, 40);
COVERHALL_CHECK_FIELD(ItemRecord, year, 24, 48);
COVERHALL_CHECK_FIELD(ItemRecord, track, 28, 52);
COVERHALL_CHECK_FIELD(ItemRecord, length, 32, 56);
COVERHALL_CHECK_FIELD(ItemRecord, extendedInfo, 36, 64);
COVERHALL_CHECK_SIZE(ItemRecordList, 12, 16);
COVERHALL_CHECK_FIELD(ItemRecordList, size, 4, 8);
COVERHALL_CHECK_FIELD(ItemRecordList, capacity, 8, 12);
COVERHALL_CHECK_SIZE(LibraryQuery, 20, 32);
COVERHALL_CHECK_FIELD(LibraryQuery, maxResults, 4, 8);
COVERHALL_CHECK_FIELD(LibraryQuery, results, 8, 16);
COVERHALL_CHECK_SIZE(SendToEntry, 12, 24);
COVERHALL_CHECK_FIELD(SendToEntry, context, 4, 8);
COVERHALL_CHECK_FIELD(SendToEntry, userValue, 8, 16);
COVERHALL_CHECK_SIZE(DropRecord, 28, 40);
COVERHALL_CHECK_FIELD(DropRecord, data, 4, 8);
COVERHALL_CHECK_FIELD(DropRecord, result, 8, 16);
COVERHALL_CHECK_FIELD(DropRecord, x, 12, 20);
COVERHALL_CHECK_FIELD(DropRecord, y, 16, 24);
COVERHALL_CHECK_FIELD(DropRecord, flag, 20, 28);
COVERHALL_CHECK_FIELD(DropRecord, reserved, 24, 32);
COVERHALL_CHECK_SIZE(PlayRequest, 12, 24);
COVERHALL_CHECK_FIELD(PlayRequest, data, 4, 8);
COVERHALL_CHECK_FIELD(PlayRequest, enqueue, 8, 16);
COVERHALL_CHECK_SIZE(ResizeItem, 24, 24);
COVERHALL_CHECK_FIELD(ResizeItem, anchor, 4, 4);
COVERHALL_CHECK_FIELD(ResizeItem, hostWords, 8, 8);
#undef COVERHALL_CHECK_FIELD
#undef COVERHALL_CHECK_SIZE
#undef COVERHALL_LAYOUT

// Requests to the Media Library: SendMessageA(libraryWindow, kLibraryMessage,
// argument, code).
constexpr UINT kLibraryMessage = 0x1400;
namespace LibraryCode {
constexpr LPARAM kAddTreeItem = 0x101;     // TreeItemRecord*, sets id
constexpr LPARAM kFindTreeItem = 0x104;    // TreeItemRecord* titled "Devices"
constexpr LPARAM kSelectTreeItem = 0x105;  // entry id
constexpr LPARAM kDragOver = 0x300;        // DropRecord*
constexpr LPARAM kDrop = 0x301;            // DropRecord*, data = ItemRecordList*
constexpr LPARAM kPlayItems = 0x302;       // PlayRequest*
constexpr LPARAM kAddSendTo = 0x400;       // SendToEntry*
constexpr LPARAM kSkinList = 0x500;        // list-view window, returns a handle
constexpr LPARAM kUnskinList = 0x501;      // the handle of kSkinList
constexpr LPARAM kGetService = 0x600;      // a ServiceSelector
constexpr LPARAM kQueryLibrary = 0x700;    // LibraryQuery*
constexpr LPARAM kFreeQuery = 0x705;       // 0
}  // namespace LibraryCode

// Selectors of LibraryCode::kGetService.
namespace ServiceSelector {
constexpr WPARAM kColorFunction = 1;
constexpr WPARAM kDialogHook = 2;
constexpr WPARAM kBorderPainter = 3;
constexpr WPARAM kResizeInit = 32;
constexpr WPARAM kResizeApply = 33;
constexpr WPARAM kDialogFont = 66;
}  // namespace ServiceSelector

using HostColorFunction = COLORREF(__cdecl*)(int index);
using HostDialogHook = INT_PTR(__cdecl*)(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// An id may carry kBorderSunken added.
using HostBorderPainter = void(__cdecl*)(HWND window, int* controlIds, int count);
using HostResizeFunction = void(__cdecl*)(HWND window, ResizeItem* items, int count);
constexpr int kBorderSunken = 0x10000;

// Requests to the player: SendMessageA(playerWindow, kPlayerMessage, 0, code).
constexpr UINT kPlayerMessage = WM_USER;
namespace PlayerCode {
constexpr LPARAM kIniFilePath = 334;
constexpr LPARAM kIniFolder = 335;
}  // namespace PlayerCode

// What the host sends to PluginRecord::onMessage.
namespace PluginCode {
constexpr int kFirstTreeCode = 0x100;
constexpr int kCreateView = 0x100;  // entry id, parent window
constexpr int kTreeClick = 0x101;   // entry id, click kind (0: context menu), owner
constexpr int kLastTreeCode = 0x1FF;
constexpr int kBuildSendTo = 0x300;  // source kind, context value
constexpr int kSendTo = 0x301;       // source kind, ItemRecordList*, user value
constexpr int kConfigure = 0x400;    // owner window
}  // namespace PluginCode
