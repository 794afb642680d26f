#include "settings/search_setting.h"

#include "settings/setting_keys.h"
#include "win/settings.h"

namespace {

bool loosesItsEnds(const std::string& text) {
    if (text.empty()) return false;
    const char first = text.front();
    const char last = text.back();
    return first == ' ' || first == '\t' || last == ' ' || last == '\t' ||
           (text.size() >= 2 && (first == '"' || first == '\'') && last == first);
}

}  // namespace

std::string readSearchSetting() {
    // Room for the longest search text and the quotes around it; a longer
    // text is cut only once the reader has taken its quotes off.
    char text[300] = "";
    readSetting(kSearchTextKey, text, sizeof text);
    std::string read = text;
    if (read.size() > std::size_t{kSearchTextLimit}) read.resize(kSearchTextLimit);
    return read;
}

void writeSearchSetting(const std::string& text) {
    writeSetting(kSearchTextKey, loosesItsEnds(text) ? ("\"" + text + "\"").c_str() : text.c_str());
}
