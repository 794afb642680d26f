#include "covers/cover_search.h"

#include <windows.h>

#include "catalogue/disc_names.h"
#include "catalogue/text_functions.h"
#include "covers/cover_rank.h"
#include "covers/file_stamp.h"
#include "win/win_handles.h"

namespace {

bool equalsIgnoringCase(const char* a, const char* b) {
    return lstrcmpiA(a, b) == 0;
}

// What one folder holds for the search.
struct FolderListing {
    bool found = false;
    CoverCandidate best;  // its name is the full path
    bool sawCache = false;
    std::vector<std::string> pictureFolders;  // full paths
};

void listFolder(const std::string& folder, std::string_view title, FolderListing& out,
                CoverSearch& search) {
    char pattern[kCoverPathSize];
    if (!joinPath(folder.c_str(), "*", pattern)) return;
    WIN32_FIND_DATAA entry;
    coverhall::UniqueFind find(FindFirstFileA(pattern, &entry));
    if (!find) return;
    search.folders.push_back(folder);
    do {
        entry.cFileName[sizeof entry.cFileName - 1] = '\0';
        const char* name = entry.cFileName;
        char path[kCoverPathSize];
        if (!joinPath(folder.c_str(), name, path)) continue;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (isPictureFolderName(name)) out.pictureFolders.emplace_back(path);
            continue;
        }
        if (equalsIgnoringCase(name, kCacheFileName)) {
            out.sawCache = true;
            continue;
        }
        if (!hasCoverImageExtension(name)) continue;
        CoverCandidate candidate{path, joinWords(entry.nFileSizeHigh, entry.nFileSizeLow),
                                 coverTierOf(name, title)};
        if (!out.found || isBetterCover(candidate, out.best)) out.best = std::move(candidate);
        out.found = true;
    } while (FindNextFileA(find.get(), &entry));
}

// The best image of the folders together; false when none holds one.
bool searchFolders(const std::vector<std::string>& folders, std::string_view title,
                   CoverSearch& search) {
    FolderListing pooled;
    for (const std::string& folder : folders) {
        FolderListing listing;
        listFolder(folder, title, listing, search);
        if (listing.found && (!pooled.found || isBetterCover(listing.best, pooled.best))) {
            pooled.best = std::move(listing.best);
            pooled.found = true;
        }
    }
    if (pooled.found) search.image = std::move(pooled.best.name);
    return pooled.found;
}

// The folder itself, then its picture subfolders; `sawCache` tells whether
// the folder itself holds the cache file.
bool searchWithSubfolders(const std::string& folder, std::string_view title, CoverSearch& search,
                          bool* sawCache) {
    FolderListing listing;
    listFolder(folder, title, listing, search);
    if (sawCache) *sawCache = listing.sawCache;
    if (listing.found) {
        search.image = std::move(listing.best.name);
        return true;
    }
    return searchFolders(listing.pictureFolders, title, search);
}

}  // namespace

void findCoverImage(const char* folder, std::string_view albumTitle, std::string_view firstSong,
                    CoverSearch& out) {
    out = CoverSearch{};
    if (!folder || !*folder) return;
    const std::string albumFolder(folder);
    if (searchWithSubfolders(albumFolder, albumTitle, out, &out.sawCache)) return;
    // A disc set's folder holds its discs: the first song's disc comes next.
    const std::string_view songFolder = folderOfFile(firstSong);
    if (parentFolder(songFolder) == albumFolder && isDiscName(lastFolderName(songFolder)) &&
        searchWithSubfolders(std::string(songFolder), albumTitle, out, nullptr)) {
        return;
    }
    const std::size_t slash = albumFolder.find_last_of("\\/");
    if (slash == std::string::npos || slash == 0) return;
    if (!isDiscName(std::string_view(albumFolder).substr(slash + 1))) return;
    searchWithSubfolders(albumFolder.substr(0, slash), albumTitle, out, nullptr);
}
