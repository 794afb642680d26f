// Which file names are an album's front cover, and which folders hold
// pictures or one disc of an album.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "covers/cover_rank.h"

TEST(CoverRank, NamesFallIntoTiersWhateverTheirCase) {
    const struct {
        const char* name;
        CoverTier tier;
    } cases[] = {
        {"folder.jpg", CoverTier::Front},
        {"Folder.JPG", CoverTier::Front},
        {"COVER.jpeg", CoverTier::Front},
        {"front.jpe", CoverTier::Front},
        {"AlbumArt_{00000000-0000-0000-0000-000000000000}_Large.jpg", CoverTier::Front},
        {"AlbumArtSmall.jpg", CoverTier::Front},
        {"my front scan.png", CoverTier::Likely},
        {"Covers2.png", CoverTier::Likely},
        {"Harbour Lights (remaster).png", CoverTier::Likely},  // the album's title
        {"scan001.jpg", CoverTier::Other},
        {"back.jpg", CoverTier::Unlikely},
        {"cover_back.jpg", CoverTier::Unlikely},  // a last-tier word always demotes
        {"Front Inlay.jpg", CoverTier::Unlikely},
        {"inside.png", CoverTier::Unlikely},
        {"tray.jpg", CoverTier::Unlikely},
        {"Booklet 01.jpg", CoverTier::Unlikely},
        {"cd.jpg", CoverTier::Unlikely},
        {"CD1.jpg", CoverTier::Unlikely},
        {"disc 2.png", CoverTier::Unlikely},
        {"discography.jpg", CoverTier::Other},
        {"cdcover.jpg", CoverTier::Likely},
    };
    for (const auto& c : cases) EXPECT_EQ(coverTierOf(c.name, "Harbour Lights"), c.tier) << c.name;
    // An empty title matches nothing.
    EXPECT_EQ(coverTierOf("scan.jpg", ""), CoverTier::Other);
}

TEST(CoverRank, ExtensionsAndFolderNames) {
    for (const char* name : {"a.bmp", "a.GIF", "a.jpg", "a.JPEG", "a.jpe", "a.jfif", "a.Png"})
        EXPECT_TRUE(hasCoverImageExtension(name)) << name;
    for (const char* name : {"a.tif", "a.webp", "jpg", "a.jpg.txt", "a."})
        EXPECT_FALSE(hasCoverImageExtension(name)) << name;

    for (const char* name : {"Scans", "covers", "ARTWORK", "art", "Images"})
        EXPECT_TRUE(isPictureFolderName(name)) << name;
    for (const char* name : {"scan", "artworks", "CD1", ""})
        EXPECT_FALSE(isPictureFolderName(name)) << name;
}

TEST(CoverRank, BetterTierThenLargerFileThenName) {
    std::vector<CoverCandidate> candidates = {
        {"back.jpg", 900000, CoverTier::Unlikely},
        {"AlbumArtSmall.jpg", 2000, CoverTier::Front},
        {"scan.jpg", 50000, CoverTier::Other},
        {"b-folder.jpg", 30000, CoverTier::Front},
        {"AlbumArt_Large.jpg", 30000, CoverTier::Front},
    };
    std::sort(candidates.begin(), candidates.end(), isBetterCover);
    const char* expected[] = {"AlbumArt_Large.jpg", "b-folder.jpg", "AlbumArtSmall.jpg", "scan.jpg",
                              "back.jpg"};
    for (std::size_t i = 0; i < candidates.size(); ++i)
        EXPECT_EQ(candidates[i].name, expected[i]) << i;
}
