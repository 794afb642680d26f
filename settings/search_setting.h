// The stored search text ("lastfilter"), kept exactly as typed.
#pragma once

#include <string>

// The longest search text: the field takes no more, and the search reads and
// stores no more.
constexpr int kSearchTextLimit = 254;

// The stored text, or empty; cut to kSearchTextLimit characters, so that the
// field shows the text that is searched and stored again.
std::string readSearchSetting();
// Stores the text. The profile reader trims blanks and one pair of enclosing
// quotes, so such a text is stored inside an extra pair of quotes.
void writeSearchSetting(const std::string& text);
