// The word scan and the title ranks against the plain operations they speed up.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/comparators.h"
#include "catalogue/title_ranks.h"
#include "catalogue/word_scan.h"

namespace {

int signOf(int v) {
    return (v > 0) - (v < 0);
}

// Few letters, a zero byte and a byte above 127, so that matches are many.
constexpr std::string_view kAlphabet("ab\0c\xE9", 5);

std::string randomText(std::mt19937& random, std::size_t size, std::string_view alphabet) {
    std::string text;
    for (std::size_t i = 0; i < size; ++i) text.push_back(alphabet[random() % alphabet.size()]);
    return text;
}

}  // namespace

TEST(FindWord, AgreesWithFindAtEveryLengthAndStart) {
    std::mt19937 random(11);
    for (int round = 0; round < 3000; ++round) {
        // Texts in a block of exactly their size, so a read past the end is
        // caught by the address sanitizer.
        const std::string made = randomText(random, random() % 90, kAlphabet);
        const auto block = std::make_unique<char[]>(made.size() + 1);
        made.copy(block.get(), made.size());
        const std::string_view text(block.get(), made.size());
        const std::string word = randomText(random, 1 + random() % 6, kAlphabet);
        const std::size_t from = random() % (text.size() + 1);
        const std::size_t expected = text.find(word, from);
        ASSERT_EQ(findWord(text, word, from), expected) << round;
        ASSERT_EQ(findWordPlain(text, word, from), expected) << round;
    }
}

TEST(FindWord, EmptyWordsLongWordsAndTheLastPositions) {
    EXPECT_EQ(findWord("abc", ""), std::string_view::npos);
    EXPECT_EQ(findWord("", "a"), std::string_view::npos);
    EXPECT_EQ(findWord("ab", "abc"), std::string_view::npos);
    const std::string text = std::string(40, 'x') + "love";
    EXPECT_EQ(findWord(text, "love"), 40u);
    EXPECT_EQ(findWord(text, "e"), 43u);
    EXPECT_EQ(findWord(text, "love", 41), std::string_view::npos);
    EXPECT_EQ(findWord(text, text), 0u);
    const std::string huge(1 << 20, 'w');
    EXPECT_EQ(findWord(huge + "!", std::string(300, 'w') + "!"), huge.size() - 300);
}

TEST(RankTitles, RanksOrderTextsExactlyAsCompareTitles) {
    std::mt19937 random(5);
    std::vector<std::string> texts = {"",           "The Beatles", "beatles", "THE ", "the",
                                      "...The Who", "\xC9mile",    "mile",    "a_",   "a\xE9"};
    for (int i = 0; i < 300; ++i) texts.push_back(randomText(random, random() % 7, "tHe ab.\xE9"));
    const std::vector<std::string_view> views(texts.begin(), texts.end());
    std::vector<uint32_t> ranks;
    rankTitles(views, ranks);
    ASSERT_EQ(ranks.size(), texts.size());
    for (std::size_t a = 0; a < texts.size(); ++a) {
        for (std::size_t b = 0; b < texts.size(); ++b) {
            const int byRank = (ranks[a] > ranks[b]) - (ranks[a] < ranks[b]);
            ASSERT_EQ(byRank, signOf(compareTitles(texts[a], texts[b])))
                << '"' << texts[a] << "\" \"" << texts[b] << '"';
        }
    }
    // Dense: every rank below the largest is used.
    std::vector<bool> used(texts.size());
    for (const uint32_t rank : ranks) used[rank] = true;
    uint32_t largest = 0;
    for (const uint32_t rank : ranks) largest = std::max(largest, rank);
    for (uint32_t rank = 0; rank <= largest; ++rank) EXPECT_TRUE(used[rank]) << rank;
}
