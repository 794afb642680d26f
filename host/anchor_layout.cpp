#include "host/anchor_layout.h"

namespace coverhall::host {
namespace {

bool follows(int32_t anchor, int edge) {
    // edge 0 = left (highest of the four digits) .. 3 = bottom
    return ((anchor >> (12 - 4 * edge)) & 0xF) != 0;
}

}  // namespace

void recordAnchoredEdges(const EdgeRect& control, int parentWidth, int parentHeight, int32_t anchor,
                         int32_t words[4]) {
    const int edges[4] = {control.left, control.top, control.right, control.bottom};
    const int far[4] = {parentWidth, parentHeight, parentWidth, parentHeight};
    for (int edge = 0; edge < 4; ++edge) {
        words[edge] = follows(anchor, edge) ? far[edge] - edges[edge] : edges[edge];
    }
}

EdgeRect anchoredRect(const int32_t words[4], int parentWidth, int parentHeight, int32_t anchor) {
    const int far[4] = {parentWidth, parentHeight, parentWidth, parentHeight};
    int edges[4];
    for (int edge = 0; edge < 4; ++edge) {
        edges[edge] = follows(anchor, edge) ? far[edge] - words[edge] : words[edge];
    }
    EdgeRect rect{edges[0], edges[1], edges[2], edges[3]};
    // A parent smaller than the recorded layout must not turn the control
    // inside out: it keeps at least an empty size.
    if (rect.right < rect.left) rect.right = rect.left;
    if (rect.bottom < rect.top) rect.bottom = rect.top;
    return rect;
}

}  // namespace coverhall::host
