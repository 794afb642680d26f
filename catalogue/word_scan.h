// Finding a search word in the folded texts of the search index.
#pragma once

#include <cstddef>
#include <string_view>

// Where the word first occurs in the text at or after `from`, byte for byte;
// npos when nowhere or when the word is empty. Candidates are filtered by
// their first and last byte 16 positions at a time where the processor has
// SSE2 (every x86 does), and compared inline: the C runtime's memchr and
// memcmp, slow in some runtimes, are never called.
std::size_t findWord(std::string_view text, std::string_view word, std::size_t from = 0);

// The same search one position at a time, for processors without SSE2.
std::size_t findWordPlain(std::string_view text, std::string_view word, std::size_t from = 0);
