#include "covers/files_set_aside.h"

#include <cstdio>

#include "covers/file_names.h"
#include "win/debug_trace.h"

namespace {

// Past this many backups of one name something is wrong; nothing more is
// piled up.
constexpr int kMaxBackups = 1000;

bool isFree(const char* path) {
    if (GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES) return false;
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

}  // namespace

FilesSetAside::~FilesSetAside() {
    // Latest first, so that each name is free again when its file returns.
    for (auto it = moved_.rbegin(); it != moved_.rend(); ++it) {
        char from[kCoverPathSize], to[kCoverPathSize];
        if (joinPath(folder_.c_str(), it->second.c_str(), from) &&
            joinPath(folder_.c_str(), it->first.c_str(), to) && MoveFileExA(from, to, 0)) {
            continue;
        }
        coverhall::traceFailure("cannot rename back", from, coverhall::lastErrorResult());
    }
}

HRESULT FilesSetAside::setAside(const std::string& name) {
    char from[kCoverPathSize];
    if (!joinPath(folder_.c_str(), name.c_str(), from))
        return HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE);
    for (int n = 0; n < kMaxBackups; ++n) {
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, n == 0 ? ".bak" : ".%d.bak", n);
        const std::string backup = name + suffix;
        char to[kCoverPathSize];
        if (!joinPath(folder_.c_str(), backup.c_str(), to))
            return HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE);
        if (!isFree(to)) continue;
        // Recorded first, so that no rename goes unrecorded; no replacing: a
        // file that appeared meanwhile fails the rename rather than being lost.
        moved_.emplace_back(name, backup);
        if (MoveFileExA(from, to, 0)) return S_OK;
        const HRESULT result = coverhall::lastErrorResult();
        moved_.pop_back();
        return result;
    }
    return HRESULT_FROM_WIN32(ERROR_FILE_EXISTS);
}
