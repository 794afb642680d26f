// Which image file of an album's folders is its front cover: names ranked
// by what real libraries call their pictures, and the folder names that
// hold pictures or one disc of an album. Platform-free; case never matters.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Best first. Front: "folder", "cover", "front" or "albumart..."; Likely: a
// name holding "front", "cover" or the album's title; Unlikely: a name
// holding "back", "inlay", "inside", "tray" or "booklet", or naming a disc
// ("cd", "cd1", "disc 2"), whatever else it holds.
enum class CoverTier { Front = 0, Likely = 1, Other = 2, Unlikely = 3 };

// The tier of an image file's name (its extension is ignored). An empty
// title matches nothing.
CoverTier coverTierOf(std::string_view fileName, std::string_view albumTitle);

// Whether the name has an image extension the cover search accepts: bmp,
// gif, jpg, jpeg, jpe, jfif or png.
bool hasCoverImageExtension(std::string_view fileName);

// "scans", "covers", "artwork", "art" or "images": a subfolder searched when
// the album folder itself holds no image.
bool isPictureFolderName(std::string_view name);

// One image file found by the search.
struct CoverCandidate {
    std::string name;  // relative to the album folder
    uint64_t size = 0;
    CoverTier tier = CoverTier::Other;
};

// Whether a is the better cover: the better tier; within Front, an exact
// folder.* name before cover.*, front.* and AlbumArt*; then the larger file,
// then the name that sorts first (ignoring case, then byte by byte). The
// name may be a path; its last part counts.
bool isBetterCover(const CoverCandidate& a, const CoverCandidate& b);
