// Small text helpers shared by the catalogue and its callers.
#pragma once

#include <string>
#include <string_view>

// The text before the last backslash of the path, or the whole path when it
// holds none: D:\Music\Album\01.mp3 gives D:\Music\Album, D:\01.mp3 gives D:.
std::string_view folderOfFile(std::string_view path);

// Cuts every trailing occurrence of the character from the text.
void trimTrailing(std::string& text, char character);

// What compareTitles compares of a text: leading bytes other than ASCII
// letters and digits skipped, then one leading "the " (any case), then spaces.
std::string_view titleSortRest(std::string_view text);

constexpr char asciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}
constexpr bool isAsciiAlnum(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
