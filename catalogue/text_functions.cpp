#include "catalogue/text_functions.h"

std::string_view folderOfFile(std::string_view path) {
    const std::size_t slash = path.rfind('\\');
    return slash == std::string_view::npos ? path : path.substr(0, slash);
}

void trimTrailing(std::string& text, char character) {
    const std::size_t keep = text.find_last_not_of(character);
    text.erase(keep == std::string::npos ? 0 : keep + 1);
}

std::string_view titleSortRest(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size() && !isAsciiAlnum(text[at])) ++at;
    if (text.size() - at >= 4 && asciiLower(text[at]) == 't' && asciiLower(text[at + 1]) == 'h' &&
        asciiLower(text[at + 2]) == 'e' && text[at + 3] == ' ') {
        at += 4;
    }
    while (at < text.size() && text[at] == ' ') ++at;
    return text.substr(at);
}
