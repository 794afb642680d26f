// Checks the demo tour's screenshots, so that a broken picture fails the test
// run: each step's file exists, is not blank, the cover walls hold many
// colours, the lists hold text and Enqueue filled the playlist pane.
//   check-screenshots <prefix>      (the tour's --out prefix)
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // top-down 0xRRGGBB
    uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

uint32_t le32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

// A 24-bit BMP as the host's capture writes it; false for anything else.
bool readBmp(const std::string& path, Picture& picture) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<uint8_t> b((std::istreambuf_iterator<char>(in)), {});
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M' || (b[28] | b[29] << 8) != 24) return false;
    const uint32_t offset = le32(b, 10);
    const int width = static_cast<int>(le32(b, 18));
    const int rawHeight = static_cast<int>(le32(b, 22));
    const int height = rawHeight < 0 ? -rawHeight : rawHeight;
    if (width <= 0 || height <= 0 || width > 8192 || height > 8192) return false;
    const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
    if (offset + stride * height > b.size()) return false;
    picture = {width, height, std::vector<uint32_t>(static_cast<size_t>(width) * height)};
    for (int y = 0; y < height; ++y) {
        const size_t row = offset + stride * (rawHeight < 0 ? y : height - 1 - y);
        for (int x = 0; x < width; ++x) {
            const uint8_t* p = &b[row + static_cast<size_t>(x) * 3];
            picture.pixels[static_cast<size_t>(y) * width + x] = p[2] << 16 | p[1] << 8 | p[0];
        }
    }
    return true;
}

struct Region {
    int left, top, right, bottom;
};

int distinctColours(const Picture& picture, Region r) {
    std::set<uint32_t> colours;
    for (int y = r.top; y < r.bottom && y < picture.height; ++y)
        for (int x = r.left; x < r.right && x < picture.width; ++x)
            colours.insert(picture.at(x, y));
    return static_cast<int>(colours.size());
}

// Light pixels on the skin's dark background: text.
int lightPixels(const Picture& picture, Region r) {
    int count = 0;
    for (int y = r.top; y < r.bottom && y < picture.height; ++y)
        for (int x = r.left; x < r.right && x < picture.width; ++x) {
            const uint32_t c = picture.at(x, y);
            count += ((c >> 16 & 0xFF) + (c >> 8 & 0xFF) + (c & 0xFF)) > 600;
        }
    return count;
}

struct Step {
    const char* name;
    int minWidth;
    Region area;     // where the step's content is
    int minColours;  // distinct colours in the area
    int minLight;    // text pixels in the area
};

// The host window is 1180 x 760: tree on the left, the view in the middle
// (the lists from y 110), the playlist pane on the right.
constexpr Region kWhole{0, 0, 4096, 4096};
constexpr Region kView{226, 112, 870, 700};
constexpr Region kPlaylist{880, 64, 1170, 700};
const Step kSteps[] = {
    {"tree", 800, {8, 44, 220, 260}, 2, 300},
    {"list-by-artist", 800, kView, 4, 2000},
    {"search", 800, kView, 4, 1000},
    {"covers-placeholders", 800, kView, 16, 200},
    {"preparing-covers", 800, kView, 16, 200},
    {"covers-low", 800, kView, 64, 200},
    {"covers-high", 800, kView, 64, 0},
    {"covers-before-paste", 800, kView, 64, 200},
    {"cover-pasted", 800, kView, 64, 200},
    {"album-menu", 600, kWhole, 64, 2000},
    {"contents", 800, {226, 112, 430, 310}, 3, 0},
    {"enqueue", 800, kPlaylist, 2, 300},
    {"genres-by-albums", 800, kView, 2, 500},
    {"genre-albums", 800, kView, 2, 300},
    {"configure", 200, kWhole, 8, 0},
    {"covers-200", 800, kView, 64, 200},
    {"about", 600, kWhole, 64, 0},
    {"covers-discs-joined", 800, kView, 64, 200},
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: check-screenshots <prefix>\n");
        return 2;
    }
    int failed = 0, number = 0;
    for (const Step& step : kSteps) {
        char file[512];
        std::snprintf(file, sizeof file, "%s-%02d-%s.bmp", argv[1], ++number, step.name);
        Picture picture;
        std::string fault;
        if (!readBmp(file, picture)) {
            fault = "missing or not a 24-bit BMP";
        } else if (picture.width < step.minWidth) {
            fault = "too small";
        } else if (distinctColours(picture, kWhole) < 8) {
            fault = "blank";
        } else if (distinctColours(picture, step.area) < step.minColours) {
            fault = "too few colours where the view should be";
        } else if (lightPixels(picture, step.area) < step.minLight) {
            fault = "no text where the list should be";
        }
        std::printf("%s %s%s%s\n", fault.empty() ? "ok" : "FAILED", step.name,
                    fault.empty() ? "" : ": ", fault.c_str());
        failed += !fault.empty();
    }
    std::printf("%d passed, %d failed\n", number - failed, failed);
    return failed ? 1 : 0;
}
