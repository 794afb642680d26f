// The arithmetic of the host's child-resize service. Each hex digit of an
// anchor code stands for one edge, from the highest digit: left, top, right,
// bottom. A non-zero digit keeps that edge's distance to the parent's right
// (left, right) or bottom (top, bottom) side; a zero digit keeps its position.
#pragma once

#include <cstdint>

namespace coverhall::host {

struct EdgeRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// Fills the four host words of a ResizeItem: per edge either its position or
// its distance to the far side of the parent, as the anchor code asks.
void recordAnchoredEdges(const EdgeRect& control, int parentWidth, int parentHeight, int32_t anchor,
                         int32_t words[4]);

// The control's rectangle for a new parent size.
EdgeRect anchoredRect(const int32_t words[4], int parentWidth, int parentHeight, int32_t anchor);

}  // namespace coverhall::host
