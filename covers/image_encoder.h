// Pictures encoded into image files through the Windows Imaging Component,
// on a thread that holds an ImagingScope (imaging_factory.h).
#pragma once

#include <cstdint>
#include <vector>

#include "covers/cover_job.h"
#include "covers/file_names.h"

// Quality of the JPEG files written: high enough that a cover keeps its
// detail, at a quarter or less of the size of a lossless file.
constexpr float kJpegQuality = 0.9f;

// The bytes of an image file of the given format holding the picture: a
// JPEG at kJpegQuality, a PNG or BMP of its 24-bit colours, or a GIF of 256
// colours chosen from the picture and dithered. Empty when WIC refuses.
std::vector<uint8_t> encodeImage(const CoverPixels& picture, ImageFormat format);
