#include "tests/views/thread_file_calls.h"

#include <atomic>
#include <iterator>

#include "tests/covers/import_patch.h"

namespace coverhall::test {
namespace {

// Workers call the hooks concurrently with the window thread.
std::atomic<DWORD> g_windowThread{0};
std::atomic<int> g_windowThreadCalls{0};
std::atomic<int> g_otherThreadCalls{0};

decltype(&CreateFileA) g_createFileA;
decltype(&CreateFileW) g_createFileW;
decltype(&FindFirstFileA) g_findFirstFileA;
decltype(&FindFirstFileW) g_findFirstFileW;
decltype(&FindFirstFileExA) g_findFirstFileExA;
decltype(&FindFirstFileExW) g_findFirstFileExW;
decltype(&GetFileAttributesA) g_getFileAttributesA;
decltype(&GetFileAttributesW) g_getFileAttributesW;
decltype(&GetFileAttributesExA) g_getFileAttributesExA;
decltype(&GetFileAttributesExW) g_getFileAttributesExW;

// Counted before the real call, so the error code the caller reads is the
// real call's own.
void count() {
    if (GetCurrentThreadId() == g_windowThread.load())
        ++g_windowThreadCalls;
    else
        ++g_otherThreadCalls;
}

HANDLE WINAPI countCreateFileA(LPCSTR a, DWORD b, DWORD c, LPSECURITY_ATTRIBUTES d, DWORD e,
                               DWORD f, HANDLE g) {
    count();
    return g_createFileA(a, b, c, d, e, f, g);
}
HANDLE WINAPI countCreateFileW(LPCWSTR a, DWORD b, DWORD c, LPSECURITY_ATTRIBUTES d, DWORD e,
                               DWORD f, HANDLE g) {
    count();
    return g_createFileW(a, b, c, d, e, f, g);
}
HANDLE WINAPI countFindFirstFileA(LPCSTR a, LPWIN32_FIND_DATAA b) {
    count();
    return g_findFirstFileA(a, b);
}
HANDLE WINAPI countFindFirstFileW(LPCWSTR a, LPWIN32_FIND_DATAW b) {
    count();
    return g_findFirstFileW(a, b);
}
HANDLE WINAPI countFindFirstFileExA(LPCSTR a, FINDEX_INFO_LEVELS b, LPVOID c, FINDEX_SEARCH_OPS d,
                                    LPVOID e, DWORD f) {
    count();
    return g_findFirstFileExA(a, b, c, d, e, f);
}
HANDLE WINAPI countFindFirstFileExW(LPCWSTR a, FINDEX_INFO_LEVELS b, LPVOID c, FINDEX_SEARCH_OPS d,
                                    LPVOID e, DWORD f) {
    count();
    return g_findFirstFileExW(a, b, c, d, e, f);
}
DWORD WINAPI countGetFileAttributesA(LPCSTR a) {
    count();
    return g_getFileAttributesA(a);
}
DWORD WINAPI countGetFileAttributesW(LPCWSTR a) {
    count();
    return g_getFileAttributesW(a);
}
BOOL WINAPI countGetFileAttributesExA(LPCSTR a, GET_FILEEX_INFO_LEVELS b, LPVOID c) {
    count();
    return g_getFileAttributesExA(a, b, c);
}
BOOL WINAPI countGetFileAttributesExW(LPCWSTR a, GET_FILEEX_INFO_LEVELS b, LPVOID c) {
    count();
    return g_getFileAttributesExW(a, b, c);
}

template <typename F>
ImportHook hook(const char* function, F* replacement, F** original) {
    return {"kernel32.dll", function, reinterpret_cast<void*>(replacement),
            reinterpret_cast<void**>(original)};
}

// Functions the module does not import are left out by the patch itself.
const ImportHook kHooks[] = {
    hook("CreateFileA", countCreateFileA, &g_createFileA),
    hook("CreateFileW", countCreateFileW, &g_createFileW),
    hook("FindFirstFileA", countFindFirstFileA, &g_findFirstFileA),
    hook("FindFirstFileW", countFindFirstFileW, &g_findFirstFileW),
    hook("FindFirstFileExA", countFindFirstFileExA, &g_findFirstFileExA),
    hook("FindFirstFileExW", countFindFirstFileExW, &g_findFirstFileExW),
    hook("GetFileAttributesA", countGetFileAttributesA, &g_getFileAttributesA),
    hook("GetFileAttributesW", countGetFileAttributesW, &g_getFileAttributesW),
    hook("GetFileAttributesExA", countGetFileAttributesExA, &g_getFileAttributesExA),
    hook("GetFileAttributesExW", countGetFileAttributesExW, &g_getFileAttributesExW),
};

}  // namespace

ThreadFileCallProbe::ThreadFileCallProbe(HMODULE module) : module_(module) {
    g_windowThread = GetCurrentThreadId();
    reset();
    patchModuleImports(module_, kHooks, std::size(kHooks), true);
}

ThreadFileCallProbe::~ThreadFileCallProbe() {
    patchModuleImports(module_, kHooks, std::size(kHooks), false);
}

int ThreadFileCallProbe::windowThreadCalls() const {
    return g_windowThreadCalls;
}
int ThreadFileCallProbe::otherThreadCalls() const {
    return g_otherThreadCalls;
}
void ThreadFileCallProbe::reset() {
    g_windowThreadCalls = 0;
    g_otherThreadCalls = 0;
}

}  // namespace coverhall::test
