#include "catalogue/text_functions.h"

std::string_view folderOfFile(std::string_view path) {
    const std::size_t slash = path.rfind('\\');
    return slash == std::string_view::npos ? path : path.substr(0, slash);
}

void trimTrailing(std::string& text, char character) {
    const std::size_t keep = text.find_last_not_of(character);
    text.erase(keep == std::string::npos ? 0 : keep + 1);
}
