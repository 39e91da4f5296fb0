#include "core/StringUtils.h"

#include <climits>

#include <gtest/gtest.h>

namespace {

TEST(StringUtils, StringToIntIsLenient)
{
    struct Case { const char* text; int value; };
    const Case cases[] = {
        {"12abc", 12}, {"abc", 0}, {"12345678901", 0}, {"", 0}, {"  42", 42}, {"\t-7", -7},
        {"+5", 5}, {"3.9", 3}, {"0x10", 0}, {"- 5", 0}, {"-", 0},
        {"2147483647", INT_MAX}, {"-2147483648", INT_MIN}, {"2147483648", 0}, {"-2147483649", 0},
        {"99999999999999999999", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(kv::stringToInt(c.text), c.value);
    }
}

TEST(StringUtils, StringToFloatIsLenientAndLocaleFree)
{
    struct Case { const char* text; float value; };
    const Case cases[] = {
        {"0.5", 0.5f}, {" 1.25x", 1.25f}, {"+2", 2.0f}, {"-3.5", -3.5f}, {"  -3.25e2xyz", -325.0f},
        {".5", 0.5f}, {"5.", 5.0f}, {"1e-3", 0.001f}, {"1,5", 1.0f}, // ',' is never a decimal point
        {"", 0}, {"abc", 0}, {"-", 0}, {"+", 0}, {"+-5", 0}, {"1e39", 0}, {"nan", 0}, {"inf", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(kv::stringToFloat(c.text), c.value);
    }
}

TEST(StringUtils, FloatToText)
{
    struct Case { float value; const char* rounded; const char* general; };
    const Case cases[] = {
        {0.1f, "0", "0.1"},       {2.0f, "2", "2"},        {0.01f, "0", "0.01"},
        {5.0f, "5", "5"},         {-1.5f, "-2", "-1.5"},   {2.5f, "3", "2.5"},
        {-0.4f, "0", "-0.4"},     {1234.5678f, "1235", "1234.567749"},
        {1e7f, "10000000", "10000000"}, {1e-7f, "0", "1e-07"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(kv::floatToRoundedString(c.value), c.rounded);
        EXPECT_EQ(kv::floatToString(c.value), c.general);
        EXPECT_EQ(kv::stringToFloat(kv::floatToString(c.value)), c.value);
    }
}

TEST(StringUtils, FormatStringIsNeverCut)
{
    EXPECT_EQ(kv::formatString("%d-%s-%.2f", 7, "x", 1.5), "7-x-1.50");
    EXPECT_EQ(kv::formatString("%s", ""), "");
    const std::string longText(5000, 'q');
    EXPECT_EQ(kv::formatString("<%s>", longText.c_str()), "<" + longText + ">");
}

TEST(StringUtils, ReplaceAllDoesNotRescanItsOutput)
{
    struct Case { const char* text; const char* from; const char* to; const char* result; };
    const Case cases[] = {
        {"aaa", "a", "aa", "aaaaaa"}, {"aaaa", "aa", "a", "aa"}, {"abcabc", "bc", "", "aa"},
        {"hello", "l", "L", "heLLo"}, {"x", "", "y", "x"},       {"", "a", "b", ""},
        {"a\\b\\c", "\\", "/", "a/b/c"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.text << " " << c.from << " -> " << c.to);
        EXPECT_EQ(kv::replaceAll(c.text, c.from, c.to), c.result);
    }
}

TEST(StringUtils, SplitString)
{
    struct Case { const char* text; char delimiter; bool removeWhitespace; std::vector<std::string> pieces; };
    const Case cases[] = {
        {"a,b,", ',', false, {"a", "b", ""}},
        {"", ',', false, {""}},
        {"a b ,c", ',', true, {"ab", "c"}},
        {" x ,\ty ", ',', false, {" x ", "\ty "}},
        {",", ',', false, {"", ""}},
        {"one", ',', false, {"one"}},
        {"1 2\t3", ' ', false, {"1", "2\t3"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::vector<std::string> out = {"stale"};
        kv::splitString(c.text, c.delimiter, out, c.removeWhitespace);
        EXPECT_EQ(out, c.pieces);
    }
}

TEST(StringUtils, AsciiCaseHelpersLeaveOtherBytesAlone)
{
    EXPECT_EQ(kv::toLowerAscii("Base\\MAPS\xC9"), "base\\maps\xC9");
    EXPECT_TRUE(kv::equalsIgnoreCase("Video", "vIDEO"));
    EXPECT_FALSE(kv::equalsIgnoreCase("\xC9", "\xE9"));
    EXPECT_FALSE(kv::equalsIgnoreCase("abc", "abcd"));
    EXPECT_TRUE(kv::startsWithIgnoreCase("KVUI3\\Fonts", "kvui3\\"));
    EXPECT_FALSE(kv::startsWithIgnoreCase("kv", "kvui3"));
}

} // namespace
