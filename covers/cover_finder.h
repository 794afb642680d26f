// The cover rule as the workers run it. For one job it finds which source
// gives the album's picture (the named file, the best ranked image of its
// folders, a picture inside its first songs, or the thumbnail cache alone),
// whether the cache stands for that source, and what is decoded and
// written. What a job asks for is decided first, by a plan of its work
// (planFor); the steps that look at files then follow that plan.
#pragma once

#include <functional>
#include <mutex>

#include "covers/cover_job.h"
#include "covers/missing_covers.h"
#include "covers/thumbnail_cache.h"
#include "covers/user_cover_cache.h"

// What the workers share between jobs.
struct CoverStores {
    MissingCovers missing;
    UserCoverCache userCache;
    std::mutex settingCover;  // held while a picture the user gave is written
};

// What a job's work asks of the rule.
struct CoverPlan {
    int edge = kThumbnailSize;  // of the picture made
    bool thumbnail = true;      // the cache counts: it is read or written
    bool trustCache = true;     // a current cache stands for its source
    // Where the cache is shown without a search (the named file absent in
    // mode 2), the search still runs, and a newer source replaces the cache.
    bool searchPastCache = false;
    bool readCache = true;   // a current cache is read, not only known
    bool keepPixels = true;  // the result carries the picture
    // The thumbnail's cache is written once no visible cover waits.
    bool cacheLater = false;
};
// A thumbnail's plan makes it at thumbnailEdge.
CoverPlan planFor(CoverWork work, int thumbnailEdge = kThumbnailSize);

// Runs the job on the calling thread, which holds an ImagingScope. The
// cache is written as soon as a thumbnail is made, or added to `later`
// where the plan says so and it is given. `decoding`, when given, is called
// once, before the first source is read and decoded. Never throws.
CoverResult findCover(const CoverJob& job, CoverStores& stores,
                      const std::function<void()>& decoding = {},
                      LaterCacheWrites* later = nullptr);
