// Resampling of 24-bit BGR pixels by area: every target pixel is the mean of
// the part of the source it covers, edge pixels counted by the fraction that
// falls inside. Rows arrive band by band, so a large image never has to be
// held whole at 24 bits beside the decoder's own copy.
#pragma once

#include <cstdint>
#include <vector>

class AreaAverage {
  public:
    // Both sizes must be positive.
    AreaAverage(int sourceWidth, int sourceHeight, int width, int height);

    // Adds source rows firstRow .. firstRow + count - 1 (top-down BGR rows,
    // stride bytes apart). Rows outside the source are ignored.
    void addRows(int firstRow, int count, const uint8_t* rows, int stride);

    // The target as top-down BGR rows, stride bytes apart, rounded to the
    // nearest value.
    void write(uint8_t* out, int stride) const;

  private:
    // A source pixel's share of one target pixel, in units where a whole
    // target pixel is 1.
    struct Share {
        int target;
        float weight;
    };

    int sourceWidth_, sourceHeight_, width_, height_;
    std::vector<int> columnStart_;     // first share of each source column
    std::vector<Share> columnShares_;  // in source column order
    std::vector<float> row_;           // one source row, scaled across
    std::vector<float> sums_;          // the target, BGR, row by row
};
