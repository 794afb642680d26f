// Resampling by area: means of whole and partial pixels, bands in any size,
// and the colour mass of the image kept across scales.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "covers/area_average.h"

namespace {

// Top-down BGR rows, stride bytes apart, with a pixel function of (x, y).
template <typename Colour>
std::vector<uint8_t> picture(int width, int height, int stride, Colour colour) {
    std::vector<uint8_t> rows(static_cast<size_t>(stride) * height, 0xEE);  // padding marked
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const uint32_t c = colour(x, y);
            uint8_t* p = &rows[static_cast<size_t>(y) * stride + x * 3];
            p[0] = c & 0xFF;
            p[1] = c >> 8 & 0xFF;
            p[2] = c >> 16 & 0xFF;
        }
    return rows;
}

std::vector<uint8_t> scaled(const std::vector<uint8_t>& rows, int w, int h, int stride, int tw,
                            int th, int band) {
    AreaAverage average(w, h, tw, th);
    for (int y = 0; y < h; y += band) {
        const int count = y + band > h ? h - y : band;
        average.addRows(y, count, &rows[static_cast<size_t>(y) * stride], stride);
    }
    std::vector<uint8_t> out(static_cast<size_t>(tw) * 3 * th);
    average.write(out.data(), tw * 3);
    return out;
}

double mean(const std::vector<uint8_t>& rows, int w, int h, int stride, int channel) {
    double sum = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) sum += rows[static_cast<size_t>(y) * stride + x * 3 + channel];
    return sum / (w * h);
}

}  // namespace

TEST(AreaAverage, WholeBlocksGiveTheirMeansAndPaddingIsNotRead) {
    // 4 x 2 into 2 x 1: each target pixel is the mean of a 2 x 2 block.
    const auto rows = picture(4, 2, 16, [](int x, int y) {
        return static_cast<uint32_t>((x < 2 ? 10 : 200) + y * 20);  // blue only
    });
    const auto out = scaled(rows, 4, 2, 16, 2, 1, 2);
    EXPECT_EQ(out[0], 20);   // (10 + 10 + 30 + 30) / 4
    EXPECT_EQ(out[3], 210);  // (200 + 200 + 220 + 220) / 4
    EXPECT_EQ(out[1], 0);
    EXPECT_EQ(out[2], 0);
}

TEST(AreaAverage, PartialPixelsCountByTheirShare) {
    // 3 x 1 into 2 x 1: target 0 is source 0 and half of source 1.
    const auto rows = picture(3, 1, 12, [](int x, int) {
        return x == 0 ? 0u : x == 1 ? 90u : 240u;
    });
    const auto out = scaled(rows, 3, 1, 12, 2, 1, 1);
    EXPECT_EQ(out[0], 30);   // (0 * 1 + 90 * 0.5) / 1.5
    EXPECT_EQ(out[3], 190);  // (90 * 0.5 + 240 * 1) / 1.5
}

TEST(AreaAverage, ScalingUpRepeatsPixelsAndBlendsOnlyAcrossEdges) {
    const auto rows = picture(2, 1, 8, [](int x, int) { return x ? 0xFFFFFFu : 0u; });
    const auto out = scaled(rows, 2, 1, 8, 4, 2, 1);
    for (int y = 0; y < 2; ++y) {
        const uint8_t* row = &out[static_cast<size_t>(y) * 12];
        EXPECT_EQ(row[0], 0);
        EXPECT_EQ(row[3], 0);
        EXPECT_EQ(row[6], 255);
        EXPECT_EQ(row[9], 255);
    }
    // 2 into 3: the middle pixel straddles both halves equally.
    const auto odd = scaled(rows, 2, 1, 8, 3, 1, 1);
    EXPECT_EQ(odd[0], 0);
    EXPECT_EQ(odd[3], 128);
    EXPECT_EQ(odd[6], 255);
}

TEST(AreaAverage, BandsOfAnySizeGiveTheSameImageAndTheMeanIsKept) {
    const int w = 61, h = 47, stride = (w * 3 + 3) & ~3;
    const auto rows = picture(w, h, stride, [](int x, int y) {
        return static_cast<uint32_t>((x * 7 + y * 3) % 256 | ((x * y) % 256) << 8 |
                                     ((255 - x * 4) & 0xFF) << 16);
    });
    for (const auto& size : std::vector<std::pair<int, int>>{{20, 20}, {7, 13}, {100, 90}}) {
        const auto whole = scaled(rows, w, h, stride, size.first, size.second, h);
        EXPECT_EQ(scaled(rows, w, h, stride, size.first, size.second, 1), whole);
        EXPECT_EQ(scaled(rows, w, h, stride, size.first, size.second, 10), whole);
        for (int c = 0; c < 3; ++c) {
            EXPECT_NEAR(mean(whole, size.first, size.second, size.first * 3, c),
                        mean(rows, w, h, stride, c), 0.6)
                << size.first << "x" << size.second << " channel " << c;
        }
    }
}

TEST(AreaAverage, RowsOutsideTheSourceAreIgnored) {
    const auto rows = picture(2, 2, 8, [](int, int) { return 0x405060u; });
    AreaAverage average(2, 2, 1, 1);
    average.addRows(-1, 1, rows.data(), 8);
    average.addRows(0, 2, rows.data(), 8);
    average.addRows(2, 1, rows.data(), 8);
    uint8_t out[3] = {};
    average.write(out, 3);
    EXPECT_EQ(out[0], 0x60);
    EXPECT_EQ(out[1], 0x50);
    EXPECT_EQ(out[2], 0x40);
}
