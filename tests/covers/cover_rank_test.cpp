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

TEST(CoverRank, AFolderNameLeadsTheFrontNamesAndSizeDecidesBetweenTheSameName) {
    const struct {
        const char* a;
        uint64_t sizeA;
        const char* b;
        uint64_t sizeB;
        bool aBetter;
    } cases[] = {
        {"folder.jpg", 1000, "cover.jpg", 90000, true},  // a cover set by hand wins
        {"Folder.PNG", 1000, "AlbumArt_Large.jpg", 90000, true},
        {"front.jpg", 90000, "folder.gif", 10, false},
        {"C:\\Album\\Scans\\folder.jpg", 1, "C:\\Album\\Scans\\cover.jpg", 2, true},
        {"folder.png", 5000, "folder.jpg", 3000, true},  // the same name: the larger
        {"folder.jpg", 3000, "FOLDER.jpeg", 5000, false},
        {"cover.jpg", 900, "front.jpg", 500, true},  // the other Front names as before
        {"front.jpg", 500, "cover.jpg", 500, false},
        {"AlbumArtSmall.jpg", 2000, "cover.png", 1000, true},
        {"folder front.jpg", 100, "cdcover.jpg", 900, false},  // Likely: by size
        {"folder1.jpg", 100, "scan.jpg", 900, false},          // Other: by size
        {"folder.jpg", 10, "my front scan.jpg", 90000, true},  // tiers first
    };
    // The search names candidates by their paths, and ranks their names.
    const auto tier = [](std::string_view path) {
        return coverTierOf(path.substr(path.find_last_of('\\') + 1), "");
    };
    for (const auto& c : cases) {
        const CoverCandidate a{c.a, c.sizeA, tier(c.a)};
        const CoverCandidate b{c.b, c.sizeB, tier(c.b)};
        EXPECT_EQ(isBetterCover(a, b), c.aBetter) << c.a << " / " << c.b;
        EXPECT_EQ(isBetterCover(b, a), !c.aBetter) << c.b << " / " << c.a;
    }
}
