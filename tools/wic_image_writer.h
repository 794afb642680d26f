// Encodes a painted picture to an image file with the Windows Imaging
// Component. COM must be initialised on the calling thread.
#pragma once

#include "tools/cover_painter.h"

#include <string>

namespace coverhall::tools {

enum class ImageFormat { Bmp, Gif, Jpeg, Png };

// The format for a file name's extension (case ignored); Bmp when unknown.
ImageFormat formatForName(const std::string& fileName);

// False when the picture is empty or WIC cannot write the file.
bool writeImage(const CoverPicture& picture, ImageFormat format, const std::string& path);

}  // namespace coverhall::tools
