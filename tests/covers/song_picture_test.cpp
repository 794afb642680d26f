// Pictures inside song files written by real tag writers (ffmpeg and
// mutagen, see tools/make_tagged_covers.py), broken tags, and the limits the
// reader puts on TagLib.
#include <gtest/gtest.h>

#include <taglib/tbytevectorstream.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "covers/bounded_tag_stream.h"
#include "covers/song_picture.h"

namespace {

const std::string kTagged = COVERHALL_TAGGED_DIR;

std::vector<uint8_t> fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

bool isImage(const std::vector<uint8_t>& bytes) {
    static const uint8_t kJpeg[] = {0xFF, 0xD8, 0xFF}, kPng[] = {0x89, 'P', 'N', 'G'};
    return (bytes.size() > 3 && std::memcmp(bytes.data(), kJpeg, 3) == 0) ||
           (bytes.size() > 4 && std::memcmp(bytes.data(), kPng, 4) == 0);
}

// An ID3v2.3 tag holding one front-cover APIC of `size` bytes (JPEG magic
// first), before a few bytes of no audio.
std::vector<uint8_t> mp3WithPicture(std::size_t size) {
    const std::string head = std::string("\x00image/jpeg\x00\x03\x00", 14);
    const std::size_t frame = head.size() + size;
    std::vector<uint8_t> out = {'I', 'D', '3', 3, 0, 0};
    const std::size_t tag = 10 + frame;
    for (int shift : {21, 14, 7, 0}) out.push_back(uint8_t(tag >> shift & 0x7F));
    out.insert(out.end(), {'A', 'P', 'I', 'C'});
    for (int shift : {24, 16, 8, 0}) out.push_back(uint8_t(frame >> shift));
    out.insert(out.end(), {0, 0});
    out.insert(out.end(), head.begin(), head.end());
    const std::size_t picture = out.size();
    out.resize(picture + size, 0x55);
    out[picture] = 0xFF, out[picture + 1] = 0xD8, out[picture + 2] = 0xFF;
    out.resize(out.size() + 64, 0);
    return out;
}

}  // namespace

TEST(SongPicture, EveryFormatWrittenByRealToolsGivesItsPicture) {
    for (const char* song : {"mp3-id3v24/01 Song.mp3", "mp3-id3v23/01 Song.mp3",
                             "mp3-id3v22/01 Song.mp3", "flac/01 Song.flac", "m4a/01 Song.m4a",
                             "ogg-vorbis/01 Song.ogg", "opus/01 Song.opus", "wma/01 Song.wma"}) {
        const std::string path = kTagged + "/library/" + song;
        const std::vector<uint8_t> picture = readSongPicture(path.c_str());
        EXPECT_TRUE(isImage(picture)) << song;
        // Held in memory, the same song gives the same picture.
        const std::vector<uint8_t> bytes = fileBytes(path);
        EXPECT_EQ(readSongPicture(bytes.data(), bytes.size(), song), picture) << song;
    }
    EXPECT_TRUE(readSongPicture((kTagged + "/library/no-cover/01 Song.mp3").c_str()).empty());
    EXPECT_TRUE(readSongPicture((kTagged + "/library/missing.mp3").c_str()).empty());
    EXPECT_TRUE(readSongPicture(nullptr).empty());
}

TEST(SongPicture, SaysWhyOnlyWhenASongCouldNotBeRead) {
    const struct {
        const char* song;
        const char* failure;
    } cases[] = {{"missing.mp3", "cannot be opened"},
                 {"no-cover/01 Song.mp3", ""},
                 {"mp3-id3v24/01 Song.mp3", ""}};
    for (const auto& c : cases) {
        std::string failure;
        readSongPicture((kTagged + "/library/" + c.song).c_str(), &failure);
        EXPECT_EQ(failure, c.failure) << c.song;
    }
}

TEST(SongPicture, BrokenTagsGiveAPictureWithinTheLimitOrNone) {
    std::ifstream manifest(kTagged + "/broken/manifest.tsv");
    std::string line;
    int files = 0;
    while (std::getline(manifest, line)) {
        if (line.empty() || line[0] == '#') continue;
        const std::string name = line.substr(0, line.find('\t'));
        const std::string path = kTagged + "/broken/" + name;
        EXPECT_LE(readSongPicture(path.c_str()).size(), kMaxSongPictureBytes) << name;
        const std::vector<uint8_t> bytes = fileBytes(path);
        EXPECT_LE(readSongPicture(bytes.data(), bytes.size(), name.c_str()).size(),
                  kMaxSongPictureBytes)
            << name;
        ++files;
    }
    EXPECT_GE(files, 100);
}

TEST(SongPicture, PicturesOverTheLimitGiveNone) {
    const std::vector<uint8_t> within = mp3WithPicture(kMaxSongPictureBytes - 1024);
    const std::vector<uint8_t> picture = readSongPicture(within.data(), within.size(), "a.mp3");
    EXPECT_EQ(picture.size(), kMaxSongPictureBytes - 1024);
    EXPECT_TRUE(isImage(picture));
    const std::vector<uint8_t> over = mp3WithPicture(kMaxSongPictureBytes + 1);
    EXPECT_TRUE(readSongPicture(over.data(), over.size(), "a.mp3").empty());
}

TEST(BoundedTagStream, RefusesReadsPastItsLimitsAndStaysRefusing) {
    const TagLib::ByteVector data(100, 'x');
    BoundedTagStream stream(std::make_unique<TagLib::ByteVectorStream>(data), {10, 25, 100},
                            "a.mp3");
    EXPECT_EQ(std::string(stream.name()), "a.mp3");
    EXPECT_EQ(stream.length(), 100);
    EXPECT_EQ(stream.readBlock(10).size(), 10u);
    stream.seek(95, TagLib::IOStream::Beginning);
    EXPECT_EQ(stream.readBlock(10).size(), 5u);  // what is left of the file
    EXPECT_FALSE(stream.exhausted());
    stream.seek(0, TagLib::IOStream::Beginning);
    EXPECT_EQ(stream.readBlock(11).size(), 0u);  // one read too large
    EXPECT_TRUE(stream.exhausted());
    EXPECT_EQ(stream.readBlock(1).size(), 0u);

    BoundedTagStream total(std::make_unique<TagLib::ByteVectorStream>(data), {10, 25, 100}, "");
    EXPECT_EQ(total.readBlock(10).size(), 10u);
    EXPECT_EQ(total.readBlock(10).size(), 10u);
    EXPECT_EQ(total.readBlock(10).size(), 0u);  // 30 bytes in all would pass 25
    BoundedTagStream count(std::make_unique<TagLib::ByteVectorStream>(data), {10, 100, 2}, "");
    EXPECT_EQ(count.readBlock(1).size(), 1u);
    EXPECT_EQ(count.readBlock(1).size(), 1u);
    EXPECT_EQ(count.readBlock(1).size(), 0u);  // a third read
}
