// Pictures on the clipboard as other programs leave them there, for the
// tests, the tour and the benches that paste a cover.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace coverhall::host {

// A packed bottom-up 24-bit DIB, as a browser's "Copy image" gives, of
// top-down rows of B, G, R bytes `stride` apart.
std::vector<uint8_t> packedDib(int width, int height, const uint8_t* rows, int stride);
// The same of one colour (0xRRGGBB), edge x edge.
std::vector<uint8_t> solidDib(int edge, uint32_t rgb);

// The clipboard then holds only these bytes, in that format (CF_DIB,
// CF_HDROP, ...); false when it could not take them.
bool putOnClipboard(HWND owner, UINT format, const std::vector<uint8_t>& bytes);

}  // namespace coverhall::host
