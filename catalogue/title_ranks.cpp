#include "catalogue/title_ranks.h"

#include <algorithm>
#include <numeric>
#include <string>

#include "catalogue/text_functions.h"

void rankTitles(const std::vector<std::string_view>& texts, std::vector<uint32_t>& ranks) {
    // The folded rest of every text in one block: compared bytewise
    // (unsigned), these keys order texts exactly as compareTitles does.
    std::size_t bytes = 0;
    for (const std::string_view text : texts) bytes += text.size();
    std::string block;
    block.reserve(bytes);
    std::vector<std::size_t> starts;
    starts.reserve(texts.size() + 1);
    for (const std::string_view text : texts) {
        starts.push_back(block.size());
        for (const char c : titleSortRest(text)) block.push_back(asciiLower(c));
    }
    starts.push_back(block.size());
    const std::string_view all(block);
    const auto key = [&](uint32_t i) { return all.substr(starts[i], starts[i + 1] - starts[i]); };

    std::vector<uint32_t> order(texts.size());
    std::iota(order.begin(), order.end(), 0u);
    std::sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) { return key(a) < key(b); });
    ranks.resize(texts.size());
    uint32_t rank = 0;
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (i > 0 && key(order[i - 1]) != key(order[i])) ++rank;
        ranks[order[i]] = rank;
    }
}
