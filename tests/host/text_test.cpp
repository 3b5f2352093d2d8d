#include <gtest/gtest.h>

#include <utility>

#include "platform/text.h"

namespace {

TEST(Text, EmptyAndNullAreTheEmptyText) {
    Text empty;
    Text fromNull(nullptr);
    EXPECT_STREQ(empty.c_str(), "");
    EXPECT_TRUE(fromNull.empty());
    EXPECT_EQ(empty, fromNull);
    EXPECT_TRUE(empty == nullptr);
}

TEST(Text, CopiesAndMovesOwnTheirBytes) {
    Text original("1024*768");
    Text copy = original;
    original.append("!");
    EXPECT_EQ(copy, "1024*768");
    Text moved = std::move(original);
    EXPECT_EQ(moved, "1024*768!");
    copy = moved;
    EXPECT_EQ(copy, moved);
    copy = std::move(moved);
    EXPECT_EQ(copy, "1024*768!");
}

TEST(Text, AppendingItselfSurvivesGrowth) {
    Text t("0123456789abcdef"); // fills the first allocation exactly
    t.append(t.c_str());
    EXPECT_EQ(t, "0123456789abcdef0123456789abcdef");
}

TEST(Text, KeepsEmbeddedBytes) {
    Text t("a\0b", 3);
    EXPECT_EQ(t.size(), 3u);
    EXPECT_NE(t, "a");
}

} // namespace
