// Names and paths of cover files. Paths live in buffers of the platform's
// maximum path length; whatever does not fit is refused, never cut.
#pragma once

#include <cstddef>

constexpr std::size_t kCoverPathSize = 260;

extern const char kCacheFileName[];  // "Quillet_Small_Cache_Cover.bmp"

// Image format codes of the image layer.
enum ImageFormat {
    kFormatNone = 0,
    kFormatBmp = 1,
    kFormatGif = 2,
    kFormatJpg = 3,
    kFormatPng = 4
};

// The text after the last full stop of name, or "" when there is none or it
// holds one of \ / . : * ?. Case is kept. A null name gives "".
char* fileExtension(const char* name, char (&extOut)[kCoverPathSize]);

// "bmp", "gif", "png" and "jpg" (with "jpeg", "jpe" and "jfif"), exactly,
// lower case, to their codes; else 0.
ImageFormat formatOfExtension(const char* ext);

// The format of a name by its extension, lowered ASCII letter by letter.
ImageFormat formatOfName(const char* name);

// folder + "\" + name into out. False (and out empty) when it does not fit.
bool joinPath(const char* folder, const char* name, char (&out)[kCoverPathSize]);
