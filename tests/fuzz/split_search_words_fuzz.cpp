// splitSearchWords on any text: no word is empty or holds a zero byte, the
// words fit in the text, and without quotes every word is part of it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "catalogue/search.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto words = splitSearchWords(text);
    std::size_t total = 0;
    for (const std::string& word : words) {
        if (word.empty() || word.find('\0') != std::string::npos) std::abort();
        total += word.size();
        // Without quotes every word is a piece of the text itself.
        if (text.find('"') == std::string_view::npos && !containsWord(text, word)) std::abort();
    }
    if (total > size) std::abort();
    return 0;
}
