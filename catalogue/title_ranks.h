// Texts ranked in the order of compareTitles, so that sorts compare integers.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

// ranks[i] becomes the rank of texts[i]: 0 for the first text in the order
// of compareTitles, equal ranks exactly where compareTitles gives 0, and no
// gaps between ranks.
void rankTitles(const std::vector<std::string_view>& texts, std::vector<uint32_t>& ranks);
