#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <cstring>

#include "ui/convert.h"

namespace {

// Literals in the sources are compiled to GBK; this pins the bytes.
TEST(GbkTexts, LiteralsAreGbkBytes) {
    const unsigned char expected[] = {0xC9, 0xE8, 0xD6, 0xC3, 0xB3, 0xC9,
                                      0xB9, 0xA6, 0xA3, 0xA1, 0};
    EXPECT_STREQ("设置成功！", reinterpret_cast<const char*>(expected));
}

struct TextToIntCase {
    const char* input;
    int32_t expected;
};

TEST(TextToInt, FoldsThenParsesWithWrapAround) {
    const TextToIntCase cases[] = {
        // No number at all.
        {"", 0},
        {"abc", 0},
        {"-", 0},
        {"   ", 0},
        {"+-5", 0},
        // White space, sign, and stopping at the first non-digit.
        {"  1920", 1920},
        {"\t\n\v\f\r7", 7},
        {"+1600", 1600},
        {"-768", -768},
        {"1920x1080", 1920},
        {"1,600", 1},
        {"00768", 768},
        {"12 34", 12},
        // Full-width digits, ideographic space, full-width sign.
        {"１９２０", 1920},
        {"　１９２０", 1920},
        {"－５", -5},
        {"＋１６００", 1600},
        {" 900px", 900},
        {"１6０0", 1600},
        // Other two-byte characters end the number without being misread.
        {"中1", 0},
        {"1中", 1},
        {"★5", 0},
        // 32-bit wrap-around, never saturation.
        {"4294967296", 0},
        {"2147483648", INT32_MIN},
        {"4294967295", -1},
        {"-2147483648", INT32_MIN},
        {"2147483647", INT32_MAX},
        {"99999999999999999999", 1661992959}};
    for (const TextToIntCase& c : cases) {
        EXPECT_EQ(textToInt(c.input), c.expected) << c.input;
    }
}

// Whether a number was read without wrapping: the custom entry refuses one
// that was not, since it would store some other number than the one typed.
TEST(TextToIntFits, TellsWhetherTheNumberNeededWrapping) {
    const struct {
        const char* input;
        bool fits;
    } cases[] = {
        {"2147483647", true},
        {"2147483648", false},
        {"-2147483648", true},
        {"-2147483649", false},
        {"4294967296", false},
        {"99999999999999999999", false},
        {"18446744069414584321", false}, // wraps all the way round to 1
        {"00000000000000001600", true},  // long, but only leading zeros
        {"２１４７４８３６４８", false},
        {"1920x99999999999", true}, // the number ends at the x
        {"", true},
        {"abc", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(textToIntFits(c.input), c.fits) << c.input;
    }
    EXPECT_TRUE(textToIntFits(nullptr));
}

// The folding reads GBK two bytes at a time; a lead byte at the very end has no
// trail and must not be read past. The inputs are copied into heap blocks of
// their exact size so that ASan sees any overrun.
TEST(TextToInt, NeverReadsPastTheEnd) {
    const char* inputs[] = {"\xA3", "12\xA3", "\xA3\xB1\xA3", "\x81", "5\xFF"};
    const int32_t expected[] = {0, 12, 1, 0, 5};
    for (size_t i = 0; i < sizeof inputs / sizeof *inputs; ++i) {
        size_t size = std::strlen(inputs[i]) + 1;
        char* exact = static_cast<char*>(std::malloc(size));
        std::memcpy(exact, inputs[i], size);
        EXPECT_EQ(textToInt(exact), expected[i]) << i;
        std::free(exact);
    }
}

TEST(TextToInt, NullIsEmpty) {
    EXPECT_EQ(textToInt(nullptr), 0);
}

TEST(IntToText, FormatsLikePercentD) {
    const struct {
        int32_t value;
        const char* text;
    } cases[] = {{0, "0"},
                 {-5, "-5"},
                 {1920, "1920"},
                 {INT32_MAX, "2147483647"},
                 {INT32_MIN, "-2147483648"}};
    for (const auto& c : cases) {
        EXPECT_STREQ(intToText(c.value).c_str(), c.text);
    }
}

TEST(IntToText, RoundTripsThroughTextToInt) {
    const int32_t values[] = {0, 1, -1, 768, -768, INT32_MAX, INT32_MIN, 1000000000};
    for (int32_t v : values) {
        EXPECT_EQ(textToInt(intToText(v).c_str()), v);
    }
}

TEST(JoinTexts, JoinsInOrderAndTreatsNullAsEmpty) {
    EXPECT_STREQ(joinTexts({"当前的分辨率为", nullptr, "1920*1080"}).c_str(),
                 "当前的分辨率为1920*1080");
    EXPECT_STREQ(joinTexts({nullptr}).c_str(), "");
}

TEST(FormatResolution, WidthStarHeight) {
    EXPECT_STREQ(formatResolution(1920, 1080).c_str(), "1920*1080");
    EXPECT_STREQ(formatResolution(0, 0).c_str(), "0*0");
    EXPECT_STREQ(formatResolution(1024, -1).c_str(), "1024*-1");
}

} // namespace
