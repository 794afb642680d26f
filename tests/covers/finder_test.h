// The cover rule run as a cover worker runs it, on the test's own thread:
// an imaging scope, the workers' stores with the per-user cache in a folder
// of the test's own, and the last result, whose pixels the checks read.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "covers/cover_finder.h"
#include "covers/imaging_factory.h"
#include "tests/covers/test_images.h"

class FinderTest : public testing::Test {
  protected:
    FinderTest();

    // Stores made anew: nothing remembered, the per-user cache in `folder`
    // (a file there: no per-user cache can be written) holding at most
    // maxFiles.
    void remakeStores(const std::string& folder, std::size_t maxFiles = kMaxUserCoverCacheFiles);

    // Runs one job for the album of `folder`; the result is kept in last_.
    const CoverResult& find(CoverWork work, const std::string& folder, const CoverRule& rule,
                            const std::string& title = {},
                            const std::vector<std::string>& songs = {});
    bool shown() const { return last_.outcome == CoverResult::Outcome::Shown; }
    uint32_t centreColour() const;

    ImagingScope imaging_;
    // Where thumbnails' caches wait, when set, as on a worker.
    LaterCacheWrites* later_ = nullptr;
    TempFolder userCache_;
    std::unique_ptr<CoverStores> stores_;
    CoverResult last_;
};
