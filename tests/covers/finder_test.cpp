#include "tests/covers/finder_test.h"

FinderTest::FinderTest() {
    remakeStores(userCache_.path());
}

void FinderTest::remakeStores(const std::string& folder, std::size_t maxFiles) {
    // CoverStores holds mutexes: made in place, never moved.
    stores_.reset(new CoverStores{{}, UserCoverCache(folder, maxFiles), {}});
}

const CoverResult& FinderTest::find(CoverWork work, const std::string& folder,
                                    const CoverRule& rule, const std::string& title,
                                    const std::vector<std::string>& songs) {
    CoverJob job;
    job.work = work;
    job.key.folder = folder;
    job.key.rule = rule;
    job.key.picture =
        work == CoverWork::Contents ? CoverPicture::Contents : CoverPicture::Thumbnail;
    job.albumTitle = title;
    job.songs = songs;
    last_ = findCover(job, *stores_, {}, later_);
    return last_;
}

uint32_t FinderTest::centreColour() const {
    return pixelAt(last_.pixels, last_.pixels.width / 2, last_.pixels.height / 2);
}
