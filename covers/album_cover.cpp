#include "covers/album_cover.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "catalogue/album_record.h"
#include "catalogue/song_record.h"
#include "covers/cover_image.h"
#include "covers/cover_image_list_win32.h"
#include "covers/cover_search.h"
#include "covers/file_names.h"
#include "covers/file_stamp.h"
#include "covers/missing_covers.h"
#include "covers/plugin_state.h"
#include "covers/song_picture.h"
#include "covers/thumbnail_cache.h"
#include "resources/resource_ids.h"
#include "win/debug_trace.h"
#include "win/module_bitmaps.h"

namespace {

// Songs whose tags are read for a picture, at most, in load order.
constexpr std::size_t kSongsReadForPicture = 3;

// The source of the state's contentsCoverBitmap (an image file, or the song
// whose picture it is); empty for the placeholder. Showing the same
// unchanged file again keeps the bitmap instead of decoding it anew
// (flipping between an album's views, "<<" and ">>" back to it).
struct ShownCover {
    std::string path;
    FileStamp stamp;
};
ShownCover g_shownCover;

MissingCovers g_missingCovers;

constexpr std::size_t kMaxKeptThumbnails = 256;

void forgetKeptThumbnail(std::vector<KeptThumbnail>& kept, const std::string& folder) {
    for (auto it = kept.begin(); it != kept.end(); ++it) {
        if (it->folder == folder) {
            kept.erase(it);
            return;
        }
    }
}

// The oldest go first when too many are kept.
void keepThumbnail(std::vector<KeptThumbnail>& kept, const std::string& folder,
                   coverhall::UniqueBitmap bitmap) {
    if (!bitmap) return;
    forgetKeptThumbnail(kept, folder);
    if (kept.size() == kMaxKeptThumbnails) kept.erase(kept.begin());
    kept.push_back(KeptThumbnail{folder, std::move(bitmap)});
}

struct CoverRequest {
    PluginState* state;  // holds the bitmaps
    const AlbumRecord* album;
    const char* folder;
    HWND pictureControl;
    HIMAGELIST thumbnails;  // thumbnails only
    CacheFile cache;
    bool cacheCurrent;
    // Some source decoded: a failure after that (an image list that cannot
    // take the thumbnail) is no proof that the album has no cover.
    bool decoded;
    // Whether a thumbnail may be decoded now; when not, the request ends
    // where it would decode and is left pending.
    bool mayDecode;
    bool pending;
    // Only the cache is made current: a current one is not read, and a new
    // thumbnail goes into the cache, not into the slot.
    bool cacheOnly;
    // A new thumbnail's cache is written later (saveUnsavedThumbnail).
    bool cacheLater;
    // The file the last source was read from, and its stamp then.
    std::string source;
    FileStamp sourceStamp;
    // Whatever was looked at: a change of one may bring a cover.
    std::vector<std::string> watched;
};

// The picture takes the new bitmap before the old one is deleted.
void showPicture(PluginState& state, HWND pictureControl, coverhall::UniqueBitmap cover) {
    g_shownCover = ShownCover{};
    SendMessageA(pictureControl, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(cover.get()));
    state.contentsCoverBitmap = std::move(cover);
}

// Shows the bitmap already made from this file, if it is unchanged.
bool showKeptPicture(const CoverRequest& request, const char* sourcePath, const FileStamp& stamp) {
    const coverhall::UniqueBitmap& shown = request.state->contentsCoverBitmap;
    if (!shown || g_shownCover.path != sourcePath || !(g_shownCover.stamp == stamp)) return false;
    HWND pictureControl = request.pictureControl;
    const auto kept = reinterpret_cast<LPARAM>(shown.get());
    if (SendMessageA(pictureControl, STM_GETIMAGE, IMAGE_BITMAP, 0) != kept)
        SendMessageA(pictureControl, STM_SETIMAGE, IMAGE_BITMAP, kept);
    return true;
}

// The image list copies the bitmap into its thumbnail slot. A slot that is
// missing or could not be refilled holds another album's cover, or nothing:
// that must not be reported as this album's.
bool replaceThumbnailSlot(PluginState& state, HIMAGELIST thumbnails, HBITMAP bitmap) {
    // The mask is the same for every thumbnail: loaded once.
    if (!state.thumbnailMask)
        state.thumbnailMask =
            loadBitmapResource(bitmapModule(), IDB_THUMB_MASK, kThumbnailSize, kThumbnailSize);
    return ImageList_GetImageCount(thumbnails) > ThumbnailImage &&
           ImageList_Replace(thumbnails, ThumbnailImage, bitmap, state.thumbnailMask.get());
}

// Puts the image into the thumbnail slot.
bool fillThumbnailSlot(CoverRequest& request, CoverImage& image) {
    coverhall::UniqueBitmap& thumbnail = request.state->thumbnailBitmap;
    thumbnail.reset(image.makeBitmap());
    if (!thumbnail) return false;
    request.decoded = true;
    return replaceThumbnailSlot(*request.state, request.thumbnails, thumbnail.get());
}

// The folder's thumbnail when the slot holds it just decoded (the redraw
// right after the decode), or when it is kept.
bool showKeptThumbnail(PluginState& state, const std::string& folder, HIMAGELIST thumbnails) {
    if (state.decodedInto == thumbnails && state.decodedFolder == folder) {
        state.decodedInto = nullptr;
        return true;
    }
    for (const KeptThumbnail& kept : state.keptThumbnails)
        if (kept.folder == folder)
            return replaceThumbnailSlot(state, thumbnails, kept.bitmap.get());
    return false;
}

bool isThumbnailKept(const PluginState& state, const char* folder) {
    for (const KeptThumbnail& kept : state.keptThumbnails)
        if (kept.folder == folder) return true;
    return false;
}

// The cache is shown as it is stored, without resampling; one that is not
// a whole thumbnail of the slot's size is no cover.
bool showCachedThumbnail(CoverRequest& request) {
    if (request.cacheOnly) return true;
    CoverImage image;
    return image.loadCache(request.cache.path.c_str(), kThumbnailSize) &&
           fillThumbnailSlot(request, image);
}

// The oldest unsaved caches are written first when too many wait.
constexpr std::size_t kMaxUnsavedThumbnails = 128;

void saveUnsaved(PluginState& state, std::size_t index);

void leaveUnsaved(PluginState& state, const CoverRequest& request, std::vector<uint8_t> bmp) {
    state.unsavedThumbnails.push_back(
        UnsavedThumbnail{request.folder, std::move(bmp), request.source, request.sourceStamp});
    if (state.unsavedThumbnails.size() > kMaxUnsavedThumbnails) saveUnsaved(state, 0);
}

// A decoded source becomes the thumbnail and is cached, at once or later;
// an image the scaler refuses would be cached and shown at its own size.
bool showNewThumbnail(CoverRequest& request, CoverImage& image) {
    if (!image.resample(kThumbnailSize, kThumbnailSize, true)) return false;
    PluginState& state = *request.state;
    const bool cached =
        !request.cacheLater && saveCache(request.folder, request.cache, image.bmpFile());
    if (request.cacheOnly) {
        request.decoded = true;
        if (!cached)
            keepThumbnail(state.keptThumbnails, request.folder,
                          coverhall::UniqueBitmap(image.makeBitmap()));
        return true;
    }
    if (!fillThumbnailSlot(request, image)) return false;
    state.decodedInto = request.thumbnails;
    state.decodedFolder = request.folder;
    // Without a cache the next draw would decode it again. The slot holds
    // its own copy of the bitmap.
    if (!cached)
        keepThumbnail(state.keptThumbnails, request.folder, std::move(state.thumbnailBitmap));
    if (request.cacheLater) leaveUnsaved(state, request, image.bmpFile());
    return true;
}

// A thumbnail that would have to be decoded now: the request is pending.
bool deferDecode(CoverRequest& request) {
    request.pending = true;
    return false;
}

bool showContentsCover(CoverRequest& request, CoverImage& image, const char* sourcePath,
                       const FileStamp* stamp) {
    if (!image.resample(kContentsCoverSize, kContentsCoverSize, false)) return false;
    coverhall::UniqueBitmap cover(image.makeBitmap());
    if (!cover) return false;
    request.decoded = true;
    showPicture(*request.state, request.pictureControl, std::move(cover));
    if (stamp) g_shownCover = ShownCover{sourcePath, *stamp};
    return true;
}

// An image file: the thumbnail comes from the cache while no newer image
// than it exists (a missing one leaves it current too).
bool showImageFile(CoverRequest& request, const char* imagePath) {
    const ImageFormat format = formatOfName(imagePath);
    if (format == kFormatNone) return false;
    FileStamp stamp;
    const bool stamped = fileStamp(imagePath, stamp);
    // A file overwritten in place leaves its folder's time alone.
    if (stamped) request.watched.emplace_back(imagePath);
    if (request.cacheCurrent && stamped && stamp.time > request.cache.time) {
        request.cacheCurrent = false;
    }
    if (!request.pictureControl && request.cacheCurrent) return showCachedThumbnail(request);
    if (!stamped) return false;
    if (!request.pictureControl && !request.mayDecode) return deferDecode(request);
    CoverImage image;
    if (!request.pictureControl) {
        request.source = imagePath;
        request.sourceStamp = stamp;
        return image.load(imagePath, format) && showNewThumbnail(request, image);
    }
    return showKeptPicture(request, imagePath, stamp) ||
           (image.load(imagePath, format) && showContentsCover(request, image, imagePath, &stamp));
}

// The album's first songs in the order the library delivered them: a song
// sort of a shown album reorders its songs, the library's album keeps them.
std::vector<const char*> firstSongFiles(const AlbumRecord& album) {
    const AlbumRecord* ordered = &album;
    if (album.songsResorted) {
        const AlbumRecord* library = libraryCatalogue().albumWithFolder(album.folder);
        if (library && !library->songsResorted) ordered = library;
    }
    std::vector<const char*> files;
    for (const SongRecord* song : ordered->songs) {
        if (files.size() == kSongsReadForPicture) break;
        if (song && !song->fileName.empty()) files.push_back(song->fileName.c_str());
    }
    return files;
}

// A picture inside one of the album's first songs. The thumbnail cache
// stays current while it is newer than each of those songs.
bool showSongPicture(CoverRequest& request) {
    const std::vector<const char*> songs = firstSongFiles(*request.album);
    if (songs.empty()) return false;
    std::vector<FileStamp> stamps(songs.size());
    std::vector<bool> stamped(songs.size());
    bool songsOlder = true;
    for (std::size_t i = 0; i < songs.size(); ++i) {
        stamped[i] = fileStamp(songs[i], stamps[i]);
        if (stamped[i] && stamps[i].time > request.cache.time) songsOlder = false;
    }
    if (!request.pictureControl && request.cacheCurrent && songsOlder)
        return showCachedThumbnail(request);
    if (!request.pictureControl && !request.mayDecode) return deferDecode(request);
    for (std::size_t i = 0; i < songs.size(); ++i) {
        if (request.pictureControl && stamped[i] && showKeptPicture(request, songs[i], stamps[i])) {
            return true;
        }
        std::string failure;
        std::vector<uint8_t> picture = readSongPicture(songs[i], &failure);
        if (!failure.empty())
            coverhall::traceFailure("cannot read the picture in", songs[i], failure.c_str());
        if (picture.empty()) continue;
        request.watched.emplace_back(songs[i]);
        request.source = stamped[i] ? songs[i] : "";
        request.sourceStamp = stamps[i];
        CoverImage image;
        if (!image.loadBytes(std::move(picture), songs[i])) return false;
        return request.pictureControl
                   ? showContentsCover(request, image, songs[i], stamped[i] ? &stamps[i] : nullptr)
                   : showNewThumbnail(request, image);
    }
    return false;
}

// A folder holding no cover but the cache still shows the cache; the
// Contents view then scales it up.
bool showCacheAsCover(CoverRequest& request) {
    if (request.cache.path.empty()) return false;
    if (!request.pictureControl) return showCachedThumbnail(request);
    CoverImage image;
    return image.load(request.cache.path.c_str(), kFormatBmp) &&
           showContentsCover(request, image, request.cache.path.c_str(), nullptr);
}

bool searchForCover(CoverRequest& request, bool songPictures) {
    CoverSearch search;
    findCoverImage(request.folder, request.album->title, search);
    request.watched.insert(request.watched.end(), search.folders.begin(), search.folders.end());
    if (!search.image.empty()) return showImageFile(request, search.image.c_str());
    if (songPictures && showSongPicture(request)) return true;
    if (request.pending) return false;
    // The Contents view reads the cache only when the search comes to it,
    // and only the one beside the album, as the folder rule always did.
    if (request.pictureControl && !search.sawCache) return false;
    return showCacheAsCover(request);
}

// What a thumbnail request does: decode and show, the same but with the
// cache written later, show only what needs no decode, only make the cache
// current, or decode and show from the source even while the cache looks
// current, rewriting it (the cache alone still stands in when no source is
// found).
enum class ThumbnailUse { Show, ShowCacheLater, ShowAtHand, CacheOnly, Rebuild };

CoverState loadCover(PluginState& state, const AlbumRecord* album, const char* imageName, int mode,
                     HWND pictureControl, HIMAGELIST thumbnails, bool songPictures,
                     ThumbnailUse use) {
    CoverRequest request{};
    request.state = &state;
    request.pictureControl = pictureControl;
    request.mayDecode = use != ThumbnailUse::ShowAtHand;
    request.cacheOnly = use == ThumbnailUse::CacheOnly;
    request.cacheLater = use == ThumbnailUse::ShowCacheLater;
    if (!pictureControl && !request.cacheOnly) {
        state.thumbnailBitmap.reset();
        state.decodedInto = nullptr;
        request.thumbnails = thumbnails;
        if (!request.thumbnails) return CoverState::None;
    }
    if (!album) return CoverState::None;
    if (mode < AnyImage || mode > NamedThenAny) mode = NamedThenAny;
    request.album = album;
    request.folder = album->folder.c_str();
    const std::string folder(request.folder);
    const CoverRuleKey rule{mode, imageName ? imageName : "", songPictures && mode != NamedImage,
                            pictureControl != nullptr};
    if (g_missingCovers.known(folder, rule)) return CoverState::None;

    locateCache(request.folder, request.cache);
    // Without a cache any cover found would have to be decoded: the search
    // itself waits for the decode.
    if (!request.mayDecode && request.cache.path.empty()) return CoverState::Pending;
    request.cacheCurrent = use != ThumbnailUse::Rebuild && !request.cache.path.empty();
    request.watched.push_back(folder);
    if (request.cacheCurrent) request.watched.push_back(request.cache.path);

    bool shown = false;
    if (mode != AnyImage) {
        char named[kCoverPathSize];
        if (joinPath(request.folder, rule.imageName.c_str(), named)) {
            shown = showImageFile(request, named);
            // A name in a subfolder: that folder's change may bring it.
            const char* slash = std::strrchr(named, '\\');
            if (slash) request.watched.emplace_back(named, static_cast<std::size_t>(slash - named));
        }
    }
    if (!shown && !request.pending && mode != NamedImage)
        shown = searchForCover(request, rule.songPictures);

    if (shown) {
        g_missingCovers.forget(folder);
    } else if (request.pending) {
        return CoverState::Pending;
    } else if (!request.decoded) {
        g_missingCovers.remember(folder, rule, request.watched);
    }
    return shown ? CoverState::Shown : CoverState::None;
}

// Writes the unsaved cache at index, unless its source changed since it
// was read: the album is then decoded anew at its next request. The kept
// thumbnail goes either way, unless no cache could take it.
void saveUnsaved(PluginState& state, std::size_t index) {
    const UnsavedThumbnail unsaved = std::move(state.unsavedThumbnails[index]);
    state.unsavedThumbnails.erase(state.unsavedThumbnails.begin() +
                                  static_cast<std::ptrdiff_t>(index));
    FileStamp now;
    const bool unchanged = unsaved.source.empty() ||
                           (fileStamp(unsaved.source.c_str(), now) && now == unsaved.sourceStamp);
    if (!unchanged && state.decodedFolder == unsaved.folder) state.decodedInto = nullptr;
    CacheFile cache;
    cache.hasBesidePath = joinPath(unsaved.folder.c_str(), kCacheFileName, cache.besidePath);
    if (!unchanged || saveCache(unsaved.folder.c_str(), cache, unsaved.bmp))
        forgetKeptThumbnail(state.keptThumbnails, unsaved.folder);
}

// Where the folder's unsaved cache waits; the end when it has none.
std::vector<UnsavedThumbnail>::iterator findUnsaved(PluginState& state, const std::string& folder) {
    return std::find_if(state.unsavedThumbnails.begin(), state.unsavedThumbnails.end(),
                        [&](const UnsavedThumbnail& unsaved) { return unsaved.folder == folder; });
}

void showPlaceholder(PluginState& state, HWND pictureControl) {
    showPicture(
        state, pictureControl,
        loadBitmapResource(bitmapModule(), IDB_NO_COVER, kContentsCoverSize, kContentsCoverSize));
}

}  // namespace

int loadAlbumCover(const AlbumRecord* album, const char* imageName, int mode, HWND pictureControl,
                   HIMAGELIST thumbnails, bool songPictures) {
    PluginState* state = pluginState();
    if (!state) return 0;
    int shown = 0;
    try {
        shown = loadCover(*state, album, imageName, mode, pictureControl, thumbnails, songPictures,
                          ThumbnailUse::Show) == CoverState::Shown;
    } catch (...) {
        shown = 0;  // a failure inside the image layer is no cover
        coverhall::traceCurrentException("cover request failed for",
                                         album ? album->folder.c_str() : nullptr);
    }
    if (pictureControl && !shown) {
        try {
            showPlaceholder(*state, pictureControl);
        } catch (...) {
            coverhall::traceCurrentException("cannot show the placeholder");
        }
    }
    return shown;
}

int showAlbumThumbnail(const AlbumRecord* album, const char* imageName, int mode,
                       HIMAGELIST thumbnails, bool songPictures) {
    PluginState* state = pluginState();
    if (!state) return 0;
    try {
        return loadCover(*state, album, imageName, mode, nullptr, thumbnails, songPictures,
                         ThumbnailUse::ShowCacheLater) == CoverState::Shown;
    } catch (...) {
        coverhall::traceCurrentException("cover request failed for",
                                         album ? album->folder.c_str() : nullptr);
        return 0;
    }
}

bool saveUnsavedThumbnail() {
    PluginState* state = pluginState();
    if (!state || state->unsavedThumbnails.empty()) return false;
    try {
        saveUnsaved(*state, 0);
    } catch (...) {
        coverhall::traceCurrentException("cannot write a thumbnail cache");
    }
    return true;
}

void saveUnsavedThumbnails() {
    while (saveUnsavedThumbnail()) {
    }
}

CoverState thumbnailAtHand(const AlbumRecord* album, const char* imageName, int mode,
                           HIMAGELIST thumbnails, bool songPictures) {
    PluginState* state = pluginState();
    if (!state) return CoverState::None;
    try {
        if (album && thumbnails && showKeptThumbnail(*state, album->folder.c_str(), thumbnails))
            return CoverState::Shown;
        return loadCover(*state, album, imageName, mode, nullptr, thumbnails, songPictures,
                         ThumbnailUse::ShowAtHand);
    } catch (...) {
        return CoverState::None;  // as a failed decode would be
    }
}

CoverState prepareAlbumCover(const AlbumRecord* album, const char* imageName, int mode,
                             bool songPictures) {
    PluginState* state = pluginState();
    if (!state) return CoverState::None;
    try {
        if (album) {
            const auto unsaved = findUnsaved(*state, album->folder.c_str());
            if (unsaved != state->unsavedThumbnails.end())
                saveUnsaved(*state,
                            static_cast<std::size_t>(unsaved - state->unsavedThumbnails.begin()));
        }
        if (album && isThumbnailKept(*state, album->folder.c_str())) return CoverState::Shown;
        return loadCover(*state, album, imageName, mode, nullptr, nullptr, songPictures,
                         ThumbnailUse::CacheOnly);
    } catch (...) {
        coverhall::traceCurrentException("cover preparation failed for",
                                         album ? album->folder.c_str() : nullptr);
        return CoverState::None;
    }
}

int rebuildAlbumThumbnail(const AlbumRecord* album, const char* imageName, int mode,
                          HIMAGELIST thumbnails, bool songPictures) {
    PluginState* state = pluginState();
    if (!state) return 0;
    try {
        forgetMissingCover(album);
        return loadCover(*state, album, imageName, mode, nullptr, thumbnails, songPictures,
                         ThumbnailUse::Rebuild) == CoverState::Shown;
    } catch (...) {
        coverhall::traceCurrentException("cover rebuild failed for",
                                         album ? album->folder.c_str() : nullptr);
        return 0;
    }
}

void forgetMissingCover(const AlbumRecord* album) {
    if (!album) return;
    const std::string folder(album->folder.c_str());
    g_missingCovers.forget(folder);
    PluginState* state = pluginState();
    if (!state) return;
    const auto unsaved = findUnsaved(*state, folder);
    if (unsaved != state->unsavedThumbnails.end()) state->unsavedThumbnails.erase(unsaved);
    forgetKeptThumbnail(state->keptThumbnails, folder);
    if (state->decodedFolder == folder) state->decodedInto = nullptr;
}

void releaseCoverBitmap() {
    g_shownCover = ShownCover{};
    g_missingCovers.clear();
    saveUnsavedThumbnails();
    if (PluginState* state = pluginState()) {
        state->keptThumbnails.clear();
        state->decodedInto = nullptr;
        state->thumbnailBitmap.reset();
        state->thumbnailMask.reset();
        state->contentsCoverBitmap.reset();
    }
}
