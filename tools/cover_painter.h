// Paints deterministic album-cover pictures: a colour field with a bold
// geometric motif, different for every seed, so covers are told apart at a
// glance in the Covers view.
#pragma once

#include <cstdint>
#include <vector>

namespace coverhall::tools {

// Pixels top-down, 3 bytes per pixel in B, G, R order, rows padded to 4 bytes.
struct CoverPicture {
    int width = 0;
    int height = 0;
    int stride = 0;
    std::vector<uint8_t> pixels;
};

CoverPicture paintCover(uint32_t seed, int width, int height);

}  // namespace coverhall::tools
