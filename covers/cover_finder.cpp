#include "covers/cover_finder.h"

#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "covers/cover_image.h"
#include "covers/cover_search.h"
#include "covers/cover_setter.h"
#include "covers/file_names.h"
#include "covers/file_stamp.h"
#include "covers/song_picture.h"
#include "covers/thumbnail_cache.h"
#include "win/debug_trace.h"

using Outcome = CoverResult::Outcome;

CoverPlan planFor(CoverWork work, int thumbnailEdge) {
    CoverPlan plan;
    plan.edge = thumbnailEdge;
    switch (work) {
        case CoverWork::Contents:
            plan.edge = kContentsCoverSize;
            plan.thumbnail = false;
            plan.trustCache = false;
            plan.readCache = false;
            break;
        case CoverWork::Visible:
            plan.cacheLater = true;
            break;
        case CoverWork::Set:
        case CoverWork::Rebuild:
            plan.trustCache = false;
            break;
        case CoverWork::Check:
            plan.searchPastCache = true;
            plan.readCache = false;
            break;
        case CoverWork::Prepare:
            plan.readCache = false;
            plan.keepPixels = false;
            break;
    }
    return plan;
}

namespace {

class CoverFinder {
  public:
    CoverFinder(const CoverJob& job, CoverStores& stores, const std::function<void()>& decoding,
                LaterCacheWrites* later)
        : job_(job),
          stores_(stores),
          decoding_(decoding),
          plan_(planFor(job.work, job.key.edge)),
          later_(plan_.cacheLater ? later : nullptr),
          folder_(job.key.folder.c_str()) {
        result_.work = job.work;
        result_.key = job.key;
        result_.order = job.order;
    }

    CoverResult run();

  private:
    bool fromImageFile(const char* path);
    bool fromSongs();
    bool fromCacheAlone(bool sawCache);
    bool fromSmallCache();
    bool search();
    // The current cache stands for the source: read, or only known.
    bool fromCache();
    // A decoded source (the file `source` of that stamp) becomes the
    // picture; its thumbnail is cached.
    bool fromDecoded(CoverImage& image, const char* source, const FileStamp& sourceStamp);
    void keep(CoverPixels pixels);
    // A source is about to be read and decoded.
    void noteDecoding();

    const CoverJob& job_;
    CoverStores& stores_;
    const std::function<void()>& decoding_;
    bool decodingNoted_ = false;
    const CoverPlan plan_;
    LaterCacheWrites* const later_;
    const char* folder_;
    CacheFile cache_;
    bool cacheCurrent_ = false;
    // Whatever was looked at: a change of one may bring a cover.
    std::vector<std::string> watched_;
    CoverResult result_;
};

CoverResult CoverFinder::run() {
    const CoverRule& rule = job_.key.rule;
    if (job_.work == CoverWork::Set) {
        // One at a time: two pictures set for one folder would each move
        // the other's file aside.
        const std::lock_guard<std::mutex> lock(stores_.settingCover);
        if (job_.source) result_.set = setAlbumCover(folder_, rule, *job_.source);
        if (result_.set.result != SetCoverOutcome::Result::Set) {
            result_.outcome = Outcome::Unchanged;
            return std::move(result_);
        }
    }
    if (job_.work == CoverWork::Rebuild || job_.work == CoverWork::Set)
        stores_.missing.forget(job_.key.folder);
    if (stores_.missing.known(job_.key.folder, rule, job_.key.picture)) return result_;

    if (plan_.thumbnail) locateCache(folder_, plan_.edge, stores_.userCache, cache_);
    cacheCurrent_ = plan_.trustCache && !cache_.path.empty();
    watched_.emplace_back(folder_);
    if (cacheCurrent_) watched_.push_back(cache_.path);

    bool shown = false;
    if (rule.mode != AnyImage) {
        char named[kCoverPathSize];
        if (joinPath(folder_, rule.imageName.c_str(), named)) {
            shown = fromImageFile(named);
            // A name in a subfolder: that folder's change may bring it.
            const char* slash = std::strrchr(named, '\\');
            if (slash) watched_.emplace_back(named, static_cast<std::size_t>(slash - named));
        }
    }
    if (!shown && rule.mode != NamedImage) shown = search();

    if (shown) {
        stores_.missing.forget(job_.key.folder);
    } else {
        result_.outcome = Outcome::None;
        stores_.missing.remember(job_.key.folder, rule, job_.key.picture, watched_);
    }
    return std::move(result_);
}

// An image file: the thumbnail comes from the cache while no newer image
// than it exists (a missing one leaves it current too).
bool CoverFinder::fromImageFile(const char* path) {
    const ImageFormat format = formatOfName(path);
    if (format == kFormatNone) return false;
    FileStamp stamp;
    const bool stamped = fileStamp(path, stamp);
    // A file overwritten in place leaves its folder's time alone.
    if (stamped) watched_.emplace_back(path);
    if (cacheCurrent_ && stamped && stamp.time > cache_.time) cacheCurrent_ = false;
    if (cacheCurrent_) {
        if (stamped) return fromCache();
        // The named file is absent: the cache is shown without a search,
        // which a check then makes, looking for a newer source.
        const bool searchLater = job_.key.rule.mode == NamedThenAny;
        if (searchLater && plan_.searchPastCache) return false;
        result_.checked = !searchLater;
        return fromCache();
    }
    if (!stamped) return false;
    noteDecoding();
    CoverImage image;
    return image.load(path, format) && fromDecoded(image, path, stamp);
}

// A picture inside one of the album's first songs. The cache stays current
// while it is newer than each of those songs.
bool CoverFinder::fromSongs() {
    const std::vector<std::string>& songs = job_.songs;
    if (songs.empty()) return false;
    bool songsOlder = true;
    std::vector<FileStamp> stamps(songs.size());
    for (std::size_t i = 0; i < songs.size(); ++i) {
        if (fileStamp(songs[i].c_str(), stamps[i]) && stamps[i].time > cache_.time)
            songsOlder = false;
    }
    if (cacheCurrent_ && songsOlder) return fromCache();
    noteDecoding();
    for (std::size_t i = 0; i < songs.size(); ++i) {
        const char* song = songs[i].c_str();
        std::string failure;
        std::vector<uint8_t> picture = readSongPicture(song, &failure);
        if (!failure.empty())
            coverhall::traceFailure("cannot read the picture in", song, failure.c_str());
        if (picture.empty()) continue;
        watched_.push_back(songs[i]);
        CoverImage image;
        return image.loadBytes(std::move(picture), song) && fromDecoded(image, song, stamps[i]);
    }
    return false;
}

// A folder holding no cover but the cache still shows the cache; the
// Contents view then scales up the one beside the album, which it reads
// only when the search came to it, as the folder rule always did.
bool CoverFinder::fromCacheAlone(bool sawCache) {
    if (plan_.thumbnail) {
        if (!cache_.path.empty() && fromCache()) return true;
        return plan_.edge != kBesideCacheEdge && fromSmallCache();
    }
    char beside[kCoverPathSize];
    if (!sawCache || !joinPath(folder_, kCacheFileName, beside)) return false;
    noteDecoding();
    CoverImage image;
    return image.load(beside, kFormatBmp) && fromDecoded(image, beside, FileStamp{});
}

// A larger cover without a cache of its own edge: the 100-pixel cache, the
// album's last picture, scaled up and cached at this edge.
bool CoverFinder::fromSmallCache() {
    CacheFile small;
    locateCache(folder_, kBesideCacheEdge, stores_.userCache, small);
    FileStamp stamp;
    if (small.path.empty() || !fileStamp(small.path.c_str(), stamp)) return false;
    watched_.push_back(small.path);
    noteDecoding();
    CoverImage image;
    return image.load(small.path.c_str(), kFormatBmp) &&
           fromDecoded(image, small.path.c_str(), stamp);
}

bool CoverFinder::search() {
    CoverSearch found;
    findCoverImage(folder_, job_.albumTitle, job_.songs.empty() ? "" : job_.songs.front(), found);
    watched_.insert(watched_.end(), found.folders.begin(), found.folders.end());
    if (!found.image.empty()) return fromImageFile(found.image.c_str());
    if (job_.key.rule.songPictures && fromSongs()) return true;
    return fromCacheAlone(found.sawCache);
}

bool CoverFinder::fromCache() {
    if (!plan_.readCache) {
        result_.outcome = job_.work == CoverWork::Prepare ? Outcome::Prepared : Outcome::Unchanged;
        return true;
    }
    // Shown as it is stored, without resampling; one that is not a whole
    // thumbnail of the slot's size is no cover.
    CoverImage image;
    if (!image.loadCache(cache_.path.c_str(), plan_.edge)) return false;
    keep(image.takePixels());
    return !result_.pixels.empty();
}

bool CoverFinder::fromDecoded(CoverImage& image, const char* source, const FileStamp& sourceStamp) {
    // An image the scaler refuses would be cached and shown at its own size.
    if (!image.resample(plan_.edge, plan_.edge, plan_.thumbnail)) return false;
    bool cached = true;
    if (plan_.thumbnail && later_)
        later_->add(folder_, cache_, image.bmpFile(), source, sourceStamp);
    else if (plan_.thumbnail)
        cached = saveCache(folder_, cache_, stores_.userCache, image.bmpFile());
    // A source was compared and decoded: the picture is as new as it gets.
    result_.checked = true;
    // A thumbnail no cache could take goes to the window even when only the
    // cache was asked for: it would otherwise be decoded at every request.
    if (plan_.keepPixels || !cached) {
        keep(image.takePixels());
        if (result_.pixels.empty()) return false;
    } else {
        result_.outcome = Outcome::Prepared;
    }
    return true;
}

void CoverFinder::noteDecoding() {
    if (decodingNoted_ || !decoding_) return;
    decodingNoted_ = true;
    decoding_();
}

void CoverFinder::keep(CoverPixels pixels) {
    result_.pixels = std::move(pixels);
    result_.outcome = Outcome::Shown;
}

}  // namespace

CoverResult findCover(const CoverJob& job, CoverStores& stores,
                      const std::function<void()>& decoding, LaterCacheWrites* later) {
    try {
        return CoverFinder(job, stores, decoding, later).run();
    } catch (...) {
        // A failure inside the image layer is no cover.
        coverhall::traceCurrentException("cover request failed for", job.key.folder.c_str());
        CoverResult failed;
        failed.work = job.work;
        failed.key = job.key;
        failed.order = job.order;
        return failed;
    }
}
