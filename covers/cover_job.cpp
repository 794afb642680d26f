#include "covers/cover_job.h"

#include <functional>

namespace {

// Mixes one more hash into a running one, so that equal fields in other
// places (a folder named like an image) do not cancel out.
void combine(std::size_t& seed, std::size_t value) {
    seed ^= value + 0x9e3779b9u + (seed << 6) + (seed >> 2);
}

}  // namespace

std::size_t CoverKeyHash::operator()(const CoverKey& key) const {
    std::size_t seed = std::hash<std::string>{}(key.folder);
    combine(seed, std::hash<int>{}(key.rule.mode));
    combine(seed, std::hash<std::string>{}(key.rule.imageName));
    combine(seed, std::hash<bool>{}(key.rule.songPictures));
    combine(seed, std::hash<uint8_t>{}(static_cast<uint8_t>(key.picture)));
    combine(seed, std::hash<int>{}(key.edge));
    return seed;
}

CoverRule normalisedRule(int mode, const char* imageName, bool songPictures) {
    CoverRule rule;
    rule.mode = mode >= AnyImage && mode <= NamedThenAny ? mode : NamedThenAny;
    rule.imageName = imageName ? imageName : "";
    rule.songPictures = songPictures && rule.mode != NamedImage;
    return rule;
}
