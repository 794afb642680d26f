// A palette of at most 256 colours fitted to a picture (median cut).
#pragma once

#include <cstdint>
#include <vector>

#include "tools/bitmaps/canvas.h"

std::vector<uint32_t> fitPalette(const Picture& picture, std::size_t colours);
