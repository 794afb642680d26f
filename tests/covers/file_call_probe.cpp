#include "tests/covers/file_call_probe.h"

#include <windows.h>

#include "tests/covers/import_patch.h"

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

const ImportHook kHooks[] = {
    {"kernel32.dll", "CreateFileA", reinterpret_cast<void*>(countCreateFileA),
     reinterpret_cast<void**>(&g_createFileA)},
    {"kernel32.dll", "CreateFileW", reinterpret_cast<void*>(countCreateFileW),
     reinterpret_cast<void**>(&g_createFileW)},
    {"kernel32.dll", "FindFirstFileA", reinterpret_cast<void*>(countFindFirstFileA),
     reinterpret_cast<void**>(&g_findFirstFileA)},
    {"kernel32.dll", "GetFileAttributesA", reinterpret_cast<void*>(countGetFileAttributesA),
     reinterpret_cast<void**>(&g_getFileAttributesA)},
    {"kernel32.dll", "GetFileAttributesExA", reinterpret_cast<void*>(countGetFileAttributesExA),
     reinterpret_cast<void**>(&g_getFileAttributesExA)},
};

}  // namespace

FileCallProbe::FileCallProbe() {
    g_opens = g_listings = g_queries = 0;
    patchImports(kHooks, true);
}

FileCallProbe::~FileCallProbe() {
    patchImports(kHooks, false);
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
