#include "covers/cover_image_list_win32.h"

#include <cstddef>
#include <vector>

#include "catalogue/album_catalogue.h"
#include "covers/cover_job.h"
#include "covers/pixel_bitmap.h"
#include "resources/resource_ids.h"
#include "win/module_bitmaps.h"

Win32CoverImageList::Win32CoverImageList(int edge, HMODULE module)
    : list_(ImageList_Create(edge, edge, ILC_COLOR24 | ILC_MASK, 3, 0)) {
    if (!list_) return;
    const coverhall::UniqueBitmap noCover = loadBitmapAtEdge(module, IDB_NO_COVER, edge);
    const coverhall::UniqueBitmap mask = loadBitmapAtEdge(module, IDB_THUMB_MASK, edge);
    // Black around the disc case is transparent in the placeholder; the
    // thumbnail slot's all-black mask draws every pixel.
    if (noCover) {
        ImageList_AddMasked(list_.get(), noCover.get(), RGB(0, 0, 0));
        ImageList_Add(list_.get(), noCover.get(), mask.get());
    }
    const coverhall::UniqueBitmap frame = loadBitmapAtEdge(module, IDB_SELECTION_FRAME, edge);
    // White leaves the cover under the frame visible.
    if (frame) ImageList_AddMasked(list_.get(), frame.get(), RGB(255, 255, 255));
    ImageList_SetOverlayImage(list_.get(), SelectionFrameImage, kSelectionOverlay);
}

HIMAGELIST coverImageListOf(const AlbumCatalogue* catalogue) {
    if (!catalogue) return nullptr;
    const auto* list = dynamic_cast<const Win32CoverImageList*>(catalogue->coverImageList());
    return list ? list->handle() : nullptr;
}

coverhall::UniqueBitmap loadBitmapAtEdge(HMODULE module, int id, int edge) {
    if (edge == kThumbnailSize) return loadBitmapResource(module, id, edge, edge);
    const coverhall::UniqueBitmap own = loadBitmapResource(module, id, 0, 0);
    BITMAP header{};
    if (!own || edge <= 0 || !GetObjectA(own.get(), sizeof header, &header) ||
        header.bmWidth <= 0 || header.bmHeight <= 0)
        return {};
    const int width = header.bmWidth, height = header.bmHeight;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    const std::size_t stride = static_cast<std::size_t>((width * 3 + 3) & ~3);
    std::vector<uint8_t> source(stride * static_cast<std::size_t>(height));
    const coverhall::WindowDc screen(nullptr);
    if (!screen.get() || GetDIBits(screen.get(), own.get(), 0, static_cast<UINT>(height),
                                   source.data(), &info, DIB_RGB_COLORS) != height)
        return {};
    CoverPixels scaled;
    scaled.width = scaled.height = edge;
    scaled.bgr.resize(static_cast<std::size_t>(scaled.stride()) * static_cast<std::size_t>(edge));
    for (int y = 0; y < edge; ++y) {
        const uint8_t* row = source.data() + stride * static_cast<std::size_t>(y * height / edge);
        uint8_t* out = scaled.bgr.data() + static_cast<std::size_t>(scaled.stride()) * y;
        for (int x = 0; x < edge; ++x) {
            const uint8_t* pixel = row + static_cast<std::size_t>(x * width / edge) * 3;
            out[x * 3] = pixel[0];
            out[x * 3 + 1] = pixel[1];
            out[x * 3 + 2] = pixel[2];
        }
    }
    return coverhall::UniqueBitmap(makeDibSection(viewOf(scaled)));
}
