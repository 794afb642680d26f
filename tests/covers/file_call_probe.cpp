#include "tests/covers/file_call_probe.h"

#include <windows.h>

#include <cstring>

namespace {

int g_opens = 0, g_listings = 0, g_queries = 0;

decltype(&CreateFileA) g_createFileA;
decltype(&CreateFileW) g_createFileW;
decltype(&FindFirstFileA) g_findFirstFileA;
decltype(&GetFileAttributesA) g_getFileAttributesA;
decltype(&GetFileAttributesExA) g_getFileAttributesExA;

HANDLE WINAPI countCreateFileA(LPCSTR a, DWORD b, DWORD c, LPSECURITY_ATTRIBUTES d, DWORD e,
                               DWORD f, HANDLE g) {
    ++g_opens;
    return g_createFileA(a, b, c, d, e, f, g);
}
HANDLE WINAPI countCreateFileW(LPCWSTR a, DWORD b, DWORD c, LPSECURITY_ATTRIBUTES d, DWORD e,
                               DWORD f, HANDLE g) {
    ++g_opens;
    return g_createFileW(a, b, c, d, e, f, g);
}
HANDLE WINAPI countFindFirstFileA(LPCSTR a, LPWIN32_FIND_DATAA b) {
    ++g_listings;
    return g_findFirstFileA(a, b);
}
DWORD WINAPI countGetFileAttributesA(LPCSTR a) {
    ++g_queries;
    return g_getFileAttributesA(a);
}
BOOL WINAPI countGetFileAttributesExA(LPCSTR a, GET_FILEEX_INFO_LEVELS b, LPVOID c) {
    ++g_queries;
    return g_getFileAttributesExA(a, b, c);
}

struct Hook {
    const char* name;
    void* replacement;
    void** original;
};

const Hook kHooks[] = {
    {"CreateFileA", reinterpret_cast<void*>(countCreateFileA),
     reinterpret_cast<void**>(&g_createFileA)},
    {"CreateFileW", reinterpret_cast<void*>(countCreateFileW),
     reinterpret_cast<void**>(&g_createFileW)},
    {"FindFirstFileA", reinterpret_cast<void*>(countFindFirstFileA),
     reinterpret_cast<void**>(&g_findFirstFileA)},
    {"GetFileAttributesA", reinterpret_cast<void*>(countGetFileAttributesA),
     reinterpret_cast<void**>(&g_getFileAttributesA)},
    {"GetFileAttributesExA", reinterpret_cast<void*>(countGetFileAttributesExA),
     reinterpret_cast<void**>(&g_getFileAttributesExA)},
};

void writeSlot(void** slot, void* value) {
    DWORD old = 0;
    VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &old);
    *slot = value;
    VirtualProtect(slot, sizeof *slot, old, &old);
}

// Points each hooked kernel32 import of this program at `install` ? the
// counter : the original.
void patchImports(bool install) {
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    const auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* dll = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         dll->Name; ++dll) {
        if (lstrcmpiA(reinterpret_cast<char*>(base + dll->Name), "kernel32.dll") != 0) continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            const auto* byName =
                reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            for (const Hook& hook : kHooks) {
                if (std::strcmp(reinterpret_cast<const char*>(byName->Name), hook.name) != 0)
                    continue;
                auto** slot = reinterpret_cast<void**>(&slots->u1.Function);
                if (install) {
                    *hook.original = *slot;
                    writeSlot(slot, hook.replacement);
                } else {
                    writeSlot(slot, *hook.original);
                }
            }
        }
    }
}

}  // namespace

FileCallProbe::FileCallProbe() {
    g_opens = g_listings = g_queries = 0;
    patchImports(true);
}

FileCallProbe::~FileCallProbe() {
    patchImports(false);
}

int FileCallProbe::opens() const {
    return g_opens;
}
int FileCallProbe::listings() const {
    return g_listings;
}
int FileCallProbe::attributeQueries() const {
    return g_queries;
}
