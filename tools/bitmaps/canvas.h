// Pictures drawn as functions of the position, sampled several times per
// pixel for smooth edges, and reduced to a palette where the file needs one.
// Only exact IEEE operations are used, so the output is the same everywhere.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "covers/bmp_writer.h"

struct Rgb {
    double r = 0, g = 0, b = 0;
};

Rgb mix(Rgb a, Rgb b, double t);  // t = 0 gives a, 1 gives b
Rgb rgb(int r, int g, int b);

// Colour at a point of the picture, in pixel units (0,0 = top-left corner).
using Painter = std::function<Rgb(double x, double y)>;

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> bgr;  // top-down rows, width * 3 bytes each
};

// samples x samples points per pixel, averaged and rounded to 8 bits.
Picture render(int width, int height, int samples, const Painter& paint);

// Nearest palette entry per pixel (palette entries 0xRRGGBB).
IndexedPixels toIndexed(const Picture& picture, int bitsPerPixel,
                        const std::vector<uint32_t>& palette);

// The 16 standard colours of the Windows palette.
std::vector<uint32_t> windowsPalette16();
// 216 colours of an even 6 x 6 x 6 cube and 40 extra greys.
std::vector<uint32_t> cubePalette256();

// Signed-distance helpers for the painters: negative inside.
double circleDistance(double x, double y, double cx, double cy, double radius);
double boxDistance(double x, double y, double left, double top, double right, double bottom,
                   double cornerRadius);
// 1 inside, 0 outside, a ramp one pixel wide across the edge.
double coverage(double distance);
