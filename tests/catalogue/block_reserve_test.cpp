// Blocks kept from freed catalogues for the next ones.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/block_reserve.h"
#include "catalogue/library_catalogue.h"

namespace {

class BlockReserve : public ::testing::Test {
  protected:
    // Other tests leave blocks behind.
    void SetUp() override { freeReservedBlocks(); }
    void TearDown() override { freeReservedBlocks(); }
};

TEST_F(BlockReserve, AFreedBlockIsReusedOnlyForItsOwnSize) {
    char* first;
    {
        ReservedBlock block(1000);
        first = block.data();
        std::memset(first, 'x', 1000);
    }
    EXPECT_EQ(reservedBytes(), 1000u);
    ReservedBlock other(999);
    EXPECT_EQ(reservedBytes(), 1000u);
    ReservedBlock same(1000);
    EXPECT_EQ(same.data(), first);
    EXPECT_EQ(same.size(), 1000u);
    EXPECT_EQ(reservedBytes(), 0u);
}

TEST_F(BlockReserve, KeepsNoMoreThanItsLimit) {
    const std::size_t half = reserveLimitBytes() / 2 + 1;
    { ReservedBlock a(half), b(half); }
    EXPECT_EQ(reservedBytes(), half);
    { ReservedBlock tooLarge(reserveLimitBytes() + 1); }
    EXPECT_EQ(reservedBytes(), half);
    freeReservedBlocks();
    EXPECT_EQ(reservedBytes(), 0u);
}

TEST_F(BlockReserve, AMovedBlockIsGivenBackOnce) {
    ReservedBlock a(64);
    char* data = a.data();
    ReservedBlock b(std::move(a));
    EXPECT_EQ(a.data(), nullptr);
    EXPECT_EQ(b.data(), data);
    ReservedBlock c(32);
    c = std::move(b);
    EXPECT_EQ(reservedBytes(), 32u);  // c's own block
    EXPECT_EQ(c.data(), data);
    std::vector<ReservedBlock> blocks;
    blocks.push_back(std::move(c));
    blocks.emplace_back(64);
    blocks.clear();
    EXPECT_EQ(reservedBytes(), 32u + 64u + 64u);
}

TEST_F(BlockReserve, TheNewestBlocksAreKeptPastTheLimit) {
    const std::size_t third = reserveLimitBytes() / 3;
    char* newest;
    {
        // Destroyed c, b, a: a is the newest given back.
        ReservedBlock a(third), b(third), c(third);
        newest = a.data();
    }
    { ReservedBlock d(third + 1); }  // c, the oldest, makes room
    EXPECT_EQ(reservedBytes(), 3 * third + 1);
    ReservedBlock again(third);
    EXPECT_EQ(again.data(), newest);
}

TEST_F(BlockReserve, LargeContainerArraysComeFromTheReserve) {
    std::vector<int, ReservedAllocator<int>> small(10, 1), large(100000, 2);
    const int* array = large.data();
    decltype(large)().swap(large);
    decltype(small)().swap(small);
    EXPECT_EQ(reservedBytes(), 100000 * sizeof(int));  // the small one went to the heap
    std::vector<int, ReservedAllocator<int>> next(100000, 3);
    EXPECT_EQ(next.data(), array);
    EXPECT_EQ(next[99999], 3);
}

HostSong song(const std::string& file, const char* genre) {
    return {"Artist", "Title", "Album", 60, 1, genre, 2001, file.c_str(), "2"};
}

// A catalogue loaded into the blocks of a freed one gives the same albums
// and texts: no stale record or text shows through.
TEST_F(BlockReserve, ALoadAfterAReleaseGivesTheSameCatalogue) {
    auto load = [](const char* genre) {
        auto catalogue = std::make_unique<LibraryCatalogue>(100, nullptr);
        for (int i = 0; i < 30000; ++i) {
            catalogue->addSong(song("C:\\M\\" + std::to_string(i / 7) + "\\" + std::to_string(i),
                                    i % 3 ? genre : "Pop"));
        }
        return catalogue;
    };
    auto first = load("Rock");
    first.reset();
    EXPECT_GT(reservedBytes(), 0u);
    auto second = load("Jazz");
    ASSERT_EQ(second->albumCount(), (30000 + 6) / 7);
    for (int i = 0; i < second->albumCount(); ++i) {
        const AlbumRecord& album = *second->albumAt(i);
        ASSERT_EQ(album.folder, "C:\\M\\" + std::to_string(i));
        ASSERT_EQ(album.songCount(), i == second->albumCount() - 1 ? 30000 % 7 : 7);
        ASSERT_EQ(album.genres, i == 0 ? "Pop, Jazz" : (i * 7) % 3 ? "Jazz, Pop" : "Pop, Jazz");
        ASSERT_EQ(album.songs[0]->genre, (i * 7) % 3 ? "Jazz" : "Pop");
        ASSERT_STREQ(album.songs[0]->ratingStars.c_str(), "**");
    }
}

}  // namespace
