// The stored search text ("lastfilter"), kept exactly as typed.
#pragma once

#include <string>

// The stored text, or empty.
std::string readSearchSetting();
// Stores the text. The profile reader trims blanks and one pair of enclosing
// quotes, so such a text is stored inside an extra pair of quotes.
void writeSearchSetting(const std::string& text);
