// Two small pixel fonts for the artwork: 5 x 7 capitals with digits and
// space, and 3 x 5 letters for the word on the tag buttons.
#pragma once

enum class FontSize { Large5x7, Small3x5 };

// Width in font cells of text (one empty cell between letters).
int textWidth(const char* text, FontSize font);

// Whether the point (x, y) lies on a lit cell of text whose top-left corner
// is at (left, top), each cell being cell x cell pixels.
bool onText(const char* text, FontSize font, double left, double top, double cell, double x,
            double y);
