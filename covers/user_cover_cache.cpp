#include "covers/user_cover_cache.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "covers/file_stamp.h"
#include "win/debug_trace.h"
#include "win/win_handles.h"

namespace {

struct CachedFile {
    uint64_t time;
    std::string name;
};

std::vector<CachedFile> listCachedFiles(const std::string& folder) {
    std::vector<CachedFile> files;
    WIN32_FIND_DATAA entry;
    coverhall::UniqueFind find(FindFirstFileA((folder + "\\*.bmp").c_str(), &entry));
    if (!find) return files;
    do {
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        files.push_back({fileTimeValue(entry.ftLastWriteTime), entry.cFileName});
    } while (FindNextFileA(find.get(), &entry));
    return files;
}

}  // namespace

uint64_t coverCacheKey(std::string_view folder) {
    uint64_t hash = 0xcbf29ce484222325ull;
    for (char c : folder) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3ull;
    }
    return hash;
}

UserCoverCache::UserCoverCache(std::string folder, std::size_t maxFiles)
    : folder_(std::move(folder)), folderGiven_(!folder_.empty()), maxFiles_(maxFiles) {}

const std::string& UserCoverCache::folderLocked() {
    if (folder_.empty() && !folderGiven_) {
        char base[MAX_PATH];
        if (SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT,
                                       base))) {
            folder_ = std::string(base) + "\\Coverhall\\Covers";
        }
    }
    return folder_;
}

std::string UserCoverCache::pathOf(std::string_view albumFolder, int edge) {
    const std::lock_guard<std::mutex> lock(mutex_);
    const std::string& root = folderLocked();
    if (root.empty() || albumFolder.empty() || edge <= 0) return {};
    char name[48];
    const auto key = static_cast<unsigned long long>(coverCacheKey(albumFolder));
    if (edge == kBesideCacheEdge) {
        std::snprintf(name, sizeof name, "\\%016llx.bmp", key);
    } else {
        std::snprintf(name, sizeof name, "\\%016llx-%d.bmp", key, edge);
    }
    return root + name;
}

bool UserCoverCache::prepare() {
    const std::lock_guard<std::mutex> lock(mutex_);
    const std::string& root = folderLocked();
    if (root.empty()) return false;
    // Each level in turn: the application data folder exists, ours may not.
    for (std::size_t at = root.find('\\', 3); at != std::string::npos;
         at = root.find('\\', at + 1)) {
        CreateDirectoryA(root.substr(0, at).c_str(), nullptr);
    }
    CreateDirectoryA(root.c_str(), nullptr);
    const DWORD attributes = GetFileAttributesA(root.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return true;
    coverhall::traceFailure("cannot make the per-user cache folder", root.c_str(),
                            attributes == INVALID_FILE_ATTRIBUTES
                                ? coverhall::lastErrorResult()
                                : HRESULT_FROM_WIN32(ERROR_DIRECTORY));
    return false;
}

void UserCoverCache::trim(bool fileWasNew) {
    const std::lock_guard<std::mutex> lock(mutex_);
    const std::string& root = folderLocked();
    if (root.empty()) return;
    if (files_ < 0) {
        files_ = static_cast<long long>(listCachedFiles(root).size());
    } else if (fileWasNew) {
        ++files_;
    }
    if (static_cast<std::size_t>(files_) <= maxFiles_) return;
    std::vector<CachedFile> files = listCachedFiles(root);
    std::sort(files.begin(), files.end(), [](const CachedFile& a, const CachedFile& b) {
        return a.time != b.time ? a.time < b.time : a.name < b.name;
    });
    std::size_t left = files.size();
    for (const CachedFile& file : files) {
        if (left <= maxFiles_) break;
        if (DeleteFileA((root + "\\" + file.name).c_str())) --left;
    }
    files_ = static_cast<long long>(left);
}
