// A picture the user gives for an album written into its folder as the
// cover the rule then finds: under the rule's Image Name where the rule
// looks for it first, else as folder.<ext>. The picture must decode before
// anything is touched; a file in the way is renamed aside, never deleted;
// and a folder that cannot take the new file is left as it was. Runs on a
// cover worker, which holds an ImagingScope (imaging_factory.h).
#pragma once

#include "covers/cover_job.h"

// Writes the picture into the album folder. The name: the Image Name in
// mode 1, and in mode 2 when that file exists; otherwise folder.<ext>, <ext>
// the type of the picture file (jpg for any JPEG), jpg for a bitmap. A
// picture file whose type matches the name's extension is copied byte for
// byte; any other is encoded (JPEG at quality 90, PNG, BMP, GIF). Every file
// of that name, and for folder.<ext> every other folder.* image, is renamed
// aside, unless it already holds exactly the new bytes. Never throws.
SetCoverOutcome setAlbumCover(const char* folder, const CoverRule& rule, const CoverSource& source);
