// The cover image list of a catalogue: the placeholder, the one thumbnail
// slot that every cover request refills, and the selection frame, drawn as
// overlay 1 over the selected cover.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "catalogue/cover_image_list.h"
#include "win/win_handles.h"

class AlbumCatalogue;

enum CoverSlot { NoCoverImage = 0, ThumbnailImage = 1, SelectionFrameImage = 2 };
constexpr int kSelectionOverlay = 1;

class Win32CoverImageList final : public CoverImageList {
  public:
    // edge x edge images from the bitmaps of module. A bitmap that cannot be
    // loaded leaves its slot (and those after it) out.
    Win32CoverImageList(int edge, HMODULE module);

    HIMAGELIST handle() const { return list_.get(); }

  private:
    coverhall::UniqueImageList list_;
};

// The image list of a catalogue, or null when it has none of ours.
HIMAGELIST coverImageListOf(const AlbumCatalogue* catalogue);

// Bitmap resource id at edge x edge as a 24-bit DIB section, empty when
// missing. At kThumbnailSize it is loaded as it always was; at other edges
// it is scaled from its own size by nearest neighbour, which keeps the
// colours the masks key on (the frame's white, the placeholder's black).
coverhall::UniqueBitmap loadBitmapAtEdge(HMODULE module, int id, int edge);
