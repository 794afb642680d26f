#include "tools/bitmaps/artwork.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "covers/bmp_writer.h"
#include "tools/bitmaps/canvas.h"
#include "tools/bitmaps/median_cut.h"
#include "tools/bitmaps/pixel_font.h"

namespace {

std::vector<uint8_t> encode24(const Picture& p) {
    return encodeBmp24(BgrPixels{p.width, p.height, p.width * 3, p.bgr.data()});
}

Rgb over(Rgb below, Rgb above, double alpha) {
    return mix(below, above, alpha);
}

// 116: an empty disc case, 201 x 201, on pure black. The case itself has no
// pure black pixel, as black is the transparent colour of the placeholder.
Rgb noCover(double x, double y) {
    const Rgb black = rgb(0, 0, 0);
    const double outline = boxDistance(x, y, 12, 12, 189, 189, 5);
    if (outline > 1) return black;
    // The tray with its centre hub.
    Rgb c = mix(rgb(58, 64, 78), rgb(40, 44, 56), (x + y) / 402);
    const double hub = circleDistance(x, y, 108, 100, 0);
    if (hub < 27) c = over(c, rgb(92, 100, 116), coverage(hub - 26));
    if (hub < 20) c = over(c, rgb(128, 138, 156), coverage(hub - 19));
    if (hub < 10) c = over(c, rgb(70, 78, 92), coverage(hub - 9));
    // A faint ring where a disc would lie.
    const double ring = std::fabs(hub - 70);
    if (ring < 1.5) c = over(c, rgb(84, 92, 108), coverage(ring - 1));
    // The hinge on the left, with its ridges.
    if (x < 29) {
        c = rgb(76, 84, 100);
        if (std::fmod(y, 8.0) < 2) c = rgb(98, 106, 122);
        c = over(c, rgb(120, 128, 146), coverage(std::fabs(x - 28.5) - 0.5));
    }
    // The clear lid: a soft diagonal sheen and a bright rim.
    const double band = std::fabs((x - y) + 40) / 60;
    if (band < 1) c = over(c, rgb(200, 210, 225), 0.22 * (1 - band * band));
    c = over(c, rgb(176, 186, 204), coverage(-outline - 2.5));
    return over(black, c, coverage(outline));
}

// 140: the selection frame. White is transparent in the image list.
IndexedPixels selectionFrame() {
    enum { Grey = 8, Red = 9, Purple = 5, White = 15 };
    IndexedPixels frame;
    frame.width = frame.height = 100;
    frame.bitsPerPixel = 4;
    frame.palette = windowsPalette16();
    frame.indexes.resize(100 * 100);
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 100; ++x) {
            const int edge = std::min(std::min(x, y), std::min(99 - x, 99 - y));
            uint8_t index = (x + y) % 2 ? White : Grey;
            if (edge < 3) {
                index = Red;
            } else if (edge == 3) {
                index = Purple;
            } else if (edge == 4) {
                index = Grey;
            }
            frame.indexes[y * 100 + x] = index;
        }
    }
    return frame;
}

// The luggage tag of the "Show Album Tags" button, 32 x 32.
const Rgb kButtonFace = rgb(212, 208, 200);

double tagDistance(double x, double y) {
    // A rounded card whose left corners are cut off, leaving a blunt point.
    const double card = boxDistance(x, y, 1.5, 8.5, 31, 24.5, 2);
    const double cut = (1.5 + std::fabs(y - 16.5) * 0.8125 - x) * 0.78;
    return std::max(card, cut);
}

double segmentDistance(double x, double y, double ax, double ay, double bx, double by) {
    const double dx = bx - ax, dy = by - ay;
    double t = ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy);
    t = std::min(1.0, std::max(0.0, t));
    const double px = ax + t * dx - x, py = ay + t * dy - y;
    return std::sqrt(px * px + py * py);
}

Rgb tag(double x, double y) {
    Rgb c = kButtonFace;
    // The string from the eyelet to the corner.
    c = over(c, rgb(96, 80, 60), coverage(segmentDistance(x, y, 6.5, 16.5, 1.5, 2.5) - 0.5));
    const double body = tagDistance(x, y);
    Rgb card = mix(rgb(255, 226, 80), rgb(236, 186, 30), (y - 8) / 16);
    card = over(card, rgb(200, 32, 28), coverage(-body - 1.3));  // the red rim
    const double eyelet = circleDistance(x, y, 6.5, 16.5, 1.9);
    card = over(card, rgb(200, 32, 28), coverage(eyelet - 1.0));
    card = over(card, kButtonFace, coverage(eyelet));
    if (onText("Album", FontSize::Small3x5, 9, 14, 1, x, y)) card = rgb(90, 40, 10);
    c = over(c, card, coverage(body));
    c = over(c, rgb(96, 80, 60), coverage(segmentDistance(x, y, 6.5, 16.5, 4, 11) - 0.45));
    return c;
}

Rgb tagOff(double x, double y) {
    const Rgb t = tag(x, y);
    const double grey = 0.3 * t.r + 0.59 * t.g + 0.11 * t.b;
    Rgb c = mix(rgb(int(grey), int(grey), int(grey)), kButtonFace, 0.45);
    // The prohibition sign over it.
    const Rgb red = rgb(214, 24, 24);
    const double ring = std::fabs(circleDistance(x, y, 16, 16.5, 12.5)) - 1.6;
    c = over(c, red, coverage(ring));
    if (circleDistance(x, y, 16, 16.5, 12.5) < 0) {
        const double slash = std::fabs((x - 16) - (y - 16.5)) * 0.70710678 - 1.6;
        c = over(c, red, coverage(slash));
    }
    return c;
}

// A square stand-in for an album sleeve with a simple design of its own.
Rgb sleeve(Rgb c, double x, double y, double left, double top, double size, Rgb paper, Rgb accent) {
    const double d = boxDistance(x, y, left, top, left + size, top + size, 1.5);
    if (d > 1) return c;
    const double u = (x - left) / size, v = (y - top) / size;
    Rgb art = mix(paper, mix(paper, rgb(0, 0, 0), 0.35), v);
    const double sun = circleDistance(u, v, 0.62, 0.4, 0.22) * size;
    art = over(art, accent, coverage(sun));
    for (int i = 0; i < 3; ++i) {
        const double stripe = std::fabs(v - (0.72 + i * 0.08)) * size - size * 0.015;
        art = over(art, mix(accent, paper, 0.5), coverage(stripe) * 0.8);
    }
    art = over(art, rgb(250, 250, 250), coverage(std::fabs(d + 0.6) - 0.6) * 0.5);
    // A soft shadow to the lower right.
    const Rgb shadowed =
        mix(c, rgb(0, 0, 0),
            0.5 * coverage(boxDistance(x - 2, y - 2, left, top, left + size, top + size, 2) - 0.5));
    return over(shadowed, art, coverage(d));
}

const Rgb kNight = rgb(18, 22, 58);
const Rgb kPlum = rgb(92, 30, 104);

// 129: the About banner, 607 x 88.
Rgb banner(double x, double y) {
    Rgb c = mix(kNight, kPlum, x / 607);
    c = mix(c, rgb(8, 8, 24), (y / 88) * 0.35);
    c = sleeve(c, x, y, 14, 22, 48, rgb(40, 150, 160), rgb(250, 200, 60));
    c = sleeve(c, x, y, 40, 12, 48, rgb(190, 60, 60), rgb(250, 230, 200));
    c = sleeve(c, x, y, 66, 28, 48, rgb(70, 90, 190), rgb(255, 150, 60));
    const char* title = "COVERHALL";
    if (onText(title, FontSize::Large5x7, 139, 15, 6, x, y)) {
        c = rgb(8, 8, 24);  // shadow, overdrawn by the letters
    }
    if (onText(title, FontSize::Large5x7, 136, 12, 6, x, y)) {
        c = mix(rgb(255, 250, 235), rgb(250, 196, 90), (y - 12) / 42);
    }
    if (onText("ALBUM COVERS FOR THE MEDIA LIBRARY", FontSize::Large5x7, 138, 64, 2, x, y)) {
        c = rgb(196, 200, 236);
    }
    return c;
}

// 132: the About side picture, 164 x 314: a record sliding out of its sleeve.
Rgb sidePicture(double x, double y) {
    Rgb c = mix(kNight, kPlum, y / 314);
    const double record = circleDistance(x, y, 82, 196, 70);
    if (record < 1) {
        const double r = std::sqrt((x - 82) * (x - 82) + (y - 196) * (y - 196));
        Rgb vinyl = rgb(24, 24, 30);
        if (std::fmod(r, 4.0) < 1.0 && r > 28 && r < 67) vinyl = rgb(40, 40, 50);
        const double sheen = std::fabs((x - 82) + (y - 196)) / (r + 1);
        if (sheen < 0.3) vinyl = mix(vinyl, rgb(110, 110, 130), 0.35 * (1 - sheen / 0.3));
        Rgb label = mix(rgb(240, 140, 50), rgb(220, 90, 40), (y - 172) / 48);
        vinyl = over(vinyl, label, coverage(r - 24));
        vinyl = over(vinyl, rgb(40, 24, 60), coverage(r - 3));
        c = over(c, vinyl, coverage(record));
    }
    c = sleeve(c, x, y, 22, 28, 120, rgb(36, 140, 150), rgb(252, 206, 70));
    c = sleeve(c, x, y, 18, 262, 34, rgb(190, 60, 60), rgb(250, 230, 200));
    c = sleeve(c, x, y, 65, 262, 34, rgb(70, 90, 190), rgb(255, 150, 60));
    c = sleeve(c, x, y, 112, 262, 34, rgb(60, 150, 80), rgb(240, 240, 120));
    return c;
}

}  // namespace

std::vector<BitmapFile> makeAllBitmaps() {
    std::vector<BitmapFile> files;
    files.push_back({116, "no_cover.bmp", encode24(render(201, 201, 4, noCover))});

    IndexedPixels mask;
    mask.width = mask.height = 100;
    mask.palette = {0x000000, 0xFFFFFF};
    mask.indexes.assign(100 * 100, 0);
    files.push_back({136, "thumb_mask.bmp", encodeIndexedBmp(mask)});

    files.push_back({140, "selection_frame.bmp", encodeIndexedBmp(selectionFrame())});

    const Picture on = render(32, 32, 4, tag);
    files.push_back({142, "tags_on.bmp", encodeIndexedBmp(toIndexed(on, 8, fitPalette(on, 256)))});
    const Picture off = render(32, 32, 4, tagOff);
    files.push_back(
        {143, "tags_off.bmp", encodeIndexedBmp(toIndexed(off, 8, fitPalette(off, 256)))});

    const Picture top = render(607, 88, 3, banner);
    files.push_back(
        {129, "about_banner.bmp", encodeIndexedBmp(toIndexed(top, 8, fitPalette(top, 256)))});
    files.push_back({132, "about_picture.bmp", encode24(render(164, 314, 3, sidePicture))});
    return files;
}

bool writeAllBitmaps(const std::string& folder) {
    bool ok = true;
    for (const BitmapFile& file : makeAllBitmaps()) {
        const std::string path = folder + "/" + file.name;
        std::FILE* out = std::fopen(path.c_str(), "wb");
        if (!out) return false;
        ok = std::fwrite(file.bytes.data(), 1, file.bytes.size(), out) == file.bytes.size() && ok;
        ok = std::fclose(out) == 0 && ok;
        ok = !file.bytes.empty() && ok;
    }
    return ok;
}
