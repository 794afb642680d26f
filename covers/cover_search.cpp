#include "covers/cover_search.h"

#include <windows.h>

#include <cstring>

#include "win/win_handles.h"

namespace {

bool hasSearchedExtension(const char* name) {
    char ext[kCoverPathSize];
    fileExtension(name, ext);
    // Exact comparison: COVER.JPG is not found by the search.
    return std::strcmp(ext, "bmp") == 0 || std::strcmp(ext, "jpg") == 0 ||
           std::strcmp(ext, "png") == 0 || std::strcmp(ext, "gif") == 0;
}

}  // namespace

char* findCoverImage(const char* folder, char (&nameOut)[kCoverPathSize]) {
    nameOut[0] = '\0';
    char pattern[kCoverPathSize];
    if (!joinPath(folder, "*", pattern)) return nameOut;
    WIN32_FIND_DATAA entry;
    coverhall::UniqueFind find(FindFirstFileA(pattern, &entry));
    if (!find) return nameOut;
    bool sawCache = false;
    do {
        entry.cFileName[sizeof entry.cFileName - 1] = '\0';
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        if (std::strcmp(entry.cFileName, kCacheFileName) == 0) {
            sawCache = true;
            continue;
        }
        if (hasSearchedExtension(entry.cFileName)) {
            std::memcpy(nameOut, entry.cFileName, std::strlen(entry.cFileName) + 1);
            return nameOut;
        }
    } while (FindNextFileA(find.get(), &entry));
    if (sawCache) std::memcpy(nameOut, kCacheFileName, std::strlen(kCacheFileName) + 1);
    return nameOut;
}
