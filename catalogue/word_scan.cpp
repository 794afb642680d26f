#include "catalogue/word_scan.h"

#if defined(__i386__) || defined(__x86_64__)
#include <emmintrin.h>
#define COVERHALL_WORD_SCAN_SSE2 1
#endif

namespace {

bool sameBytes(const char* a, const char* b, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
        if (a[i] != b[i]) return false;
    }
    return true;
}

// Whether the word lies at `at`, its first and last bytes already matched.
bool middleMatches(const char* at, std::string_view word) {
    return word.size() <= 2 || sameBytes(at + 1, word.data() + 1, word.size() - 2);
}

#ifdef COVERHALL_WORD_SCAN_SSE2
// The 32-bit build's default architecture has no SSE2; the function asks for
// it alone.
__attribute__((target("sse2"))) std::size_t findWordSse2(std::string_view text,
                                                         std::string_view word, std::size_t from) {
    const std::size_t n = word.size();
    const char* data = text.data();
    const __m128i first = _mm_set1_epi8(word.front());
    const __m128i last = _mm_set1_epi8(word.back());
    std::size_t at = from;
    for (; at + n + 15 <= text.size(); at += 16) {
        const __m128i heads = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + at));
        const __m128i tails = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + at + n - 1));
        auto mask = static_cast<unsigned>(_mm_movemask_epi8(
            _mm_and_si128(_mm_cmpeq_epi8(heads, first), _mm_cmpeq_epi8(tails, last))));
        while (mask != 0) {
            const std::size_t candidate = at + static_cast<unsigned>(__builtin_ctz(mask));
            if (middleMatches(data + candidate, word)) return candidate;
            mask &= mask - 1;
        }
    }
    return findWordPlain(text, word, at);
}
#endif

}  // namespace

std::size_t findWordPlain(std::string_view text, std::string_view word, std::size_t from) {
    const std::size_t n = word.size();
    if (n == 0 || n > text.size()) return std::string_view::npos;
    const char head = word.front(), tail = word.back();
    for (std::size_t at = from; at + n <= text.size(); ++at) {
        if (text[at] == head && text[at + n - 1] == tail && middleMatches(text.data() + at, word)) {
            return at;
        }
    }
    return std::string_view::npos;
}

std::size_t findWord(std::string_view text, std::string_view word, std::size_t from) {
    if (word.empty() || word.size() > text.size()) return std::string_view::npos;
#ifdef COVERHALL_WORD_SCAN_SSE2
    return findWordSse2(text, word, from);
#else
    return findWordPlain(text, word, from);
#endif
}
