#include "covers/area_average.h"

#include <algorithm>

namespace {

// Source pixel s spans [s * target, (s + 1) * target) and target pixel t
// spans [t * source, (t + 1) * source): whole numbers on a common scale. The
// part of t that s covers, as a fraction of t.
template <typename Visit>
void forEachShare(int64_t s, int64_t source, int64_t target, Visit visit) {
    const int64_t begin = s * target, end = begin + target;
    for (int64_t t = begin / source; t < target && t * source < end; ++t) {
        const int64_t overlap = std::min(end, (t + 1) * source) - std::max(begin, t * source);
        visit(static_cast<int>(t), static_cast<float>(overlap) / static_cast<float>(source));
    }
}

}  // namespace

AreaAverage::AreaAverage(int sourceWidth, int sourceHeight, int width, int height)
    : sourceWidth_(sourceWidth), sourceHeight_(sourceHeight), width_(width), height_(height) {
    columnStart_.reserve(static_cast<size_t>(sourceWidth) + 1);
    for (int s = 0; s < sourceWidth; ++s) {
        columnStart_.push_back(static_cast<int>(columnShares_.size()));
        forEachShare(s, sourceWidth, width, [&](int t, float weight) {
            columnShares_.push_back({t, weight});
        });
    }
    columnStart_.push_back(static_cast<int>(columnShares_.size()));
    row_.resize(static_cast<size_t>(width) * 3);
    sums_.assign(static_cast<size_t>(width) * height * 3, 0.0f);
}

void AreaAverage::addRows(int firstRow, int count, const uint8_t* rows, int stride) {
    for (int i = 0; i < count; ++i) {
        const int r = firstRow + i;
        if (r < 0 || r >= sourceHeight_) continue;
        const uint8_t* pixel = rows + static_cast<size_t>(i) * stride;
        std::fill(row_.begin(), row_.end(), 0.0f);
        for (int s = 0; s < sourceWidth_; ++s, pixel += 3) {
            for (int k = columnStart_[s]; k < columnStart_[s + 1]; ++k) {
                float* target = &row_[static_cast<size_t>(columnShares_[k].target) * 3];
                const float weight = columnShares_[k].weight;
                target[0] += weight * pixel[0];
                target[1] += weight * pixel[1];
                target[2] += weight * pixel[2];
            }
        }
        forEachShare(r, sourceHeight_, height_, [&](int y, float weight) {
            float* sums = &sums_[static_cast<size_t>(y) * width_ * 3];
            for (size_t j = 0; j < row_.size(); ++j) sums[j] += weight * row_[j];
        });
    }
}

void AreaAverage::write(uint8_t* out, int stride) const {
    for (int y = 0; y < height_; ++y) {
        const float* sums = &sums_[static_cast<size_t>(y) * width_ * 3];
        uint8_t* target = out + static_cast<size_t>(y) * stride;
        for (int j = 0; j < width_ * 3; ++j) {
            const float value = sums[j] + 0.5f;
            target[j] = static_cast<uint8_t>(value <= 0.0f     ? 0.0f
                                             : value >= 255.0f ? 255.0f
                                                               : value);
        }
    }
}
