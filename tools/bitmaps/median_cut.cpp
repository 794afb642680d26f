#include "tools/bitmaps/median_cut.h"

#include <algorithm>
#include <map>

namespace {

struct Entry {
    uint32_t colour;  // 0xRRGGBB
    uint32_t count;
};

int channel(uint32_t colour, int which) {
    return colour >> (16 - 8 * which) & 0xFF;
}

struct Box {
    std::vector<Entry> entries;
    int widestChannel = 0;
    int range = 0;

    void measure() {
        range = -1;
        for (int c = 0; c < 3; ++c) {
            int low = 255, high = 0;
            for (const Entry& e : entries) {
                low = std::min(low, channel(e.colour, c));
                high = std::max(high, channel(e.colour, c));
            }
            if (high - low > range) {
                range = high - low;
                widestChannel = c;
            }
        }
    }

    uint32_t average() const {
        uint64_t sum[3] = {0, 0, 0}, total = 0;
        for (const Entry& e : entries) {
            for (int c = 0; c < 3; ++c) sum[c] += uint64_t(channel(e.colour, c)) * e.count;
            total += e.count;
        }
        uint32_t colour = 0;
        for (int c = 0; c < 3; ++c) {
            colour = colour << 8 | uint32_t((sum[c] + total / 2) / total);
        }
        return colour;
    }
};

}  // namespace

std::vector<uint32_t> fitPalette(const Picture& picture, std::size_t colours) {
    std::map<uint32_t, uint32_t> counts;
    for (std::size_t i = 0; i + 2 < picture.bgr.size(); i += 3) {
        ++counts[uint32_t(picture.bgr[i + 2]) << 16 | uint32_t(picture.bgr[i + 1]) << 8 |
                 picture.bgr[i]];
    }
    std::vector<Box> boxes(1);
    for (const auto& [colour, count] : counts) boxes[0].entries.push_back({colour, count});
    boxes[0].measure();
    while (boxes.size() < colours) {
        auto widest = std::max_element(boxes.begin(), boxes.end(), [](const Box& a, const Box& b) {
            return a.range < b.range;
        });
        if (widest->range <= 0) break;
        const int c = widest->widestChannel;
        std::vector<Entry> entries = std::move(widest->entries);
        std::stable_sort(entries.begin(), entries.end(), [c](const Entry& a, const Entry& b) {
            return channel(a.colour, c) < channel(b.colour, c);
        });
        uint64_t total = 0, half = 0;
        for (const Entry& e : entries) total += e.count;
        std::size_t split = 0;
        while (split + 1 < entries.size() && (half += entries[split].count) * 2 < total) ++split;
        split = std::max<std::size_t>(1, split + 1 < entries.size() ? split + 1 : split);
        Box low, high;
        high.entries.insert(high.entries.end(), entries.begin() + split, entries.end());
        entries.resize(split);
        low.entries = std::move(entries);
        low.measure();
        high.measure();
        *widest = std::move(low);
        boxes.push_back(std::move(high));
    }
    std::vector<uint32_t> palette;
    for (const Box& box : boxes) palette.push_back(box.average());
    std::sort(palette.begin(), palette.end());
    palette.erase(std::unique(palette.begin(), palette.end()), palette.end());
    return palette;
}
