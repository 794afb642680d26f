// The window thread's memory of recent covers: its bound, its order of
// forgetting, and what makes two answers different.
#include <gtest/gtest.h>

#include <string>

#include "covers/thumbnail_memory.h"

namespace {

CoverKey key(const std::string& folder) {
    CoverKey made;
    made.folder = folder;
    return made;
}

RememberedCover cover(std::size_t pixelBytes) {
    RememberedCover made;
    made.hasCover = pixelBytes > 0;
    made.pixels.width = 1;
    made.pixels.height = 1;
    made.pixels.bgr.assign(pixelBytes, 0x7f);
    return made;
}

}  // namespace

TEST(ThumbnailMemory, ForgetsTheLeastRecentBeyondItsBound) {
    const std::size_t one = ThumbnailMemory::costOf(key("a"), cover(1000));
    ThumbnailMemory memory(3 * one);
    memory.put(key("a"), cover(1000));
    memory.put(key("b"), cover(1000));
    memory.put(key("c"), cover(1000));
    EXPECT_EQ(memory.bytes(), 3 * one);
    ASSERT_NE(memory.find(key("a")), nullptr);  // now the most recent
    memory.put(key("d"), cover(1000));

    EXPECT_EQ(memory.size(), 3u);
    EXPECT_EQ(memory.bytes(), 3 * one);
    EXPECT_EQ(memory.find(key("b")), nullptr);
    for (const char* kept : {"a", "c", "d"}) EXPECT_NE(memory.find(key(kept)), nullptr) << kept;
}

TEST(ThumbnailMemory, PutReplacesTheAnswerForItsKey) {
    ThumbnailMemory memory;
    memory.put(key("a"), cover(1000));
    memory.put(key("a"), cover(0));
    EXPECT_EQ(memory.size(), 1u);
    EXPECT_EQ(memory.bytes(), ThumbnailMemory::costOf(key("a"), cover(0)));
    ASSERT_NE(memory.find(key("a")), nullptr);
    EXPECT_FALSE(memory.find(key("a"))->hasCover);
}

TEST(ThumbnailMemory, TheRuleAndThePictureArePartOfTheKey) {
    ThumbnailMemory memory;
    const CoverKey held = key("album");
    memory.put(held, cover(10));

    CoverKey otherFolder = held, otherName = held, otherMode = held, otherSongs = held,
             otherPicture = held;
    otherFolder.folder = "album2";
    otherName.rule.imageName = "front.jpg";
    otherMode.rule.mode = 0;
    otherSongs.rule.songPictures = false;
    otherPicture.picture = CoverPicture::Contents;
    for (const CoverKey& missed : {otherFolder, otherName, otherMode, otherSongs, otherPicture})
        EXPECT_EQ(memory.find(missed), nullptr);
    EXPECT_NE(memory.find(held), nullptr);
}

TEST(ThumbnailMemory, AnAnswerLargerThanTheBoundIsNotHeld) {
    const std::size_t bound = ThumbnailMemory::costOf(key("a"), cover(1000));
    ThumbnailMemory memory(bound);
    memory.put(key("a"), cover(10));
    memory.put(key("a"), cover(1001));  // the older answer for the key goes too
    EXPECT_EQ(memory.find(key("a")), nullptr);
    EXPECT_EQ(memory.size(), 0u);
    EXPECT_EQ(memory.bytes(), 0u);
}

TEST(ThumbnailMemory, MarkCheckedNotesTheTimeOfAHeldAnswerOnly) {
    ThumbnailMemory memory;
    memory.put(key("a"), cover(10));
    memory.markChecked(key("a"), 42);
    memory.markChecked(key("b"), 42);
    ASSERT_NE(memory.find(key("a")), nullptr);
    EXPECT_EQ(memory.find(key("a"))->checkedAt, 42u);
    EXPECT_EQ(memory.size(), 1u);
}
