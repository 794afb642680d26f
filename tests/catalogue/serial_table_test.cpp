// The open-addressed table of serials by text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue/serial_table.h"

namespace {

TEST(SerialTable, FindsEveryFiledTextThroughGrowthAndNothingElse) {
    std::vector<std::string> texts;
    SerialTable table;
    auto keyOf = [&texts](int32_t serial) { return std::string_view(texts[serial]); };
    EXPECT_EQ(table.find("C:\\a", keyOf), -1);  // empty table
    for (int i = 0; i < 5000; ++i) {
        texts.push_back("C:\\Music\\" + std::to_string(i * 7919 % 5003));
        table.insert(texts.back(), i);
    }
    for (int i = 0; i < 5000; ++i) ASSERT_EQ(table.find(texts[i], keyOf), i);
    EXPECT_EQ(table.find("C:\\Music\\", keyOf), -1);
    EXPECT_EQ(table.find("c:\\music\\0", keyOf), -1);  // exact bytes only
    EXPECT_EQ(table.find("", keyOf), -1);
    table.clear();
    EXPECT_EQ(table.find(texts[0], keyOf), -1);
}

TEST(SerialTable, TextsWithTheSameHashStayApart) {
    // Only the serials differ in the table; the texts decide.
    std::vector<std::string> texts = {"", "x", std::string(1, '\0'), std::string(300, 'y')};
    SerialTable table;
    auto keyOf = [&texts](int32_t serial) { return std::string_view(texts[serial]); };
    for (int32_t i = 0; i < 4; ++i) table.insert(texts[i], i);
    for (int32_t i = 0; i < 4; ++i) EXPECT_EQ(table.find(texts[i], keyOf), i);
}

}  // namespace
