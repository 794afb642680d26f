#include "tools/cover_painter.h"

#include <cmath>

namespace coverhall::tools {
namespace {

struct Rgb {
    int r, g, b;
};

Rgb hue(double h, double saturation, double value) {
    h = std::fmod(h, 1.0) * 6.0;
    int sector = static_cast<int>(h);
    double f = h - sector;
    double p = value * (1 - saturation), q = value * (1 - saturation * f),
           t = value * (1 - saturation * (1 - f));
    double r = value, g = t, b = p;
    switch (sector) {
        case 1:
            r = q, g = value, b = p;
            break;
        case 2:
            r = p, g = value, b = t;
            break;
        case 3:
            r = p, g = q, b = value;
            break;
        case 4:
            r = t, g = p, b = value;
            break;
        case 5:
            r = value, g = p, b = q;
            break;
        default:
            break;
    }
    return {static_cast<int>(r * 255), static_cast<int>(g * 255), static_cast<int>(b * 255)};
}

uint32_t mix(uint32_t x) {
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}

}  // namespace

CoverPicture paintCover(uint32_t seed, int width, int height) {
    CoverPicture picture;
    if (width <= 0 || height <= 0) return picture;
    picture.width = width;
    picture.height = height;
    picture.stride = (width * 3 + 3) & ~3;
    picture.pixels.assign(static_cast<size_t>(picture.stride) * height, 0);

    const uint32_t h = mix(seed + 1);
    const double baseHue = (h & 0xFFF) / 4096.0;
    const Rgb back = hue(baseHue, 0.55, 0.35);
    const Rgb field = hue(baseHue + 0.08, 0.65, 0.85);
    const Rgb motif = hue(baseHue + 0.5, 0.75, 0.95);
    const int pattern = static_cast<int>((h >> 12) % 4);
    const double size = width < height ? width : height;

    for (int y = 0; y < height; ++y) {
        uint8_t* row = picture.pixels.data() + static_cast<size_t>(y) * picture.stride;
        for (int x = 0; x < width; ++x) {
            const double u = (x + 0.5) / size - 0.5 * width / size;
            const double v = (y + 0.5) / size - 0.5 * height / size;
            const double radius = std::sqrt(u * u + v * v);
            bool inMotif = false;
            switch (pattern) {
                case 0:
                    inMotif = static_cast<int>(radius * 14) % 2 == 0 && radius < 0.42;
                    break;
                case 1:
                    inMotif = std::fabs(u) + std::fabs(v) < 0.3;
                    break;
                case 2:
                    inMotif = static_cast<int>((u + v + 2) * 10) % 3 == 0;
                    break;
                default:
                    inMotif = radius < 0.28 && radius > 0.12;
                    break;
            }
            // A vertical blend from the dark back colour to the bright field.
            const double t = static_cast<double>(y) / height;
            Rgb c = inMotif ? motif
                            : Rgb{static_cast<int>(back.r + (field.r - back.r) * t),
                                  static_cast<int>(back.g + (field.g - back.g) * t),
                                  static_cast<int>(back.b + (field.b - back.b) * t)};
            row[x * 3 + 0] = static_cast<uint8_t>(c.b);
            row[x * 3 + 1] = static_cast<uint8_t>(c.g);
            row[x * 3 + 2] = static_cast<uint8_t>(c.r);
        }
    }
    return picture;
}

}  // namespace coverhall::tools
