#include "catalogue/disc_names.h"

#include <algorithm>

#include "catalogue/text_functions.h"

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Size of the disc word the name starts with, or 0.
std::size_t discWordSize(std::string_view name) {
    for (std::string_view word : {"disc", "disk", "cd"}) {
        if (name.size() < word.size()) continue;
        std::size_t i = 0;
        while (i < word.size() && asciiLower(name[i]) == word[i]) ++i;
        if (i == word.size()) return i;
    }
    return 0;
}

}  // namespace

int32_t discNumber(std::string_view name) {
    std::size_t at = discWordSize(name);
    if (at == 0) return -1;
    while (at < name.size() &&
           (name[at] == ' ' || name[at] == '_' || name[at] == '-' || name[at] == '.')) {
        ++at;
    }
    if (at == name.size() || !isDigit(name[at])) return -1;
    int64_t number = 0;
    for (; at < name.size() && isDigit(name[at]); ++at) {
        number = std::min<int64_t>(number * 10 + (name[at] - '0'), INT32_MAX);
    }
    // "CD1x" goes on the word: it names something else.
    if (at < name.size() && isAsciiAlnum(name[at])) return -1;
    return static_cast<int32_t>(number);
}

bool isDiscName(std::string_view name, bool numberRequired) {
    const std::size_t word = discWordSize(name);
    if (word == 0) return false;
    if (word == name.size()) return !numberRequired;
    return discNumber(name) >= 0;
}

std::string_view lastFolderName(std::string_view folder) {
    const std::size_t slash = folder.rfind('\\');
    return slash == std::string_view::npos ? folder : folder.substr(slash + 1);
}

std::string_view parentFolder(std::string_view folder) {
    const std::size_t slash = folder.rfind('\\');
    return slash == std::string_view::npos ? std::string_view() : folder.substr(0, slash);
}

int32_t discOfFile(std::string_view fileName) {
    return discNumber(lastFolderName(folderOfFile(fileName)));
}
