// The folder search for an album's cover image.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "covers/file_names.h"

struct CoverSearch {
    // Full path of the best image found, or "" when there is none.
    std::string image;
    // Whether the album folder holds the thumbnail cache file.
    bool sawCache = false;
    // Full paths of every folder listed: a change of one may bring a cover.
    std::vector<std::string> folders;
};

// Ranks the image files (coverTierOf, then size, then name; never the
// cache file) of the album folder; when it holds none, of its picture
// subfolders ("Scans", "Covers", ...); when still none and the album folder
// is one disc of an album ("CD1"), of its parent folder, then of the
// parent's picture subfolders. An album whose first song lies in a disc
// folder inside its folder (a disc set) has that disc folder, then its
// picture subfolders, searched before the parent. The title counts for the
// ranking. Folders that cannot be listed, or whose paths do not fit, hold
// nothing.
void findCoverImage(const char* folder, std::string_view albumTitle, std::string_view firstSong,
                    CoverSearch& out);
