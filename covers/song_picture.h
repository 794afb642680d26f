// The cover picture stored inside a song file's tags (ID3v2 APIC and PIC,
// FLAC and Vorbis comment pictures, MP4 covr, WM/Picture, APE cover art),
// read through TagLib. Platform-free; nothing of TagLib shows here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A picture larger than this gives no cover, whatever its tag declares.
constexpr std::size_t kMaxSongPictureBytes = 16u << 20;

// The song's front cover (picture type 3), else its first picture: the
// encoded image bytes, as stored. Empty when the file has none, cannot be
// opened, is broken, or the picture is empty or over kMaxSongPictureBytes.
// The format comes from the name's extension, else from the content. Only
// reads the file; never throws. With `failure`, says why a song that could
// hold a picture gave none (it cannot be opened, its tags are broken or
// beyond the read limits, its picture is too large, an exception's text);
// left empty for a song without picture or of a type TagLib does not read.
std::vector<uint8_t> readSongPicture(const char* path, std::string* failure = nullptr);

// The same for a song held in memory; `name` serves only for its extension.
std::vector<uint8_t> readSongPicture(const uint8_t* data, std::size_t size, const char* name);
