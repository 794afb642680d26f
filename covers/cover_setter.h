// A picture the user gives for an album written into its folder as the
// cover the rule then finds: under the rule's Image Name where the rule
// looks for it first, else as folder.<ext>. The picture must decode before
// anything is touched; a file in the way is renamed aside, never deleted;
// and a folder that cannot take the new file is left as it was. Runs on a
// cover worker, which holds an ImagingScope (imaging_factory.h).
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "covers/cover_job.h"

// A picture the user gave for an album: an image file, or a packed bitmap
// as the clipboard's CF_DIB or CF_DIBV5 holds it (header, masks or colour
// table where it has them, pixels). The file counts when both are given.
struct CoverSource {
    std::string file;
    std::vector<uint8_t> packedDib;
};

struct SetCoverOutcome {
    enum class Result { Set, NotWritable, NotAPicture } result = Result::NotAPicture;
    std::string written;  // the file name written, e.g. "folder.jpg"
    // Each file renamed aside: its name, then its backup name.
    std::vector<std::pair<std::string, std::string>> setAside;
    // The rule's Image Name could not be written (empty, no image extension,
    // a subfolder); folder.<ext> was written instead.
    bool imageNameUnusable = false;
};

// Writes the picture into the album folder. The name: the Image Name in
// mode 1, and in mode 2 when that file exists; otherwise folder.<ext>, <ext>
// the type of the picture file (jpg for any JPEG), jpg for a bitmap. A
// picture file whose type matches the name's extension is copied byte for
// byte; any other is encoded (JPEG at quality 90, PNG, BMP, GIF). Every file
// of that name, and for folder.<ext> every other folder.* image, is renamed
// aside, unless it already holds exactly the new bytes. Never throws.
SetCoverOutcome setAlbumCover(const char* folder, const CoverRule& rule, const CoverSource& source);
