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

struct UserCache {
    std::string folder;  // empty: not known yet
    bool folderOverridden = false;
    std::size_t maxFiles = kMaxUserCoverCacheFiles;
    long long files = -1;  // -1: not counted yet
};
UserCache g_userCache;

const std::string& cacheFolder() {
    if (g_userCache.folder.empty() && !g_userCache.folderOverridden) {
        char base[MAX_PATH];
        if (SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT,
                                       base))) {
            g_userCache.folder = std::string(base) + "\\Coverhall\\Covers";
        }
    }
    return g_userCache.folder;
}

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

std::string userCoverCachePath(std::string_view folder) {
    const std::string& root = cacheFolder();
    if (root.empty() || folder.empty()) return {};
    char name[32];
    std::snprintf(name, sizeof name, "\\%016llx.bmp",
                  static_cast<unsigned long long>(coverCacheKey(folder)));
    return root + name;
}

bool prepareUserCoverCache() {
    const std::string& root = cacheFolder();
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

void trimUserCoverCache(bool fileWasNew) {
    const std::string& root = cacheFolder();
    if (root.empty()) return;
    if (g_userCache.files < 0) {
        g_userCache.files = static_cast<long long>(listCachedFiles(root).size());
    } else if (fileWasNew) {
        ++g_userCache.files;
    }
    if (static_cast<std::size_t>(g_userCache.files) <= g_userCache.maxFiles) return;
    std::vector<CachedFile> files = listCachedFiles(root);
    std::sort(files.begin(), files.end(), [](const CachedFile& a, const CachedFile& b) {
        return a.time != b.time ? a.time < b.time : a.name < b.name;
    });
    std::size_t left = files.size();
    for (const CachedFile& file : files) {
        if (left <= g_userCache.maxFiles) break;
        if (DeleteFileA((root + "\\" + file.name).c_str())) --left;
    }
    g_userCache.files = static_cast<long long>(left);
}

void setUserCoverCacheForTests(std::string folder, std::size_t maxFiles) {
    g_userCache = UserCache{};
    g_userCache.folder = std::move(folder);
    g_userCache.folderOverridden = !g_userCache.folder.empty();
    g_userCache.maxFiles = maxFiles;
}
