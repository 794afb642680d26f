#include "covers/cover_rank.h"

#include <array>

#include "catalogue/disc_names.h"

namespace {

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string lowered(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = lower(c);
    return out;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

// The name without its extension.
std::string_view stem(std::string_view fileName) {
    const std::size_t dot = fileName.rfind('.');
    return dot == std::string_view::npos ? fileName : fileName.substr(0, dot);
}

bool holdsAny(const std::string& text, std::initializer_list<std::string_view> words) {
    for (std::string_view word : words) {
        if (text.find(word) != std::string::npos) return true;
    }
    return false;
}

}  // namespace

CoverTier coverTierOf(std::string_view fileName, std::string_view albumTitle) {
    const std::string name = lowered(stem(fileName));
    if (holdsAny(name, {"back", "inlay", "inside", "tray", "booklet"}) || isDiscName(name, false)) {
        return CoverTier::Unlikely;
    }
    if (name == "folder" || name == "cover" || name == "front" || name.rfind("albumart", 0) == 0)
        return CoverTier::Front;
    if (holdsAny(name, {"front", "cover"}) ||
        (!albumTitle.empty() && name.find(lowered(albumTitle)) != std::string::npos)) {
        return CoverTier::Likely;
    }
    return CoverTier::Other;
}

bool hasCoverImageExtension(std::string_view fileName) {
    const std::size_t dot = fileName.rfind('.');
    if (dot == std::string_view::npos) return false;
    const std::string_view ext = fileName.substr(dot + 1);
    static constexpr std::array<std::string_view, 7> kExtensions = {"bmp", "gif",  "jpg", "jpeg",
                                                                    "jpe", "jfif", "png"};
    for (std::string_view known : kExtensions) {
        if (equalsIgnoringCase(ext, known)) return true;
    }
    return false;
}

bool isPictureFolderName(std::string_view name) {
    for (std::string_view known : {"scans", "covers", "artwork", "art", "images"}) {
        if (equalsIgnoringCase(name, known)) return true;
    }
    return false;
}

bool isBetterCover(const CoverCandidate& a, const CoverCandidate& b) {
    if (a.tier != b.tier) return a.tier < b.tier;
    // folder.* is what a cover set by hand is written as, and what Explorer
    // shows for the folder: it must not lose to a larger cover.* or front.*.
    if (a.tier == CoverTier::Front) {
        const auto isFolder = [](std::string_view name) {
            const std::size_t slash = name.find_last_of("\\/");
            if (slash != std::string_view::npos) name.remove_prefix(slash + 1);
            return equalsIgnoringCase(stem(name), "folder");
        };
        const bool folderA = isFolder(a.name), folderB = isFolder(b.name);
        if (folderA != folderB) return folderA;
    }
    if (a.size != b.size) return a.size > b.size;
    const std::string la = lowered(a.name), lb = lowered(b.name);
    if (la != lb) return la < lb;
    return a.name < b.name;
}
