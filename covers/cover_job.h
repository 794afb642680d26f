// What the cover engine is asked to do for one album, held by value: a job
// outlives the catalogue record it was made from (a Send-to append or stop
// may free that), and the workers never read the catalogue.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// Edges in pixels of a thumbnail (and of its cache bitmap and the image
// lists) and of the Contents view's cover. The wall may show its covers
// larger (kCoverSizes); kThumbnailSize is the default and the edge of the
// cache file beside the album.
constexpr int kThumbnailSize = 100;
constexpr int kContentsCoverSize = 200;
constexpr int kCoverSizes[] = {100, 150, 200};

// Where the front cover is looked for: any image of the folders, only the
// named file, or the named file and then any image.
enum CoverDetectionMode { AnyImage = 0, NamedImage = 1, NamedThenAny = 2 };

// How covers are found: the settings a request runs under.
struct CoverRule {
    int mode = NamedThenAny;
    std::string imageName;
    bool songPictures = true;
    bool operator==(const CoverRule& other) const {
        return mode == other.mode && songPictures == other.songPictures &&
               imageName == other.imageName;
    }
    bool operator!=(const CoverRule& other) const { return !(*this == other); }
};

// The rule as the search runs it: a mode outside 0..2 counts as 2, and
// song pictures play no part when only the named file counts.
CoverRule normalisedRule(int mode, const char* imageName, bool songPictures);

// The picture a key stands for: the wall's thumbnail or the Contents cover.
enum class CoverPicture : uint8_t { Thumbnail, Contents };

// One picture of one album under one rule, at one edge: a thumbnail's is
// the wall's cover size, the Contents picture's kContentsCoverSize.
struct CoverKey {
    std::string folder;
    CoverRule rule;
    CoverPicture picture = CoverPicture::Thumbnail;
    int edge = kThumbnailSize;
    bool operator==(const CoverKey& other) const {
        return picture == other.picture && edge == other.edge && folder == other.folder &&
               rule == other.rule;
    }
    bool operator!=(const CoverKey& other) const { return !(*this == other); }
};

struct CoverKeyHash {
    std::size_t operator()(const CoverKey& key) const;
};

// The work a job asks for, in the order the workers take them: the Contents
// picture, a cover the user sets, the visible covers (by display order),
// rebuilds the user asked for, background checks of covers shown, then
// "Prepare All Covers".
enum class CoverWork : uint8_t { Contents, Set, Visible, Rebuild, Check, Prepare };
constexpr int kCoverWorkKinds = 6;

// A picture the user gave for an album: an image file, or a packed bitmap
// as the clipboard's CF_DIB or CF_DIBV5 holds it (header, masks or colour
// table where it has them, pixels). The file counts when both are given.
struct CoverSource {
    std::string file;
    std::vector<uint8_t> packedDib;
};

// What setting a cover did to the album's folder.
struct SetCoverOutcome {
    enum class Result : uint8_t { Set, NotWritable, NotAPicture } result = Result::NotAPicture;
    std::string written;  // the file's name, as "folder.jpg"
    // Files that stood in the way, each with the name it was moved to.
    std::vector<std::pair<std::string, std::string>> setAside;
    // The rule's Image Name could not be written: folder.<ext> was instead.
    bool imageNameUnusable = false;
};

struct CoverJob {
    CoverWork work = CoverWork::Visible;
    CoverKey key;
    std::string albumTitle;          // for the name ranking
    std::vector<std::string> songs;  // the first songs, in library order
    // Visible: the album's place in display order, lowest first; the
    // others are taken in the order they came. Prepare: the run it belongs
    // to, so that a run stopped or started over is told apart.
    int order = 0;
    // Set: the picture; shared, since a queued job is copied.
    std::shared_ptr<const CoverSource> source;
};

// Pixels of a finished picture: top-down rows of 24-bit BGR, each row
// padded to a multiple of four bytes.
struct CoverPixels {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> bgr;
    int stride() const { return (width * 3 + 3) & ~3; }
    bool empty() const { return bgr.empty(); }
};

// What a worker found for a job.
struct CoverResult {
    CoverWork work = CoverWork::Visible;
    CoverKey key;
    int order = 0;  // the job's, handed back
    enum class Outcome : uint8_t {
        Shown,      // pixels hold the picture
        None,       // the album has no cover under the rule
        Unchanged,  // a check found the picture shown still current
        Prepared,   // the cache is current (Prepare; no pixels)
    } outcome = Outcome::None;
    CoverPixels pixels;
    // False when the picture came from the cache while a better source was
    // not looked for (the named file absent): a check should follow soon.
    bool checked = true;
    SetCoverOutcome set;  // Set: what was written
};
