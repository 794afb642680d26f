#include <gtest/gtest.h>

#include "catalogue/song_record.h"

TEST(RatingStars, CountsTheLeadingIntegerUpToSeven) {
    EXPECT_EQ(ratingStarsFor("3"), "***");
    EXPECT_EQ(ratingStarsFor("1"), "*");
    EXPECT_EQ(ratingStarsFor(" 2 stars"), "**");
    EXPECT_EQ(ratingStarsFor("+4"), "****");
    EXPECT_EQ(ratingStarsFor("7"), "*******");
    EXPECT_EQ(ratingStarsFor("8"), "*******");
    EXPECT_EQ(ratingStarsFor("99999999999999999999999"), "*******");
}

TEST(RatingStars, ZeroNegativeNonNumericAndAbsentAreEmpty) {
    EXPECT_EQ(ratingStarsFor(nullptr), "");
    EXPECT_EQ(ratingStarsFor("0"), "");
    EXPECT_EQ(ratingStarsFor("-3"), "");
    EXPECT_EQ(ratingStarsFor("-99999999999999999999999"), "");
    EXPECT_EQ(ratingStarsFor("abc"), "");
    EXPECT_EQ(ratingStarsFor(""), "");
    EXPECT_EQ(ratingStarsFor("x3"), "");
}

TEST(MakeSongRecord, CopiesTextsAndNumbersAndTakesNullAsEmpty) {
    auto full = makeSongRecord("A", "T", "L", 215, 3, "Pop", 1999, "C:\\x\\y.mp3", "2");
    EXPECT_EQ(full->artist, "A");
    EXPECT_EQ(full->title, "T");
    EXPECT_EQ(full->album, "L");
    EXPECT_EQ(full->length, 215);
    EXPECT_EQ(full->track, 3);
    EXPECT_EQ(full->genre, "Pop");
    EXPECT_EQ(full->year, 1999);
    EXPECT_EQ(full->fileName, "C:\\x\\y.mp3");
    EXPECT_EQ(full->ratingStars, "**");

    auto bare = makeSongRecord(nullptr, nullptr, nullptr, -5, -1, nullptr, 0, nullptr, nullptr);
    EXPECT_TRUE(bare->artist.empty() && bare->title.empty() && bare->album.empty());
    EXPECT_TRUE(bare->genre.empty() && bare->fileName.empty() && bare->ratingStars.empty());
    EXPECT_EQ(bare->length, -5);
}
