#include "tools/bitmaps/pixel_font.h"

#include <cstring>

namespace {

struct Glyph {
    char letter;
    const char* rows[7];  // '#' is lit; every row has the glyph's width
};

const Glyph kLarge[] = {
    {'A', {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'B', {"####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."}},
    {'C', {".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."}},
    {'D', {"####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."}},
    {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
    {'F', {"#####", "#....", "#....", "####.", "#....", "#....", "#...."}},
    {'G', {".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".####"}},
    {'H', {"#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'I', {"###", ".#.", ".#.", ".#.", ".#.", ".#.", "###"}},
    {'K', {"#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"}},
    {'L', {"#....", "#....", "#....", "#....", "#....", "#....", "#####"}},
    {'M', {"#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"}},
    {'N', {"#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#", "#...#"}},
    {'O', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'P', {"####.", "#...#", "#...#", "####.", "#....", "#....", "#...."}},
    {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
    {'S', {".####", "#....", "#....", ".###.", "....#", "....#", "####."}},
    {'T', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}},
    {'U', {"#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'V', {"#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."}},
    {'W', {"#...#", "#...#", "#...#", "#.#.#", "#.#.#", "##.##", "#...#"}},
    {'Y', {"#...#", "#...#", ".#.#.", "..#..", "..#..", "..#..", "..#.."}},
    {' ', {"...", "...", "...", "...", "...", "...", "..."}},
};

const Glyph kSmall[] = {
    {'A', {".#.", "#.#", "###", "#.#", "#.#"}},
    {'l', {"#", "#", "#", "#", "#"}},
    {'b', {"#..", "##.", "#.#", "#.#", "##."}},
    {'u', {"...", "#.#", "#.#", "#.#", ".##"}},
    {'m', {".....", "##.#.", "#.#.#", "#.#.#", "#.#.#"}},
};

template <std::size_t N>
const Glyph* find(const Glyph (&glyphs)[N], char letter) {
    for (const Glyph& glyph : glyphs) {
        if (glyph.letter == letter) return &glyph;
    }
    return nullptr;
}

const Glyph* glyphOf(char letter, FontSize font) {
    return font == FontSize::Large5x7 ? find(kLarge, letter) : find(kSmall, letter);
}

int rowsOf(FontSize font) {
    return font == FontSize::Large5x7 ? 7 : 5;
}

}  // namespace

int textWidth(const char* text, FontSize font) {
    int width = 0;
    for (const char* c = text; *c; ++c) {
        const Glyph* glyph = glyphOf(*c, font);
        if (!glyph) continue;
        width += int(std::strlen(glyph->rows[0])) + (c[1] ? 1 : 0);
    }
    return width;
}

bool onText(const char* text, FontSize font, double left, double top, double cell, double x,
            double y) {
    if (y < top || x < left) return false;
    const int row = int((y - top) / cell);
    if (row >= rowsOf(font)) return false;
    int column = int((x - left) / cell);
    for (const char* c = text; *c; ++c) {
        const Glyph* glyph = glyphOf(*c, font);
        if (!glyph) continue;
        const int width = int(std::strlen(glyph->rows[0]));
        if (column < width) return glyph->rows[row][column] == '#';
        column -= width + 1;
        if (column < 0) return false;
    }
    return false;
}
