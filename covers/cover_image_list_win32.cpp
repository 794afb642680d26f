#include "covers/cover_image_list_win32.h"

#include "catalogue/album_catalogue.h"
#include "resources/resource_ids.h"
#include "win/module_bitmaps.h"

Win32CoverImageList::Win32CoverImageList(int edge, HMODULE module)
    : list_(ImageList_Create(edge, edge, ILC_COLOR24 | ILC_MASK, 3, 0)) {
    if (!list_) return;
    const coverhall::UniqueBitmap noCover = loadBitmapResource(module, IDB_NO_COVER, edge, edge);
    const coverhall::UniqueBitmap mask = loadBitmapResource(module, IDB_THUMB_MASK, edge, edge);
    // Black around the disc case is transparent in the placeholder; the
    // thumbnail slot's all-black mask draws every pixel.
    if (noCover) {
        ImageList_AddMasked(list_.get(), noCover.get(), RGB(0, 0, 0));
        ImageList_Add(list_.get(), noCover.get(), mask.get());
    }
    const coverhall::UniqueBitmap frame =
        loadBitmapResource(module, IDB_SELECTION_FRAME, edge, edge);
    // White leaves the cover under the frame visible.
    if (frame) ImageList_AddMasked(list_.get(), frame.get(), RGB(255, 255, 255));
    ImageList_SetOverlayImage(list_.get(), SelectionFrameImage, kSelectionOverlay);
}

HIMAGELIST coverImageListOf(const AlbumCatalogue* catalogue) {
    if (!catalogue) return nullptr;
    const auto* list = dynamic_cast<const Win32CoverImageList*>(catalogue->coverImageList());
    return list ? list->handle() : nullptr;
}
