#include "covers/album_cover.h"

#include <cstdint>
#include <cstring>
#include <string>

#include "catalogue/album_record.h"
#include "covers/cover_image.h"
#include "covers/cover_image_list_win32.h"
#include "covers/cover_search.h"
#include "covers/file_names.h"
#include "covers/module_objects.h"
#include "resources/resource_ids.h"
#include "win/com_apartment.h"
#include "win/module_bitmaps.h"

coverhall::UniqueBitmap g_thumbnailBitmap;
coverhall::UniqueBitmap g_contentsCoverBitmap;

namespace {

// A file's last-write time and size, as one stamp of its content.
struct FileStamp {
    uint64_t time = 0;
    uint64_t size = 0;
    bool operator==(const FileStamp& other) const {
        return time == other.time && size == other.size;
    }
};

bool fileStamp(const char* path, FileStamp& stamp) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data)) return false;
    stamp.time = static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32 |
                 data.ftLastWriteTime.dwLowDateTime;
    stamp.size = static_cast<uint64_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
    return true;
}

bool lastWriteTime(const char* path, uint64_t& time) {
    FileStamp stamp;
    if (!fileStamp(path, stamp)) return false;
    time = stamp.time;
    return true;
}

// The image file g_contentsCoverBitmap was made from; empty for the
// placeholder. Showing the same unchanged file again keeps the bitmap instead
// of decoding the image anew (flipping between an album's views, "<<" and
// ">>" back to it).
struct ShownCover {
    std::string path;
    FileStamp stamp;
};
ShownCover g_shownCover;

void copyName(const char* name, char (&out)[kCoverPathSize]) {
    out[0] = '\0';
    if (!name) return;
    const std::size_t length = strnlen(name, kCoverPathSize - 1);
    std::memcpy(out, name, length);
    out[length] = '\0';
}

struct CoverRequest {
    const char* folder;
    HWND pictureControl;
    HIMAGELIST thumbnails;  // thumbnails only
    bool hasCachePath;
    char cachePath[kCoverPathSize];
    bool cacheCurrent;
    uint64_t cacheTime;
};

// The picture takes the new bitmap before the old one is deleted.
void showPicture(HWND pictureControl, coverhall::UniqueBitmap cover) {
    g_shownCover = ShownCover{};
    SendMessageA(pictureControl, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(cover.get()));
    g_contentsCoverBitmap = std::move(cover);
}

// Shows the bitmap already made from this file, if it is unchanged.
bool showKeptPicture(HWND pictureControl, const char* imagePath, const FileStamp& stamp) {
    if (!g_contentsCoverBitmap || g_shownCover.path != imagePath || !(g_shownCover.stamp == stamp))
        return false;
    const auto kept = reinterpret_cast<LPARAM>(g_contentsCoverBitmap.get());
    if (SendMessageA(pictureControl, STM_GETIMAGE, IMAGE_BITMAP, 0) != kept)
        SendMessageA(pictureControl, STM_SETIMAGE, IMAGE_BITMAP, kept);
    return true;
}

bool showThumbnail(CoverRequest& request, CoverImage& image, const char* imagePath,
                   ImageFormat format) {
    if (request.cacheCurrent) {
        // The cache is shown as it is stored, without resampling; one that
        // is not a whole thumbnail of the slot's size is no cover.
        if (!image.loadCache(request.cachePath, kThumbnailSize)) return false;
    } else {
        // An image the scaler refuses would be cached and shown at its own
        // size.
        if (!image.load(imagePath, format) ||
            !image.resample(kThumbnailSize, kThumbnailSize, true)) {
            return false;
        }
        if (request.hasCachePath) image.save(request.cachePath);
    }
    g_thumbnailBitmap.reset(image.makeBitmap());
    if (!g_thumbnailBitmap) return false;
    const coverhall::UniqueBitmap mask =
        loadBitmapResource(bitmapModule(), IDB_THUMB_MASK, kThumbnailSize, kThumbnailSize);
    // A slot that is missing or could not be refilled holds another album's
    // cover, or nothing: that must not be reported as this album's.
    return ImageList_GetImageCount(request.thumbnails) > ThumbnailImage &&
           ImageList_Replace(request.thumbnails, ThumbnailImage, g_thumbnailBitmap.get(),
                             mask.get());
}

bool showContentsCover(CoverRequest& request, CoverImage& image, const char* imagePath,
                       ImageFormat format) {
    FileStamp stamp;
    const bool stamped = fileStamp(imagePath, stamp);
    if (stamped && showKeptPicture(request.pictureControl, imagePath, stamp)) return true;
    if (!image.load(imagePath, format) ||
        !image.resample(kContentsCoverSize, kContentsCoverSize, false)) {
        return false;
    }
    coverhall::UniqueBitmap cover(image.makeBitmap());
    if (!cover) return false;
    showPicture(request.pictureControl, std::move(cover));
    if (stamped) g_shownCover = ShownCover{imagePath, stamp};
    return true;
}

bool runPass(CoverRequest& request, const char* candidate) {
    const ImageFormat format = formatOfName(candidate);
    if (format == kFormatNone) return false;
    char imagePath[kCoverPathSize];
    if (!joinPath(request.folder, candidate, imagePath)) return false;
    uint64_t imageTime = 0;
    if (request.cacheCurrent && lastWriteTime(imagePath, imageTime) &&
        imageTime > request.cacheTime) {
        request.cacheCurrent = false;
    }
    CoverImage image;
    return request.pictureControl ? showContentsCover(request, image, imagePath, format)
                                  : showThumbnail(request, image, imagePath, format);
}

int loadCover(const AlbumRecord* album, const char* imageName, int mode, HWND pictureControl,
              HIMAGELIST thumbnails) {
    CoverRequest request{};
    request.pictureControl = pictureControl;
    if (!pictureControl) {
        g_thumbnailBitmap.reset();
        request.thumbnails = thumbnails;
        if (!request.thumbnails) return 0;
    }
    if (!album) return 0;
    if (mode < AnyImage || mode > NamedThenAny) mode = NamedThenAny;
    request.folder = album->folder.c_str();

    const ComApartment apartment;
    request.hasCachePath = joinPath(request.folder, kCacheFileName, request.cachePath);
    request.cacheCurrent =
        request.hasCachePath && lastWriteTime(request.cachePath, request.cacheTime);

    char candidate[kCoverPathSize];
    if (mode == AnyImage) {
        findCoverImage(request.folder, candidate);
    } else {
        copyName(imageName, candidate);
    }
    bool shown = runPass(request, candidate);
    if (!shown && mode == NamedThenAny) {
        findCoverImage(request.folder, candidate);
        shown = runPass(request, candidate);
    }
    return shown ? 1 : 0;
}

void showPlaceholder(HWND pictureControl) {
    showPicture(pictureControl, loadBitmapResource(bitmapModule(), IDB_NO_COVER, kContentsCoverSize,
                                                   kContentsCoverSize));
}

}  // namespace

int loadAlbumCover(const AlbumRecord* album, const char* imageName, int mode, HWND pictureControl,
                   HIMAGELIST thumbnails) {
    int shown = 0;
    try {
        shown = loadCover(album, imageName, mode, pictureControl, thumbnails);
    } catch (...) {
        shown = 0;  // a failure inside the image layer is no cover
    }
    if (pictureControl && !shown) {
        try {
            showPlaceholder(pictureControl);
        } catch (...) {
        }
    }
    return shown;
}

void releaseCoverBitmap() {
    g_shownCover = ShownCover{};
    g_thumbnailBitmap.reset();
    g_contentsCoverBitmap.reset();
}
