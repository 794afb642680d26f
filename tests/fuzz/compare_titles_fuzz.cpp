// compareTitles on any two texts: antisymmetric, reflexive, consistent with
// the case-folded texts, and a leading "the " or punctuation never matters.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "catalogue/comparators.h"

namespace {
int sign(int v) {
    return (v > 0) - (v < 0);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view all(reinterpret_cast<const char*>(data), size);
    const std::size_t cut = size ? data[0] % (size + 1) : 0;
    const std::string_view a = all.substr(0, cut), b = all.substr(cut);
    if (compareTitles(a, a) != 0 || compareTitles(b, b) != 0) std::abort();
    if (sign(compareTitles(a, b)) != -sign(compareTitles(b, a))) std::abort();
    std::string upper(a);
    for (char& c : upper) c = (c >= 'a' && c <= 'z') ? char(c - 32) : c;
    if (compareTitles(a, upper) != 0) std::abort();
    if (compareTitles("\"... " + std::string(a), a) != 0) std::abort();
    // Transitivity over three texts made from the input.
    const std::string_view c = all.substr(cut / 2);
    const int ab = sign(compareTitles(a, b)), bc = sign(compareTitles(b, c));
    if (ab == bc && ab != 0 && sign(compareTitles(a, c)) != ab) std::abort();
    return 0;
}
