#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue/text_arena.h"

// Album folders point into the arena for the catalogue's whole life: every
// kept text must stay where it is, ended by a zero byte, whatever follows.
TEST(TextArena, KeptTextsStayInPlaceWithAZeroByteAfterThem) {
    TextArena arena;
    std::vector<std::string_view> kept;
    std::vector<std::string> texts;
    for (int i = 0; i < 5000; ++i) texts.push_back("C:\\Music\\Folder " + std::to_string(i));
    texts.push_back(std::string(200000, 'x'));  // larger than a block
    texts.push_back("");
    for (const std::string& text : texts) kept.push_back(arena.keep(text));
    for (std::size_t i = 0; i < texts.size(); ++i) {
        ASSERT_EQ(kept[i], texts[i]);
        ASSERT_EQ(kept[i].data()[kept[i].size()], '\0');
        ASSERT_NE(kept[i].data(), texts[i].data());
    }
    arena.clear();
    EXPECT_EQ(arena.keep("again"), "again");
}
