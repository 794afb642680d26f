// A bitmap as the clipboard holds it (CF_DIB, CF_DIBV5: an info header,
// then masks and colour table where it has them, then the pixels) made into
// a BMP file, which the image layer decodes. Platform-free.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The BMP file of the packed bitmap: a file header naming where its pixels
// start, then the bitmap as it is. Empty when the header is of no known
// size, or the masks, colour table or uncompressed pixels it declares run
// past the end of the data.
std::vector<uint8_t> bmpFileOfPackedDib(const uint8_t* dib, std::size_t size);
