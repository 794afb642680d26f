// Pixels made into GDI bitmaps, on the window thread: the cover engine's
// answers become the thumbnail slot's and the Contents picture's bitmaps.
#pragma once

#include <windows.h>

#include "covers/bmp_writer.h"
#include "covers/cover_job.h"

// A bottom-up 24-bit DIB section of the picture, owned by the caller; null
// for an empty picture or when the platform refuses.
HBITMAP makeDibSection(const BgrPixels& picture);

// Copies the picture into a DIB section of the same size, as a
// reusable slot bitmap; false when the sizes differ.
bool fillDibSection(HBITMAP dib, const BgrPixels& picture);

inline BgrPixels viewOf(const CoverPixels& pixels) {
    return BgrPixels{pixels.width, pixels.height, pixels.stride(), pixels.bgr.data()};
}
