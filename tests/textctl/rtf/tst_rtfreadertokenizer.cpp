// The RTF tokenizer: control words and their parameters, symbols, hex
// bytes, binary data and text runs, on good and malformed input.

#include "textctl/rtf/rtftokenizer.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

using textctl::rtf::RtfToken;
using textctl::rtf::RtfTokenizer;

namespace {

std::vector<RtfToken> tokensOf(QByteArrayView bytes)
{
    RtfTokenizer tokens(bytes);
    std::vector<RtfToken> out;
    for (RtfToken t = tokens.next(); t.type != RtfToken::End; t = tokens.next())
        out.push_back(t);
    return out;
}

TEST(RtfTokenizer, WordsWithParametersAndDelimiters)
{
    const auto t = tokensOf("{\\b\\fs24 Hi\\li-360\\u8364\\'80}");
    ASSERT_EQ(t.size(), 8u);
    EXPECT_EQ(t[0].type, RtfToken::GroupOpen);
    EXPECT_EQ(t[1].text, "b");
    EXPECT_FALSE(t[1].hasParam);
    EXPECT_EQ(t[2].text, "fs");
    EXPECT_EQ(t[2].param, 24);
    EXPECT_EQ(t[3].type, RtfToken::Text);  // the space after \fs24 is its delimiter
    EXPECT_EQ(t[3].text, "Hi");
    EXPECT_EQ(t[4].param, -360);
    EXPECT_EQ(t[5].param, 8364);
    EXPECT_EQ(t[6].type, RtfToken::HexByte);
    EXPECT_EQ(t[6].byte, 0x80);
    EXPECT_EQ(t[7].type, RtfToken::GroupClose);
    EXPECT_EQ(t[7].offset, 28);
}

TEST(RtfTokenizer, LineEndsAreNotTextButEscapedOnesAreParagraphs)
{
    const auto t = tokensOf("a\r\nb\\\nc");
    ASSERT_EQ(t.size(), 4u);
    EXPECT_EQ(t[0].text, "a");
    EXPECT_EQ(t[1].text, "b");
    EXPECT_EQ(t[2].type, RtfToken::ControlWord);
    EXPECT_EQ(t[2].text, "par");
    EXPECT_EQ(t[3].text, "c");
}

TEST(RtfTokenizer, GiantNumbersAreClamped)
{
    const auto t = tokensOf("\\fs99999999999999999999\\li-99999999999999999999 x");
    ASSERT_GE(t.size(), 2u);
    EXPECT_EQ(t[0].param, std::numeric_limits<int>::max());
    EXPECT_EQ(t[1].param, std::numeric_limits<int>::min());
}

TEST(RtfTokenizer, BinaryDataIsTakenWhole)
{
    const auto t = tokensOf("\\bin4 }{\\xyz");
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[0].type, RtfToken::Binary);
    EXPECT_EQ(t[0].text, "}{\\x");
    EXPECT_EQ(t[1].text, "yz");
}

TEST(RtfTokenizer, BinaryCountPastTheEndStopsAtTheEnd)
{
    const auto t = tokensOf("\\bin999999999 ab");
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(t[0].type, RtfToken::Binary);
    EXPECT_EQ(t[0].text, "ab");
}

TEST(RtfTokenizer, MalformedEscapes)
{
    const auto t = tokensOf("\\'zz\\'3?x\\'");
    ASSERT_EQ(t.size(), 5u);
    EXPECT_EQ(t[0].type, RtfToken::BadHex);
    EXPECT_EQ(t[1].text, "zz");
    EXPECT_EQ(t[2].type, RtfToken::BadHex);  // "\'3?": one broken escape
    EXPECT_EQ(t[3].text, "x");
    EXPECT_EQ(t[4].type, RtfToken::BadHex);  // "\'" at the very end
    const auto brace = tokensOf("{\\'3}");
    ASSERT_EQ(brace.size(), 3u);
    EXPECT_EQ(brace[2].type, RtfToken::GroupClose);
    const auto end = tokensOf("x\\");
    ASSERT_EQ(end.size(), 2u);
    EXPECT_EQ(end[1].type, RtfToken::ControlSymbol);
}

TEST(RtfTokenizer, LongWordsAreCut)
{
    const QByteArray word(100, 'a');
    const auto t = tokensOf("\\" + word + "5 x");
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[0].text.size(), RtfTokenizer::kMaxWordLength);
    EXPECT_EQ(t[0].param, 5);
}

// What a writer copying the bytes around a word needs to know: "-0" is
// still a signed parameter, a '-' without digits is text, and only a space
// that ends the word is taken with it.
TEST(RtfTokenizer, SignAndDelimiterAsWritten)
{
    struct Row {
        const char *name;
        const char *rtf;
        int param;
        bool hasParam;
        bool negative;
        bool spaceDelimited;
        qsizetype next;  // position() after the word
    };
    const Row rows[] = {
        {"plain", "\\b x", 0, false, false, true, 3},
        {"number", "\\fs24\\b", 24, true, false, false, 5},
        {"negative", "\\li-360 x", -360, true, true, true, 8},
        {"negative zero", "\\li-0x", 0, true, true, false, 5},
        {"minus without digits", "\\li- x", 0, false, false, false, 3},
        {"two spaces", "\\cf2  x", 2, true, false, true, 5},
        {"binary", "\\bin-0 x", 0, true, true, true, 7},
    };
    for (const Row &row : rows) {
        RtfTokenizer tokens(row.rtf);
        const RtfToken t = tokens.next();
        EXPECT_EQ(t.param, row.param) << row.name;
        EXPECT_EQ(t.hasParam, row.hasParam) << row.name;
        EXPECT_EQ(t.negative, row.negative) << row.name;
        EXPECT_EQ(t.spaceDelimited, row.spaceDelimited) << row.name;
        EXPECT_EQ(tokens.position(), row.next) << row.name;
    }
}

TEST(RtfTokenizer, SymbolsAndTabs)
{
    const auto t = tokensOf("\\~\\*\\{a\tb");
    ASSERT_EQ(t.size(), 4u);
    EXPECT_EQ(t[0].symbol, '~');
    EXPECT_EQ(t[1].symbol, '*');
    EXPECT_EQ(t[2].symbol, '{');
    EXPECT_EQ(t[3].text, "a\tb");
}

}  // namespace
