// The views' text rules on records made here.
#include <gtest/gtest.h>

#include "catalogue/album_record.h"
#include "catalogue/song_record.h"
#include "views/album_list_texts.h"
#include "views/contents_view.h"

namespace {

TEST(SongTexts, ColumnsAtTheirRanges) {
    SongRecord song;
    song.track = 1000;
    song.year = 5000;
    song.length = 3725;
    song.ratingStars = "***";
    EXPECT_EQ(songColumnText(song, SongColumn::Track), "");
    EXPECT_EQ(songColumnText(song, SongColumn::Year), "");
    EXPECT_EQ(songColumnText(song, SongColumn::Length), "62:05");
    EXPECT_EQ(songColumnText(song, SongColumn::Rating), "***");
    EXPECT_EQ(songColumnText(song, SongColumn::Count), "");
    song.track = 999;
    song.year = 4999;
    EXPECT_EQ(songColumnText(song, SongColumn::Track), "999");
    EXPECT_EQ(songColumnText(song, SongColumn::Year), "4999");
}

TEST(PanelTexts, YearsOutsideTheCenturiesShowADash) {
    EXPECT_EQ(panelYear(1900), "-");
    EXPECT_EQ(panelYear(1901), "1901");
    EXPECT_EQ(panelYear(2999), "2999");
    EXPECT_EQ(panelYear(3000), "-");
    EXPECT_EQ(panelYear(-5), "-");
}

TEST(AlbumTexts, UnknownColumnsAndEmptyAlbumsStayHarmless) {
    AlbumRecord album;
    EXPECT_EQ(albumColumnText(album, static_cast<AlbumColumn>(-1)), "");
    EXPECT_EQ(albumColumnText(album, static_cast<AlbumColumn>(99)), "");
    EXPECT_EQ(coverLabel(album, AlbumColumn::Title), "- / -");
}

}  // namespace
