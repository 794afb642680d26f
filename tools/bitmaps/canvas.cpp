#include "tools/bitmaps/canvas.h"

#include <algorithm>
#include <cmath>

Rgb mix(Rgb a, Rgb b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb rgb(int r, int g, int b) {
    return {double(r), double(g), double(b)};
}

namespace {

uint8_t toByte(double value) {
    const double clamped = std::min(255.0, std::max(0.0, value));
    return static_cast<uint8_t>(clamped + 0.5);
}

}  // namespace

Picture render(int width, int height, int samples, const Painter& paint) {
    Picture picture{width, height, std::vector<uint8_t>(std::size_t(width) * height * 3)};
    const double step = 1.0 / samples;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            Rgb sum;
            for (int sy = 0; sy < samples; ++sy) {
                for (int sx = 0; sx < samples; ++sx) {
                    const Rgb c = paint(x + (sx + 0.5) * step, y + (sy + 0.5) * step);
                    sum.r += c.r;
                    sum.g += c.g;
                    sum.b += c.b;
                }
            }
            const double n = double(samples) * samples;
            uint8_t* out = &picture.bgr[(std::size_t(y) * width + x) * 3];
            out[0] = toByte(sum.b / n);
            out[1] = toByte(sum.g / n);
            out[2] = toByte(sum.r / n);
        }
    }
    return picture;
}

IndexedPixels toIndexed(const Picture& picture, int bitsPerPixel,
                        const std::vector<uint32_t>& palette) {
    IndexedPixels out;
    out.width = picture.width;
    out.height = picture.height;
    out.bitsPerPixel = bitsPerPixel;
    out.palette = palette;
    out.indexes.resize(std::size_t(picture.width) * picture.height);
    for (std::size_t i = 0; i < out.indexes.size(); ++i) {
        const int b = picture.bgr[i * 3], g = picture.bgr[i * 3 + 1], r = picture.bgr[i * 3 + 2];
        int best = 0;
        long bestDistance = -1;
        for (std::size_t p = 0; p < palette.size(); ++p) {
            const int pr = palette[p] >> 16 & 0xFF, pg = palette[p] >> 8 & 0xFF,
                      pb = palette[p] & 0xFF;
            // Weighted towards green, as the eye is.
            const long d =
                3L * (r - pr) * (r - pr) + 4L * (g - pg) * (g - pg) + 2L * (b - pb) * (b - pb);
            if (bestDistance < 0 || d < bestDistance) {
                bestDistance = d;
                best = int(p);
            }
        }
        out.indexes[i] = static_cast<uint8_t>(best);
    }
    return out;
}

std::vector<uint32_t> windowsPalette16() {
    return {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
            0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
}

std::vector<uint32_t> cubePalette256() {
    std::vector<uint32_t> palette;
    for (int r = 0; r < 6; ++r) {
        for (int g = 0; g < 6; ++g) {
            for (int b = 0; b < 6; ++b) {
                palette.push_back(uint32_t(r * 51) << 16 | uint32_t(g * 51) << 8 |
                                  uint32_t(b * 51));
            }
        }
    }
    // Greys between the cube's own steps of 51.
    for (int i = 0; i < 40; ++i) {
        const uint32_t v = uint32_t(6 + i * 249 / 39);
        palette.push_back(v << 16 | v << 8 | v);
    }
    return palette;
}

double circleDistance(double x, double y, double cx, double cy, double radius) {
    return std::sqrt((x - cx) * (x - cx) + (y - cy) * (y - cy)) - radius;
}

double boxDistance(double x, double y, double left, double top, double right, double bottom,
                   double cornerRadius) {
    const double cx = (left + right) / 2, cy = (top + bottom) / 2;
    const double hx = (right - left) / 2 - cornerRadius, hy = (bottom - top) / 2 - cornerRadius;
    const double dx = std::fabs(x - cx) - hx, dy = std::fabs(y - cy) - hy;
    const double ox = std::max(dx, 0.0), oy = std::max(dy, 0.0);
    return std::sqrt(ox * ox + oy * oy) + std::min(std::max(dx, dy), 0.0) - cornerRadius;
}

double coverage(double distance) {
    return std::min(1.0, std::max(0.0, 0.5 - distance));
}
